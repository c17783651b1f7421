#pragma once

#include "KV_ReportDataSource.h"

#include <QHash>
#include <QList>
#include <QVariantList>

#include <functional>
#include <vector>

// A report dataset held in memory: named fields, each with an optional display formatter,
// and rows of values. Given a master, it is a detail: it shows only the rows whose link
// field equals the link field of the master's current row, and its current row goes back to
// the first when the master moves.
//
//   KvReportTable items;
//   items.addField("NAME");
//   items.addField("PRICE", KvReportTable::number(2));
//   items.appendRow({"Кабель", 1234.5});
class KvReportTable final : public KvReportDataSource
{
public:
    using Formatter = std::function<QString(const QVariant &)>;

    // Numbers with the given decimals, thousands grouped with a blank: "1 234.50".
    static Formatter number(int decimals);
    // Dates "DD/MM/YYYY".
    static Formatter shortDate();

    int addField(const QString &name, Formatter format = {});
    void appendRow(const QVariantList &values);
    void reserve(int rows) { m_rows.reserve(size_t(rows)); }
    // Makes this table a detail of master: rows whose linkField equals the master's
    // masterField in its current row.
    void setMaster(KvReportDataSource *master, const QString &masterField,
                   const QString &linkField);

    int fieldCount() const override { return int(m_fields.size()); }
    QString fieldName(int field) const override { return m_fields.at(field).name; }
    int fieldIndex(const QString &name) const override;
    int rowCount() const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    QVariant value(int row, int field) const override;
    QString displayText(int row, int field) const override;
    QString formatValue(int field, const QVariant &value) const override;

private:
    struct Field
    {
        QString name;
        Formatter format;
    };
    // The stored row shown as row `row` now.
    int storedRow(int row) const;
    // Brings the shown rows in step with the master's current row.
    void follow() const;

    QList<Field> m_fields;
    QHash<QString, int> m_fieldByName; // lower-case name → field
    std::vector<QVariantList> m_rows;

    KvReportDataSource *m_master = nullptr;
    int m_masterField = -1;
    int m_linkField = -1;
    // Stored rows by the raw text of their link value; built on first use.
    mutable QHash<QString, std::vector<int>> m_byLink;
    mutable bool m_indexed = false;
    mutable const std::vector<int> *m_shown = nullptr; // the master row's rows; null: none
    mutable QString m_shownKey;
    mutable bool m_followed = false;
    mutable int m_current = 0;
};

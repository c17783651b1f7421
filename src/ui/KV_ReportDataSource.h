#pragma once

#include <QString>
#include <QVariant>

// What a report reads from one of its datasets: the fields by name, the rows the dataset
// shows now, each value as display text (the field's display format) and as raw value, and
// the dataset's current row.
//
// A detail dataset shows the rows of its master's current row, so the report prints a
// master-detail pair by moving the master's current row: while a row of a dataset prints, it
// is that dataset's current row, and its details show that row's rows. The report puts every
// current row back when it is done.
class KvReportDataSource
{
public:
    virtual ~KvReportDataSource() = default;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    // The field of that name, compared without regard to case; -1 when there is none.
    virtual int fieldIndex(const QString &name) const;

    // The rows shown now (for a detail: the rows of its master's current row).
    virtual int rowCount() const = 0;
    // 0-based; -1 when there are no rows.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;

    virtual QVariant value(int row, int field) const = 0;
    virtual QString displayText(int row, int field) const = 0;
    // A value of the field (a total) in the field's display format.
    virtual QString formatValue(int field, const QVariant &value) const;

    // Around one report: a dataset bound to windows may quiet them while the report moves
    // its current row.
    virtual void beginReport() {}
    virtual void endReport() {}
};

// A raw value as a template shows it: numbers with "." and no grouping, dates "DD/MM/YYYY",
// date-times "DD/MM/YYYY hh:mm:ss", booleans "1"/"0", null as the empty text.
QString KvReportRawText(const QVariant &value);

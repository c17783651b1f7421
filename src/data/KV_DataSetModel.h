#pragma once

#include "KV_ClientDataSet.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class QItemSelectionModel;

// A table model over a client dataset: rows in the dataset's current order (read through
// the dataset, nothing copied), one column per visible field or per listed field name,
// titles from display labels, text from display formats, alignment from the fields. Edits
// go through the dataset's states: setData moves to the row, starts an edit when the
// dataset allows automatic edits, and writes the field; moving to another row posts.
class TKV_DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Roles {
        FieldNameRole = Qt::UserRole + 1, // the column's field name
        IsCurrentRowRole,                 // true on the dataset's current row
        IsNullRole                        // true when the value is null
    };

    explicit TKV_DataSetModel(TKV_ClientDataSet *dataSet = nullptr, QObject *parent = nullptr);

    TKV_ClientDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(TKV_ClientDataSet *dataSet);
    // Columns by field name; empty: every visible field (re-read when the dataset opens).
    void setColumns(const QStringList &fieldNames);
    QStringList columns() const { return m_columnNames; }
    KvField *fieldAt(int column) const;
    int columnOf(const QString &fieldName) const; // -1 when not shown

    // The dataset's current row, and moving it (posting a pending edit first).
    int currentRow() const;
    bool setCurrentRow(int row);
    // Keeps a view's current index and the dataset's current row in step both ways.
    void bindSelectionModel(QItemSelectionModel *selection);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void currentRowChanged(int row);

private:
    void connectDataSet();
    void rebuildColumns();

    QPointer<TKV_ClientDataSet> m_dataSet;
    QStringList m_columnNames; // as asked for
    QList<KvField *> m_fields; // in force
    QPointer<QItemSelectionModel> m_selection;
    bool m_syncing = false;
};

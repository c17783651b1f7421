#include "KV_DataSetModel.h"

#include "KV_ClientDataSet.h"

#include <QItemSelectionModel>

TKV_DataSetModel::TKV_DataSetModel(TKV_ClientDataSet *dataSet, QObject *parent)
    : QAbstractTableModel(parent)
{
    setDataSet(dataSet);
}

void TKV_DataSetModel::setDataSet(TKV_ClientDataSet *dataSet)
{
    beginResetModel();
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    rebuildColumns();
    if (m_dataSet)
        connectDataSet();
    endResetModel();
}

void TKV_DataSetModel::connectDataSet()
{
    TKV_ClientDataSet *ds = m_dataSet;
    connect(ds, &TKV_ClientDataSet::aboutToReset, this, [this] { beginResetModel(); });
    connect(ds, &TKV_ClientDataSet::reset, this, [this] {
        rebuildColumns();
        endResetModel();
        if (m_selection && m_dataSet) {
            const int row = m_dataSet->currentRow();
            m_syncing = true;
            if (row >= 0)
                m_selection->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect);
            m_syncing = false;
        }
    });
    connect(ds, &TKV_ClientDataSet::aboutToInsertRow, this,
            [this](int row) { beginInsertRows({}, row, row); });
    connect(ds, &TKV_ClientDataSet::rowInserted, this, [this] { endInsertRows(); });
    connect(ds, &TKV_ClientDataSet::aboutToRemoveRow, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(ds, &TKV_ClientDataSet::rowRemoved, this, [this] { endRemoveRows(); });
    connect(ds, &TKV_ClientDataSet::rowChanged, this, [this](int row) {
        const int columns = columnCount();
        const int rows = rowCount();
        if (columns == 0 || rows == 0)
            return;
        if (row < 0)
            Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1));
        else if (row < rows)
            Q_EMIT dataChanged(index(row, 0), index(row, columns - 1));
    });
    connect(ds, &TKV_ClientDataSet::currentChanged, this, [this](int row) {
        if (m_selection && !m_syncing) {
            m_syncing = true;
            const int column = qMax(m_selection->currentIndex().column(), 0);
            if (row >= 0 && row < rowCount())
                m_selection->setCurrentIndex(index(row, qMin(column, qMax(columnCount() - 1, 0))),
                                             QItemSelectionModel::ClearAndSelect);
            m_syncing = false;
        }
        Q_EMIT currentRowChanged(row);
    });
    connect(ds, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_fields.clear();
        endResetModel();
    });
}

void TKV_DataSetModel::setColumns(const QStringList &fieldNames)
{
    beginResetModel();
    m_columnNames = fieldNames;
    rebuildColumns();
    endResetModel();
}

void TKV_DataSetModel::rebuildColumns()
{
    m_fields.clear();
    if (!m_dataSet)
        return;
    if (m_columnNames.isEmpty()) {
        for (KvField *field : m_dataSet->Fields()) {
            if (field->Visible)
                m_fields << field;
        }
        return;
    }
    for (const QString &name : std::as_const(m_columnNames)) {
        if (KvField *field = m_dataSet->FindField(name))
            m_fields << field;
    }
}

KvField *TKV_DataSetModel::fieldAt(int column) const
{
    return column >= 0 && column < m_fields.size() ? m_fields[column] : nullptr;
}

int TKV_DataSetModel::columnOf(const QString &fieldName) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i]->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TKV_DataSetModel::currentRow() const
{
    return m_dataSet ? m_dataSet->currentRow() : -1;
}

bool TKV_DataSetModel::setCurrentRow(int row)
{
    return m_dataSet && m_dataSet->setCurrentRow(row);
}

void TKV_DataSetModel::bindSelectionModel(QItemSelectionModel *selection)
{
    if (m_selection)
        disconnect(m_selection, nullptr, this, nullptr);
    m_selection = selection;
    if (!selection)
        return;
    connect(selection, &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_syncing || !m_dataSet || !current.isValid())
                    return;
                m_syncing = true;
                if (!m_dataSet->setCurrentRow(current.row())) {
                    // The move was refused (a post failed): the view follows the dataset.
                    const int row = m_dataSet->currentRow();
                    if (row >= 0 && row < rowCount())
                        m_selection->setCurrentIndex(index(row, current.column()),
                                                     QItemSelectionModel::ClearAndSelect);
                }
                m_syncing = false;
            });
    const int row = currentRow();
    if (row >= 0 && row < rowCount()) {
        m_syncing = true;
        selection->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect);
        m_syncing = false;
    }
}

int TKV_DataSetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataSet)
        return 0;
    return m_dataSet->RecordCount();
}

int TKV_DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant TKV_DataSetModel::data(const QModelIndex &index, int role) const
{
    KvField *field = fieldAt(index.column());
    if (!field || !m_dataSet || index.row() >= m_dataSet->RecordCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return field->displayTextAt(index.row());
    case Qt::EditRole: {
        const QVariant v = field->valueAt(index.row());
        return v.isNull() ? QVariant() : v;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field->alignment());
    case FieldNameRole:
        return field->FieldName();
    case IsCurrentRowRole:
        return index.row() == m_dataSet->currentRow();
    case IsNullRole:
        return field->valueAt(index.row()).isNull();
    default:
        return {};
    }
}

QVariant TKV_DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    KvField *field = fieldAt(section);
    if (!field)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return field->Label();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field->alignment());
    case FieldNameRole:
        return field->FieldName();
    default:
        return {};
    }
}

Qt::ItemFlags TKV_DataSetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    KvField *field = fieldAt(index.column());
    if (!field || !m_dataSet || !m_dataSet->CanModify() || field->ReadOnly ||
        field->FieldKind() == KvFieldKind::Calculated)
        return result;
    const KvDataSetState state = m_dataSet->State();
    const bool editingThisRow =
        (state == KvDataSetState::Edit || state == KvDataSetState::Insert) &&
        index.row() == m_dataSet->currentRow();
    if (editingThisRow || m_dataSet->AutoEdit())
        result |= Qt::ItemIsEditable;
    return result;
}

bool TKV_DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    KvField *field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || !m_dataSet || !m_dataSet->Active() ||
        !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (index.row() != m_dataSet->currentRow() && !m_dataSet->setCurrentRow(index.row()))
        return false;
    const KvDataSetState state = m_dataSet->State();
    if (state != KvDataSetState::Edit && state != KvDataSetState::Insert) {
        if (!m_dataSet->AutoEdit() || !m_dataSet->Edit())
            return false;
    }
    return field->setValue(value);
}

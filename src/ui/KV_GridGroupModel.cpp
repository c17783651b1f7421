#include "KV_GridGroupModel.h"

#include <QSet>

namespace {
const QChar KeySeparator(0x1F);
}

TKV_GridGroupModel::TKV_GridGroupModel(QObject *parent)
    : QAbstractProxyModel(parent)
{}

void TKV_GridGroupModel::setSourceModel(QAbstractItemModel *source)
{
    beginResetModel();
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
    m_links.clear();
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        // Without grouping, shape changes pass through one to one; with grouping they
        // rebuild the group rows.
        m_links << connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                           [this] { beginResetModel(); })
                << connect(source, &QAbstractItemModel::modelReset, this,
                           [this] {
                               rebuild();
                               endResetModel();
                           })
                << connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                           [this] { beginResetModel(); })
                << connect(source, &QAbstractItemModel::layoutChanged, this,
                           [this] {
                               rebuild();
                               endResetModel();
                           })
                << connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                           [this](const QModelIndex &, int first, int last) {
                               if (grouped())
                                   beginResetModel();
                               else
                                   beginInsertRows({}, first, last);
                           })
                << connect(source, &QAbstractItemModel::rowsInserted, this,
                           [this] {
                               if (grouped()) {
                                   rebuild();
                                   endResetModel();
                               } else {
                                   endInsertRows();
                               }
                           })
                << connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                           [this](const QModelIndex &, int first, int last) {
                               if (grouped())
                                   beginResetModel();
                               else
                                   beginRemoveRows({}, first, last);
                           })
                << connect(source, &QAbstractItemModel::rowsRemoved, this,
                           [this] {
                               if (grouped()) {
                                   rebuild();
                                   endResetModel();
                               } else {
                                   endRemoveRows();
                               }
                           })
                << connect(source, &QAbstractItemModel::columnsAboutToBeInserted, this,
                           [this] { beginResetModel(); })
                << connect(source, &QAbstractItemModel::columnsInserted, this,
                           [this] {
                               rebuild();
                               endResetModel();
                           })
                << connect(source, &QAbstractItemModel::columnsAboutToBeRemoved, this,
                           [this] { beginResetModel(); })
                << connect(source, &QAbstractItemModel::columnsRemoved, this,
                           [this] {
                               rebuild();
                               endResetModel();
                           })
                << connect(source, &QAbstractItemModel::headerDataChanged, this,
                           &QAbstractItemModel::headerDataChanged)
                << connect(source, &QAbstractItemModel::dataChanged, this,
                           &TKV_GridGroupModel::sourceDataChanged);
    }
    rebuild();
    endResetModel();
}

void TKV_GridGroupModel::setGroupColumns(const QList<int> &columns)
{
    if (columns == m_groupColumns)
        return;
    beginResetModel();
    m_groupColumns = columns;
    m_collapsed.clear();
    rebuild();
    endResetModel();
}

void TKV_GridGroupModel::resetAndRebuild()
{
    beginResetModel();
    rebuild();
    endResetModel();
}

QString TKV_GridGroupModel::groupValue(int sourceRow, int level) const
{
    const QModelIndex i = sourceModel()->index(sourceRow, m_groupColumns.at(level));
    return i.data(Qt::DisplayRole).toString();
}

void TKV_GridGroupModel::rebuild()
{
    m_entries.clear();
    m_sourceToRow.clear();
    if (!grouped() || !sourceModel())
        return;
    const int rows = sourceModel()->rowCount();
    const int levels = m_groupColumns.size();
    m_entries.reserve(size_t(rows) + 16);
    m_sourceToRow.assign(size_t(rows), -1);

    // The group entry open at each level (-1 inside a collapsed group), the values of the
    // open groups, and the outermost collapsed level among them (levels: none).
    std::vector<int> open(size_t(levels), -1);
    QStringList current(levels);
    int collapsedLevel = levels;
    for (int r = 0; r < rows; ++r) {
        QStringList values(levels);
        for (int l = 0; l < levels; ++l)
            values[l] = groupValue(r, l);
        int changedFrom = levels;
        for (int l = 0; l < levels; ++l) {
            if (r == 0 || values[l] != current[l]) {
                changedFrom = l;
                break;
            }
        }
        if (changedFrom < levels) {
            if (collapsedLevel >= changedFrom)
                collapsedLevel = levels;
            for (int l = changedFrom; l < levels; ++l) {
                current[l] = values[l];
                if (l > collapsedLevel) {
                    open[size_t(l)] = -1;
                    continue;
                }
                Entry e;
                e.level = l;
                e.first = r;
                open[size_t(l)] = int(m_entries.size());
                m_entries.push_back(e);
                const QString key = QStringList(values.mid(0, l + 1)).join(KeySeparator);
                if (collapsedLevel == levels && m_collapsed.contains(key))
                    collapsedLevel = l;
            }
        }
        for (int l = 0; l < levels; ++l)
            if (open[size_t(l)] >= 0)
                ++m_entries[size_t(open[size_t(l)])].count;
        if (collapsedLevel == levels) {
            m_sourceToRow[size_t(r)] = int(m_entries.size());
            Entry e;
            e.sourceRow = r;
            m_entries.push_back(e);
        }
    }
}

bool TKV_GridGroupModel::isGroupRow(int row) const
{
    return grouped() && row >= 0 && row < int(m_entries.size()) &&
           m_entries[size_t(row)].level >= 0;
}

int TKV_GridGroupModel::groupLevel(int row) const
{
    return isGroupRow(row) ? m_entries[size_t(row)].level : -1;
}

void TKV_GridGroupModel::setExpanded(int row, bool expanded)
{
    if (!isGroupRow(row))
        return;
    const Entry &e = m_entries[size_t(row)];
    QStringList values;
    for (int l = 0; l <= e.level; ++l)
        values << groupValue(e.first, l);
    const QString key = values.join(KeySeparator);
    if (expanded == !m_collapsed.contains(key))
        return;
    if (expanded)
        m_collapsed.remove(key);
    else
        m_collapsed.insert(key);
    resetAndRebuild();
}

void TKV_GridGroupModel::toggleExpanded(int row)
{
    setExpanded(row, !data(index(row, 0), GroupExpandedRole).toBool());
}

void TKV_GridGroupModel::expandAll()
{
    if (m_collapsed.isEmpty())
        return;
    m_collapsed.clear();
    resetAndRebuild();
}

int TKV_GridGroupModel::mapRowFromSource(int sourceRow) const
{
    if (!grouped())
        return sourceRow;
    return sourceRow >= 0 && sourceRow < int(m_sourceToRow.size())
               ? m_sourceToRow[size_t(sourceRow)]
               : -1;
}

int TKV_GridGroupModel::mapRowToSource(int row) const
{
    if (!grouped())
        return row;
    return row >= 0 && row < int(m_entries.size()) ? m_entries[size_t(row)].sourceRow : -1;
}

QModelIndex TKV_GridGroupModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || !sourceModel())
        return {};
    const int row = mapRowToSource(proxyIndex.row());
    return row < 0 ? QModelIndex() : sourceModel()->index(row, proxyIndex.column());
}

QModelIndex TKV_GridGroupModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    const int row = mapRowFromSource(sourceIndex.row());
    return row < 0 ? QModelIndex() : createIndex(row, sourceIndex.column());
}

QModelIndex TKV_GridGroupModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex TKV_GridGroupModel::parent(const QModelIndex &) const
{
    return {};
}

int TKV_GridGroupModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !sourceModel())
        return 0;
    return grouped() ? int(m_entries.size()) : sourceModel()->rowCount();
}

int TKV_GridGroupModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !sourceModel())
        return 0;
    return sourceModel()->columnCount();
}

QVariant TKV_GridGroupModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (!isGroupRow(index.row())) {
        if (role == GroupLevelRole)
            return -1;
        return sourceModel()->data(mapToSource(index), role);
    }
    const Entry &e = m_entries[size_t(index.row())];
    switch (role) {
    case GroupLevelRole:
        return e.level;
    case GroupCaptionRole: {
        const int column = m_groupColumns.at(e.level);
        QString title = e.level < m_groupCaptions.size()
                            ? m_groupCaptions.at(e.level)
                            : sourceModel()->headerData(column, Qt::Horizontal).toString();
        title.replace(QLatin1Char('|'), QLatin1Char(' '));
        return title + QStringLiteral(": ") + groupValue(e.first, e.level) + QStringLiteral(" (") +
               QString::number(e.count) + QLatin1Char(')');
    }
    case GroupExpandedRole: {
        QStringList values;
        for (int l = 0; l <= e.level; ++l)
            values << groupValue(e.first, l);
        return !m_collapsed.contains(values.join(KeySeparator));
    }
    default:
        return {};
    }
}

Qt::ItemFlags TKV_GridGroupModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isGroupRow(index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = sourceModel()->flags(mapToSource(index));
    if (m_readOnlyColumns.contains(index.column()))
        f &= ~Qt::ItemIsEditable;
    return f;
}

QVariant TKV_GridGroupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!sourceModel())
        return {};
    if (orientation == Qt::Horizontal)
        return sourceModel()->headerData(section, orientation, role);
    return {};
}

bool TKV_GridGroupModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const QModelIndex source = mapToSource(index);
    return source.isValid() && sourceModel()->setData(source, value, role);
}

void TKV_GridGroupModel::sourceDataChanged(const QModelIndex &topLeft,
                                           const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (!grouped()) {
        Q_EMIT dataChanged(index(topLeft.row(), topLeft.column()),
                           index(bottomRight.row(), bottomRight.column()), roles);
        return;
    }
    for (int column : std::as_const(m_groupColumns)) {
        if (column >= topLeft.column() && column <= bottomRight.column()) {
            resetAndRebuild();
            return;
        }
    }
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
        const int row = mapRowFromSource(r);
        if (row >= 0)
            Q_EMIT dataChanged(index(row, topLeft.column()), index(row, bottomRight.column()),
                               roles);
    }
}

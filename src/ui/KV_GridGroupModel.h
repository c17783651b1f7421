#pragma once

#include <QAbstractProxyModel>
#include <QSet>
#include <QStringList>

#include <vector>

// The rows a grid shows when it groups by one or more columns: before each run of rows with
// the same values of the grouping columns comes a group row ("Группа: Материалы (12)"),
// nested one level per grouping column; a collapsed group hides its rows. The source must
// be ordered by the grouping columns (the grid sorts by them first) for the groups to be
// whole. Without grouping columns the rows pass through one to one.
//
// The group rows are rebuilt when the source resets or changes shape, or when a grouping
// value changes; value changes elsewhere pass through as they are.
class TKV_GridGroupModel : public QAbstractProxyModel
{
    Q_OBJECT
public:
    enum Roles {
        GroupLevelRole = Qt::UserRole + 100, // level of a group row (0 the outermost), -1 else
        GroupCaptionRole,                    // the group row's text
        GroupExpandedRole                    // whether the group row is expanded
    };

    explicit TKV_GridGroupModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *source) override;

    // Grouping columns (source columns), outermost first, with the captions shown before
    // their values. Empty: no grouping.
    void setGroupColumns(const QList<int> &columns);
    // The captions shown before the group values, one per grouping column; the source's
    // titles when not given.
    void setGroupCaptions(const QStringList &captions) { m_groupCaptions = captions; }
    QList<int> groupColumns() const { return m_groupColumns; }
    bool grouped() const { return !m_groupColumns.isEmpty(); }

    // Columns whose cells cannot be edited whatever the source allows.
    void setReadOnlyColumns(const QList<int> &columns) { m_readOnlyColumns = columns; }

    bool isGroupRow(int row) const;
    int groupLevel(int row) const;
    void setExpanded(int row, bool expanded);
    void toggleExpanded(int row);
    void expandAll();

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    int mapRowFromSource(int sourceRow) const; // -1 when hidden in a collapsed group
    int mapRowToSource(int row) const;         // -1 for a group row

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    // One shown row: a source row, or a group row (level >= 0) that starts at source row
    // first and spans count source rows.
    struct Entry
    {
        int sourceRow = -1;
        int level = -1;
        int first = 0;
        int count = 0;
    };

    void rebuild();
    void resetAndRebuild();
    QString groupValue(int sourceRow, int level) const;
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles);

    QList<int> m_groupColumns;
    QList<int> m_readOnlyColumns;
    QStringList m_groupCaptions;
    std::vector<Entry> m_entries;   // grouped only
    std::vector<int> m_sourceToRow; // grouped only
    // Collapsed groups by their values joined down to their level.
    QSet<QString> m_collapsed;
    QList<QMetaObject::Connection> m_links;
};

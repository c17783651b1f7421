#pragma once

#include "KV_GridTitle.h"
#include "KV_SortByMarkers.h"

#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QVariantList>

class TKV_ClientDataSet;
class TKV_DataSetModel;
class TKV_GridFooter;
class TKV_GridGroupModel;
class TKV_GroupPanel;
class TKV_FrozenView;

enum TFooterValueType { fvtNon, fvtCount, fvtSum };

// One column of a grid.
struct TColumnEh
{
    QString FieldName;
    // The title; "Количество|К установке" gives a two-level title whose upper part spans
    // the neighbours that share it. Empty: the field's display label.
    QString Title;
    QString Hint;  // the title's hint
    int Width = 0; // pixels; 0: from the field's display width
    bool Visible = true;
    bool ReadOnly = false;
    TFooterValueType Footer = fvtNon;
    QString FooterFormat; // "### ### ### ### ##0.##"; empty: the field's display format
    // A pick list of stored keys: the texts shown and the keys stored, pairwise.
    QStringList PickList;
    QVariantList KeyList;
    bool EditButton = false; // an ellipsis button that raises editButtonClick
    TSortMarkerEh Marker = smNoneEh;
};

// The data grid: a table view over a client dataset with title sort markers (one column or
// several at once), a footer row of counts and sums, two-level titles, columns that stay in
// view when the grid scrolls sideways, grouping by one or more columns with a grouping
// panel, column hints, read-only columns, pick lists of stored keys and edit buttons. The
// view's current row and the dataset's current row move together.
//
// Changing the markers sorts the rows (SortGridByMarkers) unless sorting by markers is
// switched off; grouping sorts by the grouping columns first. Painting does no work that
// grows with the number of rows; the footer totals are worked out once after each change.
class TKV_DBGridEh : public QTableView
{
    Q_OBJECT
public:
    explicit TKV_DBGridEh(QWidget *parent = nullptr);
    ~TKV_DBGridEh() override;

    TKV_ClientDataSet *DataSet() const;
    void setDataSet(TKV_ClientDataSet *dataSet);
    TKV_DataSetModel *dataModel() const { return m_dataModel; }
    TKV_GridGroupModel *groupModel() const { return m_groupModel; }
    TKV_GridTitle *Title() const { return m_title; }

    void setColumns(const QList<TColumnEh> &columns);
    const QList<TColumnEh> &Columns() const { return m_columns; }
    int columnOf(const QString &fieldName) const; // -1 when not a column
    void setColumnVisible(const QString &fieldName, bool visible);
    void setColumnWidth(const QString &fieldName, int width);
    int columnWidth(const QString &fieldName) const;

    // Sort markers.
    bool AutoSortMarking() const { return m_title->sortMarking(); }
    void setAutoSortMarking(bool on) { m_title->setSortMarking(on); }
    bool MultiSortMarking() const { return m_title->multiSortMarking(); }
    void setMultiSortMarking(bool on) { m_title->setMultiSortMarking(on); }
    // Whether a change of the markers sorts the rows at once (on by default).
    void setSortOnMarking(bool on) { m_sortOnMarking = on; }
    TSortMarkerEh sortMarker(const QString &fieldName) const;
    void setSortMarker(const QString &fieldName, TSortMarkerEh marker);
    void clearSortMarkers();
    // The grouping columns (ascending unless marked descending) and then the other marked
    // columns, in column order.
    QList<KvColumnMarker> sortMarkers() const;
    // Sorts the dataset by the markers now; false when it is not open.
    bool SortByMarkers();

    // Footer.
    bool FooterVisible() const { return m_footerVisible; }
    void setFooterVisible(bool on);
    QString footerText(const QString &fieldName) const;
    // Works the totals out again at the next paint (or read).
    void SumListRecalcAll();
    TKV_GridFooter *footer() const { return m_footer; }

    // The first count columns (in column order) stay in view when the grid scrolls sideways.
    int FrozenCols() const { return m_frozenCols; }
    void setFrozenCols(int count);
    int frozenWidth() const;

    // Grouping.
    QStringList GroupFields() const { return m_groupFields; }
    void setGroupFields(const QStringList &fieldNames);
    bool GroupPanelVisible() const { return m_groupPanelVisible; }
    void setGroupPanelVisible(bool on);
    TKV_GroupPanel *groupPanel() const { return m_groupPanel; }

    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);

    // The column layout: order, widths, visibility, markers, grouping and the grouping
    // panel, as text lines for the settings store.
    QStringList columnsLayout() const;
    bool restoreColumnsLayout(const QStringList &layout);

Q_SIGNALS:
    void sortMarkingChanged();
    // The edit button of a column was pressed on the current row.
    void editButtonClick(const QString &fieldName);
    void groupPanelVisibleChanged(bool visible);

protected:
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    friend class TKV_FrozenView;
    void applyColumns();
    void applyGroupColumns();
    void markersChanged();
    void dataSetMoved(int row);
    void showDataSetRow();
    void updateFrozen();
    void layoutExtras();
    void headerMenu(const QPoint &pos);
    int defaultWidth(int column) const;

    QPointer<TKV_ClientDataSet> m_dataSet;
    TKV_DataSetModel *m_dataModel = nullptr;
    TKV_GridGroupModel *m_groupModel = nullptr;
    TKV_GridTitle *m_title = nullptr;
    TKV_GridFooter *m_footer = nullptr;
    TKV_GroupPanel *m_groupPanel = nullptr;
    TKV_FrozenView *m_frozen = nullptr;
    QList<TColumnEh> m_columns;
    QStringList m_groupFields;
    QList<QMetaObject::Connection> m_links;
    int m_frozenCols = 0;
    bool m_footerVisible = false;
    bool m_groupPanelVisible = false;
    bool m_readOnly = false;
    bool m_sortOnMarking = true;
    bool m_syncing = false;
    bool m_inGeometry = false;
};

// Sorts a grid's dataset by the grid's title markers (the client dataset's index named
// after the markers); false when the grid has no open dataset.
bool SortGridByMarkers(TKV_DBGridEh *grid);

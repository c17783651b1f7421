#include "KV_DBGridEh.h"

#include "KV_ClientDataSet.h"
#include "KV_DataSetModel.h"
#include "KV_EditButtonDelegate.h"
#include "KV_GridFooter.h"
#include "KV_GridFrozenView.h"
#include "KV_GridGroupModel.h"
#include "KV_GridGroupPanel.h"
#include "KV_PickListDelegate.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

namespace {
const QString GroupEntry = QStringLiteral("#group:");
const QString PanelEntry = QStringLiteral("#panel:");
} // namespace

TKV_DBGridEh::TKV_DBGridEh(QWidget *parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("dbGrid"));
    m_title = new TKV_GridTitle(this);
    setHorizontalHeader(m_title);
    m_title->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_title, &QWidget::customContextMenuRequested, this, &TKV_DBGridEh::headerMenu);
    connect(m_title, &TKV_GridTitle::markersChanged, this, &TKV_DBGridEh::markersChanged);
    connect(m_title, &QHeaderView::sectionResized, this, [this] { updateFrozen(); });
    connect(m_title, &QHeaderView::sectionMoved, this, [this] { updateFrozen(); });

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);

    m_dataModel = new TKV_DataSetModel(nullptr, this);
    m_groupModel = new TKV_GridGroupModel(this);
    m_groupModel->setSourceModel(m_dataModel);
    QTableView::setModel(m_groupModel);

    m_footer = new TKV_GridFooter(this);
    m_footer->hide();
    m_groupPanel = new TKV_GroupPanel(this);
    m_groupPanel->hide();
    connect(m_groupPanel, &TKV_GroupPanel::ungroupRequested, this, [this](const QString &field) {
        QStringList fields = m_groupFields;
        fields.removeAll(field);
        setGroupFields(fields);
    });

    connect(m_groupModel, &QAbstractItemModel::modelReset, this, [this] {
        applyGroupColumns();
        showDataSetRow();
        updateFrozen();
    });
}

TKV_DBGridEh::~TKV_DBGridEh()
{
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
}

TKV_ClientDataSet *TKV_DBGridEh::DataSet() const
{
    return m_dataSet;
}

void TKV_DBGridEh::setDataSet(TKV_ClientDataSet *dataSet)
{
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
    m_links.clear();
    m_dataSet = dataSet;
    m_dataModel->setDataSet(dataSet);
    if (dataSet) {
        auto totals = [this] { m_footer->invalidate(); };
        m_links << connect(dataSet, &TKV_ClientDataSet::reset, this, totals)
                << connect(dataSet, &TKV_ClientDataSet::rowInserted, this, totals)
                << connect(dataSet, &TKV_ClientDataSet::rowRemoved, this, totals)
                << connect(dataSet, &TKV_ClientDataSet::rowChanged, this, totals)
                << connect(dataSet, &TKV_ClientDataSet::currentChanged, this,
                           &TKV_DBGridEh::dataSetMoved)
                << connect(dataSet, &TKV_ClientDataSet::reset, this, [this] {
                       applyColumns();
                       showDataSetRow();
                   });
    }
    applyColumns();
    m_footer->invalidate();
}

void TKV_DBGridEh::setColumns(const QList<TColumnEh> &columns)
{
    m_columns = columns;
    QStringList names;
    for (const TColumnEh &c : columns)
        names << c.FieldName;
    m_dataModel->setColumns(names);
    m_title->clearMarkers(true);
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns.at(c).Marker != smNoneEh)
            m_title->setMarker(c, m_columns.at(c).Marker, true);
        m_title->setCaption(c, m_columns.at(c).Title);
        m_title->setHint(c, m_columns.at(c).Hint);
    }
    applyColumns();
    m_footer->invalidate();
}

void TKV_DBGridEh::applyColumns()
{
    // Delegates, widths, hidden columns and read-only columns; titles from the fields when
    // the column gives none.
    for (int c = 0; c < m_columns.size(); ++c) {
        const TColumnEh &col = m_columns.at(c);
        QAbstractItemDelegate *old = itemDelegateForColumn(c);
        QAbstractItemDelegate *wanted = nullptr;
        if (!col.PickList.isEmpty()) {
            wanted = qobject_cast<TPickListDelegate *>(old)
                         ? old
                         : new TPickListDelegate(col.PickList, col.KeyList, this);
        } else if (col.EditButton) {
            if (auto *e = qobject_cast<TEditButtonDelegate *>(old)) {
                wanted = e;
            } else {
                auto *d = new TEditButtonDelegate(this);
                connect(d, &TEditButtonDelegate::editButtonClicked, this,
                        [this, c](const QModelIndex &index) {
                            const int row = m_groupModel->mapRowToSource(index.row());
                            if (row < 0 || !m_dataSet)
                                return;
                            m_dataSet->setCurrentRow(row);
                            Q_EMIT editButtonClick(m_columns.at(c).FieldName);
                        });
                wanted = d;
            }
        }
        if (old != wanted) {
            setItemDelegateForColumn(c, wanted);
            if (m_frozen)
                m_frozen->setItemDelegateForColumn(c, wanted);
            if (old)
                old->deleteLater();
        }
        if (col.Title.isEmpty())
            m_title->setCaption(c, m_dataModel->headerData(c, Qt::Horizontal).toString());
        m_title->setSectionHidden(c, !col.Visible);
        if (m_title->count() > c)
            m_title->resizeSection(c, col.Width > 0 ? col.Width : defaultWidth(c));
    }
    m_groupModel->setReadOnlyColumns([this] {
        QList<int> readOnly;
        for (int c = 0; c < m_columns.size(); ++c)
            if (m_columns.at(c).ReadOnly)
                readOnly << c;
        return readOnly;
    }());
    applyGroupColumns();
    updateFrozen();
}

int TKV_DBGridEh::defaultWidth(int column) const
{
    const KvField *field = m_dataModel->fieldAt(column);
    int chars = 12;
    if (field)
        chars = field->DisplayWidth > 0 ? field->DisplayWidth
                : field->Size > 0       ? qMin(field->Size, 40)
                : field->isNumeric()    ? 12
                                        : 20;
    const int titleWidth = fontMetrics().horizontalAdvance(
                               TKV_GridTitle::splitCaption(m_title->caption(column)).second) +
                           24;
    return qMax(titleWidth, fontMetrics().averageCharWidth() * chars + 12);
}

int TKV_DBGridEh::columnOf(const QString &fieldName) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void TKV_DBGridEh::setColumnVisible(const QString &fieldName, bool visible)
{
    const int c = columnOf(fieldName);
    if (c < 0)
        return;
    m_columns[c].Visible = visible;
    m_title->setSectionHidden(c, !visible);
    updateFrozen();
}

void TKV_DBGridEh::setColumnWidth(const QString &fieldName, int width)
{
    const int c = columnOf(fieldName);
    if (c < 0)
        return;
    m_columns[c].Width = width;
    m_title->resizeSection(c, width);
}

int TKV_DBGridEh::columnWidth(const QString &fieldName) const
{
    const int c = columnOf(fieldName);
    return c < 0 ? 0 : m_title->sectionSize(c);
}

// ---- sort markers ---------------------------------------------------------------------------

TSortMarkerEh TKV_DBGridEh::sortMarker(const QString &fieldName) const
{
    const int c = columnOf(fieldName);
    return c < 0 ? smNoneEh : m_title->marker(c);
}

void TKV_DBGridEh::setSortMarker(const QString &fieldName, TSortMarkerEh marker)
{
    const int c = columnOf(fieldName);
    if (c >= 0)
        m_title->setMarker(c, marker);
}

void TKV_DBGridEh::clearSortMarkers()
{
    m_title->clearMarkers();
}

QList<KvColumnMarker> TKV_DBGridEh::sortMarkers() const
{
    // A grouping column sorts the way its own marker says, ascending without one.
    QList<KvColumnMarker> markers;
    for (const QString &field : m_groupFields)
        markers.append(
            {field, sortMarker(field) == smDownEh ? KvSortMarker::Down : KvSortMarker::Up});
    for (int v = 0; v < m_title->count(); ++v) {
        const int c = m_title->logicalIndex(v);
        if (c >= m_columns.size())
            continue;
        const TSortMarkerEh m = m_title->marker(c);
        if (m == smNoneEh || m_groupFields.contains(m_columns.at(c).FieldName, Qt::CaseInsensitive))
            continue;
        markers.append(
            {m_columns.at(c).FieldName, m == smUpEh ? KvSortMarker::Up : KvSortMarker::Down});
    }
    return markers;
}

bool TKV_DBGridEh::SortByMarkers()
{
    return ::SortGridByMarkers(m_dataSet, sortMarkers());
}

void TKV_DBGridEh::markersChanged()
{
    if (m_sortOnMarking)
        SortByMarkers();
    Q_EMIT sortMarkingChanged();
}

bool SortGridByMarkers(TKV_DBGridEh *grid)
{
    return grid && grid->SortByMarkers();
}

// ---- footer ---------------------------------------------------------------------------------

void TKV_DBGridEh::setFooterVisible(bool on)
{
    m_footerVisible = on;
    m_footer->setVisible(on);
    updateGeometries();
}

QString TKV_DBGridEh::footerText(const QString &fieldName) const
{
    const int c = columnOf(fieldName);
    return c < 0 ? QString() : m_footer->text(c);
}

void TKV_DBGridEh::SumListRecalcAll()
{
    m_footer->invalidate();
}

// ---- frozen columns -------------------------------------------------------------------------

void TKV_DBGridEh::setFrozenCols(int count)
{
    m_frozenCols = qMax(0, count);
    if (m_frozenCols > 0 && !m_frozen) {
        m_frozen = new TKV_FrozenView(this);
        m_frozen->setModel(m_groupModel);
        m_frozen->setSelectionModel(selectionModel());
        for (int c = 0; c < m_columns.size(); ++c)
            m_frozen->setItemDelegateForColumn(c, itemDelegateForColumn(c));
        m_frozen->setEditTriggers(editTriggers());
        viewport()->stackUnder(m_frozen);
    }
    updateFrozen();
    updateGeometries();
}

int TKV_DBGridEh::frozenWidth() const
{
    int width = 0;
    for (int v = 0; v < m_frozenCols && v < m_title->count(); ++v) {
        const int c = m_title->logicalIndex(v);
        if (!m_title->isSectionHidden(c))
            width += m_title->sectionSize(c);
    }
    return width;
}

void TKV_DBGridEh::updateFrozen()
{
    if (!m_frozen)
        return;
    m_frozen->setVisible(m_frozenCols > 0);
    if (m_frozenCols == 0)
        return;
    m_frozen->syncColumns(m_frozenCols);
    layoutExtras();
}

// ---- grouping -------------------------------------------------------------------------------

void TKV_DBGridEh::setGroupFields(const QStringList &fieldNames)
{
    m_groupFields.clear();
    for (const QString &f : fieldNames)
        if (columnOf(f) >= 0 && !m_groupFields.contains(f, Qt::CaseInsensitive))
            m_groupFields << m_columns.at(columnOf(f)).FieldName;
    // The rows must come in the grouping order for the groups to be whole.
    if (m_dataSet && m_dataSet->Active())
        SortByMarkers();
    applyGroupColumns();
}

void TKV_DBGridEh::applyGroupColumns()
{
    QList<int> columns;
    QStringList captions;
    for (const QString &f : std::as_const(m_groupFields)) {
        const int c = columnOf(f);
        if (c < 0)
            continue;
        columns << c;
        captions << m_title->caption(c).replace(QLatin1Char('|'), QLatin1Char(' '));
    }
    m_groupModel->setGroupCaptions(captions);
    if (columns != m_groupModel->groupColumns())
        m_groupModel->setGroupColumns(columns);
    m_groupPanel->setGroups(m_groupFields, captions);
}

void TKV_DBGridEh::setGroupPanelVisible(bool on)
{
    if (m_groupPanelVisible == on)
        return;
    m_groupPanelVisible = on;
    m_groupPanel->setVisible(on);
    updateGeometries();
    Q_EMIT groupPanelVisibleChanged(on);
}

void TKV_DBGridEh::headerMenu(const QPoint &pos)
{
    const int c = m_title->logicalIndexAt(pos);
    QMenu menu(this);
    if (c >= 0 && c < m_columns.size()) {
        const QString field = m_columns.at(c).FieldName;
        const QString caption = m_title->caption(c).replace(QLatin1Char('|'), QLatin1Char(' '));
        if (m_groupFields.contains(field, Qt::CaseInsensitive)) {
            menu.addAction(QStringLiteral("Убрать группировку по колонке «%1»").arg(caption), this,
                           [this, field] {
                               QStringList fields = m_groupFields;
                               fields.removeAll(field);
                               setGroupFields(fields);
                           });
        } else {
            menu.addAction(QStringLiteral("Группировать по колонке «%1»").arg(caption), this,
                           [this, field] { setGroupFields(m_groupFields + QStringList{field}); });
        }
    }
    if (!m_groupFields.isEmpty())
        menu.addAction(QStringLiteral("Убрать группировку"), this, [this] { setGroupFields({}); });
    menu.addSeparator();
    QAction *panel = menu.addAction(QStringLiteral("Панель группировки"), this,
                                    [this](bool on) { setGroupPanelVisible(on); });
    panel->setCheckable(true);
    panel->setChecked(m_groupPanelVisible);
    menu.exec(m_title->mapToGlobal(pos));
}

// ---- read-only ------------------------------------------------------------------------------

void TKV_DBGridEh::setReadOnly(bool on)
{
    m_readOnly = on;
    const EditTriggers triggers =
        on ? NoEditTriggers : EditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setEditTriggers(triggers);
    if (m_frozen)
        m_frozen->setEditTriggers(triggers);
}

// ---- current row ----------------------------------------------------------------------------

void TKV_DBGridEh::dataSetMoved(int row)
{
    if (m_syncing)
        return;
    const int shown = m_groupModel->mapRowFromSource(row);
    if (shown < 0)
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == shown)
        return;
    int column = current.isValid() ? current.column() : -1;
    if (column < 0 || m_title->isSectionHidden(column))
        column = m_title->logicalIndex(0);
    for (int v = 0; column >= 0 && m_title->isSectionHidden(column) && v < m_title->count(); ++v)
        column = m_title->logicalIndex(v);
    m_syncing = true;
    selectionModel()->setCurrentIndex(m_groupModel->index(shown, qMax(0, column)),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
    m_syncing = false;
    scrollTo(m_groupModel->index(shown, qMax(0, column)));
}

void TKV_DBGridEh::showDataSetRow()
{
    if (m_dataSet && m_dataSet->Active())
        dataSetMoved(m_dataSet->currentRow());
}

void TKV_DBGridEh::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid() || !m_dataSet)
        return;
    const int row = m_groupModel->mapRowToSource(current.row());
    if (row < 0 || row == m_dataSet->currentRow())
        return;
    m_syncing = true;
    const bool moved = m_dataSet->setCurrentRow(row);
    m_syncing = false;
    // A refused move (a pending edit that does not post) keeps the dataset's row.
    if (!moved)
        QMetaObject::invokeMethod(
            this, [this] { showDataSetRow(); }, Qt::QueuedConnection);
}

// ---- geometry and painting ------------------------------------------------------------------

void TKV_DBGridEh::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_inGeometry)
        return;
    m_inGeometry = true;
    // Room over the titles for the grouping panel and under the rows for the footer.
    const int top = m_groupPanelVisible ? m_groupPanel->sizeHint().height() : 0;
    const int bottom = m_footerVisible ? m_footer->sizeHint().height() : 0;
    const int titleHeight = m_title->isHidden() ? 0 : m_title->sizeHint().height();
    const QMargins m = viewportMargins();
    if (m.top() != titleHeight + top || m.bottom() != bottom)
        setViewportMargins(m.left(), titleHeight + top, m.right(), bottom);
    layoutExtras();
    m_inGeometry = false;
}

void TKV_DBGridEh::layoutExtras()
{
    const QRect vg = viewport()->geometry();
    const int titleHeight = m_title->isHidden() ? 0 : m_title->sizeHint().height();
    m_title->setGeometry(vg.left(), vg.top() - titleHeight, vg.width(), titleHeight);
    if (m_groupPanelVisible) {
        const int h = m_groupPanel->sizeHint().height();
        m_groupPanel->setGeometry(frameWidth(), vg.top() - titleHeight - h,
                                  width() - 2 * frameWidth(), h);
    }
    if (m_footerVisible)
        m_footer->setGeometry(vg.left(), vg.bottom() + 1, vg.width(),
                              m_footer->sizeHint().height());
    if (m_frozen && m_frozenCols > 0) {
        const int w = qMin(frozenWidth(), vg.width());
        m_frozen->setGeometry(vg.left(), vg.top() - titleHeight, w, vg.height() + titleHeight);
        m_frozen->horizontalHeader()->setFixedHeight(titleHeight);
        m_frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
        m_frozen->raise();
    }
}

void TKV_DBGridEh::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    layoutExtras();
}

void TKV_DBGridEh::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx != 0 && m_footerVisible)
        m_footer->update();
}

void TKV_DBGridEh::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    // Captions start right of the columns that stay in view, which draw their own part.
    PaintGroupRows(this, event, m_frozenCols > 0 ? frozenWidth() : 0, true);
}

void TKV_DBGridEh::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && m_groupModel->isGroupRow(index.row())) {
        m_groupModel->toggleExpanded(index.row());
        return;
    }
    QTableView::mousePressEvent(event);
}

void TKV_DBGridEh::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Enter presses the edit button of the current cell.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ControlModifier)) {
        const QModelIndex current = currentIndex();
        if (current.isValid()) {
            if (auto *d =
                    qobject_cast<TEditButtonDelegate *>(itemDelegateForColumn(current.column()))) {
                Q_EMIT d->editButtonClicked(current);
                return;
            }
        }
    }
    QTableView::keyPressEvent(event);
}

// ---- layout ---------------------------------------------------------------------------------

QStringList TKV_DBGridEh::columnsLayout() const
{
    // "FIELD;position;width;visible;marker" per column, then the grouping.
    QStringList lines;
    for (int c = 0; c < m_columns.size(); ++c) {
        const TSortMarkerEh m = m_title->marker(c);
        lines << QStringLiteral("%1;%2;%3;%4;%5")
                     .arg(m_columns.at(c).FieldName)
                     .arg(m_title->visualIndex(c))
                     .arg(m_title->sectionSize(c))
                     .arg(m_title->isSectionHidden(c) ? 0 : 1)
                     .arg(m == smUpEh     ? QStringLiteral("up")
                          : m == smDownEh ? QStringLiteral("down")
                                          : QString());
    }
    lines << GroupEntry + m_groupFields.join(QLatin1Char(','));
    lines << PanelEntry + (m_groupPanelVisible ? QStringLiteral("1") : QStringLiteral("0"));
    return lines;
}

bool TKV_DBGridEh::restoreColumnsLayout(const QStringList &layout)
{
    struct Saved
    {
        int column;
        int position;
    };
    QList<Saved> order;
    bool any = false;
    m_title->clearMarkers(true);
    for (const QString &line : layout) {
        if (line.startsWith(GroupEntry)) {
            const QString list = line.mid(GroupEntry.size());
            m_groupFields.clear();
            for (const QString &f : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (columnOf(f) >= 0)
                    m_groupFields << m_columns.at(columnOf(f)).FieldName;
            continue;
        }
        if (line.startsWith(PanelEntry)) {
            setGroupPanelVisible(line.mid(PanelEntry.size()) == QLatin1String("1"));
            continue;
        }
        const QStringList parts = line.split(QLatin1Char(';'));
        if (parts.size() < 5)
            continue;
        const int c = columnOf(parts.at(0));
        if (c < 0)
            continue; // a column the window no longer has
        any = true;
        order.append({c, parts.at(1).toInt()});
        const int width = parts.at(2).toInt();
        if (width > 0) {
            m_columns[c].Width = width;
            m_title->resizeSection(c, width);
        }
        m_columns[c].Visible = parts.at(3) == QLatin1String("1");
        m_title->setSectionHidden(c, !m_columns.at(c).Visible);
        const QString marker = parts.at(4);
        if (marker == QLatin1String("up"))
            m_title->setMarker(c, smUpEh, true);
        else if (marker == QLatin1String("down"))
            m_title->setMarker(c, smDownEh, true);
    }
    std::sort(order.begin(), order.end(),
              [](const Saved &a, const Saved &b) { return a.position < b.position; });
    for (const Saved &s : std::as_const(order)) {
        const int target = qBound(0, s.position, m_title->count() - 1);
        m_title->moveSection(m_title->visualIndex(s.column), target);
    }
    applyGroupColumns();
    updateFrozen();
    return any;
}

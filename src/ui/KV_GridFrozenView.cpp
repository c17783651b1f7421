#include "KV_GridFrozenView.h"

#include "KV_DBGridEh.h"
#include "KV_GridGroupModel.h"
#include "KV_GridGroupPanel.h"

#include <QMouseEvent>
#include <QScrollBar>

TKV_FrozenView::TKV_FrozenView(TKV_DBGridEh *grid)
    : QTableView(grid)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("frozenColumns"));
    auto *title = new TKV_GridTitle(this);
    title->setMirrorOf(grid->Title());
    setHorizontalHeader(title);
    verticalHeader()->hide();
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(grid->verticalScrollMode());
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(grid->selectionBehavior());
    setSelectionMode(grid->selectionMode());
    setStyleSheet(
        QStringLiteral("QTableView { border: none; border-right: 2px solid palette(mid); }"));
    verticalHeader()->setDefaultSectionSize(grid->verticalHeader()->defaultSectionSize());
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    title->setSectionResizeMode(QHeaderView::Fixed);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, grid->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
}

void TKV_FrozenView::syncColumns(int count)
{
    QHeaderView *main = m_grid->horizontalHeader();
    QHeaderView *own = horizontalHeader();
    for (int c = 0; c < model()->columnCount(); ++c) {
        const int visual = main->visualIndex(c);
        const bool shown = visual < count && !main->isSectionHidden(c);
        own->setSectionHidden(c, !shown);
        if (shown) {
            own->resizeSection(c, main->sectionSize(c));
            own->moveSection(own->visualIndex(c), visual);
        }
    }
    own->setFixedHeight(main->height());
}

void TKV_FrozenView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    PaintGroupRows(this, event, 0, false);
}

void TKV_FrozenView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    auto *groups = qobject_cast<TKV_GridGroupModel *>(model());
    if (index.isValid() && groups && groups->isGroupRow(index.row())) {
        groups->toggleExpanded(index.row());
        return;
    }
    QTableView::mousePressEvent(event);
}

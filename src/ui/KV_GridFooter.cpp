#include "KV_GridFooter.h"

#include "KV_ClientDataSet.h"
#include "KV_DBGridEh.h"
#include "KV_DisplayFormat.h"
#include "KV_GridTitle.h"

#include <QPainter>
#include <QStyleOptionHeader>

TKV_GridFooter::TKV_GridFooter(TKV_DBGridEh *grid)
    : QWidget(grid)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("footer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void TKV_GridFooter::invalidate()
{
    m_dirty = true;
    update();
}

QString TKV_GridFooter::text(int column) const
{
    if (m_dirty)
        recalc();
    return m_texts.value(column);
}

QSize TKV_GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

void TKV_GridFooter::recalc() const
{
    m_dirty = false;
    m_texts.clear();
    TKV_ClientDataSet *ds = m_grid->DataSet();
    if (!ds || !ds->Active())
        return;
    const QList<TColumnEh> &columns = m_grid->Columns();
    for (int c = 0; c < columns.size(); ++c) {
        const TColumnEh &col = columns.at(c);
        switch (col.Footer) {
        case fvtNon:
            break;
        case fvtCount:
            m_texts.insert(c, QString::number(ds->RecordCount()));
            break;
        case fvtSum: {
            const QVariant sum = ds->Aggregate(QStringLiteral("SUM"), col.FieldName);
            QString format = col.FooterFormat;
            if (format.isEmpty())
                if (KvField *f = ds->FindField(col.FieldName))
                    format = f->DisplayFormat;
            m_texts.insert(c, FormatFloat(format, sum.isNull() ? 0.0 : sum.toDouble()));
            break;
        }
        }
    }
}

void TKV_GridFooter::paintCell(QPainter &p, int column, const QRect &rect) const
{
    QStyleOptionHeader opt;
    opt.initFrom(this);
    opt.rect = rect;
    opt.state |= QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, &p, this);
    const QString t = text(column);
    if (t.isEmpty())
        return;
    p.setPen(palette().color(QPalette::ButtonText));
    const Qt::Alignment align = m_grid->Columns().at(column).Footer == fvtSum
                                    ? Qt::AlignRight | Qt::AlignVCenter
                                    : Qt::AlignCenter;
    p.drawText(rect.adjusted(3, 0, -4, 0), align,
               fontMetrics().elidedText(t, Qt::ElideLeft, rect.width() - 7));
}

void TKV_GridFooter::paintEvent(QPaintEvent *)
{
    if (m_dirty)
        recalc();
    QPainter p(this);
    const TKV_GridTitle *title = m_grid->Title();
    const int frozenWidth = m_grid->frozenWidth();
    // Scrolling columns first, then the frozen ones over them at their fixed places.
    for (int pass = 0; pass < 2; ++pass) {
        for (int v = 0; v < title->count(); ++v) {
            const int c = title->logicalIndex(v);
            if (title->isSectionHidden(c))
                continue;
            const bool frozen = v < m_grid->FrozenCols();
            if (frozen != (pass == 1))
                continue;
            const int x = frozen ? title->sectionPosition(c) : title->sectionViewportPosition(c);
            const QRect rect(x, 0, title->sectionSize(c), height());
            if (!frozen && (rect.right() < frozenWidth || rect.left() > width()))
                continue;
            paintCell(p, c, rect);
        }
    }
}

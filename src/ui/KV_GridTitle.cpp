#include "KV_GridTitle.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QToolTip>

TKV_GridTitle::TKV_GridTitle(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setDefaultAlignment(Qt::AlignCenter);
    setTextElideMode(Qt::ElideRight);
}

QPair<QString, QString> TKV_GridTitle::splitCaption(const QString &caption)
{
    const int bar = caption.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {QString(), caption};
    return {caption.left(bar), caption.mid(bar + 1)};
}

void TKV_GridTitle::setCaption(int logicalIndex, const QString &caption)
{
    m_captions.insert(logicalIndex, caption);
    updateTwoLevel();
    viewport()->update();
}

void TKV_GridTitle::setMirrorOf(TKV_GridTitle *source)
{
    m_source = source;
    connect(source, &TKV_GridTitle::markersChanged, viewport(), qOverload<>(&QWidget::update));
}

QString TKV_GridTitle::caption(int logicalIndex) const
{
    if (m_source)
        return m_source->caption(logicalIndex);
    const auto it = m_captions.constFind(logicalIndex);
    if (it != m_captions.constEnd())
        return *it;
    return model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
}

void TKV_GridTitle::setHint(int logicalIndex, const QString &hint)
{
    m_hints.insert(logicalIndex, hint);
}

QString TKV_GridTitle::hint(int logicalIndex) const
{
    if (m_source)
        return m_source->hint(logicalIndex);
    return m_hints.value(logicalIndex);
}

TSortMarkerEh TKV_GridTitle::marker(int logicalIndex) const
{
    if (m_source)
        return m_source->marker(logicalIndex);
    return m_markers.value(logicalIndex, smNoneEh);
}

void TKV_GridTitle::setMarker(int logicalIndex, TSortMarkerEh marker, bool quiet)
{
    if (marker == smNoneEh) {
        m_markers.remove(logicalIndex);
        m_markOrder.removeAll(logicalIndex);
    } else {
        if (!m_markers.contains(logicalIndex))
            m_markOrder.append(logicalIndex);
        m_markers.insert(logicalIndex, marker);
    }
    viewport()->update();
    if (!quiet)
        Q_EMIT markersChanged();
}

void TKV_GridTitle::clearMarkers(bool quiet)
{
    m_markers.clear();
    m_markOrder.clear();
    viewport()->update();
    if (!quiet)
        Q_EMIT markersChanged();
}

void TKV_GridTitle::updateTwoLevel()
{
    bool two = false;
    for (const QString &c : std::as_const(m_captions))
        two = two || c.contains(QLatin1Char('|'));
    if (two != m_twoLevel) {
        m_twoLevel = two;
        updateGeometry();
        if (auto *view = parentWidget())
            QMetaObject::invokeMethod(view, "updateGeometries", Qt::QueuedConnection);
    }
}

QSize TKV_GridTitle::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const int line = fontMetrics().height() + 8;
    size.setHeight(twoLevel() ? 2 * line : line);
    return size;
}

QRect TKV_GridTitle::upperBand(int section, const QRect &sectionRect, const QString &upper) const
{
    // Widen the band over the visible neighbours that share the same upper caption.
    int left = sectionRect.left();
    int right = sectionRect.right();
    const int visual = visualIndex(section);
    for (int v = visual - 1; v >= 0; --v) {
        const int l = logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (splitCaption(caption(l)).first != upper)
            break;
        left -= sectionSize(l);
    }
    for (int v = visual + 1; v < count(); ++v) {
        const int l = logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (splitCaption(caption(l)).first != upper)
            break;
        right += sectionSize(l);
    }
    return QRect(QPoint(left, sectionRect.top()),
                 QPoint(right, sectionRect.top() + sectionRect.height() / 2 - 1));
}

void TKV_GridTitle::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const auto [upper, lower] = splitCaption(caption(logicalIndex));
    painter->save();
    painter->setClipRect(rect);

    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::Middle;
    opt.sortIndicator = QStyleOptionHeader::None;

    QRect lowerRect = rect;
    if (!upper.isEmpty()) {
        const QRect band = upperBand(logicalIndex, rect, upper);
        QStyleOptionHeader top = opt;
        top.rect = band;
        top.text = upper;
        style()->drawControl(QStyle::CE_Header, &top, painter, this);
        lowerRect.setTop(band.bottom() + 1);
    }
    const TSortMarkerEh mark = marker(logicalIndex);
    const int markerSpace = mark == smNoneEh ? 0 : 14;
    QStyleOptionHeader bottom = opt;
    bottom.rect = lowerRect;
    bottom.text = QString();
    style()->drawControl(QStyle::CE_HeaderSection, &bottom, painter, this);
    const QRect textRect = lowerRect.adjusted(3, 0, -3 - markerSpace, 0);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap,
                      fontMetrics().elidedText(lower, Qt::ElideRight, textRect.width()));

    if (mark != smNoneEh) {
        // A small triangle: pointing up for ascending, down for descending.
        const QPointF c(lowerRect.right() - 9, lowerRect.center().y());
        QPainterPath path;
        if (mark == smUpEh) {
            path.moveTo(c.x() - 4, c.y() + 2.5);
            path.lineTo(c.x() + 4, c.y() + 2.5);
            path.lineTo(c.x(), c.y() - 3);
        } else {
            path.moveTo(c.x() - 4, c.y() - 2.5);
            path.lineTo(c.x() + 4, c.y() - 2.5);
            path.lineTo(c.x(), c.y() + 3);
        }
        path.closeSubpath();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().color(QPalette::Dark));
        painter->drawPath(path);
        const TKV_GridTitle *owner = m_source ? m_source : this;
        if (owner->m_markOrder.size() > 1) {
            QFont small = font();
            small.setPointSizeF(small.pointSizeF() * 0.7);
            painter->setFont(small);
            painter->setPen(palette().color(QPalette::ButtonText));
            painter->drawText(QRectF(c.x() - 6, lowerRect.top() + 1, 12, 10), Qt::AlignCenter,
                              QString::number(owner->markRank(logicalIndex)));
        }
    }
    painter->restore();
}

void TKV_GridTitle::mousePressEvent(QMouseEvent *event)
{
    m_pressPos = event->position().toPoint();
    m_pressSection = logicalIndexAt(m_pressPos);
    QHeaderView::mousePressEvent(event);
}

void TKV_GridTitle::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int section = logicalIndexAt(pos);
    const bool click = event->button() == Qt::LeftButton && section >= 0 &&
                       section == m_pressSection &&
                       (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance() &&
                       cursor().shape() != Qt::SplitHCursor;
    QHeaderView::mouseReleaseEvent(event);
    m_pressSection = -1;
    if (click && (m_source ? m_source->m_sortMarking : m_sortMarking))
        titleClicked(section, event->modifiers());
}

int TKV_GridTitle::markRank(int logicalIndex) const
{
    // The place in the sort: marked columns count in column order.
    int rank = 1;
    const int visual = visualIndex(logicalIndex);
    for (int marked : m_markOrder)
        if (marked != logicalIndex && visualIndex(marked) < visual)
            ++rank;
    return rank;
}

void TKV_GridTitle::titleClicked(int logicalIndex, Qt::KeyboardModifiers modifiers)
{
    if (m_source) {
        m_source->titleClicked(logicalIndex, modifiers);
        return;
    }
    const TSortMarkerEh current = marker(logicalIndex);
    if (m_multiSort && (modifiers & Qt::ControlModifier)) {
        const TSortMarkerEh next = current == smNoneEh ? smUpEh
                                   : current == smUpEh ? smDownEh
                                                       : smNoneEh;
        setMarker(logicalIndex, next);
        return;
    }
    m_markers.clear();
    m_markOrder.clear();
    setMarker(logicalIndex, current == smUpEh ? smDownEh : smUpEh);
}

bool TKV_GridTitle::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int section = logicalIndexAt(help->pos());
        const QString text = section >= 0 ? hint(section) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

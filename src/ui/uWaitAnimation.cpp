#include "uWaitAnimation.h"

#include <QPainter>
#include <QStyle>
#include <QTimer>

#include <cmath>

namespace {
constexpr int Dots = 12;
constexpr int FrameMs = 80;
} // namespace

TWaitAnimation::TWaitAnimation(QWidget *parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(FrameMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % Dots;
        update();
    });
}

void TWaitAnimation::setKind(int kind)
{
    if (kind < None || kind > DeleteFile)
        return;
    m_kind = kind;
    m_step = 0;
    if (kind == None) {
        m_timer->stop();
        m_symbol = QIcon();
    } else {
        m_symbol = symbolFor(kind);
        m_timer->start();
    }
    update();
}

void TWaitAnimation::start()
{
    m_timer->start();
    update();
}

void TWaitAnimation::stop()
{
    m_timer->stop();
    update();
}

bool TWaitAnimation::isRunning() const
{
    return m_timer->isActive();
}

QSize TWaitAnimation::sizeHint() const
{
    return {64, 64};
}

QIcon TWaitAnimation::symbolFor(int kind) const
{
    struct Symbol
    {
        const char *themeName;
        QStyle::StandardPixmap fallback;
    };
    static const Symbol symbols[] = {
        {"folder-saved-search", QStyle::SP_DirIcon},
        {"system-search", QStyle::SP_FileDialogContentsView},
        {"network-workgroup", QStyle::SP_ComputerIcon},
        {"edit-copy", QStyle::SP_DirOpenIcon},
        {"edit-copy", QStyle::SP_FileIcon},
        {"user-trash", QStyle::SP_TrashIcon},
        {"user-trash-full", QStyle::SP_TrashIcon},
        {"edit-delete", QStyle::SP_DialogDiscardButton},
    };
    const Symbol &s = symbols[kind - 1];
    return QIcon::fromTheme(QString::fromLatin1(s.themeName), style()->standardIcon(s.fallback));
}

void TWaitAnimation::paintEvent(QPaintEvent *)
{
    if (!isRunning())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const qreal side = qMin(area.width(), area.height());
    const QPointF centre = area.center();
    const qreal ringRadius = side / 2 - side / 12;
    const qreal dotRadius = side / 14;
    QColor colour = palette().color(QPalette::Highlight);
    for (int i = 0; i < Dots; ++i) {
        // The dot at m_step is the brightest; the ones behind it fade out.
        const int age = (m_step - i + Dots) % Dots;
        colour.setAlphaF(1.0 - age / qreal(Dots));
        const qreal angle = 2 * M_PI * i / Dots - M_PI / 2;
        const QPointF at(centre.x() + ringRadius * std::cos(angle),
                         centre.y() + ringRadius * std::sin(angle));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(at, dotRadius, dotRadius);
    }
    const int iconSide = int(side / 2.4);
    m_symbol.paint(&p, QRect(int(centre.x()) - iconSide / 2, int(centre.y()) - iconSide / 2,
                             iconSide, iconSide));
}

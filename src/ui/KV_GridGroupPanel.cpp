#include "KV_GridGroupPanel.h"

#include "KV_GridGroupModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <QToolButton>

TKV_GroupPanel::TKV_GroupPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("groupPanel"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(6, 3, 6, 3);
    m_layout->setSpacing(4);
    m_hint = new QLabel(QStringLiteral("Группировка: выберите «Группировать по колонке» в меню "
                                       "заголовка колонки"),
                        this);
    m_hint->setForegroundRole(QPalette::Light);
    m_layout->addWidget(m_hint);
    m_layout->addStretch();
}

QSize TKV_GroupPanel::sizeHint() const
{
    return {200, fontMetrics().height() + 16};
}

void TKV_GroupPanel::setGroups(const QStringList &fieldNames, const QStringList &captions)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_hint->setVisible(fieldNames.isEmpty());
    for (int i = 0; i < fieldNames.size(); ++i) {
        auto *b = new QToolButton(this);
        b->setText(captions.value(i) + QStringLiteral("  ✕"));
        b->setToolTip(QStringLiteral("Убрать группировку по колонке"));
        b->setAutoRaise(false);
        const QString field = fieldNames.at(i);
        connect(b, &QToolButton::clicked, this, [this, field] { Q_EMIT ungroupRequested(field); });
        m_layout->insertWidget(1 + i, b);
        m_buttons << b;
    }
}

void PaintGroupRows(QTableView *view, QPaintEvent *event, int x, bool withCaption)
{
    auto *groups = qobject_cast<TKV_GridGroupModel *>(view->model());
    if (!groups || !groups->grouped())
        return;
    QWidget *viewport = view->viewport();
    int first = view->rowAt(event->rect().top());
    int last = view->rowAt(event->rect().bottom());
    if (first < 0)
        return;
    if (last < 0)
        last = groups->rowCount() - 1;
    QPainter p(viewport);
    const QPalette &pal = view->palette();
    for (int row = first; row <= last; ++row) {
        const int level = groups->groupLevel(row);
        if (level < 0)
            continue;
        const QRect rect(0, view->rowViewportPosition(row), viewport->width(),
                         view->rowHeight(row));
        QColor back = pal.color(QPalette::Button);
        back = back.darker(100 + 6 * (groups->groupColumns().size() - level));
        p.fillRect(rect, back);
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        if (!withCaption)
            continue;
        const int indent = x + 4 + 16 * level;
        QStyleOption arrow;
        arrow.rect = QRect(indent, rect.top() + (rect.height() - 9) / 2, 9, 9);
        arrow.palette = pal;
        const bool expanded =
            groups->data(groups->index(row, 0), TKV_GridGroupModel::GroupExpandedRole).toBool();
        view->style()->drawPrimitive(expanded ? QStyle::PE_IndicatorArrowDown
                                              : QStyle::PE_IndicatorArrowRight,
                                     &arrow, &p, view);
        QFont bold = view->font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(
            rect.adjusted(indent + 14, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
            groups->data(groups->index(row, 0), TKV_GridGroupModel::GroupCaptionRole).toString());
    }
}

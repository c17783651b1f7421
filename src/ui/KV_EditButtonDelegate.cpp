#include "KV_EditButtonDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

QRect TEditButtonDelegate::buttonRect(const QRect &cell)
{
    const int side = qMin(cell.height(), 18);
    return QRect(cell.right() - side + 1, cell.top() + (cell.height() - side) / 2, side, side);
}

void TEditButtonDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const bool current = option.state & QStyle::State_HasFocus;
    QStyleOptionViewItem opt = option;
    if (current)
        opt.rect.setRight(buttonRect(option.rect).left() - 1);
    QStyledItemDelegate::paint(painter, opt, index);
    if (!current)
        return;
    // The background behind the button, then the button itself.
    painter->fillRect(buttonRect(option.rect), option.palette.brush(QPalette::Base));
    QStyleOptionButton button;
    button.rect = buttonRect(option.rect);
    button.text = QStringLiteral("…");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.palette = option.palette;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
}

bool TEditButtonDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                      const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            buttonRect(option.rect).contains(mouse->position().toPoint())) {
            Q_EMIT editButtonClicked(index);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (buttonRect(option.rect).contains(mouse->position().toPoint()))
            return true;
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & Qt::ControlModifier)) {
            Q_EMIT editButtonClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

#pragma once

#include <QStyledItemDelegate>

// A column with an edit button: the current cell shows an ellipsis button at its right
// edge; clicking it (or Ctrl+Enter on the cell) emits editButtonClicked() for the cell, so
// the window can run a picker and write the chosen key.
class TEditButtonDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The button's place inside a cell.
    static QRect buttonRect(const QRect &cell);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

Q_SIGNALS:
    void editButtonClicked(const QModelIndex &index);
};

#pragma once

#include <QStyledItemDelegate>

class TKV_DBGridEh;
class KvField;

// The cell editors of a guide grid: a text field's editor takes no more characters than the
// field holds, and a lookup column (a person, an organisation) is edited with a drop-down of
// the other list's values, writing the chosen row's key into the key field.
class TGuideDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TGuideDelegate(TKV_DBGridEh *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    KvField *fieldOf(const QModelIndex &index) const;

    TKV_DBGridEh *m_grid;
};

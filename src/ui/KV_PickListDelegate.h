#pragma once

#include <QStyledItemDelegate>
#include <QVariantList>

// A column that stores keys and shows texts: "без НДС", "10%", "18%", "20%" for 0, 10, 18,
// 20. Cells show the text of the stored key (a key without a text shows as stored); the
// editor is a drop-down of the texts and writes the chosen text's key.
class TPickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    TPickListDelegate(const QStringList &items, const QVariantList &keys,
                      QObject *parent = nullptr);

    const QStringList &items() const { return m_items; }
    const QVariantList &keys() const { return m_keys; }
    // The text for a stored key; the key itself as text when none matches; empty for null.
    QString textForKey(const QVariant &key) const;
    // The position of a stored key in the list, or -1.
    int indexOfKey(const QVariant &key) const;

    QString displayText(const QVariant &value, const QLocale &locale) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QStringList m_items;
    QVariantList m_keys;
};

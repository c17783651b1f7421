#include "KV_PickListDelegate.h"

#include <QComboBox>

namespace {

bool sameKey(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool okA = false;
    bool okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    if (okA && okB)
        return x == y;
    return a.toString() == b.toString();
}

} // namespace

TPickListDelegate::TPickListDelegate(const QStringList &items, const QVariantList &keys,
                                     QObject *parent)
    : QStyledItemDelegate(parent)
    , m_items(items)
    , m_keys(keys)
{
    Q_ASSERT(items.size() == keys.size());
}

int TPickListDelegate::indexOfKey(const QVariant &key) const
{
    for (int i = 0; i < m_keys.size(); ++i)
        if (sameKey(m_keys.at(i), key))
            return i;
    return -1;
}

QString TPickListDelegate::textForKey(const QVariant &key) const
{
    if (key.isNull() || !key.isValid())
        return {};
    const int i = indexOfKey(key);
    return i >= 0 ? m_items.at(i) : key.toString();
}

QString TPickListDelegate::displayText(const QVariant &value, const QLocale &) const
{
    return textForKey(value);
}

void TPickListDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = textForKey(index.data(Qt::EditRole));
}

QWidget *TPickListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &) const
{
    auto *combo = new QComboBox(parent);
    combo->addItems(m_items);
    combo->setFrame(false);
    return combo;
}

void TPickListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(indexOfKey(index.data(Qt::EditRole)));
}

void TPickListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo || combo->currentIndex() < 0)
        return;
    model->setData(index, m_keys.at(combo->currentIndex()), Qt::EditRole);
}

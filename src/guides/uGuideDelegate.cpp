#include "uGuideDelegate.h"

#include "KV_ClientDataSet.h"
#include "KV_DBGridEh.h"
#include "KV_DataSetModel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

bool isLookup(const KvField *field)
{
    return field && field->FieldKind() == KvFieldKind::Lookup && field->LookupDataSet;
}

} // namespace

TGuideDelegate::TGuideDelegate(TKV_DBGridEh *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{}

KvField *TGuideDelegate::fieldOf(const QModelIndex &index) const
{
    TKV_ClientDataSet *list = m_grid->DataSet();
    const QString name = index.data(TKV_DataSetModel::FieldNameRole).toString();
    return list && !name.isEmpty() ? list->FindField(name) : nullptr;
}

QWidget *TGuideDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    KvField *field = fieldOf(index);
    if (isLookup(field)) {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cbx") + field->FieldName());
        TKV_ClientDataSet *list = field->LookupDataSet;
        const KvField *key = list->FindField(field->LookupKeyFields);
        const KvField *text = list->FindField(field->LookupResultField);
        for (int row = 0; key && text && row < list->RecordCount(); ++row)
            box->addItem(text->displayTextAt(row), key->valueAt(row));
        return box;
    }
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(editor);
        edit && field && field->DataType() == KvFieldType::String && field->Size > 0)
        edit->setMaxLength(field->Size);
    return editor;
}

void TGuideDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    KvField *field = fieldOf(index);
    auto *box = qobject_cast<QComboBox *>(editor);
    if (box && isLookup(field)) {
        const QVariant key = field->DataSet()->FieldValue(field->KeyFields);
        int found = -1;
        for (int i = 0; i < box->count() && found < 0; ++i) {
            if (!key.isNull() && box->itemData(i).toLongLong() == key.toLongLong())
                found = i;
        }
        box->setCurrentIndex(found);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void TGuideDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const
{
    KvField *field = fieldOf(index);
    auto *box = qobject_cast<QComboBox *>(editor);
    if (box && isLookup(field)) {
        // The key decides, not the text: two rows of the other list may read alike.
        if (box->currentIndex() < 0 || !(model->flags(index) & Qt::ItemIsEditable))
            return;
        if (KvField *key = field->DataSet()->FindField(field->KeyFields))
            key->setValue(box->currentData());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

#include "uGuidePanel.h"

#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"

#include <QFormLayout>
#include <QLineEdit>

void LimitToField(QLineEdit *edit, TKV_ClientDataSet *list, const QString &field)
{
    const auto limit = [edit, list, field] {
        const KvField *f = list->FindField(field);
        if (f && f->DataType() == KvFieldType::String && f->Size > 0)
            edit->setMaxLength(f->Size);
    };
    QObject::connect(list, &TKV_ClientDataSet::reset, edit, limit);
    limit();
}

QLineEdit *AddPanelEdit(QFormLayout *form, const QString &label, TKV_ClientDataSet *list,
                        const QString &field, const QString &objectName, const QString &hint)
{
    auto *edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(objectName);
    edit->setToolTip(hint);
    BindLineEdit(edit, list, field);
    LimitToField(edit, list, field);
    form->addRow(label, edit);
    return edit;
}

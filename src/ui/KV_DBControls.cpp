#include "KV_DBControls.h"

#include "KV_ClientDataSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

KvFieldLink::KvFieldLink(QWidget *editor, TKV_ClientDataSet *dataSet, const QString &fieldName)
    : QObject(editor)
    , m_dataSet(dataSet)
    , m_fieldName(fieldName)
    , m_editor(editor)
{
    if (!dataSet)
        return;
    connect(dataSet, &TKV_ClientDataSet::currentChanged, this, &KvFieldLink::refresh);
    connect(dataSet, &TKV_ClientDataSet::reset, this, &KvFieldLink::refresh);
    connect(dataSet, &TKV_ClientDataSet::stateChanged, this, &KvFieldLink::refresh);
    // While a row is edited its values change field by field: an editor shows its own field
    // again only, so input not yet written in another editor stays. Calculated and lookup
    // fields follow any change of the row.
    connect(dataSet, &TKV_ClientDataSet::fieldChanged, this, [this](KvField *changed) {
        KvField *f = field();
        if (f && (f == changed || !f->isData()))
            refresh();
    });
    connect(dataSet, &TKV_ClientDataSet::rowChanged, this, [this](int row) {
        if (!m_dataSet || (row >= 0 && row != m_dataSet->currentRow()))
            return;
        const KvDataSetState state = m_dataSet->State();
        const bool editing = state == KvDataSetState::Edit || state == KvDataSetState::Insert;
        KvField *f = field();
        if (!editing || (f && !f->isData()))
            refresh();
    });
}

KvField *KvFieldLink::field() const
{
    return m_dataSet ? m_dataSet->FindField(m_fieldName) : nullptr;
}

void KvFieldLink::refresh()
{
    if (m_showing)
        return;
    m_showing = true;
    KvField *f = field();
    showValue(f && m_dataSet->Active() ? f->Value() : QVariant());
    updateReadOnly();
    m_showing = false;
}

bool KvFieldLink::canWrite() const
{
    KvField *f = field();
    if (!f || !m_dataSet || !m_dataSet->CanModify() || f->ReadOnly ||
        f->FieldKind() == KvFieldKind::Calculated)
        return false;
    const KvDataSetState state = m_dataSet->State();
    return state == KvDataSetState::Edit || state == KvDataSetState::Insert ||
           m_dataSet->AutoEdit();
}

bool KvFieldLink::beginEdit()
{
    if (!canWrite())
        return false;
    const KvDataSetState state = m_dataSet->State();
    if (state == KvDataSetState::Edit || state == KvDataSetState::Insert)
        return true;
    m_showing = true; // the edit's own notifications must not overwrite the input
    const bool ok = m_dataSet->Edit();
    m_showing = false;
    return ok;
}

bool KvFieldLink::writeValue(const QVariant &value)
{
    if (m_showing)
        return false;
    KvField *f = field();
    const bool ok = f && beginEdit() && f->setValue(value);
    if (!ok)
        refresh();
    return ok;
}

void KvFieldLink::updateReadOnly()
{
    setEditorReadOnly(!canWrite());
}

void KvFieldLink::setEditorReadOnly(bool readOnly)
{
    m_editor->setEnabled(!readOnly);
}

namespace {

class LineEditLink : public KvFieldLink
{
public:
    LineEditLink(QLineEdit *edit, TKV_ClientDataSet *dataSet, const QString &fieldName)
        : KvFieldLink(edit, dataSet, fieldName)
        , m_edit(edit)
    {
        // Typing starts the edit at once (when allowed); the text is written when editing
        // finishes, or when the dataset asks before a post.
        connect(edit, &QLineEdit::textEdited, this, [this] {
            if (showing())
                return;
            m_dirty = true;
            if (!beginEdit())
                refresh();
        });
        connect(edit, &QLineEdit::editingFinished, this, [this] { flush(); });
        if (dataSet)
            connect(dataSet, &TKV_ClientDataSet::updateRecord, this, [this] { flush(); });
        refresh();
    }

protected:
    void showValue(const QVariant &) override
    {
        KvField *f = field();
        if (!f || !dataSet()->Active()) {
            m_edit->clear();
        } else {
            const KvDataSetState state = dataSet()->State();
            const bool editing = state == KvDataSetState::Edit || state == KvDataSetState::Insert;
            m_edit->setText(editing ? f->AsString() : f->DisplayText());
        }
        m_dirty = false;
    }
    void setEditorReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

private:
    void flush()
    {
        if (!m_dirty)
            return;
        m_dirty = false;
        writeValue(m_edit->text());
    }

    QLineEdit *m_edit;
    bool m_dirty = false;
};

class DateEditLink : public KvFieldLink
{
public:
    DateEditLink(QDateEdit *edit, TKV_ClientDataSet *dataSet, const QString &fieldName)
        : KvFieldLink(edit, dataSet, fieldName)
        , m_edit(edit)
    {
        connect(edit, &QDateEdit::dateChanged, this, [this](const QDate &date) {
            if (showing())
                return;
            const bool none =
                date == m_edit->minimumDate() && !m_edit->specialValueText().isEmpty();
            writeValue(none ? QVariant() : QVariant(date));
        });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override
    {
        const QDate date =
            value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        m_edit->setDate(date.isValid() ? date : m_edit->minimumDate());
    }
    void setEditorReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

private:
    QDateEdit *m_edit;
};

class CheckBoxLink : public KvFieldLink
{
public:
    CheckBoxLink(QCheckBox *box, TKV_ClientDataSet *dataSet, const QString &fieldName,
                 const QVariant &checkedValue, const QVariant &uncheckedValue)
        : KvFieldLink(box, dataSet, fieldName)
        , m_box(box)
        , m_checked(checkedValue)
        , m_unchecked(uncheckedValue)
    {
        connect(box, &QCheckBox::clicked, this,
                [this](bool on) { writeValue(on ? m_checked : m_unchecked); });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override
    {
        KvField *f = field();
        m_box->setChecked(f && !value.isNull() && f->convert(m_checked) == value);
    }

private:
    QCheckBox *m_box;
    QVariant m_checked;
    QVariant m_unchecked;
};

// A combo box whose items carry the stored values as item data.
class ComboLink : public KvFieldLink
{
public:
    ComboLink(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &fieldName)
        : KvFieldLink(box, dataSet, fieldName)
        , m_box(box)
    {
        connect(box, &QComboBox::activated, this,
                [this](int index) { writeValue(m_box->itemData(index)); });
    }

protected:
    void showValue(const QVariant &value) override
    {
        KvField *f = field();
        int found = -1;
        for (int i = 0; f && !value.isNull() && i < m_box->count(); ++i) {
            if (f->convert(m_box->itemData(i)) == value) {
                found = i;
                break;
            }
        }
        m_box->setCurrentIndex(found);
    }

    QComboBox *m_box;
};

class LookupComboLink : public ComboLink
{
public:
    LookupComboLink(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &keyField,
                    TKV_ClientDataSet *list, const QString &listKey, const QString &listField)
        : ComboLink(box, dataSet, keyField)
        , m_list(list)
        , m_listKey(listKey)
        , m_listField(listField)
    {
        if (list) {
            connect(list, &TKV_ClientDataSet::reset, this, [this] { fill(); });
            connect(list, &TKV_ClientDataSet::dataChanged, this, [this] { fill(); });
        }
        fill();
    }

private:
    void fill()
    {
        m_box->clear();
        if (m_list && m_list->Active()) {
            const KvField *key = m_list->FindField(m_listKey);
            const KvField *text = m_list->FindField(m_listField);
            if (key && text) {
                for (int row = 0; row < m_list->RecordCount(); ++row)
                    m_box->addItem(text->displayTextAt(row), key->valueAt(row));
            }
        }
        refresh();
    }

    QPointer<TKV_ClientDataSet> m_list;
    QString m_listKey;
    QString m_listField;
};

} // namespace

KvFieldLink *BindLineEdit(QLineEdit *edit, TKV_ClientDataSet *dataSet, const QString &field)
{
    return new LineEditLink(edit, dataSet, field);
}

KvFieldLink *BindDateEdit(QDateEdit *edit, TKV_ClientDataSet *dataSet, const QString &field)
{
    return new DateEditLink(edit, dataSet, field);
}

KvFieldLink *BindCheckBox(QCheckBox *box, TKV_ClientDataSet *dataSet, const QString &field,
                          const QVariant &checkedValue, const QVariant &uncheckedValue)
{
    return new CheckBoxLink(box, dataSet, field, checkedValue, uncheckedValue);
}

KvFieldLink *BindComboBox(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &field,
                          const QList<QPair<QString, QVariant>> &items)
{
    box->clear();
    for (const auto &[text, value] : items)
        box->addItem(text, value);
    auto *link = new ComboLink(box, dataSet, field);
    link->refresh();
    return link;
}

KvFieldLink *BindLookupCombo(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &keyField,
                             TKV_ClientDataSet *lookupDataSet, const QString &lookupKeyField,
                             const QString &listField)
{
    return new LookupComboLink(box, dataSet, keyField, lookupDataSet, lookupKeyField, listField);
}

bool LocateByEdit(TKV_ClientDataSet *dataSet, QLineEdit *edit)
{
    const bool found = dataSet && dataSet->LocateByText(edit->text());
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, found ? QApplication::palette(edit).color(QPalette::WindowText)
                                           : QColor(Qt::red));
    edit->setPalette(palette);
    return found;
}

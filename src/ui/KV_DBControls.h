#pragma once

#include "KV_ClientDataSet.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QVariant>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QWidget;

// Editors bound to fields of a client dataset. A link shows the field of the current row
// and follows moves, edits and state changes; a change made in the editor starts an edit
// when the dataset allows automatic edits (AutoEdit) and writes the field, otherwise the
// editor is read-only until the dataset is put in edit state. The link is a child of the
// editor and dies with it.
class KvFieldLink : public QObject
{
    Q_OBJECT
public:
    KvFieldLink(QWidget *editor, TKV_ClientDataSet *dataSet, const QString &fieldName);

    TKV_ClientDataSet *dataSet() const { return m_dataSet; }
    KvField *field() const;
    QWidget *editor() const { return m_editor; }
    // Shows the field's value of the current row again.
    void refresh();

protected:
    // Dataset to editor.
    virtual void showValue(const QVariant &value) = 0;
    // Whether the editor may change the value now (open, modifiable, editing or AutoEdit).
    bool canWrite() const;
    // Editor to dataset: starts the edit when needed and writes the value. False when the
    // dataset refused; the editor then shows the field's value again.
    bool writeValue(const QVariant &value);
    // Puts the dataset in edit state for typing (when allowed), keeping the editor's text.
    bool beginEdit();
    void updateReadOnly();
    virtual void setEditorReadOnly(bool readOnly);
    bool showing() const { return m_showing; }

private:
    QPointer<TKV_ClientDataSet> m_dataSet;
    QString m_fieldName;
    QWidget *m_editor;
    bool m_showing = false;
};

// Line edit: the field's text; written when editing finishes (Enter or leaving the box).
KvFieldLink *BindLineEdit(QLineEdit *edit, TKV_ClientDataSet *dataSet, const QString &field);
// Date edit: the field's date; an empty field shows the edit's minimum date (its special
// value text, when set, stands for "no date").
KvFieldLink *BindDateEdit(QDateEdit *edit, TKV_ClientDataSet *dataSet, const QString &field);
// Check box: checked when the field holds checkedValue.
KvFieldLink *BindCheckBox(QCheckBox *box, TKV_ClientDataSet *dataSet, const QString &field,
                          const QVariant &checkedValue = true,
                          const QVariant &uncheckedValue = false);
// Combo box of fixed choices with stored keys ("без НДС" stores 0, "10%" stores 10 ...).
KvFieldLink *BindComboBox(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &field,
                          const QList<QPair<QString, QVariant>> &items);
// Lookup combo: lists listField of lookupDataSet and stores its lookupKeyField in the key
// field; the list follows the lookup dataset's rows.
KvFieldLink *BindLookupCombo(QComboBox *box, TKV_ClientDataSet *dataSet, const QString &keyField,
                             TKV_ClientDataSet *lookupDataSet, const QString &lookupKeyField,
                             const QString &listField);

// LocateByText on the edit's text; the text shows in the window-text colour when a row
// was found and in red when not.
bool LocateByEdit(TKV_ClientDataSet *dataSet, QLineEdit *edit);

#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class TKV_ClientDataSet;

// Editing panels of the guides: line edits bound to a field of the list that take no more
// characters than the field holds (known once the list is open).

void LimitToField(QLineEdit *edit, TKV_ClientDataSet *list, const QString &field);

// A labelled line edit named objectName, bound to field and limited to its width.
QLineEdit *AddPanelEdit(QFormLayout *form, const QString &label, TKV_ClientDataSet *list,
                        const QString &field, const QString &objectName, const QString &hint = {});

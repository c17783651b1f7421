#pragma once

#include <QVariant>

// The reference books as pickers. Each shows its guide modally and answers the key of the
// row the user chose, or exactly currentKey when the user closed the guide without choosing.
//
// mode 0 browses and edits (choosing is disabled; the main menu's use, with a null key, or 0
// for organisations, banks and bank accounts); any other mode lets the user choose (the
// documents' use, with the field's current value). Callers write the answer into their field
// only when it differs from what they passed.

QVariant PickMeasure(const QVariant &currentKey, int mode);
QVariant PickExpenseDescr(const QVariant &currentKey, int mode);
QVariant PickPercentDeduction(const QVariant &currentKey, int mode);
QVariant PickKindOfWork(const QVariant &currentKey, int mode);
QVariant PickWayOfWork(const QVariant &currentKey, int mode);
QVariant PickBank(const QVariant &currentKey, int mode);
QVariant PickCommission(const QVariant &currentKey, int mode);
QVariant PickBankAcc(const QVariant &currentKey, int mode);
QVariant PickCompany(const QVariant &currentKey, int mode);
QVariant PickPersonnel(const QVariant &currentKey, int mode);

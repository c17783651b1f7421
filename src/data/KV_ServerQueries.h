#pragma once

#include <QString>
#include <QVariantList>

class KvSession;
class TKV_ClientDataSet;

// Helper queries on the session's one connection: new keys and numbers, and the reference
// check before deletes. Table and column names are the program's own (checked to be plain
// names); values travel as bind parameters.

// The next value of the sequence ZOLT.<name>. True with the value when it is not null.
// A server error answers false with *error filled (the caller reports it; a new row is then
// not created).
bool NextSequenceValue(KvSession &session, const QString &sequenceName, qint64 &value,
                       QString *error = nullptr);

// NextSequenceValue, then a check that no row of table holds the value in column; when the
// sequence failed or the value is taken, value := NextNumber(column, table, condition). The
// result is the success of the sequence step; a server error in the check answers false.
bool NextCheckedId(KvSession &session, const QString &sequenceName, const QString &column,
                   const QString &condition, const QString &table, qint64 &value,
                   const QVariantList &conditionValues = {});

// MAX(column)+1 over table (schema-qualified) and condition ("" or a where clause whose
// values are "?" placeholders bound from conditionValues): 1 for an empty table, 0 when the
// statement fails (the error is logged, not shown).
qint64 NextNumber(KvSession &session, const QString &column, const QString &table,
                  const QString &condition = {}, const QVariantList &conditionValues = {});

// Whether some row of ZOLT.<table> holds value in column; false when none, on null and when
// the statement fails.
bool IsReferenced(KvSession &session, const QString &column, const QString &table,
                  const QVariant &value);

// The new-row rule of the lists: the key field gets the sequence's next value. When the
// sequence answers null, the error box "Ошибка поиска идентификатора записи" and false (the
// row stays, without key). When the server fails, the error is shown and the new row is
// abandoned (Abort); false.
bool AssignNextId(TKV_ClientDataSet &dataSet, const QString &keyField, const QString &sequenceName);

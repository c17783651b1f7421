#include "KV_ServerQueries.h"

#include "KV_ClientDataSet.h"
#include "KV_LIB.h"
#include "KV_db.h"

#include <QRegularExpression>

namespace {

// Names the program writes into these statements: plain, optionally schema-qualified.
bool plainName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z_][A-Za-z0-9_$]*(\\.[A-Za-z_][A-Za-z0-9_$]*)?$"));
    return pattern.match(name).hasMatch();
}

} // namespace

bool NextSequenceValue(KvSession &session, const QString &sequenceName, qint64 &value,
                       QString *error)
{
    if (!plainName(sequenceName)) {
        if (error)
            *error = QStringLiteral("Invalid sequence name: %1").arg(sequenceName);
        return false;
    }
    bool ok = false;
    QString message;
    const QVariant v =
        session.selectValue(QStringLiteral("select nextval(cast(? as regclass)) as NextSEQ"),
                            {QStringLiteral("zolt.") + sequenceName}, &ok, &message);
    if (!ok) {
        if (error)
            *error = message;
        return false;
    }
    if (v.isNull())
        return false;
    value = v.toLongLong();
    return true;
}

qint64 NextNumber(KvSession &session, const QString &column, const QString &table,
                  const QString &condition, const QVariantList &conditionValues)
{
    if (!plainName(column) || !plainName(table))
        return 0;
    const QString sql =
        QStringLiteral("select (MAX(%1)+1) as NEXT_NO from %2 %3").arg(column, table, condition);
    bool ok = false;
    QString message;
    const QVariant v = session.selectValue(sql, conditionValues, &ok, &message);
    if (!ok) {
        session.LogError(message);
        return 0;
    }
    return v.isNull() ? 1 : qint64(v.toDouble());
}

bool NextCheckedId(KvSession &session, const QString &sequenceName, const QString &column,
                   const QString &condition, const QString &table, qint64 &value,
                   const QVariantList &conditionValues)
{
    QString message;
    const bool sequenceOk = NextSequenceValue(session, sequenceName, value, &message);
    bool taken = false;
    if (sequenceOk) {
        if (!plainName(column) || !plainName(table))
            return false;
        bool ok = false;
        const QVariant count = session.selectValue(
            QStringLiteral("select count(*) as Q_REC from %1 where %2 = ?").arg(table, column),
            {value}, &ok, &message);
        if (!ok) {
            session.LogError(message);
            return false;
        }
        taken = count.toLongLong() > 0;
    }
    if (!sequenceOk || taken)
        value = NextNumber(session, column, table, condition, conditionValues);
    return sequenceOk;
}

bool IsReferenced(KvSession &session, const QString &column, const QString &table,
                  const QVariant &value)
{
    if (!plainName(column) || !plainName(table))
        return false;
    bool ok = false;
    const QVariant count = session.selectValue(
        QStringLiteral("select count(*) as Q_Rec from ZOLT.%1 where %2 = ?").arg(table, column),
        {value}, &ok);
    return ok && !count.isNull() && count.toLongLong() > 0;
}

bool AssignNextId(TKV_ClientDataSet &dataSet, const QString &keyField, const QString &sequenceName)
{
    KvSession *session = dataSet.session();
    if (!session) {
        ShowError(QStringLiteral("Нет соединения с БД"));
        dataSet.Abort();
        return false;
    }
    qint64 value = 0;
    QString error;
    if (NextSequenceValue(*session, sequenceName, value, &error))
        return dataSet.FieldByName(keyField)->setValue(QVariant::fromValue(value));
    if (!error.isEmpty()) {
        session->LogError(error);
        ShowError(error);
        dataSet.Abort();
        return false;
    }
    ShowError(QStringLiteral("Ошибка поиска идентификатора записи"));
    return false;
}

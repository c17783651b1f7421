#include "KV_Provider.h"

#include "KV_ADODataSet.h"
#include "KV_Field.h"
#include "KV_PgFetch.h"
#include "KV_db.h"

#include <QSqlQuery>

#include <libpq-fe.h>

namespace {

QList<TKV_DataSetProvider *> &allProviders()
{
    static QList<TKV_DataSetProvider *> providers;
    return providers;
}

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The server's text "ERROR:  message\nDETAIL:  detail" split into message and detail.
void splitServerError(const QString &text, QString *message, QString *context)
{
    QString primary;
    QString detail;
    for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1String("DETAIL:"))) {
            detail = line.mid(7).trimmed();
        } else if (primary.isEmpty()) {
            for (const char *prefix : {"ERROR:", "FATAL:"}) {
                if (line.startsWith(QLatin1String(prefix)))
                    line = line.mid(int(qstrlen(prefix))).trimmed();
            }
            primary = line;
        }
    }
    *message = primary.isEmpty() ? text.trimmed() : primary;
    if (context)
        *context = detail;
}

} // namespace

TKV_DataSetProvider::TKV_DataSetProvider(TKV_ADODataSet *dataSet, QObject *parent)
    : QObject(parent)
    , m_dataSet(dataSet)
{
    allProviders().append(this);
}

TKV_DataSetProvider::~TKV_DataSetProvider()
{
    allProviders().removeOne(this);
}

KvSession *TKV_DataSetProvider::session() const
{
    return m_dataSet ? m_dataSet->session() : nullptr;
}

void TKV_DataSetProvider::setTableName(const QString &table)
{
    if (table.compare(m_tableName, Qt::CaseInsensitive) != 0) {
        m_tableOid = 0;
        m_tableColumns.clear();
    }
    m_tableName = table;
}

TKV_DataSetProvider *TKV_DataSetProvider::find(const QString &name, const QObject *near)
{
    if (name.isEmpty())
        return nullptr;
    for (const QObject *owner = near; owner; owner = owner->parent()) {
        const auto found = owner->findChildren<TKV_DataSetProvider *>(name);
        if (!found.isEmpty())
            return found.first();
    }
    for (TKV_DataSetProvider *provider : allProviders()) {
        if (provider->objectName() == name)
            return provider;
    }
    return nullptr;
}

bool TKV_DataSetProvider::Fetch(const QString &commandText, const KvParams &params,
                                KvColumnStore &rows, QString *error, size_t *serverBytes)
{
    QString statement;
    KvParams values;
    if (!statementFor(commandText, params, statement, values, error))
        return false;
    return m_dataSet->Fetch(statement, values, rows, error, serverBytes);
}

bool TKV_DataSetProvider::statementFor(const QString &commandText, const KvParams &params,
                                       QString &statement, KvParams &values,
                                       QString *error) const
{
    if (!m_dataSet) {
        if (error)
            *error = objectName() + QStringLiteral(": Missing DataSet property");
        return false;
    }
    statement = m_dataSet->StatementInForce();
    if (!commandText.trimmed().isEmpty()) {
        if (!m_allowCommandText) {
            if (error)
                *error = objectName() + QStringLiteral(": CommandText changes are not allowed");
            return false;
        }
        statement = commandText;
    }
    values = m_dataSet->Parameters();
    for (int i = 0; i < params.Count(); ++i)
        values.setValue(params[i].Name, params[i].Value);
    return true;
}

bool TKV_DataSetProvider::Execute(const QString &commandText, const KvParams &params,
                                  QString *error)
{
    QString statement;
    KvParams values;
    if (!statementFor(commandText, params, statement, values, error))
        return false;
    if (!session()) {
        if (error)
            *error = objectName() + QStringLiteral(": Missing DataSet property");
        return false;
    }
    const KvParsedStatement parsed = ParseNamedParametersPositional(statement);
    QVariantList bound;
    for (const QString &name : parsed.names)
        bound << values.value(name);
    QSqlQuery query(session()->database());
    return session()->run(query, parsed.sql, bound, error, true);
}

bool TKV_DataSetProvider::resolveTable(QString *error)
{
    if (m_tableOid != 0)
        return true;
    if (m_tableName.isEmpty()) {
        if (error)
            *error = objectName() + QStringLiteral(": Unable to resolve table name");
        return false;
    }
    KvColumnStore rows;
    KvParams params;
    params.setValue(QStringLiteral("t"), m_tableName);
    QString message;
    const QString sql = QStringLiteral(
        "select a.attrelid::int8 as rel, a.attnum::int8 as num, a.attname::text as name "
        "from pg_attribute a where a.attrelid = to_regclass(:t) and a.attnum > 0 "
        "and not a.attisdropped");
    if (!KvPgFetch(session(), sql, params, rows, &message)) {
        if (error)
            *error = message;
        return false;
    }
    if (rows.slotCount() == 0) {
        if (error)
            *error = objectName() + QStringLiteral(": Table %1 not found").arg(m_tableName);
        return false;
    }
    m_tableColumns.clear();
    for (uint32_t r = 0; r < rows.slotCount(); ++r) {
        const size_t number = size_t(rows.columns[1].intAt(r));
        if (m_tableColumns.size() <= number)
            m_tableColumns.resize(number + 1);
        m_tableColumns[number] = rows.columns[2].stringAt(r);
    }
    m_tableOid = unsigned(rows.columns[0].intAt(0));
    return true;
}

bool TKV_DataSetProvider::BuildStatement(const KvDeltaRow &row, KvApplyStatement &statement,
                                         QString *error)
{
    statement = KvApplyStatement();
    if (m_readOnly) {
        if (error)
            *error = objectName() + QStringLiteral(": Cannot modify a read-only dataset");
        return false;
    }
    if (!resolveTable(error))
        return false;

    // The table's column a field is written to; empty for fields of other tables.
    auto columnOf = [this](const KvField *field) -> QString {
        if (!field->isData() || field->originTable() != m_tableOid)
            return {};
        const size_t number = size_t(field->originColumn());
        return number < m_tableColumns.size() ? m_tableColumns[number] : QString();
    };

    if (row.kind == KvDeltaRow::Insert) {
        QStringList columns;
        QStringList marks;
        for (const KvDeltaValue &value : row.values) {
            const QString column = columnOf(value.field);
            if (column.isEmpty() || !value.field->InUpdate || value.newValue.isNull())
                continue;
            columns << quoteIdentifier(column);
            marks << QStringLiteral("?");
            statement.values << value.newValue;
        }
        if (columns.isEmpty()) {
            if (error)
                *error = objectName() + QStringLiteral(": No values to insert");
            return false;
        }
        statement.sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(m_tableName, columns.join(QStringLiteral(", ")),
                                 marks.join(QStringLiteral(", ")));
        return true;
    }

    // UPDATE and DELETE address the row by its key fields only, with their old values.
    QStringList where;
    QVariantList whereValues;
    const QStringList keys =
        m_dataSet ? m_dataSet->PSGetKeyFields().split(QLatin1Char(';'), Qt::SkipEmptyParts)
                  : QStringList();
    for (const QString &keyName : keys) {
        const KvDeltaValue *key = nullptr;
        for (const KvDeltaValue &value : row.values) {
            if (value.field->FieldName().compare(keyName.trimmed(), Qt::CaseInsensitive) == 0)
                key = &value;
        }
        if (!key) {
            if (error)
                *error = objectName() + QStringLiteral(": Field '%1' not found").arg(keyName);
            return false;
        }
        QString column = columnOf(key->field);
        if (column.isEmpty())
            column = key->field->FieldName().toLower();
        if (key->oldValue.isNull()) {
            where << quoteIdentifier(column) + QStringLiteral(" is null");
        } else {
            where << quoteIdentifier(column) + QStringLiteral(" = ?");
            whereValues << key->oldValue;
        }
    }
    if (where.isEmpty()) {
        if (error)
            *error = objectName() + QStringLiteral(": Unable to find record. No key specified");
        return false;
    }
    const QString condition = where.join(QStringLiteral(" and "));

    if (row.kind == KvDeltaRow::Delete) {
        statement.sql = QStringLiteral("delete from %1 where %2").arg(m_tableName, condition);
        statement.values = whereValues;
        statement.mustTouchRow = true;
        return true;
    }

    QStringList sets;
    for (const KvDeltaValue &value : row.values) {
        const QString column = columnOf(value.field);
        if (column.isEmpty() || !value.field->InUpdate || !value.changed)
            continue;
        sets << quoteIdentifier(column) + QStringLiteral(" = ?");
        statement.values << value.newValue;
    }
    if (sets.isEmpty()) {
        statement.values.clear();
        return true; // nothing of the table changed
    }
    statement.sql = QStringLiteral("update %1 set %2 where %3")
                        .arg(m_tableName, sets.join(QStringLiteral(", ")), condition);
    statement.values += whereValues;
    statement.mustTouchRow = true;
    return true;
}

bool TKV_DataSetProvider::connectionLost() const
{
    KvSession *kv = session();
    PGconn *conn = kv ? kv->pgConnection() : nullptr;
    return !conn || PQstatus(conn) == CONNECTION_BAD;
}

bool TKV_DataSetProvider::ApplyRow(const KvDeltaRow &row, QString *error, QString *context)
{
    KvApplyStatement statement;
    QString message;
    if (!BuildStatement(row, statement, &message)) {
        if (error)
            *error = message;
        return false;
    }
    if (statement.empty())
        return true;
    KvSession *kv = session();
    if (!kv || !kv->isConnected()) {
        if (error)
            *error = QStringLiteral("Нет соединения с БД");
        return false;
    }
    QSqlQuery query(kv->database());
    if (!kv->run(query, statement.sql, statement.values, &message, true)) {
        QString primary;
        splitServerError(message, &primary, context);
        if (error)
            *error = primary;
        return false;
    }
    if (statement.mustTouchRow && query.numRowsAffected() == 0) {
        if (error)
            *error = QStringLiteral("Record changed by another user");
        return false;
    }
    return true;
}

#include "KV_ADODataSet.h"

#include "KV_BusyCursor.h"
#include "KV_PgFetch.h"
#include "KV_db.h"

#include <QSqlQuery>

TKV_ADODataSet::TKV_ADODataSet(KvSession *session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{}

TKV_ADODataSet::~TKV_ADODataSet() = default;

void TKV_ADODataSet::setCommandText(const QString &text)
{
    m_commandText = text;
    m_statement = text;
}

QString TKV_ADODataSet::PSGetKeyFields() const
{
    return m_uniqueFields.trimmed();
}

void TKV_ADODataSet::setSqlSubstitutions(const TSqlSubstitutions &substitutions)
{
    m_substitutions.Clear();
    for (int i = 0; i < substitutions.Count(); ++i)
        m_substitutions.Add(substitutions.GetItem(i).Name, substitutions.GetItem(i).Value);
}

TSqlSubstitution *TKV_ADODataSet::SubstitutionByName(const QString &name, QString *error)
{
    m_substitutions.setOwnerName(objectName());
    QString message;
    TSqlSubstitution *item = m_substitutions.SubstitutionByName(name, &message);
    if (!item) {
        m_lastError = message;
        if (error)
            *error = message;
    }
    return item;
}

QString TKV_ADODataSet::ExpandSubstitutions(const QString &text) const
{
    return ::ExpandSubstitutions(text, m_substituteChar, m_substitutions);
}

void TKV_ADODataSet::ApplySubstitutions()
{
    m_statement = ExpandSubstitutions(m_commandText);
}

bool TKV_ADODataSet::Open()
{
    if (m_active)
        return true;
    KvBusyCursor busy(m_waitCursor);
    m_rows.clear();
    m_row = 0;
    QString error;
    if (!Fetch(m_statement, m_parameters, m_rows, &error)) {
        m_lastError = error;
        m_rows.clear();
        return false;
    }
    m_lastError.clear();
    m_active = true;
    return true;
}

void TKV_ADODataSet::Close()
{
    m_active = false;
    m_rows.clear();
    m_row = 0;
}

bool TKV_ADODataSet::ExecSQL()
{
    if (!m_session) {
        m_lastError = QStringLiteral("Нет соединения с БД");
        return false;
    }
    const KvParsedStatement parsed = ParseNamedParametersPositional(m_statement);
    QVariantList values;
    for (const QString &name : parsed.names)
        values << m_parameters.value(name);
    QSqlQuery query(m_session->database());
    QString error;
    if (!m_session->run(query, parsed.sql, values, &error, true)) {
        m_lastError = error;
        return false;
    }
    m_lastError.clear();
    return true;
}

QVariant TKV_ADODataSet::FieldValue(const QString &name) const
{
    const int column = m_rows.columnIndex(name);
    if (column < 0 || m_row < 0 || m_row >= RecordCount())
        return {};
    return m_rows.columns[column].valueAt(uint32_t(m_row));
}

bool TKV_ADODataSet::Fetch(const QString &statement, const KvParams &params, KvColumnStore &rows,
                           QString *error, size_t *serverBytes) const
{
    return KvPgFetch(m_session, statement, params, rows, error, serverBytes);
}

#include "KV_db.h"

#include "KV_LIB.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <libpq-fe.h>

#include <atomic>

void EventLog::add(const QString &line)
{
    m_lines.prepend(line.left(255));
    while (m_lines.size() > MaxLines)
        m_lines.removeLast();
    Q_EMIT lineAdded(line);
}

namespace {

std::atomic<int> sessionCounter{0};

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

QString valueText(const QVariant &value)
{
    return value.isNull() ? QStringLiteral("Null") : value.toString();
}

} // namespace

KvSession::KvSession(QObject *parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("korvel_%1").arg(++sessionCounter))
    , m_eventLog(this)
{
}

KvSession::~KvSession()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool KvSession::open(const ConnectionParams &params, QString *error)
{
    close();
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    db.setHostName(params.host);
    if (params.port > 0)
        db.setPort(params.port);
    db.setDatabaseName(params.database);
    db.setUserName(params.userName);
    db.setPassword(params.password);
    QStringList options{QStringLiteral("connect_timeout=30")};
    for (const QString &option : params.options.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        options << option.trimmed();
    db.setConnectOptions(options.join(QLatin1Char(';')));

    if (m_debugMode) {
        LogEvent(QStringLiteral("Data Source= ") + params.host);
        LogEvent(QStringLiteral("Initial Catalog= ") + params.database);
        LogEvent(QStringLiteral("User ID= ") + params.userName);
        if (!params.options.isEmpty())
            LogEvent(QStringLiteral("Extended Properties= ") + params.options);
    }
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        if (monitorOn())
            LogEvent(message);
        LogError(message);
        if (error)
            *error = message;
        return false;
    }
    m_inTransaction = false;
    m_serverVersion = QString::fromLatin1(PQparameterStatus(pgConnection(), "server_version"));
    if (monitorOn())
        LogEvent(QStringLiteral("Connect complete "));
    LogEvent(QStringLiteral("DBMS Name=PostgreSQL"));
    LogEvent(QStringLiteral("DBMS Version=") + m_serverVersion);
    // The schema's names are written qualified or bare; both must resolve.
    simple(QStringLiteral("SET search_path TO zolt, public"));
    if (monitorOn())
        LogEvent(QStringLiteral("Connected"));
    Q_EMIT connectionChanged(true);
    return true;
}

void KvSession::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen())
        return;
    if (m_inTransaction)
        CommitWork();
    if (monitorOn())
        LogEvent(QStringLiteral("Disconnect "));
    db.close();
    m_inTransaction = false;
    if (monitorOn())
        LogEvent(QStringLiteral("DisConnected"));
    Q_EMIT connectionChanged(false);
}

bool KvSession::isConnected() const
{
    return QSqlDatabase::contains(m_connectionName)
           && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase KvSession::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

pg_conn *KvSession::pgConnection() const
{
    if (!isConnected())
        return nullptr;
    const QVariant handle = database().driver()->handle();
    // The driver registers the handle as "PGconn*" or, by its struct name, "pg_conn*".
    if (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0)
        return nullptr;
    return *static_cast<PGconn *const *>(handle.data());
}

bool KvSession::simple(const QString &sql, QString *error)
{
    QSqlQuery q(database());
    if (q.exec(sql))
        return true;
    if (error)
        *error = errorText(q.lastError());
    return false;
}

bool KvSession::beginIfNeeded(QString *error)
{
    if (m_inTransaction)
        return true;
    if (!simple(QStringLiteral("BEGIN"), error))
        return false;
    m_inTransaction = true;
    if (monitorOn())
        LogEvent(QStringLiteral("Begin transaction "));
    return true;
}

void KvSession::monitorStatement(const QString &sql, const QVariantList &values)
{
    if (!monitorOn())
        return;
    LogEvent(sql);
    for (int i = 0; i < values.size(); ++i)
        LogEvent(QStringLiteral("P[%1] :%2 = %3").arg(i).arg(i + 1).arg(valueText(values[i])));
    LogEvent(QString());
}

bool KvSession::run(QSqlQuery &query, const QString &sql, const QVariantList &values,
                    QString *error, bool changesData)
{
    if (!isConnected()) {
        if (error)
            *error = QStringLiteral("Нет соединения с БД");
        return false;
    }
    monitorStatement(sql, values);
    if (changesData && !beginIfNeeded(error))
        return false;
    // Inside a transaction a failing statement would abort all of it; a savepoint keeps
    // the failure to this statement alone.
    const bool guarded = m_inTransaction;
    if (guarded && !simple(QStringLiteral("SAVEPOINT kv_stmt"), error))
        return false;
    bool ok;
    if (values.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        if (ok) {
            for (const QVariant &value : values)
                query.addBindValue(value);
            ok = query.exec();
        }
    }
    if (!ok) {
        if (error)
            *error = errorText(query.lastError());
        if (guarded)
            simple(QStringLiteral("ROLLBACK TO SAVEPOINT kv_stmt"));
        return false;
    }
    if (guarded)
        simple(QStringLiteral("RELEASE SAVEPOINT kv_stmt"));
    return true;
}

QVariant KvSession::selectValue(const QString &sql, const QVariantList &values, bool *ok,
                                QString *error)
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const bool done = run(query, sql, values, error, false);
    if (ok)
        *ok = done;
    if (done && query.next())
        return query.value(0);
    return {};
}

QStringList KvSession::splitStatements(const QString &text)
{
    QStringList pieces;
    QString current;
    QChar quote;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            pieces << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    pieces << current.trimmed();
    pieces.removeAll(QString());
    return pieces;
}

bool KvSession::ExecSql(const QString &text)
{
    QElapsedTimer timer;
    timer.start();
    bool result = true;
    const QStringList pieces = splitStatements(text);
    for (int i = 0; i < pieces.size() && isConnected(); ++i) {
        QSqlQuery query(database());
        QString error;
        if (!run(query, pieces[i], {}, &error, true)) {
            LogError(error);
            result = false;
            Rollback();
            ShowBugReport(error + QLatin1Char('\r') + pieces[i]);
            LogError(pieces[i]);
            break;
        }
        if (i + 1 < pieces.size())
            QCoreApplication::processEvents();
    }
    if (m_debugMode) {
        const double seconds = timer.elapsed() / 1000.0;
        LogEvent(QStringLiteral("time") + QString::number(seconds, 'g', QLocale::FloatingPointShortest)
                 + QStringLiteral(" с."));
    }
    return result;
}

bool KvSession::CommitWork()
{
    if (!m_inTransaction)
        return true;
    QString error;
    const bool ok = simple(QStringLiteral("COMMIT"), &error);
    // A failed COMMIT ends the transaction on the server all the same.
    m_inTransaction = false;
    if (monitorOn())
        LogEvent(ok ? QStringLiteral("Commit transaction ") : error);
    if (!ok)
        LogError(error);
    return ok;
}

void KvSession::Rollback()
{
    if (!m_inTransaction)
        return;
    simple(QStringLiteral("ROLLBACK"));
    m_inTransaction = false;
    if (monitorOn())
        LogEvent(QStringLiteral("Rollback transaction "));
}

void KvSession::LogEvent(const QString &text)
{
    m_eventLog.add(text);
}

void KvSession::LogError(const QString &message)
{
    LogEvent(QStringLiteral("ERROR: ") + message);
    if (!m_errorLogFile.isEmpty())
        AppendLogLine(message, m_errorLogFile);
}

void KvSession::ShowBugReport(const QString &text)
{
    if (m_bugReport)
        m_bugReport(text);
}

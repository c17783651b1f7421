#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSqlQuery;
struct pg_conn;

// Where the server listens and who signs in; filled from a connection description file.
struct ConnectionParams
{
    QString host;     // host name or socket folder
    int port = 0;     // 0: the driver's default
    QString database;
    QString userName;
    QString password;
    QString options;  // further libpq keywords, "key=value;key=value"
};

// The in-memory event log: at most MaxLines lines, the newest first.
class EventLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxLines = 100;

    using QObject::QObject;
    void add(const QString &line);
    const QStringList &lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

Q_SIGNALS:
    void lineAdded(const QString &line);

private:
    QStringList m_lines;
};

// The one connection of a running program and its unit of work.
//
// Statements behave as on the server the system was first written for: each statement
// takes effect on its own inside an implicit transaction, a failing statement undoes only
// itself (savepoints), and CommitWork makes the changes visible to others.
class KvSession : public QObject
{
    Q_OBJECT
public:
    explicit KvSession(QObject *parent = nullptr);
    ~KvSession() override;

    bool open(const ConnectionParams &params, QString *error = nullptr);
    void close();
    bool isConnected() const;
    QSqlDatabase database() const;
    // The libpq connection under the Qt driver, for bulk fetches; null when closed.
    pg_conn *pgConnection() const;
    QString serverVersion() const { return m_serverVersion; }

    // Runs one statement with bound values inside the unit of work. Statements that change
    // data open the implicit transaction; a failure undoes only this statement and leaves
    // the message in *error. The query keeps the result set for the caller.
    bool run(QSqlQuery &query, const QString &sql, const QVariantList &values = {},
             QString *error = nullptr, bool changesData = true);
    // Convenience: a single value of a one-row query; invalid on failure or no row.
    QVariant selectValue(const QString &sql, const QVariantList &values = {},
                         bool *ok = nullptr, QString *error = nullptr);

    // Executes one or more statements separated by ";" (outside quoted text). On failure:
    // rolls back, logs, reports the statement, skips the rest and returns false.
    bool ExecSql(const QString &text);
    bool CommitWork();
    void Rollback();
    bool inTransaction() const { return m_inTransaction; }

    EventLog &eventLog() { return m_eventLog; }
    void LogEvent(const QString &text);
    void LogError(const QString &message);

    // Shell settings the session obeys.
    void setDebugMode(bool on) { m_debugMode = on; }
    bool debugMode() const { return m_debugMode; }
    void setSqlMonitor(bool on) { m_sqlMonitor = on; }
    bool monitorOn() const { return m_debugMode && m_sqlMonitor; }
    void setErrorLogFile(const QString &fileName) { m_errorLogFile = fileName; }
    QString errorLogFile() const { return m_errorLogFile; }
    // Where a failing statement is reported to the user (the problem-report window).
    void setBugReportHandler(std::function<void(const QString &)> handler)
    {
        m_bugReport = std::move(handler);
    }
    void ShowBugReport(const QString &text);

    // Splits statement text at ";" outside quoted literals and identifiers; pieces trimmed,
    // empty pieces dropped.
    static QStringList splitStatements(const QString &text);

Q_SIGNALS:
    void connectionChanged(bool connected);

private:
    bool beginIfNeeded(QString *error);
    bool simple(const QString &sql, QString *error = nullptr);
    void monitorStatement(const QString &sql, const QVariantList &values);

    QString m_connectionName;
    QString m_serverVersion;
    EventLog m_eventLog;
    QString m_errorLogFile;
    std::function<void(const QString &)> m_bugReport;
    bool m_inTransaction = false;
    bool m_debugMode = false;
    bool m_sqlMonitor = true;
};

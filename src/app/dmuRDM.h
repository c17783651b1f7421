#pragma once

#include "KV_db.h"

#include <QObject>
#include <QString>

// The server data module: the one connection, the session's identity, the event log and the
// direct-SQL services that every part of the program uses for statements not bound to a
// window.
class TDMR : public QObject
{
    Q_OBJECT
public:
    explicit TDMR(QObject *parent = nullptr);
    ~TDMR() override;

    KvSession &session() { return m_session; }

    // Connects with the connection description of the database name and identifies the
    // user. Every failure is logged and swallowed; the result tells whether the connection,
    // the session's date format and the user lookup all succeeded.
    bool DbLogON(const QString &userName, const QString &password, const QString &dataBase);
    // Closes the connection (an open unit of work is committed first); true when closed.
    bool DbLogOut();
    bool Get_DatabaseConnectStatus() const;
    // CurrentUserId of the login name: the APP_USER row with the latest VALID_TO; -1 and
    // false when there is none; false and unchanged when the lookup fails.
    bool GetUserId();
    // Takes the identity and reads the connection description file of the database; false
    // with the reason when the file is missing, unreadable or not for this program.
    bool PrepareConnection(const QString &userName, const QString &password,
                           const QString &dataBase, QString *error = nullptr);

    // The login name is kept in upper case; an open connection is reopened under the name.
    void SetLoginName(const QString &name);
    QString GetLoginName() const { return m_loginName.toUpper(); }
    void SetDataBaseName(const QString &name) { m_dataBaseName = name; }
    QString DataBaseName() const { return m_dataBaseName; }
    int CurrentUserId() const { return m_currentUserId; }
    QString DbmsName() const { return m_dbmsName; }
    QString DbmsVersion() const { return m_dbmsVersion; }

    bool ExecSql(const QString &text) { return m_session.ExecSql(text); }
    bool CommitWork() { return m_session.CommitWork(); }
    void LogEvent(const QString &text) { m_session.LogEvent(text); }
    void LogError(const QString &message) { m_session.LogError(message); }

    // The text log of errors: korvel.log beside the settings file.
    static QString DefaultErrorLogFile();
    // The statement that makes the server write and read dates in the given format
    // ("DD/MM/YYYY" gives "SET DateStyle TO 'SQL, DMY'").
    static QString DateStyleStatement(const QString &longDateFormat);

private:
    KvSession m_session;
    ConnectionParams m_params;
    QString m_loginName;
    QString m_dataBaseName;
    int m_currentUserId = -1;
    QString m_dbmsName;
    QString m_dbmsVersion;
};

// The program's server data module; null while none exists.
extern TDMR *DMR;

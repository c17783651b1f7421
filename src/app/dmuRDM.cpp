#include "dmuRDM.h"

#include "AppVars.h"
#include "BugReport.h"
#include "UdlFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <exception>

TDMR *DMR = nullptr;

namespace {

const QString UserIdSql = QStringLiteral(
    "select USER_ID from ZOLT.APP_USER U1 where U1.LOGIN_NAME = ? and U1.VALID_TO = "
    "(select MAX(VALID_TO) from ZOLT.APP_USER U2 where U1.LOGIN_NAME = U2.LOGIN_NAME)");

} // namespace

TDMR::TDMR(QObject *parent)
    : QObject(parent)
{
    m_session.setDebugMode(DebugMode);
    m_session.setSqlMonitor(SqlMonitorOn);
    const QString logFile = DefaultErrorLogFile();
    QDir().mkpath(QFileInfo(logFile).absolutePath());
    m_session.setErrorLogFile(logFile);
    m_session.setBugReportHandler(&ShowBugReport);
    DMR = this;
}

TDMR::~TDMR()
{
    m_session.close();
    if (DMR == this)
        DMR = nullptr;
}

QString TDMR::DefaultErrorLogFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tervalon/korvel/korvel.log");
}

QString TDMR::DateStyleStatement(const QString &longDateFormat)
{
    const QString format = longDateFormat.trimmed().toUpper();
    const int d = format.indexOf(QLatin1Char('D'));
    const int m = format.indexOf(QLatin1Char('M'));
    const int y = format.indexOf(QLatin1Char('Y'));
    QString style = QStringLiteral("SQL, DMY");
    if (y >= 0 && y < d && y < m)
        style = QStringLiteral("ISO, YMD");
    else if (m >= 0 && m < d)
        style = QStringLiteral("SQL, MDY");
    else if (format.contains(QLatin1Char('.')))
        style = QStringLiteral("German, DMY");
    return QStringLiteral("SET DateStyle TO '%1'").arg(style);
}

bool TDMR::PrepareConnection(const QString &userName, const QString &password,
                             const QString &dataBase, QString *error)
{
    m_session.close();
    SetLoginName(userName);
    LogonPassword = password;
    SetDataBaseName(dataBase);
    const QString file = Udl::fileForDatabase(ConnectionsPath, dataBase);
    ConnectionParams params;
    if (!Udl::readFile(file, &params, error))
        return false;
    params.userName = GetLoginName();
    params.password = password;
    m_params = params;
    return true;
}

void TDMR::SetLoginName(const QString &name)
{
    const bool wasOpen = m_session.isConnected();
    if (wasOpen)
        m_session.close();
    m_loginName = name.toUpper();
    m_params.userName = m_loginName;
    if (wasOpen)
        m_session.open(m_params);
}

bool TDMR::DbLogON(const QString &userName, const QString &password, const QString &dataBase)
{
    bool result = false;
    try {
        m_session.close();
        m_session.setDebugMode(DebugMode);
        m_session.setSqlMonitor(SqlMonitorOn);
        QString error;
        if (!PrepareConnection(userName, password, dataBase, &error)) {
            LogError(error);
            return false;
        }
        // A failure to open is logged by the session itself.
        m_session.open(m_params);
        result = m_session.isConnected();
        if (result) {
            m_dbmsName = QStringLiteral("PostgreSQL");
            m_dbmsVersion = m_session.serverVersion();
            result = ExecSql(DateStyleStatement(LongDateFormat));
            if (result)
                result = GetUserId();
        }
    } catch (const std::exception &e) {
        LogError(QString::fromLocal8Bit(e.what()));
        result = false;
    }
    return result;
}

bool TDMR::DbLogOut()
{
    m_session.close();
    m_currentUserId = -1;
    QCoreApplication::processEvents();
    return !m_session.isConnected();
}

bool TDMR::Get_DatabaseConnectStatus() const
{
    return m_session.isConnected();
}

bool TDMR::GetUserId()
{
    if (!m_session.isConnected())
        return false;
    bool ok = false;
    QString error;
    const QVariant id = m_session.selectValue(UserIdSql, {GetLoginName()}, &ok, &error);
    bool result = false;
    if (!ok) {
        LogError(error);
    } else if (id.isNull()) {
        m_currentUserId = -1;
    } else {
        m_currentUserId = id.toInt();
        result = true;
    }
    CommitWork();
    return result;
}

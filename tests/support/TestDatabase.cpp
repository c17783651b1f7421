#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

const char *TemplateName = "korvel_template";

QSqlDatabase ownerConnection(const QString &database)
{
    const QString connectionName = QStringLiteral("testowner_") + database;
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!db.isOpen()) {
        db.setHostName(TestDatabase::host());
        db.setDatabaseName(database);
        db.setUserName(QStringLiteral("ZOLT"));
        db.setPassword(QStringLiteral("tmvk"));
        db.open();
    }
    return db;
}

} // namespace

QString TestDatabase::host()
{
    return qEnvironmentVariable("KORVEL_TEST_PGHOST");
}

TestDatabase::TestDatabase()
{
    if (host().isEmpty()) {
        m_error = QStringLiteral("KORVEL_TEST_PGHOST is not set: run the tests through ctest");
        return;
    }
    QString program = QFileInfo(QCoreApplication::applicationFilePath()).baseName().toLower();
    program.replace(QLatin1Char('-'), QLatin1Char('_'));
    m_name = QStringLiteral("t_%1_%2").arg(program).arg(QCoreApplication::applicationPid());
    QSqlDatabase admin = ownerConnection(QStringLiteral("postgres"));
    if (!admin.isOpen()) {
        m_error = admin.lastError().text();
        return;
    }
    QSqlQuery q(admin);
    q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    if (!q.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(m_name, TemplateName)))
        m_error = q.lastError().text();
}

TestDatabase::~TestDatabase()
{
    if (m_name.isEmpty())
        return;
    const QString own = QStringLiteral("testowner_") + m_name;
    if (QSqlDatabase::contains(own)) {
        QSqlDatabase::database(own, false).close();
        QSqlDatabase::removeDatabase(own);
    }
    QSqlDatabase admin = ownerConnection(QStringLiteral("postgres"));
    QSqlQuery q(admin);
    q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
}

ConnectionParams TestDatabase::params(const QString &user, const QString &password) const
{
    ConnectionParams p;
    p.host = host();
    p.database = m_name;
    p.userName = user;
    p.password = password;
    return p;
}

bool TestDatabase::execAsOwner(const QString &sql, QString *error) const
{
    QSqlDatabase db = ownerConnection(m_name);
    QSqlQuery q(db);
    for (const QString &statement : KvSession::splitStatements(sql)) {
        if (!q.exec(statement)) {
            if (error)
                *error = q.lastError().text();
            qWarning("execAsOwner: %s\n%s", qPrintable(q.lastError().text()),
                     qPrintable(statement));
            return false;
        }
    }
    return true;
}

QVariant TestDatabase::valueAsOwner(const QString &sql) const
{
    QSqlQuery q(ownerConnection(m_name));
    if (q.exec(sql) && q.next())
        return q.value(0);
    return {};
}

QString TestDatabase::writeUdl(const QString &folder, const QString &baseName) const
{
    QDir().mkpath(folder);
    const QString fileName = QDir(folder).filePath(baseName + QStringLiteral(".udl"));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    const QString text = QStringLiteral("[oledb]\r\n"
                                        "; Everything after this line is an OLE DB initstring\r\n"
                                        "Provider=PostgreSQL;Data Source=%1;Initial Catalog=%2\r\n")
                             .arg(host(), m_name);
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF));
        bytes.append(char(u >> 8));
    }
    file.write(bytes);
    return fileName;
}

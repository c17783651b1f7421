// The session modules against the real server: sign-in, the user lookup, the session's date
// format, ExecSql and the unit of work, the event log and the error log file, sign-out.

#include "AppVars.h"
#include "ScriptedPrompts.h"
#include "TestDatabase.h"
#include "dmuDM.h"
#include "dmuRDM.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

const QString Password = QStringLiteral("vyrt");

// Answers the sign-in dialog with fixed values and remembers what it was offered.
struct DialogAnswer
{
    QString user;
    QString password;
    QString dataBase;
    bool accept = true;
    QStringList offered;
    TDM::Credentials shown;

    void set(const QString &u, const QString &p, const QString &d)
    {
        user = u;
        password = p;
        dataBase = d;
        accept = true;
    }
    TDM::CredentialsDialog dialog()
    {
        return [this](TDM::Credentials &c, const QStringList &dataBases) {
            shown = c;
            offered = dataBases;
            c = {user, password, dataBase};
            return accept;
        };
    }
};

QString fileText(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TstAppSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void signsInAndSetsDateFormat();
    void lowerCaseUserSignsInUpperCase();
    void userIdOfLatestRow_data();
    void userIdOfLatestRow();
    void signInFailures_data();
    void signInFailures();
    void cancelledDialogDoesNotConnect();
    void execSqlRunsEveryStatement();
    void execSqlFailureRollsBackAndReports();
    void semicolonInsideQuotes();
    void eventLogKeepsNewestHundred();
    void logOutClosesDatasetsFirst();
    void remoteServerKindReportsNoConnection();

private:
    bool signIn(const QString &user = QStringLiteral("DEMO"));

    TestDatabase m_db;
    QTemporaryDir m_connections;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TDMR> m_dmr;
    std::unique_ptr<TDM> m_dm;
    DialogAnswer m_answer;
};

void TstAppSession::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(!m_db.writeUdl(m_connections.path(), QStringLiteral("DEMO")).isEmpty());
    // A provider this program cannot use, and a server that is not there.
    QFile other(m_connections.filePath(QStringLiteral("ACCESS.udl")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("[oledb]\r\nProvider=Microsoft.Jet.OLEDB.4.0;Data Source=c:\\db.mdb\r\n");
    other.close();
    QFile down(m_connections.filePath(QStringLiteral("DOWN.udl")));
    QVERIFY(down.open(QIODevice::WriteOnly));
    down.write("Provider=PostgreSQL;Data Source=/tmp/korvel-no-server-here;Initial Catalog=x");
    down.close();
}

void TstAppSession::init()
{
    InitAppVars(QStringLiteral("/nowhere/bin"));
    ConnectionsPath = m_connections.path() + QLatin1Char('/');
    QFile::remove(TDMR::DefaultErrorLogFile());
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_dmr = std::make_unique<TDMR>();
    m_dm = std::make_unique<TDM>(m_dmr.get());
    m_answer.set(QStringLiteral("DEMO"), Password, QStringLiteral("DEMO"));
    m_dm->setCredentialsDialog(m_answer.dialog());
    QVERIFY(m_db.execAsOwner(QStringLiteral("delete from zolt.APP_USER")));
}

void TstAppSession::cleanup()
{
    m_dm.reset();
    m_dmr.reset();
    m_prompts.reset();
    QVERIFY(!DM && !DMR);
}

bool TstAppSession::signIn(const QString &user)
{
    m_answer.user = user;
    return m_dm->Login();
}

void TstAppSession::signsInAndSetsDateFormat()
{
    QSignalSpy changed(m_dm.get(), &TDM::connectionStateChanged);
    QStringList busy;
    m_dm->setBusyFeedback(
        {[&](const QString &text) { busy << text; }, [&] { busy << QStringLiteral("end"); }});
    QVERIFY(m_dm->InitDM());

    QVERIFY(signIn());
    QVERIFY(m_dm->IsDatabaseConnected());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(busy, (QStringList{"Устанавливается соединение с БД ..", "end"}));
    // The dialog saw the remembered values and the databases of the folder.
    QCOMPARE(m_answer.shown.userName, QStringLiteral("DEMO"));
    QCOMPARE(m_answer.shown.dataBase, QStringLiteral("DEMO"));
    QCOMPARE(m_answer.offered, (QStringList{"ACCESS", "DEMO", "DOWN"}));
    QCOMPARE(m_dmr->DataBaseName(), QStringLiteral("DEMO"));
    QCOMPARE(m_dmr->DbmsName(), QStringLiteral("PostgreSQL"));
    QVERIFY2(m_dmr->DbmsVersion().startsWith(QStringLiteral("15")),
             qPrintable(m_dmr->DbmsVersion()));
    QVERIFY(m_dmr->session().eventLog().lines().contains(QStringLiteral("DBMS Version=") +
                                                         m_dmr->DbmsVersion()));

    // Dates travel as DD/MM/YYYY in both directions.
    KvSession &session = m_dmr->session();
    QCOMPARE(session.selectValue(QStringLiteral("select DATE '2024-03-17'::text")).toString(),
             QStringLiteral("17/03/2024"));
    QCOMPARE(session.selectValue(QStringLiteral("select '05/04/2024'::date = DATE '2024-04-05'"))
                 .toBool(),
             true);

    m_dm->LogOut();
    QVERIFY(!m_dm->IsDatabaseConnected());
    QVERIFY(!m_dmr->Get_DatabaseConnectStatus());
    QCOMPARE(m_dm->CurrentUserId(), -1);
    QCOMPARE(changed.count(), 2);
}

void TstAppSession::lowerCaseUserSignsInUpperCase()
{
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("insert into zolt.APP_USER (USER_ID, STATUS_ID, LOGIN_NAME, VALID_TO) "
                       "values (4, 1, 'DEMO', DATE '4712-12-31')")));
    QVERIFY(signIn(QStringLiteral("demo")));
    QCOMPARE(m_dm->GetLoginName(), QStringLiteral("DEMO"));
    QCOMPARE(m_dmr->session().selectValue(QStringLiteral("select current_user")).toString(),
             QStringLiteral("DEMO"));
    QCOMPARE(m_dm->CurrentUserId(), 4);
    // Kept as typed for the next sign-in.
    QCOMPARE(LogonUserName, QStringLiteral("demo"));
    QCOMPARE(LogonPassword, Password);
}

void TstAppSession::userIdOfLatestRow_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("userId");
    QTest::addColumn<bool>("found");

    QTest::newRow("no row: signed in all the same") << "" << -1 << false;
    QTest::newRow("latest VALID_TO wins over a higher id")
        << "(5, 'DEMO', DATE '4712-12-31'), (6, 'DEMO', DATE '2001-01-01'), "
           "(9, 'OTHER', DATE '4712-12-31')"
        << 5 << true;
    QTest::newRow("latest VALID_TO wins over a lower id")
        << "(3, 'DEMO', DATE '2001-01-01'), (7, 'DEMO', DATE '2010-06-30')" << 7 << true;
    QTest::newRow("rows of other names only") << "(2, 'DEMOX', DATE '4712-12-31')" << -1 << false;
}

void TstAppSession::userIdOfLatestRow()
{
    QFETCH(QString, rows);
    QFETCH(int, userId);
    if (!rows.isEmpty()) {
        QVERIFY(m_db.execAsOwner(
            QStringLiteral("insert into zolt.APP_USER (USER_ID, LOGIN_NAME, VALID_TO) values ") +
            rows));
    }
    QVERIFY(signIn());
    QVERIFY(m_dm->IsDatabaseConnected());
    QCOMPARE(m_dm->CurrentUserId(), userId);
    QCOMPARE(m_dmr->CurrentUserId(), userId);
    QTEST(m_dmr->GetUserId(), "found");
    QVERIFY(!m_dmr->session().inTransaction());
}

void TstAppSession::signInFailures_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("dataBase");
    QTest::addColumn<QString>("cause");

    const QString secret = QStringLiteral("Secret-7731");
    QTest::newRow("wrong password") << "DEMO" << secret << "DEMO"
                                    << "password authentication failed for user \"DEMO\"";
    QTest::newRow("unknown user") << "nobody" << secret << "DEMO"
                                  << "password authentication failed for user \"NOBODY\"";
    QTest::newRow("missing udl") << "DEMO" << secret << "NOSUCH"
                                 << "NOSUCH.udl не найден";
    QTest::newRow("unknown provider") << "DEMO" << secret << "ACCESS"
                                      << "\"Microsoft.Jet.OLEDB.4.0\" не поддерживается";
    QTest::newRow("server down") << "DEMO" << secret << "DOWN"
                                 << "/tmp/korvel-no-server-here";
}

void TstAppSession::signInFailures()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, dataBase);
    QFETCH(QString, cause);
    // With the monitor on, the connection's properties go to the event log too.
    DebugMode = true;
    m_dmr->session().setDebugMode(true);
    m_answer.set(user, password, dataBase);

    QVERIFY(!m_dm->Login());
    QVERIFY(!m_dm->IsDatabaseConnected());
    QCOMPARE(m_dm->CurrentUserId(), -1);
    const QStringList lines = m_dmr->session().eventLog().lines();
    bool logged = false;
    for (const QString &line : lines)
        logged = logged || (line.startsWith(QStringLiteral("ERROR: ")) && line.contains(cause));
    QVERIFY2(logged, qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY(!lines.join(QLatin1Char('\n')).contains(password));
    const QString logFile = fileText(TDMR::DefaultErrorLogFile());
    QVERIFY2(logFile.contains(cause), qPrintable(logFile));
    QVERIFY(!logFile.contains(password));

    // Still usable: the right credentials connect.
    m_answer.set(QStringLiteral("DEMO"), Password, QStringLiteral("DEMO"));
    QVERIFY(m_dm->Login());
}

void TstAppSession::cancelledDialogDoesNotConnect()
{
    m_answer.accept = false;
    m_answer.password = QStringLiteral("typed but cancelled");
    QVERIFY(!m_dm->Login());
    QVERIFY(!m_dm->IsDatabaseConnected());
    QCOMPARE(LogonPassword, Password); // values of a cancelled dialog are not taken
}

void TstAppSession::execSqlRunsEveryStatement()
{
    QVERIFY(signIn());
    QCOMPARE(KvSession::splitStatements(QStringLiteral(" a = 1 ; b = 2;  ")),
             (QStringList{"a = 1", "b = 2"}));
    QVERIFY(m_dm->ExecSql(
        QStringLiteral("update zolt.MEASURE set SHORTNAME = 'ш1' where MEASURE_ID = 0;\n"
                       "update zolt.MEASURE set MEASURENAME = 'имя 1' where MEASURE_ID = 0;")));
    KvSession &session = m_dmr->session();
    QCOMPARE(
        session
            .selectValue(QStringLiteral("select SHORTNAME || '/' || MEASURENAME from zolt.MEASURE "
                                        "where MEASURE_ID = 0"))
            .toString(),
        QStringLiteral("ш1/имя 1"));
    // Others see the change only once the unit of work is committed.
    QCOMPARE(
        m_db.valueAsOwner(QStringLiteral("select SHORTNAME from zolt.MEASURE where MEASURE_ID = 0"))
            .toString(),
        QStringLiteral(" "));
    QVERIFY(m_dm->CommitWork());
    QCOMPARE(m_db.valueAsOwner(
                     QStringLiteral("select MEASURENAME from zolt.MEASURE where MEASURE_ID = 0"))
                 .toString(),
             QStringLiteral("имя 1"));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppSession::execSqlFailureRollsBackAndReports()
{
    QVERIFY(signIn());
    const QString failing = QStringLiteral("insert into zolt.NO_SUCH_TABLE (X) values (1)");
    QVERIFY(!m_dmr->ExecSql(
        QStringLiteral("insert into zolt.MEASURE (MEASURE_ID, SHORTNAME) values (901, 'a');") +
        failing +
        QStringLiteral(";insert into zolt.MEASURE (MEASURE_ID, SHORTNAME) values (902, 'b')")));

    // The statement before the failing one is undone, the one after never ran.
    QVERIFY(!m_dmr->session().inTransaction());
    QCOMPARE(m_dmr->session()
                 .selectValue(QStringLiteral(
                     "select count(*) from zolt.MEASURE where MEASURE_ID in (901, 902)"))
                 .toInt(),
             0);
    const QStringList lines = m_dmr->session().eventLog().lines();
    QCOMPARE(lines.value(0), QStringLiteral("ERROR: ") + failing);
    QVERIFY2(lines.value(1).startsWith(QStringLiteral("ERROR: ")) &&
                 lines.value(1).contains(QStringLiteral("no_such_table")),
             qPrintable(lines.value(1)));
    const QString message = lines.value(1).mid(7);
    // The problem report shows the message and the statement.
    QCOMPARE(m_prompts->texts(Prompts::Kind::Error),
             QStringList{message + QLatin1Char('\r') + failing});
    QVERIFY(fileText(TDMR::DefaultErrorLogFile()).contains(failing));

    // The session goes on working.
    QVERIFY(m_dmr->ExecSql(
        QStringLiteral("insert into zolt.MEASURE (MEASURE_ID, SHORTNAME) values (903, 'c')")));
    QVERIFY(m_dmr->CommitWork());
    QCOMPARE(m_db.valueAsOwner(
                     QStringLiteral("select SHORTNAME from zolt.MEASURE where MEASURE_ID = 903"))
                 .toString(),
             QStringLiteral("c"));
}

void TstAppSession::semicolonInsideQuotes()
{
    QVERIFY(signIn());
    QVERIFY(m_dm->ExecSql(
        QStringLiteral("insert into zolt.MEASURE (MEASURE_ID, SHORTNAME, MEASURENAME) "
                       "values (911, 'a;b', 'it''s; \"x;y\"');"
                       "update zolt.MEASURE set RECALCFACTOR = 2 where MEASURE_ID = 911;")));
    QVERIFY(m_dm->CommitWork());
    QCOMPARE(m_db.valueAsOwner(
                     QStringLiteral("select SHORTNAME || '|' || MEASURENAME || '|' || RECALCFACTOR "
                                    "from zolt.MEASURE where MEASURE_ID = 911"))
                 .toString(),
             QStringLiteral("a;b|it's; \"x;y\"|2.000000"));
}

void TstAppSession::eventLogKeepsNewestHundred()
{
    for (int i = 1; i <= 101; ++i)
        m_dmr->LogEvent(QStringLiteral("line %1").arg(i));
    const QStringList lines = m_dmr->session().eventLog().lines();
    QCOMPARE(lines.size(), 100);
    QCOMPARE(lines.first(), QStringLiteral("line 101"));
    QCOMPARE(lines.last(), QStringLiteral("line 2"));
    QVERIFY(!lines.contains(QStringLiteral("line 1")));

    m_dmr->LogError(QStringLiteral("disk full"));
    QCOMPARE(m_dmr->session().eventLog().lines().first(), QStringLiteral("ERROR: disk full"));
    QVERIFY(fileText(TDMR::DefaultErrorLogFile()).contains(QStringLiteral("   disk full")));
}

void TstAppSession::logOutClosesDatasetsFirst()
{
    QVERIFY(signIn());
    QList<bool> connectedWhenClosed;
    QObject shared;
    m_dm->registerDataset(&shared,
                          [&] { connectedWhenClosed << m_dmr->Get_DatabaseConnectStatus(); });
    {
        QObject gone;
        m_dm->registerDataset(&gone, [&] { QFAIL("a destroyed dataset was closed"); });
    }
    // Pending work of the unit is committed when the connection closes.
    QVERIFY(m_dm->ExecSql(QStringLiteral(
        "update zolt.MEASURE set MEASURENAME = 'at sign-out' where MEASURE_ID = 0")));
    m_dm->LogOut();
    QCOMPARE(connectedWhenClosed, QList<bool>{true});
    QVERIFY(!m_dm->IsDatabaseConnected());
    QCOMPARE(m_db.valueAsOwner(
                     QStringLiteral("select MEASURENAME from zolt.MEASURE where MEASURE_ID = 0"))
                 .toString(),
             QStringLiteral("at sign-out"));
}

void TstAppSession::remoteServerKindReportsNoConnection()
{
    TDM remote(m_dmr.get(), 0);
    QCOMPARE(remote.GetKindDM(), 0);
    QVERIFY(signIn());
    QVERIFY(m_dmr->Get_DatabaseConnectStatus());
    QVERIFY(!remote.IsDatabaseConnected());
    remote.LogOut(); // skips the server module
    QVERIFY(m_dmr->Get_DatabaseConnectStatus());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    TstAppSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_session.moc"

// The installation folders, the start parameters and the session's date format.

#include "AppVars.h"
#include "StartParams.h"
#include "dmuRDM.h"

#include <QtTest>

class TstAppStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installFolders_data();
    void installFolders();
    void startParams_data();
    void startParams();
    void initAppVarsGivesStartValues();
    void dateStyle_data();
    void dateStyle();
};

void TstAppStartup::installFolders_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("reportForms");
    QTest::addColumn<QString>("connections");
    QTest::addColumn<QString>("helpFile");

    QTest::newRow("BIN folder") << "/opt/app/BIN/"
                                << "/opt/app/FR_FORMS/"
                                << "/opt/app/CONNECTIONS/"
                                << "/opt/app/DOC/korvel.chm";
    QTest::newRow("bin without trailing slash, case of the rest kept")
        << "/home/Ivanov/Korvel/bin"
        << "/home/Ivanov/Korvel/FR_FORMS/"
        << "/home/Ivanov/Korvel/CONNECTIONS/"
        << "/home/Ivanov/Korvel/DOC/korvel.chm";
    QTest::newRow("mixed case Bin") << "/srv/Bin/"
                                    << "/srv/FR_FORMS/"
                                    << "/srv/CONNECTIONS/"
                                    << "/srv/DOC/korvel.chm";
    QTest::newRow("no bin folder: the program folder") << "/opt/app/"
                                                       << "/opt/app/"
                                                       << "/opt/app/"
                                                       << "/opt/app/korvel.chm";
    QTest::newRow("bin only as part of a name") << "/opt/cabinet/binary/"
                                                << "/opt/cabinet/binary/"
                                                << "/opt/cabinet/binary/"
                                                << "/opt/cabinet/binary/korvel.chm";
    QTest::newRow("every bin component") << "/usr/bin/korvel/bin/"
                                         << "/usr/FR_FORMS/korvel/FR_FORMS/"
                                         << "/usr/CONNECTIONS/korvel/CONNECTIONS/"
                                         << "/usr/DOC/korvel/DOC/korvel.chm";
}

void TstAppStartup::installFolders()
{
    QFETCH(QString, program);
    const InstallFolders folders = InstallFoldersFor(program);
    QTEST(folders.reportForms, "reportForms");
    QTEST(folders.connections, "connections");
    QTEST(folders.helpFile, "helpFile");
}

void TstAppStartup::startParams_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("design");
    QTest::addColumn<bool>("remoteServer");

    QTest::newRow("none") << QStringList{"korvel"} << false << false << false;
    QTest::newRow("/debug") << QStringList{"korvel", "/debug"} << true << false << false;
    QTest::newRow("-DEBUG in capitals")
        << QStringList{"korvel", "-DEBUG"} << true << false << false;
    QTest::newRow("debug without sign")
        << QStringList{"korvel", "debug"} << false << false << false;
    QTest::newRow("design and remoteserver")
        << QStringList{"korvel", "-Design", "RemoteServer"} << false << true << true;
    QTest::newRow("the program name is no parameter")
        << QStringList{"/debug"} << false << false << false;
    QTest::newRow("unknown ones ignored")
        << QStringList{"korvel", "--debug", "/x", "/design"} << false << true << false;
}

void TstAppStartup::startParams()
{
    QFETCH(QStringList, arguments);
    const StartParams params = ParseStartParams(arguments);
    QTEST(params.debug, "debug");
    QTEST(params.design, "design");
    QTEST(params.remoteServer, "remoteServer");
}

void TstAppStartup::initAppVarsGivesStartValues()
{
    DebugMode = DesignMode = AppClosing = UseMemoryManager = true;
    SumDecimals = 5;
    DecimalSeparator = QLatin1Char(',');
    ShortDateFormat = QStringLiteral("YYYY-MM-DD");
    InitAppVars(QStringLiteral("/opt/app/bin"));
    QVERIFY(!DebugMode && !DesignMode && !AppClosing && !UseMemoryManager);
    QVERIFY(SqlMonitorOn);
    QCOMPARE(SumDecimals, 2);
    QCOMPARE(InfiniteDate, QDate(4712, 12, 31));
    QCOMPARE(PeriodFrom, QDate::currentDate());
    QCOMPARE(PeriodTo, QDate::currentDate());
    QCOMPARE(ShortDateFormat, QStringLiteral("DD/MM/YYYY"));
    QCOMPARE(DecimalSeparator, QLatin1Char('.'));
    QCOMPARE(ThousandSeparator, QLatin1Char(' '));
    QCOMPARE(ConnectionsPath, QStringLiteral("/opt/app/CONNECTIONS/"));
    QCOMPARE(QtDateFormat(ShortDateFormat), QStringLiteral("dd/MM/yyyy"));
}

void TstAppStartup::dateStyle_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("statement");
    QTest::newRow("DD/MM/YYYY") << "DD/MM/YYYY"
                                << "SET DateStyle TO 'SQL, DMY'";
    QTest::newRow("dd/mm/yyyy") << "dd/mm/yyyy"
                                << "SET DateStyle TO 'SQL, DMY'";
    QTest::newRow("MM/DD/YYYY") << "MM/DD/YYYY"
                                << "SET DateStyle TO 'SQL, MDY'";
    QTest::newRow("DD.MM.YYYY") << "DD.MM.YYYY"
                                << "SET DateStyle TO 'German, DMY'";
    QTest::newRow("YYYY-MM-DD") << "YYYY-MM-DD"
                                << "SET DateStyle TO 'ISO, YMD'";
}

void TstAppStartup::dateStyle()
{
    QFETCH(QString, format);
    QTEST(TDMR::DateStyleStatement(format), "statement");
}

QTEST_GUILESS_MAIN(TstAppStartup)
#include "tst_app_startup.moc"

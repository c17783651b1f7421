// Connection description files: encodings, the connection string, the provider and the
// database names a folder offers.

#include "UdlFile.h"

#include <QtTest>

namespace {

const QString Header = QStringLiteral("[oledb]\r\n"
                                      "; Everything after this line is an OLE DB initstring\r\n");

QByteArray utf16le(const QString &text, bool bom)
{
    QByteArray bytes = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TstAppUdl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsFile_data();
    void readsFile();
    void refusesFile_data();
    void refusesFile();
    void dataSource_data();
    void dataSource();
    void databaseNamesOfFolder();
    void fileForDatabaseName();
};

void TstAppUdl::readsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("options");

    const QString plain =
        Header +
        QStringLiteral("Provider=PostgreSQL;Data Source=dbhost:5433;Initial Catalog=korvel\r\n");
    QTest::newRow("UTF-16LE with BOM") << utf16le(plain, true) << "dbhost" << 5433 << "korvel"
                                       << "";
    QTest::newRow("UTF-16LE without BOM") << utf16le(plain, false) << "dbhost" << 5433 << "korvel"
                                          << "";
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF") + plain.toUtf8() << "dbhost" << 5433 << "korvel"
        << "";
    QTest::newRow("UTF-8, LF, Cyrillic catalog, versioned provider")
        << QStringLiteral("[oledb]\n; comment\nProvider=PostgreSQL.1;Data Source=/run/pg;"
                          "Initial Catalog=склад\n")
               .toUtf8()
        << "/run/pg" << 0 << "склад"
        << "";
    QTest::newRow("quoted values with ; and doubled quotes, user and password dropped")
        << utf16le(Header + QStringLiteral("Provider=\"PostgreSQL\";Password=secret;"
                                           "User ID=IVANOV;Data Source='db;host';"
                                           "Extended Properties=\"sslmode=require;"
                                           "application_name=\"\"k\"\";password=x\";"
                                           "Initial Catalog = \"sales db\"\r\n"),
                   true)
        << "db;host" << 0 << "sales db"
        << "sslmode=require;application_name=\"k\"";
    QTest::newRow("blank-separated libpq keywords")
        << QStringLiteral("Provider=PostgreSQL;Data Source=h;Initial Catalog=d;"
                          "Extended Properties=\"sslmode=disable connect_timeout=5\"")
               .toUtf8()
        << "h" << 0 << "d"
        << "sslmode=disable;connect_timeout=5";
}

void TstAppUdl::readsFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("DEMO.udl"));
    writeFile(fileName, bytes);

    ConnectionParams params;
    params.userName = QStringLiteral("untouched");
    QString error;
    QVERIFY2(Udl::readFile(fileName, &params, &error), qPrintable(error));
    QTEST(params.host, "host");
    QTEST(params.port, "port");
    QTEST(params.database, "database");
    QTEST(params.options, "options");
}

void TstAppUdl::refusesFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing file") << QByteArray() << "не найден";
    QTest::newRow("unknown provider")
        << utf16le(Header + QStringLiteral("Provider=MSDASQL.1;Data Source=korvel\r\n"), true)
        << "поставщик данных \"MSDASQL.1\" не поддерживается";
    QTest::newRow("no provider") << QByteArray("[oledb]\r\nData Source=h;Initial Catalog=d\r\n")
                                 << "не указан поставщик данных";
    QTest::newRow("no connection string") << utf16le(Header, true) << "нет строки соединения";
    QTest::newRow("bad port") << QByteArray(
                                     "Provider=PostgreSQL;Data Source=h:54x2;Initial Catalog=d")
                              << "неверный порт \"54x2\"";
}

void TstAppUdl::refusesFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("SALES.udl"));
    if (!bytes.isEmpty())
        writeFile(fileName, bytes);

    ConnectionParams params;
    QString error;
    QVERIFY(!Udl::readFile(fileName, &params, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(error.contains(fileName), qPrintable(error));
}

void TstAppUdl::dataSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("host") << "db.example.org"
                          << "db.example.org" << 0;
    QTest::newRow("host:port") << "10.0.0.5:6543"
                               << "10.0.0.5" << 6543;
    QTest::newRow("socket folder") << "/var/run/postgresql"
                                   << "/var/run/postgresql" << 0;
    QTest::newRow("IPv6 with port") << "[::1]:5434"
                                    << "::1" << 5434;
    QTest::newRow("empty: the driver's default") << ""
                                                 << "" << 0;
}

void TstAppUdl::dataSource()
{
    QFETCH(QString, source);
    ConnectionParams params;
    QString error;
    QVERIFY2(Udl::toConnectionParams({{QStringLiteral("Provider"), QStringLiteral("postgresql")},
                                      {QStringLiteral("Data Source"), source}},
                                     &params, &error),
             qPrintable(error));
    QTEST(params.host, "host");
    QTEST(params.port, "port");
}

void TstAppUdl::databaseNamesOfFolder()
{
    QTemporaryDir dir;
    const QByteArray any("Provider=PostgreSQL");
    for (const char *name :
         {"SALES.OLD.udl", "DEMO.udl", "main.2008.udl", "notes.txt", "archive.UDL"})
        writeFile(dir.filePath(QString::fromLatin1(name)), any);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".hidden.udl")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.udl")));

    QCOMPARE(Udl::databaseNames(dir.path()), (QStringList{"archive", "DEMO", "main", "SALES"}));
    QCOMPARE(Udl::databaseNames(dir.filePath(QStringLiteral("nothing-here"))), QStringList());
    QCOMPARE(Udl::databaseNameOf(QStringLiteral("/x/y/SALES.OLD.udl")), QStringLiteral("SALES"));
}

void TstAppUdl::fileForDatabaseName()
{
    QTemporaryDir dir;
    const QByteArray any("Provider=PostgreSQL");
    writeFile(dir.filePath(QStringLiteral("SALES.OLD.udl")), any);
    writeFile(dir.filePath(QStringLiteral("DEMO.udl")), any);
    writeFile(dir.filePath(QStringLiteral("DEMO.2007.udl")), any);

    QCOMPARE(Udl::fileForDatabase(dir.path(), QStringLiteral("SALES")),
             dir.filePath(QStringLiteral("SALES.OLD.udl")));
    QCOMPARE(Udl::fileForDatabase(dir.path(), QStringLiteral("DEMO")),
             dir.filePath(QStringLiteral("DEMO.udl")));
    QCOMPARE(Udl::fileForDatabase(dir.path(), QStringLiteral("demo")),
             dir.filePath(QStringLiteral("DEMO.udl")));
    QCOMPARE(Udl::fileForDatabase(dir.path(), QStringLiteral("NOSUCH")),
             dir.filePath(QStringLiteral("NOSUCH.udl")));
}

QTEST_GUILESS_MAIN(TstAppUdl)
#include "tst_app_udl.moc"

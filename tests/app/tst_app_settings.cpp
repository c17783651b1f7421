// settings.xml: defaults, the demonstration password, the round trip, damaged and foreign
// files, and the nodes of others.

#include "AppVars.h"
#include "SettingsFile.h"

#include <QtTest>

namespace {

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstAppSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void defaultsAndDemoPassword_data();
    void defaultsAndDemoPassword();
    void roundTrip();
    void readsWhatOthersWrite_data();
    void readsWhatOthersWrite();
    void damagedFileKeepsReadableKeys();
    void foreignFileIsKeptAside();
    void saveKeepsOtherNodes();
    void defaultFileName();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TstAppSettings::init()
{
    m_file = m_dir.filePath(QStringLiteral("Tervalon/korvel/settings.xml"));
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    LogonPassword = QStringLiteral("left over");
}

void TstAppSettings::defaultsAndDemoPassword_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("dataBase");
    QTest::addColumn<QString>("password");

    QTest::newRow("no file") << QByteArray() << "DEMO"
                             << "DEMO"
                             << "vyrt";
    QTest::newRow("no preferences node")
        << QByteArray("<Configuration><frmMain><Left>1</Left></frmMain></Configuration>") << "DEMO"
        << "DEMO"
        << "vyrt";
    QTest::newRow("DEMO with another database")
        << QByteArray("<Configuration><preferences><logonUserName>DEMO</logonUserName>"
                      "<logonDataBase>SALES</logonDataBase></preferences></Configuration>")
        << "DEMO"
        << "SALES"
        << "vyrt";
    QTest::newRow("another user: empty password")
        << QByteArray("<Configuration><preferences><logonUserName>IVANOV</logonUserName>"
                      "</preferences></Configuration>")
        << "IVANOV"
        << "DEMO"
        << "";
    QTest::newRow("demo in lower case is another user")
        << QByteArray("<Configuration><preferences><logonUserName>demo</logonUserName>"
                      "</preferences></Configuration>")
        << "demo"
        << "DEMO"
        << "";
}

void TstAppSettings::defaultsAndDemoPassword()
{
    QFETCH(QByteArray, content);
    if (!content.isEmpty()) {
        QDir().mkpath(QFileInfo(m_file).absolutePath());
        writeFile(m_file, content);
    }
    SettingsFile settings(m_file);
    QCOMPARE(settings.load(), !content.isEmpty());
    ApplyPreferences(settings.preferences);
    QTEST(LogonUserName, "user");
    QTEST(LogonDataBase, "dataBase");
    QTEST(LogonPassword, "password");
    QCOMPARE(ShortDateFormat, QStringLiteral("DD/MM/YYYY"));
    QCOMPARE(DateSeparator, QLatin1Char('/'));
    QCOMPARE(ThousandSeparator, QLatin1Char(' '));
    QVERIFY(EnterToTab);
}

void TstAppSettings::roundTrip()
{
    SettingsFile written(m_file);
    written.preferences.shortDateFormat = QStringLiteral("DD.MM.YY");
    written.preferences.longDateFormat = QStringLiteral("DD.MM.YYYY");
    written.preferences.dateSeparator = QLatin1Char('.');
    written.preferences.decimalSeparator = QLatin1Char(',');
    written.preferences.thousandSeparator = QChar(0x00A0);
    written.preferences.logonUserName = QStringLiteral("ПЕТРОВ");
    written.preferences.logonDataBase = QStringLiteral("SALES");
    written.preferences.enterToTab = false;
    written.mainWindow = {true, QRect(10, 20, 800, 600), false};
    QVERIFY(written.save());

    const QByteArray xml = readFile(m_file);
    QVERIFY2(xml.contains("<dateSeparator>46</dateSeparator>"), xml.constData());
    QVERIFY2(xml.contains("<decimalSeparator>44</decimalSeparator>"), xml.constData());
    QVERIFY2(xml.contains("<thousandSeparator>160</thousandSeparator>"), xml.constData());
    QVERIFY2(xml.contains("<enterToTab>FALSE</enterToTab>"), xml.constData());
    QVERIFY(xml.contains("<Configuration>"));

    SettingsFile read(m_file);
    QVERIFY(read.load());
    QCOMPARE(read.preferences.shortDateFormat, QStringLiteral("DD.MM.YY"));
    QCOMPARE(read.preferences.longDateFormat, QStringLiteral("DD.MM.YYYY"));
    QCOMPARE(read.preferences.dateSeparator, QLatin1Char('.'));
    QCOMPARE(read.preferences.decimalSeparator, QLatin1Char(','));
    QCOMPARE(read.preferences.thousandSeparator, QChar(0x00A0));
    QCOMPARE(read.preferences.logonUserName, QStringLiteral("ПЕТРОВ"));
    QCOMPARE(read.preferences.logonDataBase, QStringLiteral("SALES"));
    QCOMPARE(read.preferences.enterToTab, false);
    QVERIFY(read.mainWindow.valid);
    QCOMPARE(read.mainWindow.geometry, QRect(10, 20, 800, 600));
    QCOMPARE(read.mainWindow.maximized, false);

    // From the application variables and back; the password stays out of the file.
    ApplyPreferences(read.preferences);
    LogonPassword = QStringLiteral("Pa55-word");
    SettingsFile again(m_file);
    again.preferences = PreferencesFromAppVars();
    QVERIFY(again.save());
    QVERIFY(!readFile(m_file).contains("Pa55-word"));
    SettingsFile last(m_file);
    QVERIFY(last.load());
    QCOMPARE(last.preferences.decimalSeparator, QLatin1Char(','));
    QCOMPARE(last.preferences.logonUserName, QStringLiteral("ПЕТРОВ"));
}

void TstAppSettings::readsWhatOthersWrite_data()
{
    QTest::addColumn<QString>("enterToTab");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("expectedEnter");
    QTest::addColumn<QChar>("expectedSeparator");
    QTest::newRow("YES and a code") << "YES"
                                    << "59" << true << QChar(';');
    QTest::newRow("y and blanks") << " y "
                                  << " 45 " << true << QChar('-');
    QTest::newRow("N") << "N"
                       << "47" << false << QChar('/');
    QTest::newRow("no") << "no"
                        << "47" << false << QChar('/');
    QTest::newRow("unreadable values: defaults") << "maybe"
                                                 << "slash" << true << QChar('/');
    QTest::newRow("code out of range: default") << "FALSE"
                                                << "70000" << false << QChar('/');
}

void TstAppSettings::readsWhatOthersWrite()
{
    QFETCH(QString, enterToTab);
    QFETCH(QString, separator);
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    writeFile(m_file, QStringLiteral("<?xml version=\"1.0\"?><Configuration><preferences>"
                                     "<enterToTab>%1</enterToTab><dateSeparator>%2</dateSeparator>"
                                     "</preferences></Configuration>")
                          .arg(enterToTab, separator)
                          .toUtf8());
    SettingsFile settings(m_file);
    QVERIFY(settings.load());
    QTEST(settings.preferences.enterToTab, "expectedEnter");
    QTEST(settings.preferences.dateSeparator, "expectedSeparator");
}

void TstAppSettings::damagedFileKeepsReadableKeys()
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    const QByteArray damaged("<Configuration><preferences><logonUserName>IVANOV</logonUserName>"
                             "<decimalSeparator>44</decimalSeparator><logonDataBase>SAL");
    writeFile(m_file, damaged);
    SettingsFile settings(m_file);
    QVERIFY(!settings.load());
    QCOMPARE(settings.preferences.logonUserName, QStringLiteral("IVANOV"));
    QCOMPARE(settings.preferences.decimalSeparator, QLatin1Char(','));
    QCOMPARE(settings.preferences.logonDataBase, QStringLiteral("DEMO"));
    QCOMPARE(settings.preferences.shortDateFormat, QStringLiteral("DD/MM/YYYY"));

    // Saving writes a sound file and keeps the damaged one aside.
    QVERIFY(settings.save());
    QCOMPARE(readFile(m_file + QStringLiteral(".bak")), damaged);
    SettingsFile again(m_file);
    QVERIFY(again.load());
    QCOMPARE(again.preferences.logonUserName, QStringLiteral("IVANOV"));
    QCOMPARE(again.preferences.decimalSeparator, QLatin1Char(','));
}

void TstAppSettings::foreignFileIsKeptAside()
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    const QByteArray foreign("<Other><preferences><logonUserName>X</logonUserName>"
                             "</preferences></Other>");
    writeFile(m_file, foreign);
    SettingsFile settings(m_file);
    settings.load();
    QCOMPARE(settings.preferences.logonUserName, QStringLiteral("DEMO"));
    QVERIFY(settings.save());
    QCOMPARE(readFile(m_file + QStringLiteral(".bak")), foreign);
    QVERIFY(readFile(m_file).contains("<Configuration>"));
}

void TstAppSettings::saveKeepsOtherNodes()
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    writeFile(m_file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<Configuration>\n"
                      "  <frmAppUsers><ToolBar1.Left>11</ToolBar1.Left></frmAppUsers>\n"
                      "  <preferences><logonUserName>IVANOV</logonUserName>"
                      "<futureKey>kept</futureKey></preferences>\n"
                      "</Configuration>\n");
    SettingsFile settings(m_file);
    QVERIFY(settings.load());
    settings.preferences.logonUserName = QStringLiteral("SIDOROV");
    QVERIFY(settings.save());

    const QByteArray xml = readFile(m_file);
    QVERIFY2(xml.contains("<ToolBar1.Left>11</ToolBar1.Left>"), xml.constData());
    QVERIFY2(xml.contains("<futureKey>kept</futureKey>"), xml.constData());
    QVERIFY2(xml.contains("<logonUserName>SIDOROV</logonUserName>"), xml.constData());
    QVERIFY(!xml.contains("IVANOV"));
    QVERIFY(!QFile::exists(m_file + QStringLiteral(".bak")));
}

void TstAppSettings::defaultFileName()
{
    QVERIFY(
        SettingsFile::defaultFileName().endsWith(QStringLiteral("/Tervalon/korvel/settings.xml")));
    QVERIFY(SettingsFile::defaultFileName().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
}

QTEST_GUILESS_MAIN(TstAppSettings)
#include "tst_app_settings.moc"

// The rules of the reference tables without windows: new rows, the organisations' MAX+1 key
// and code, the lists that show only rows still in force, the reference checks before a
// delete and the width check before a post.

#include "GuideRules.h"
#include "GuideTestSession.h"
#include "KV_ClientDataSet.h"
#include "KV_Provider.h"
#include "ScriptedPrompts.h"

#include <QtTest>

#include <memory>

namespace {

const QString InUse = QStringLiteral("\" удалить нельзя, т.к. есть ссылка из ");

// A guide list on its provider, set up as the windows set it up.
struct GuideList
{
    GuideList(KvSession &session, GuideTable table)
    {
        list.setObjectName(QStringLiteral("cdsMaster"));
        SetUpGuideList(list, CreateGuideProvider(session, table, &owner), table);
    }
    QObject owner;
    TKV_ClientDataSet list;
};

// The keys of the list's rows among the given ones, in list order.
QList<qint64> listedKeys(TKV_ClientDataSet &list, const QString &keyField,
                         const QList<qint64> &among)
{
    QList<qint64> keys;
    const KvField *key = list.FindField(keyField);
    for (int row = 0; row < list.RecordCount(); ++row) {
        const qint64 k = key->valueAt(row).toLongLong();
        if (among.contains(k))
            keys << k;
    }
    return keys;
}

} // namespace

class TstGuidesCore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void newRowTakesSequenceAndDefaults_data();
    void newRowTakesSequenceAndDefaults();
    void organisationKeyAndCode_data();
    void organisationKeyAndCode();
    void onlyRowsInForceListed_data();
    void onlyRowsInForceListed();
    void referenceChecks_data();
    void referenceChecks();
    void failingCheckCountsAsNoReference();
    void textLongerThanFieldRefused();

private:
    GuideTestSession m_s;
    ScriptedPrompts m_prompts;
};

void TstGuidesCore::initTestCase()
{
    QString error;
    QVERIFY2(m_s.open(&error), qPrintable(error));
}

void TstGuidesCore::newRowTakesSequenceAndDefaults_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("defaults");
    const auto row = [](const char *name, GuideTable table, const char *defaults) {
        QTest::newRow(name) << int(table) << QString::fromLatin1(defaults);
    };
    row("units of measure", GuideTable::Measure, "RECALCFACTOR=1");
    row("banks", GuideTable::Bank, "BANKCODETYPE_ID=0;LOCATION_ID=0;VALID_TO=31/12/4712");
    row("bank accounts", GuideTable::BankAcc,
        "COMPANY_ID=0;BANK_ID=0;BANKACCTYPE_ID=0;VALID_TO=31/12/4712");
    row("personnel", GuideTable::Personnel, "COMPANY_ID=0");
    row("commissions", GuideTable::Commission,
        "PERSON1_ID=0;PERSON2_ID=0;PERSON3_ID=0;VALID_TO=31/12/4712");
    row("percentage deductions", GuideTable::PercentDeduction, "MAINPERCENT=0");
    row("storage places", GuideTable::StoragePlace, "MATRESPPERSON_ID=0");
    row("kinds of work", GuideTable::KindOfWork, "");
    row("ways of work", GuideTable::WayOfWork, "");
    row("expense items", GuideTable::ExpenseDescr, "");
}

void TstGuidesCore::newRowTakesSequenceAndDefaults()
{
    QFETCH(int, table);
    QFETCH(QString, defaults);
    const GuideTableDef &def = guideTable(GuideTable(table));
    GuideList g(m_s.session(), def.table);
    QVERIFY2(g.list.Open(), qPrintable(g.list.LastError()));

    QVERIFY(g.list.Append());
    const QVariant key = g.list.FieldValue(def.keyField);
    QCOMPARE(
        key.toLongLong(),
        m_s.value(QStringLiteral("select last_value from zolt.%1").arg(def.sequence)).toLongLong());
    for (const QString &pair : defaults.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(QLatin1Char('='));
        QCOMPARE(g.list.FieldByName(parts[0])->AsString(), parts[1]);
    }
    // The post reaches the server at once.
    QVERIFY(g.list.Post());
    QCOMPARE(g.list.ChangeCount(), 0);
    QCOMPARE(m_s.value(QStringLiteral("select %2 from %1 where %2 = %3")
                           .arg(def.tableName, def.keyField)
                           .arg(key.toLongLong()))
                 .toLongLong(),
             key.toLongLong());
    QVERIFY(m_prompts.texts().isEmpty());
}

void TstGuidesCore::organisationKeyAndCode_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<qint64>("key");
    QTest::newRow("after 57")
        << QStringLiteral("insert into zolt.company (company_id, company_code, company_name) "
                          "values (57, '57', 'Пятьдесят седьмая')")
        << qint64(58);
    QTest::newRow("empty table") << QStringLiteral("delete from zolt.company") << qint64(1);
}

void TstGuidesCore::organisationKeyAndCode()
{
    QFETCH(QString, fixture);
    QFETCH(qint64, key);
    QVERIFY(m_s.exec(fixture));
    GuideList g(m_s.session(), GuideTable::Company);
    g.list.setObjectName(QStringLiteral("cdsCompany"));
    QVERIFY2(g.list.Open(), qPrintable(g.list.LastError()));

    QVERIFY(g.list.Append());
    QCOMPARE(g.list.FieldValue(QStringLiteral("COMPANY_ID")).toLongLong(), key);
    QCOMPARE(g.list.FieldByName(QStringLiteral("COMPANY_CODE"))->AsString(), QString::number(key));
    QCOMPARE(g.list.FieldByName(QStringLiteral("BELARUS_SGN"))->AsString(), QStringLiteral("1"));
    QCOMPARE(g.list.FieldByName(QStringLiteral("DIRECTOR_ID"))->AsString(), QStringLiteral("0"));
    QCOMPARE(g.list.FieldByName(QStringLiteral("BUH_ID"))->AsString(), QStringLiteral("0"));
    QCOMPARE(g.list.FieldByName(QStringLiteral("VALID_TO"))->AsString(),
             QStringLiteral("31/12/4712"));
    g.list.FieldByName(QStringLiteral("COMPANY_NAME"))->setValue(QStringLiteral("Новая"));
    QVERIFY(g.list.Post());
    QCOMPARE(m_s.value(QStringLiteral("select company_code from zolt.company where "
                                      "company_name = 'Новая' and company_id = %1")
                           .arg(key))
                 .toString(),
             QString::number(key));
    QVERIFY(m_prompts.texts().isEmpty());
}

void TstGuidesCore::onlyRowsInForceListed_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("insert");
    const auto row = [](const char *name, GuideTable table, const char *insert) {
        QTest::newRow(name) << int(table) << QString::fromLatin1(insert);
    };
    row("commissions", GuideTable::Commission,
        "insert into zolt.commission (commission_id, person1_id, person2_id, person3_id, "
        "valid_to) values (%1, 0, 0, 0, %2)");
    row("bank accounts", GuideTable::BankAcc,
        "insert into zolt.bankacc (bankacc_id, company_id, bank_id, bankacctype_id, bankacc, "
        "valid_to) values (%1, 0, 0, 0, '3012', %2)");
}

void TstGuidesCore::onlyRowsInForceListed()
{
    QFETCH(int, table);
    QFETCH(QString, insert);
    // Valid until yesterday, today, tomorrow and without end: today's row is over already.
    const QStringList until = {QStringLiteral("current_date - 1"), QStringLiteral("current_date"),
                               QStringLiteral("current_date + 1"),
                               QStringLiteral("date '4712-12-31'")};
    QList<qint64> keys;
    for (int i = 0; i < until.size(); ++i) {
        keys << 700 + i;
        QVERIFY(m_s.exec(insert.arg(700 + i).arg(until[i])));
    }
    const GuideTableDef &def = guideTable(GuideTable(table));
    GuideList g(m_s.session(), def.table);
    QVERIFY2(g.list.Open(), qPrintable(g.list.LastError()));
    g.list.setIndexFieldNames(def.keyField);
    QCOMPARE(listedKeys(g.list, def.keyField, keys), (QList<qint64>{702, 703}));
}

void TstGuidesCore::referenceChecks_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("warning");

    const QString wareType =
        QStringLiteral("insert into zolt.waretype (waretype_id, measure_id, waretypename) "
                       "values (%1, %1, 'Кабель');");
    const QString requiredPart = QStringLiteral(
        "insert into zolt.constrobject (constrobject_id, constrobject_name) values (%1, 'Дом');"
        "insert into zolt.requiredpart (requiredpart_id, constrobject_id, measure_id) "
        "values (%1, %1, %1);");
    QTest::newRow("unit used by a ware type")
        << int(GuideTable::Measure) << 901 << QStringLiteral("Метр") << wareType.arg(901)
        << QStringLiteral("\"Метр") + InUse + QStringLiteral("номенклатурного справочника");
    QTest::newRow("unit used by a required part only")
        << int(GuideTable::Measure) << 902 << QStringLiteral("Штука") << requiredPart.arg(902)
        << QStringLiteral("\"Штука") + InUse + QStringLiteral("состава изделий");
    QTest::newRow("unit used by both: the first check stops")
        << int(GuideTable::Measure) << 903 << QStringLiteral("Литр")
        << requiredPart.arg(903) + wareType.arg(903)
        << QStringLiteral("\"Литр") + InUse + QStringLiteral("номенклатурного справочника");
    QTest::newRow("unit nobody uses")
        << int(GuideTable::Measure) << 904 << QStringLiteral("Тонна") << QString() << QString();
    QTest::newRow("commission of an invoice")
        << int(GuideTable::Commission) << 905
        << QStringLiteral("Мастер Иванов,Инженер Петров,Кладовщик Сидоров")
        << QStringLiteral("insert into zolt.constrobjinvoice (constrobjinvoice_id, "
                          "commission_id) values (905, 905)")
        << QStringLiteral("\"Мастер Иванов,Инженер Петров,Кладовщик Сидоров") + InUse +
               QStringLiteral("накладных расхода");
    QTest::newRow("expense item of an act line")
        << int(GuideTable::ExpenseDescr) << 906 << QStringLiteral("Материалы")
        << QStringLiteral("insert into zolt.monthworkact (monthworkact_id) values (906);"
                          "insert into zolt.expenselst (expenselst_id, monthworkact_id, "
                          "expensedescr_id) values (906, 906, 906)")
        << QStringLiteral("\"Материалы") + InUse + QStringLiteral("актов выполненных работ");
    QTest::newRow("person responsible for a storage place")
        << int(GuideTable::Personnel) << 907 << QStringLiteral("Сидоров С.С.")
        << QStringLiteral("insert into zolt.storageplace (storageplace_id, matrespperson_id, "
                          "storename) values (907, 907, 'Склад 7')")
        << QStringLiteral("\"Сидоров С.С.") + InUse + QStringLiteral("справочника мест хранения");
    QTest::newRow("storage place of a store order")
        << int(GuideTable::StoragePlace) << 908 << QStringLiteral("Склад 8")
        << QStringLiteral("insert into zolt.storeorder (storeorder_id, storageplace_id) "
                          "values (908, 908)")
        << QStringLiteral("\"Склад 8") + InUse + QStringLiteral("приходных ордеров");
    QTest::newRow("bank of an account: banks are not checked")
        << int(GuideTable::Bank) << 909 << QStringLiteral("Банк")
        << QStringLiteral("insert into zolt.bankacc (bankacc_id, bank_id) values (909, 909)")
        << QString();
    QTest::newRow("organisation of a person: organisations are not checked")
        << int(GuideTable::Company) << 910 << QStringLiteral("Альфа")
        << QStringLiteral("insert into zolt.personnel (person_id, company_id) values (910, 910)")
        << QString();
}

void TstGuidesCore::referenceChecks()
{
    QFETCH(int, table);
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(QString, fixture);
    QFETCH(QString, warning);
    if (!fixture.isEmpty())
        QVERIFY(m_s.exec(fixture));
    QCOMPARE(ReferenceWarning(m_s.session(), guideTable(GuideTable(table)).checks,
                              QVariant::fromValue(qint64(key)), name),
             warning);
}

void TstGuidesCore::failingCheckCountsAsNoReference()
{
    QVERIFY(m_s.exec(QStringLiteral("insert into zolt.waretype (waretype_id, measure_id) "
                                    "values (911, 911)")));
    const QList<GuideReferenceCheck> checks = {
        {QStringLiteral("Measure_id"), QStringLiteral("NoSuchTable"), QStringLiteral(" нет")},
        {QStringLiteral("Measure_id"), QStringLiteral("WareType"), QStringLiteral(" есть")}};
    QCOMPARE(ReferenceWarning(m_s.session(), checks, 911, QStringLiteral("Ящик")),
             QStringLiteral("\"Ящик есть"));
    // The failed statement spoiled nothing: the session goes on working.
    QCOMPARE(ReferenceWarning(m_s.session(), checks.mid(0, 1), 911, QStringLiteral("Ящик")),
             QString());
    GuideList g(m_s.session(), GuideTable::Measure);
    QVERIFY2(g.list.Open(), qPrintable(g.list.LastError()));
}

void TstGuidesCore::textLongerThanFieldRefused()
{
    m_prompts.clear();
    GuideList g(m_s.session(), GuideTable::Measure);
    QVERIFY2(g.list.Open(), qPrintable(g.list.LastError()));
    QVERIFY(g.list.Append());
    const QString tooLong(31, QChar(0x042F)); // 31 × «Я» for 30 places
    g.list.FieldByName(QStringLiteral("MEASURENAME"))->DisplayLabel =
        QStringLiteral("Наименование");
    g.list.FieldByName(QStringLiteral("MEASURENAME"))->setValue(tooLong);

    QVERIFY(!g.list.Post());
    QCOMPARE(m_prompts.texts(Prompts::Kind::Error),
             QStringList{QStringLiteral("Текст поля «Наименование» длиннее 30 знаков")});
    QCOMPARE(g.list.State(), KvDataSetState::Insert);
    g.list.FieldByName(QStringLiteral("MEASURENAME"))->setValue(tooLong.left(30));
    QVERIFY(g.list.Post());
    QCOMPARE(m_s.value(QStringLiteral("select measurename from zolt.measure where measure_id = %1")
                           .arg(g.list.FieldValue(QStringLiteral("MEASURE_ID")).toLongLong()))
                 .toString(),
             tooLong.left(30));
}

QTEST_GUILESS_MAIN(TstGuidesCore)
#include "tst_guides_core.moc"

// The working configuration against the real server: the user's row held after sign-in, its
// defaults, its lookup fields and lists, the working period each open sets, the row of a
// database account without application user, and EnsureStoragePlace.

#include "AppVars.h"
#include "KV_ClientDataSet.h"
#include "ScriptedPrompts.h"
#include "TestDatabase.h"
#include "dmuDM.h"
#include "dmuMainCfg.h"
#include "dmuRDM.h"

#include <QtTest>

namespace {

const char *const Fixture = R"SQL(
INSERT INTO zolt.COMPANY (COMPANY_ID, DIRECTOR_ID, COMPANY_NAME, UNN, OKPO, LICENSE_NO,
        ADRESS_STREET, ADRESS_BOX, VALID_TO) VALUES
    (1, 11, 'Корвель-Строй', '100200300', '55501', 'Лиц. 12/345', 'ул. Заводская', 'д. 7',
     DATE '4712-12-31'),
    (2, 12, 'Альфа', '200300400', '55502', NULL, NULL, NULL, DATE '4712-12-31'),
    (3, 0, 'Бета', NULL, NULL, NULL, NULL, NULL, DATE '4712-12-31');
INSERT INTO zolt.PERSONNEL (PERSON_ID, COMPANY_ID, PERSNAME, VALID_TO) VALUES
    (11, 1, 'Иванов И.И.', DATE '4712-12-31'),
    (12, 2, 'Петров П.П.', DATE '2001-01-01');
INSERT INTO zolt.BANK (BANK_ID, BANK_CODE, BANK_NAME, ADRESS_STREET, ADRESS_BOX) VALUES
    (1, '153001749', 'Беларусбанк', 'пр. Победителей', NULL);
INSERT INTO zolt.BANKACC (BANKACC_ID, COMPANY_ID, BANK_ID, BANKACC, VALID_TO) VALUES
    (3, 1, 1, '3012000000017', DATE '4712-12-31');
INSERT INTO zolt.STORAGEPLACE (STORAGEPLACE_ID, STORENAME) VALUES
    (2, 'Основной'), (4, 'Склад №2'), (9, 'Дальний');
INSERT INTO zolt.KINDOFWORK (KINDOFWORK_ID, DESCR) VALUES (1, 'Монтаж');
INSERT INTO zolt.WAYOFWORK (WAYOFWORK_ID, DESCR) VALUES (1, 'Подряд')
)SQL";

const int DemoUserId = 7;

} // namespace

class TstAppConfig : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void signInHoldsRowWithTodayAndSetsPeriod();
    void newRowDefaultsSavedByReopen();
    void lookupFieldsAndLists();
    void emptyPeriodTypesKeepThePeriod();
    void accountWithoutApplicationUserHasItsOwnRow();
    void ensureStoragePlaceKeepsExistingPlace();
    void ensureStoragePlaceForDeletedPlace();

private:
    bool signIn();
    QVariant stored(const QString &column, int userId = DemoUserId) const;

    TestDatabase m_db;
    QTemporaryDir m_connections;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TDMR> m_dmr;
    std::unique_ptr<TDM> m_dm;
};

void TstAppConfig::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(!m_db.writeUdl(m_connections.path(), QStringLiteral("DEMO")).isEmpty());
    QString error;
    QVERIFY2(m_db.execAsOwner(QString::fromUtf8(Fixture), &error), qPrintable(error));
}

void TstAppConfig::init()
{
    InitAppVars(QStringLiteral("/nowhere/bin"));
    ConnectionsPath = m_connections.path() + QLatin1Char('/');
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("delete from zolt.MAIN_CFG; delete from zolt.APP_USER; "
                       "insert into zolt.APP_USER (USER_ID, STATUS_ID, LOGIN_NAME, VALID_TO) "
                       "values (7, 1, 'DEMO', DATE '4712-12-31')")));
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_dmr = std::make_unique<TDMR>();
    m_dm = std::make_unique<TDM>(m_dmr.get());
    m_dm->setCredentialsDialog([](TDM::Credentials &c, const QStringList &) {
        c = {QStringLiteral("DEMO"), QStringLiteral("vyrt"), QStringLiteral("DEMO")};
        return true;
    });
}

void TstAppConfig::cleanup()
{
    m_dm.reset();
    m_dmr.reset();
    m_prompts.reset();
}

bool TstAppConfig::signIn()
{
    return m_dm->Login() && m_dm->MainCfg().OpenForSession();
}

QVariant TstAppConfig::stored(const QString &column, int userId) const
{
    return m_db.valueAsOwner(
        QStringLiteral("select %1 from zolt.MAIN_CFG where USER_ID = %2").arg(column).arg(userId));
}

void TstAppConfig::signInHoldsRowWithTodayAndSetsPeriod()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, STORAGE_PLACE_ID, PERIODFROMTYPE, "
        "PERIODTOTYPE) values (5, 7, DATE '2020-01-10', 4, 2, 3), "
        "(6, 8, DATE '2019-05-05', 2, 0, 0)")));
    PeriodFrom = PeriodTo = QDate(2004, 1, 5);
    QVERIFY(signIn());
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    QCOMPARE(cfg->RecordCount(), 1); // only the row of this user
    QCOMPARE(cfg->State(), KvDataSetState::Edit);
    QVERIFY(m_dm->MainCfg().HasSavedRow());
    QCOMPARE(cfg->FieldByName(QStringLiteral("CFG_ID"))->AsInteger(), 5);
    QCOMPARE(cfg->FieldByName(QStringLiteral("WORK_DATE"))->AsDate(), QDate::currentDate());
    const QDate today = QDate::currentDate();
    QCOMPARE(PeriodFrom, QDate(today.year(), (today.month() - 1) / 3 * 3 + 1, 1));
    QCOMPARE(PeriodTo, QDate(today.year(), 12, 31));
    // Held, not yet saved: the server still has the old date; no unit of work is left open.
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate(2020, 1, 10));
    QVERIFY(!m_dmr->session().inTransaction());

    // Sign-out saves the held row.
    m_dm->LogOut();
    QVERIFY(!cfg->Active());
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), today);
    QCOMPARE(stored(QStringLiteral("WORK_DATE"), 8).toDate(), QDate(2019, 5, 5));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppConfig::newRowDefaultsSavedByReopen()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, "
                                            "WORK_DATE) values (41, 8, DATE '2019-05-05')")));
    QVERIFY(signIn());
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    // The first sign-in appends a row that is not saved yet.
    QCOMPARE(cfg->State(), KvDataSetState::Insert);
    QVERIFY(!m_dm->MainCfg().HasSavedRow());
    QVERIFY(stored(QStringLiteral("CFG_ID")).isNull());

    // Reopening saves it (the configuration window does this before the user changes
    // anything) and opens it again.
    QVERIFY(m_dm->MainCfg().Reopen());
    QVERIFY(m_dm->MainCfg().HasSavedRow());
    QCOMPARE(cfg->State(), KvDataSetState::Browse);
    QCOMPARE(
        m_db.valueAsOwner(
                QStringLiteral("select concat_ws(',', CFG_ID, USER_ID, WORK_DATE = current_date, "
                               "BANKACC_ID, COMPANY_ID, STORAGE_PLACE_ID) from zolt.MAIN_CFG "
                               "where USER_ID = 7"))
            .toString(),
        QStringLiteral("42,7,t,0,0,0"));
    QCOMPARE(m_db.valueAsOwner(
                     QStringLiteral("select count(*) from zolt.MAIN_CFG where USER_ID = 7 and "
                                    "coalesce(CUSTOMERCOMP_ID, CONTRACTORCOMP_ID, KINDOFWORK_ID, "
                                    "WAYOFWORK_ID, TAX_PERCENT, CUR_ID, PERIODFROMTYPE, "
                                    "PERIODTOTYPE, MAINSUPPLIER_ID) is null"))
                 .toInt(),
             1);
    // A user with a row keeps it: no second row is made.
    QVERIFY(m_dm->MainCfg().Reopen());
    QCOMPARE(m_db.valueAsOwner(QStringLiteral("select count(*) from zolt.MAIN_CFG")).toInt(), 2);
}

void TstAppConfig::lookupFieldsAndLists()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, COMPANY_ID, BANKACC_ID, "
        "STORAGE_PLACE_ID) values (1, 7, DATE '2020-01-10', 1, 3, 4)")));
    QVERIFY(signIn());
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    const auto text = [cfg](const char *name) {
        return cfg->FieldByName(QString::fromLatin1(name))->AsString();
    };
    QCOMPARE(text("L_Company_Name"), QStringLiteral("Корвель-Строй"));
    QCOMPARE(text("L_Company_Okpo"), QStringLiteral("55501"));
    QCOMPARE(text("L_Company_Unn"), QStringLiteral("100200300"));
    QCOMPARE(text("L_Company_AdressStreet"), QStringLiteral("ул. Заводская"));
    QCOMPARE(text("L_Company_AdressBox"), QStringLiteral("д. 7"));
    QCOMPARE(text("L_CompanyLicense"), QStringLiteral("Лиц. 12/345"));
    QCOMPARE(text("L_StoreName"), QStringLiteral("Склад №2"));
    QCOMPARE(cfg->FieldByName(QStringLiteral("L_Director_Id"))->AsInteger(), 11);
    QCOMPARE(text("L_Director_Name"), QStringLiteral("Иванов И.И."));
    // A missing part of the bank's address leaves the rest of the description.
    QCOMPARE(text("L_BankAcc"),
             QStringLiteral("р/с 3012000000017 в Беларусбанк пр. Победителей  МФО 153001749"));

    // A director no longer in force is no director.
    cfg->FieldByName(QStringLiteral("COMPANY_ID"))->setValue(2);
    QCOMPARE(text("L_Company_Name"), QStringLiteral("Альфа"));
    QVERIFY(cfg->FieldByName(QStringLiteral("L_Director_Name"))->IsNull());

    // The lists are read-only and ordered by name; a close of the row closes all nine.
    TMainCfg &config = m_dm->MainCfg();
    config.OpenLists(config.lists());
    QVERIFY(!config.cdsMainCfgKindOfWork()->CanModify());
    QStringList stores;
    for (int row = 0; row < config.cdsMainCFGStoragePlace()->RecordCount(); ++row)
        stores << config.cdsMainCFGStoragePlace()
                      ->FieldByName(QStringLiteral("STORENAME"))
                      ->valueAt(row)
                      .toString();
    QCOMPARE(stores, (QStringList{"Дальний", "Основной", "Склад №2"}));
    cfg->Cancel();
    cfg->Close();
    for (TKV_ClientDataSet *list : config.lists())
        QVERIFY2(!list->Active(), qPrintable(list->objectName()));
}

void TstAppConfig::emptyPeriodTypesKeepThePeriod()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, PERIODFROMTYPE, PERIODTOTYPE) "
        "values (1, 7, DATE '2020-01-10', NULL, 1)")));
    PeriodFrom = PeriodTo = QDate(2004, 1, 5);
    QVERIFY(signIn());
    const QDate today = QDate::currentDate();
    QCOMPARE(PeriodFrom, QDate(2004, 1, 5));
    QCOMPARE(PeriodTo, QDate(today.year(), today.month(), today.daysInMonth()));

    // Each open takes the row's types again: the start type set and saved counts next time.
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    QVERIFY(cfg->FieldByName(QStringLiteral("PERIODFROMTYPE"))->setValue(3));
    QVERIFY(cfg->Post());
    QCOMPARE(PeriodFrom, QDate(2004, 1, 5));
    QVERIFY(m_dm->MainCfg().Reopen());
    QCOMPARE(PeriodFrom, QDate(today.year(), 1, 1));
    QCOMPARE(stored(QStringLiteral("PERIODFROMTYPE")).toInt(), 3);
}

void TstAppConfig::accountWithoutApplicationUserHasItsOwnRow()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "delete from zolt.APP_USER; insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE) "
        "values (3, 7, DATE '2020-01-10')")));
    QVERIFY(signIn());
    QCOMPARE(m_dmr->CurrentUserId(), -1);
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    QCOMPARE(cfg->State(), KvDataSetState::Insert);
    QCOMPARE(cfg->FieldByName(QStringLiteral("USER_ID"))->AsInteger(), -1);
    QVERIFY(cfg->FieldByName(QStringLiteral("WORK_DATE"))->setValue(QDate(2021, 3, 15)));
    m_dm->LogOut();
    QCOMPARE(stored(QStringLiteral("WORK_DATE"), -1).toDate(), QDate(2021, 3, 15));
    QCOMPARE(stored(QStringLiteral("CFG_ID"), -1).toInt(), 4);

    // The next sign-in finds that row and starts it with today again.
    QVERIFY(signIn());
    QCOMPARE(cfg->RecordCount(), 1);
    QCOMPARE(cfg->State(), KvDataSetState::Edit);
    QCOMPARE(cfg->FieldByName(QStringLiteral("CFG_ID"))->AsInteger(), 4);
    QCOMPARE(cfg->FieldByName(QStringLiteral("WORK_DATE"))->AsDate(), QDate::currentDate());
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate(2020, 1, 10));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppConfig::ensureStoragePlaceKeepsExistingPlace()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, STORAGE_PLACE_ID) values (1, 7, 9), "
        "(2, 8, 55)")));
    QVERIFY(m_dm->Login());
    EnsureStoragePlace(9);
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID")).toInt(), 9);
    // Nothing is asked while the place is there, not even for another user's missing place.
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID"), 8).toInt(), 55);
}

void TstAppConfig::ensureStoragePlaceForDeletedPlace()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.STORAGEPLACE (STORAGEPLACE_ID, STORENAME) values (30, 'Временный'); "
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, STORAGE_PLACE_ID) values "
        "(1, 7, 30), (2, 8, 30), (3, 9, 9), (4, 10, NULL)")));
    QVERIFY(signIn());
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("delete from zolt.STORAGEPLACE where STORAGEPLACE_ID = 30")));

    EnsureStoragePlace(30);
    // Every row whose place is gone takes the lowest existing one, committed at once; a row
    // with a place that still exists keeps it.
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID")).toInt(), 2);
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID"), 8).toInt(), 2);
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID"), 9).toInt(), 9);
    QCOMPARE(stored(QStringLiteral("STORAGE_PLACE_ID"), 10).toInt(), 2);
    QVERIFY(!m_dmr->session().inTransaction());

    // The caller closes and reopens the row: the working date typed meanwhile is saved, the
    // storage place comes from the server.
    TKV_ClientDataSet *cfg = m_dm->cdsMainCFG();
    QVERIFY(cfg->FieldByName(QStringLiteral("WORK_DATE"))->setValue(QDate(2022, 2, 2)));
    cfg->Close();
    QVERIFY(cfg->Open());
    QCOMPARE(cfg->FieldByName(QStringLiteral("STORAGE_PLACE_ID"))->AsInteger(), 2);
    QCOMPARE(cfg->FieldByName(QStringLiteral("L_StoreName"))->AsString(),
             QStringLiteral("Основной"));
    QCOMPARE(cfg->FieldByName(QStringLiteral("WORK_DATE"))->AsDate(), QDate(2022, 2, 2));
    QVERIFY(m_prompts->shown().isEmpty());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    TstAppConfig test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_config.moc"

// The organisations guide driven headless: a new organisation entered in the properties
// panel takes MAX+1 as key and code, the OK/cancel picker answers, the main menu's mode.

#include "GuideDriver.h"
#include "GuidePickers.h"
#include "GuideTestSession.h"
#include "frmuCompanyGuide.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

class TstGuidesCompany : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void newOrganisationFromThePanel();
    void okCancelPicker_data();
    void okCancelPicker();
    void mainMenuModeCannotChoose();
    void deleteAsksWithTheName();

private:
    GuideTestSession m_s;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TstGuidesCompany::initTestCase()
{
    QString error;
    QVERIFY2(m_s.open(&error), qPrintable(error));
    QVERIFY(m_s.exec(QStringLiteral(
        "insert into zolt.company (company_id, company_code, company_name, valid_to) values "
        "(55, '55', 'Альфа', date '4712-12-31'), (56, '56', 'Бета', date '4712-12-31'),"
        "(57, '57', 'Гамма', date '4712-12-31')")));
}

void TstGuidesCompany::init()
{
    m_prompts.reset();
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstGuidesCompany::newOrganisationFromThePanel()
{
    onGuide<TfrmCompanyGuide>(*m_prompts, [&](TfrmCompanyGuide &w) {
        QCOMPARE(w.windowTitle(), QStringLiteral("\"Организации\" (справочник)"));
        QVERIFY(w.body()->grid()->ReadOnly());
        act(w, "actNewCompany")->trigger();
        QCOMPARE(w.list()->State(), KvDataSetState::Insert);
        QLineEdit *code = w.findChild<QLineEdit *>(QStringLiteral("edtCompanyCode"));
        QCOMPARE(code->text(), QStringLiteral("58"));
        typeText(w.nameBox(), QStringLiteral("Дельта"));
        leave(w.nameBox());
        typeText(w.findChild<QLineEdit *>(QStringLiteral("edtUNN")),
                 QStringLiteral("1234567890123"));
        QVERIFY(w.findChild<QCheckBox *>(QStringLiteral("chkResident"))->isChecked());
        auto *panelNav = w.findChild<TKV_DBNavigator *>(QStringLiteral("dbNavCompany"));
        QTest::mouseClick(panelNav->button(nbPost), Qt::LeftButton);
        QCOMPARE(w.list()->State(), KvDataSetState::Browse);
        act(w, "actMrCancel")->trigger();
    });
    QCOMPARE(PickCompany(0, 0).toInt(), 0);
    // The tax number box takes no more than the column's ten characters.
    QCOMPARE(m_s.value(QStringLiteral("select concat(company_code, '|', company_name, '|', unn, "
                                      "'|', belarus_sgn, '|', director_id, '|', "
                                      "to_char(valid_to, 'DD/MM/YYYY')) "
                                      "from zolt.company where company_id = 58"))
                 .toString(),
             QStringLiteral("58|Дельта|1234567890|1|0|31/12/4712"));
    QVERIFY(m_prompts->texts().isEmpty());
}

void TstGuidesCompany::okCancelPicker_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    QTest::newRow("Ok") << QStringLiteral("actMrOk") << 56;
    QTest::newRow("Отмена и выход") << QStringLiteral("actMrCancel") << 55;
}

void TstGuidesCompany::okCancelPicker()
{
    QFETCH(QString, action);
    QFETCH(int, answer);
    onGuide<TfrmCompanyGuide>(*m_prompts, [&](TfrmCompanyGuide &w) {
        QAction *ok = act(w, "actMrOk");
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QCOMPARE(ok->toolTip(), QStringLiteral("Подтвердить выбор"));
        QVERIFY(ok->isEnabled());
        QVERIFY(w.list()->Locate(QStringLiteral("COMPANY_NAME"), QStringLiteral("Бета")));
        w.findChild<QAction *>(action)->trigger();
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(PickCompany(QVariant::fromValue(qint64(55)), 1).toInt(), answer);
}

void TstGuidesCompany::mainMenuModeCannotChoose()
{
    onGuide<TfrmCompanyGuide>(*m_prompts, [&](TfrmCompanyGuide &w) {
        QVERIFY(!act(w, "actMrOk")->isEnabled());
        TKV_DBGridEh *grid = w.body()->grid();
        QVERIFY(w.list()->Locate(QStringLiteral("COMPANY_NAME"), QStringLiteral("Бета")));
        doubleClick(grid, cell(w, QStringLiteral("COMPANY_NAME")));
        QVERIFY(w.isVisible());
        QCOMPARE(w.list()->State(), KvDataSetState::Browse);
        act(w, "actMrCancel")->trigger();
    });
    QCOMPARE(PickCompany(0, 0).toInt(), 0);
}

void TstGuidesCompany::deleteAsksWithTheName()
{
    // Organisations are deleted without a reference check, after the question.
    QVERIFY(m_s.exec(QStringLiteral("insert into zolt.personnel (person_id, company_id, persname) "
                                    "values (301, 57, 'Гаммов Г.Г.')")));
    m_prompts->answer(Prompts::Yes);
    onGuide<TfrmCompanyGuide>(*m_prompts, [&](TfrmCompanyGuide &w) {
        QVERIFY(w.list()->Locate(QStringLiteral("COMPANY_NAME"), QStringLiteral("Гамма")));
        act(w, "actDeleteCompany")->trigger();
        QVERIFY(
            !values(w.list(), QStringLiteral("COMPANY_NAME")).contains(QStringLiteral("Гамма")));
        act(w, "actMrCancel")->trigger();
    });
    PickCompany(0, 0);
    QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Удалять запись? Гамма")});
    QVERIFY(!m_s.value(QStringLiteral("select company_id from zolt.company where company_id = 57"))
                 .isValid());
}

QTEST_MAIN(TstGuidesCompany)
#include "tst_guides_company.moc"

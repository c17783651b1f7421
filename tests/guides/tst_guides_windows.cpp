// The guide windows as the main window opens them: the menu commands with each guide's
// caption and help topic, the storage places child window, the drop-down of a lookup column.

#include "GuideDriver.h"
#include "GuidePickers.h"
#include "GuideRegistration.h"
#include "GuideTestSession.h"
#include "KvChildWindow.h"
#include "KvWindowRegistry.h"
#include "frmuCommission.h"
#include "frmuStorage_Place.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

class TstGuidesWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void mainMenuCommands_data();
    void mainMenuCommands();
    void storagePlacesChildWindow();
    void lookupColumnEditedByDropDown();

private:
    GuideTestSession m_s;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TstGuidesWindows::initTestCase()
{
    QString error;
    QVERIFY2(m_s.open(&error), qPrintable(error));
    registerGuides();
    QVERIFY(m_s.exec(QStringLiteral(
        "insert into zolt.personnel (person_id, company_id, persname, dutypost) values "
        "(401, 0, 'Иванов И.И.', 'Мастер'), (402, 0, 'Петров П.П.', 'Инженер');"
        "insert into zolt.commission (commission_id, person1_id, person2_id, person3_id, "
        "valid_to) values (411, 401, 0, 0, date '4712-12-31'), "
        "(412, 402, 402, 402, date '4712-12-31');"
        "insert into zolt.storageplace (storageplace_id, matrespperson_id, storename) values "
        "(421, 401, 'Центральный склад');"
        "insert into zolt.storeorder (storeorder_id, storageplace_id) values (422, 421)")));
}

void TstGuidesWindows::init()
{
    m_prompts.reset();
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstGuidesWindows::mainMenuCommands_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("windowClass");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("help");
    const auto row = [](const char *action, const char *cls, const char *caption, int help) {
        QTest::newRow(action) << QString::fromLatin1(action) << QString::fromLatin1(cls)
                              << QString::fromUtf8(caption) << help;
    };
    row("actMeasureGuide", "TfrmMeasure", "Справочник единиц измерения", 7030);
    row("actExpenseDescrGuide", "TfrmExpenseDescr", "Справочник статей затрат", 7080);
    row("actPercentDeductionGuide", "TfrmPercentDeduction", "Справочник процентных отчислений",
        7085);
    row("actKindOfWorkGuide", "TfrmKindOfWork", "Справочник видов работ", 7095);
    row("actWayOfWorkGuide", "TfrmWayOfWork", "Справочник способов работ", 7090);
    row("actBankGuide", "TfrmBank", "Справочник банков", 7096);
    row("actCommissionGuide", "TfrmCommission", "Справочник комиссий на списание ТМЦ", 7070);
    row("actBankAccGuide", "TfrmBankAcc", "Справочник Банковские счета", 7097);
    row("actCompanyGuide", "TfrmCompanyGuide", "\"Организации\" (справочник)", 7000);
    row("actPersonnelGuide", "TfrmPersonnel", "Справочник персонала", 7040);
}

void TstGuidesWindows::mainMenuCommands()
{
    QFETCH(QString, action);
    QFETCH(QString, windowClass);
    QFETCH(QString, caption);
    QFETCH(int, help);
    bool shown = false;
    m_prompts->onDialog([&](QDialog *dialog) {
        shown = true;
        auto *guide = qobject_cast<TfrmGuide *>(dialog);
        [&] {
            QVERIFY(guide);
            QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), windowClass);
            QCOMPARE(dialog->windowTitle(), caption);
            QCOMPARE(dialog->property("helpContext").toInt(), help);
            QVERIFY(!guide->selectAction()->isEnabled());
            QCOMPARE(guide->mode(), 0);
            QVERIFY(guide->list()->Active());
            TKV_DBNavigator *nav = guide->body()->navigator();
            QCOMPARE(nav->objectName(), QStringLiteral("dbNav"));
            QCOMPARE(nav->button(nbPost)->toolTip(), QStringLiteral("Подтвердить изменения"));
            QCOMPARE(nav->button(nbRefresh)->toolTip(), QStringLiteral("Обновить данные"));
            QVERIFY(guide->body()->grid()->AutoSortMarking());
        }();
        dialog->reject();
        return dialog->result();
    });
    QVERIFY(KvWindowRegistry::runCommand(action));
    QVERIFY(shown);
    QVERIFY(m_prompts->texts().isEmpty());
}

void TstGuidesWindows::storagePlacesChildWindow()
{
    std::unique_ptr<KvChildWindow> child(
        KvWindowRegistry::createChildWindow(QStringLiteral("TfrmStorage_Place")));
    auto *w = qobject_cast<TfrmStorage_Place *>(child.get());
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Справочник мест хранения"));
    TGuideBody *body = w->body();
    w->show();

    // Opened by another window than the main menu: read-only.
    KvMessageEvent readOnly(UM_CHILD_ACTIVATE, {}, 0);
    QCoreApplication::sendEvent(w, &readOnly);
    QVERIFY(body->list()->Active());
    QVERIFY(!body->action(QStringLiteral("actInsertRecord"))->isEnabled());
    QVERIFY(!body->list()->CanModify());

    KvMessageEvent editable(UM_CHILD_ACTIVATE, {}, 1);
    QCoreApplication::sendEvent(w, &editable);
    QVERIFY(body->list()->CanModify());
    QVERIFY(body->list()->Locate(QStringLiteral("STORENAME"), QStringLiteral("Центральный склад")));
    QCOMPARE(body->list()->FieldValue(QStringLiteral("L_MatRespPerson")).toString(),
             QStringLiteral("Мастер: Иванов И.И."));
    body->action(QStringLiteral("actDeleteRecord"))->trigger();
    QCOMPARE(m_prompts->texts(),
             QStringList{QStringLiteral("\"Центральный склад\" удалить нельзя, т.к. есть ссылка "
                                        "из приходных ордеров")});

    // A new place entered in the panel; closing asks, Yes saves it.
    body->action(QStringLiteral("actInsertRecord"))->trigger();
    QLineEdit *name = w->findChild<QLineEdit *>(QStringLiteral("edtStoreName"));
    typeText(name, QStringLiteral("Склад №2"));
    leave(name);
    auto *person = w->findChild<QComboBox *>(QStringLiteral("cbxMatRespPerson"));
    const int petrov = person->findText(QStringLiteral("Инженер: Петров П.П."));
    QVERIFY(petrov >= 0);
    person->setCurrentIndex(petrov);
    emit person->activated(petrov);
    m_prompts->clear();
    m_prompts->answer(Prompts::Yes);
    QVERIFY(w->close());
    child.release(); // deletes itself on close
    QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Данные изменены, записать?")});
    QCOMPARE(m_s.value(QStringLiteral("select matrespperson_id from zolt.storageplace where "
                                      "storename = 'Склад №2'"))
                 .toInt(),
             402);
}

void TstGuidesWindows::lookupColumnEditedByDropDown()
{
    onGuide<TfrmCommission>(*m_prompts, [&](TfrmCommission &w) {
        // The caller's commission stays current: no sort, no search on showing.
        QCOMPARE(w.list()->FieldValue(QStringLiteral("COMMISSION_ID")).toInt(), 411);
        QCOMPARE(current(w, QStringLiteral("L_Person1")), QStringLiteral("Мастер Иванов И.И."));
        act(w, "actEditRecord")->trigger();
        TKV_DBGridEh *grid = w.body()->grid();
        const QModelIndex index = cell(w, QStringLiteral("L_Person2"));
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto *box = grid->viewport()->findChild<QComboBox *>();
        QVERIFY(box);
        box->setCurrentIndex(box->findText(QStringLiteral("Инженер Петров П.П.")));
        Q_EMIT grid->itemDelegate()->commitData(box); // the cell is left

        pressNav(w, nbPost);
        act(w, "actSelectItem")->trigger();
    });
    QCOMPARE(PickCommission(QVariant::fromValue(qint64(411)), 1).toInt(), 411);
    QCOMPARE(m_s.value(QStringLiteral("select person2_id from zolt.commission where "
                                      "commission_id = 411"))
                 .toInt(),
             402);
}

QTEST_MAIN(TstGuidesWindows)
#include "tst_guides_windows.moc"

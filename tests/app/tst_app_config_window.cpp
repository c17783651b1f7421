// The working configuration in the shell, driven headless: the first sign-in of a user
// leading into the configuration window, the main window's working date kept in the row, the
// configuration window's pages and its close, and a save the server refuses.

#include "AppVars.h"
#include "KV_ClientDataSet.h"
#include "KV_DBNavigator.h"
#include "KvApplication.h"
#include "KvChildWindow.h"
#include "KvWindowRegistry.h"
#include "ScriptedPrompts.h"
#include "SessionHooks.h"
#include "TestDatabase.h"
#include "dmuDM.h"
#include "dmuMainCfg.h"
#include "dmuRDM.h"
#include "frmuCFG.h"
#include "frmuMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const char *const Fixture = R"SQL(
INSERT INTO zolt.COMPANY (COMPANY_ID, DIRECTOR_ID, COMPANY_NAME, VALID_TO) VALUES
    (1, 0, 'Корвель-Строй', DATE '4712-12-31'),
    (2, 0, 'Альфа', DATE '4712-12-31'),
    (3, 0, 'Бета', DATE '4712-12-31');
INSERT INTO zolt.BANK (BANK_ID, BANK_CODE, BANK_NAME) VALUES (1, '153001749', 'Беларусбанк');
INSERT INTO zolt.BANKACC (BANKACC_ID, COMPANY_ID, BANK_ID, BANKACC, VALID_TO) VALUES
    (3, 1, 1, '3012000000017', DATE '4712-12-31');
INSERT INTO zolt.STORAGEPLACE (STORAGEPLACE_ID, STORENAME) VALUES (2, 'Основной'), (4, 'Склад №2');
INSERT INTO zolt.KINDOFWORK (KINDOFWORK_ID, DESCR) VALUES (1, 'Монтаж'), (2, 'Наладка');
INSERT INTO zolt.WAYOFWORK (WAYOFWORK_ID, DESCR) VALUES (1, 'Подряд'), (2, 'Хозспособ')
)SQL";

ScriptedPrompts::DialogHandler acceptSignIn()
{
    return [](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("edUserName"))
            ->setText(QStringLiteral("DEMO"));
        dialog->findChild<QLineEdit *>(QStringLiteral("edUserPassword"))
            ->setText(QStringLiteral("vyrt"));
        dialog->findChild<QComboBox *>(QStringLiteral("cbxDatabase"))
            ->setEditText(QStringLiteral("DEMO"));
        return int(QDialog::Accepted);
    };
}

// The label of the form row that holds the widget (alone or beside a button).
QString labelOf(QWidget *window, QWidget *field)
{
    for (QFormLayout *form : window->findChildren<QFormLayout *>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem *item = form->itemAt(row, QFormLayout::FieldRole);
            if (!item || (item->widget() != field &&
                          !(item->layout() && item->layout()->indexOf(field) >= 0)))
                continue;
            QLayoutItem *label = form->itemAt(row, QFormLayout::LabelRole);
            auto *text = label ? qobject_cast<QLabel *>(label->widget()) : nullptr;
            return text ? text->text() : QString();
        }
    }
    return {};
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i) + QLatin1Char('=') + box->itemData(i).toString();
    return items;
}

} // namespace

class TstAppConfigWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void firstSignInOpensConfigurationWithSavedRow();
    void workDateTypedInMainWindowSavedAtSignOut();
    void nonsenseWorkDateIsRefused();
    void configWindowPagesAndControls();
    void changesInWindowSavedWhenItCloses();
    void pickerWritesChosenCompany();
    void refusedSaveStillClosesWindow();

private:
    void createShell();
    void signIn();
    TfrmCFG *openConfig();
    QMdiSubWindow *configSubWindow() const;
    QVariant stored(const QString &column) const;
    template <class T>
    T *child(QWidget *window, const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qWarning("no %s", name);
        return w;
    }

    TestDatabase m_db;
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TfrmMain> m_main;
    std::unique_ptr<TDMR> m_dmr;
    std::unique_ptr<TDM> m_dm;
};

void TstAppConfigWindow::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(!m_db.writeUdl(m_dir.filePath(QStringLiteral("CONNECTIONS")), QStringLiteral("DEMO"))
                 .isEmpty());
    QString error;
    QVERIFY2(m_db.execAsOwner(QString::fromUtf8(Fixture), &error), qPrintable(error));
    RegisterConfigWindow();
}

void TstAppConfigWindow::init()
{
    QFile::remove(m_dir.filePath(QStringLiteral("settings.xml")));
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("delete from zolt.MAIN_CFG; delete from zolt.APP_USER; "
                       "insert into zolt.APP_USER (USER_ID, STATUS_ID, LOGIN_NAME, VALID_TO) "
                       "values (7, 1, 'DEMO', DATE '4712-12-31')")));
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstAppConfigWindow::cleanup()
{
    m_main.reset();
    m_dm.reset();
    m_dmr.reset();
    m_prompts.reset();
}

void TstAppConfigWindow::createShell()
{
    m_main =
        std::make_unique<TfrmMain>(StartParams{}, m_dir.filePath(QStringLiteral("settings.xml")));
    ConnectionsPath = m_dir.filePath(QStringLiteral("CONNECTIONS")) + QLatin1Char('/');
    m_dmr = std::make_unique<TDMR>();
    m_dm = std::make_unique<TDM>(m_dmr.get());
    InstallSessionHooks(*m_dm);
}

void TstAppConfigWindow::signIn()
{
    createShell();
    m_prompts->onDialog(acceptSignIn());
    m_main->show();
    QTRY_COMPARE(m_main->windowTitle(), QStringLiteral("DEMO"));
    QTRY_VERIFY(m_dm->cdsMainCFG()->Active());
}

QMdiSubWindow *TstAppConfigWindow::configSubWindow() const
{
    for (QMdiSubWindow *sub : m_main->childWindows()) {
        if (qobject_cast<TfrmCFG *>(sub->widget()))
            return sub;
    }
    return nullptr;
}

TfrmCFG *TstAppConfigWindow::openConfig()
{
    m_main->action(QStringLiteral("actServisConfig"))->trigger();
    QMdiSubWindow *sub = configSubWindow();
    return sub ? qobject_cast<TfrmCFG *>(sub->widget()) : nullptr;
}

QVariant TstAppConfigWindow::stored(const QString &column) const
{
    return m_db.valueAsOwner(
        QStringLiteral("select %1 from zolt.MAIN_CFG where USER_ID = 7").arg(column));
}

void TstAppConfigWindow::firstSignInOpensConfigurationWithSavedRow()
{
    bool mainShownFirst = false;
    bool rowSavedAtOpen = true;
    KvWindowRegistry::registerChildWindow(QStringLiteral("TfrmCFG"), [&]() -> KvChildWindow * {
        mainShownFirst = m_main->isVisible();
        rowSavedAtOpen = !stored(QStringLiteral("CFG_ID")).isNull();
        return new TfrmCFG(DM->MainCfg());
    });
    signIn();
    QTRY_VERIFY(configSubWindow());
    RegisterConfigWindow();
    QVERIFY(mainShownFirst);
    QVERIFY(!rowSavedAtOpen);
    // Saved before the user changes anything, with the defaults of a new row.
    QCOMPARE(stored(QStringLiteral("concat_ws(',', CFG_ID, USER_ID, WORK_DATE = current_date, "
                                   "COMPANY_ID, BANKACC_ID, STORAGE_PLACE_ID)"))
                 .toString(),
             QStringLiteral("1,7,t,0,0,0"));
    QCOMPARE(configSubWindow()->widget()->windowTitle(), QStringLiteral("Настройка конфигурации"));
    QCOMPARE(m_main->mdiArea()->activeSubWindow(), configSubWindow());
    QVERIFY(m_prompts->shown().isEmpty());

    // Once the user has a row, signing in again leads nowhere but the main window.
    m_main->action(QStringLiteral("FileDatabaseConnect"))->trigger(); // out, closing it
    QTRY_VERIFY(!configSubWindow());
    m_prompts->onDialog(acceptSignIn());
    m_main.reset();
    m_dm.reset();
    m_dmr.reset();
    signIn();
    QTest::qWait(50);
    QVERIFY(m_main->childWindows().isEmpty());
    QCOMPARE(m_db.valueAsOwner(QStringLiteral("select count(*) from zolt.MAIN_CFG")).toInt(), 1);
}

void TstAppConfigWindow::workDateTypedInMainWindowSavedAtSignOut()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, "
                                            "WORK_DATE) values (1, 7, DATE '2020-01-10')")));
    signIn();
    QDateEdit *workDate = m_main->workDateEdit();
    QCOMPARE(workDate->date(), QDate::currentDate());
    QVERIFY(!workDate->isReadOnly());

    workDate->setFocus();
    workDate->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(workDate, QStringLiteral("15032021"));
    QTest::keyClick(workDate, Qt::Key_Return);
    QCOMPARE(m_dm->cdsMainCFG()->FieldByName(QStringLiteral("WORK_DATE"))->AsDate(),
             QDate(2021, 3, 15));
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate(2020, 1, 10));

    m_main->action(QStringLiteral("FileDatabaseConnect"))->trigger();
    QVERIFY(!m_dm->IsDatabaseConnected());
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate(2021, 3, 15));
    QCOMPARE(workDate->text().trimmed(), QString()); // no row, no date shown

    // The next sign-in starts with today again.
    m_prompts->onDialog(acceptSignIn());
    m_main->action(QStringLiteral("FileDatabaseConnect"))->trigger();
    QVERIFY(m_dm->IsDatabaseConnected());
    QCOMPARE(workDate->date(), QDate::currentDate());
    QCOMPARE(m_dm->cdsMainCFG()->FieldByName(QStringLiteral("WORK_DATE"))->AsDate(),
             QDate::currentDate());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppConfigWindow::nonsenseWorkDateIsRefused()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, "
                                            "WORK_DATE) values (1, 7, DATE '2020-01-10')")));
    signIn();
    QDateEdit *workDate = m_main->workDateEdit();
    KvField *field = m_dm->cdsMainCFG()->FieldByName(QStringLiteral("WORK_DATE"));
    QVERIFY(field->setValue(QDate(2021, 3, 15)));
    QCOMPARE(workDate->date(), QDate(2021, 3, 15));
    QList<QVariant> written;
    QObject::connect(m_dm->cdsMainCFG(), &TKV_ClientDataSet::fieldChanged, this,
                     [&](KvField *f) { written << f->Value(); });

    // A year of three digits: refused, the date stays as it was.
    workDate->setFocus();
    workDate->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(workDate, QStringLiteral("320"));
    QTest::keyClick(workDate, Qt::Key_Return);
    QCOMPARE(field->AsDate(), QDate(2021, 3, 15));
    QCOMPARE(workDate->date(), QDate(2021, 3, 15));

    // Separators typed after a full day skip the month: the year becomes 0320 and is refused
    // as well; only the day typed reaches the row.
    workDate->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(workDate, QStringLiteral("17/03/2021"));
    QTest::keyClick(workDate, Qt::Key_Return);
    QCOMPARE(field->AsDate(), QDate(2021, 3, 17));

    // 31 February is no date: the day follows the month.
    workDate->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(workDate, QStringLiteral("31022021"));
    QTest::keyClick(workDate, Qt::Key_Return);
    QCOMPARE(field->AsDate(), QDate(2021, 2, 28));
    for (const QVariant &value : std::as_const(written)) {
        QVERIFY(value.toDate().isValid());
        QVERIFY(value.toDate().year() > 2000);
    }

    m_main->action(QStringLiteral("FileDatabaseConnect"))->trigger();
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate(2021, 2, 28));
}

void TstAppConfigWindow::configWindowPagesAndControls()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral(
        "insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, COMPANY_ID, BANKACC_ID, "
        "STORAGE_PLACE_ID, TAX_PERCENT, CUR_ID, PERIODFROMTYPE, PERIODTOTYPE, MAINSUPPLIER_ID, "
        "KINDOFWORK_ID, WAYOFWORK_ID) values (1, 7, DATE '2020-01-10', 1, 3, 4, 18, 112, 1, 2, "
        "2, 2, 1)")));
    signIn();
    TempFilesPath = QStringLiteral("/tmp/korvel-temp");
    LocalDataPath = QStringLiteral("/tmp/korvel-local");
    EnterToTab = false;
    UseMemoryManager = true;
    TfrmCFG *window = openConfig();
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("frmCFG"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Настройка конфигурации"));
    QCOMPARE(window->property("helpContext").toInt(), 6100);
    auto *pages = child<QTabWidget>(window, "pgcConfig");
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    QCOMPARE(tabs, (QStringList{"Основные", "Подстановки", "Интервал", "Пути"}));

    // "Основные"
    const auto lookup = [&](const char *name, const char *label, const QString &shown) {
        auto *box = child<QComboBox>(window, name);
        QVERIFY2(box, name);
        QCOMPARE(labelOf(window, box), QString::fromUtf8(label));
        QCOMPARE(box->currentText(), shown);
    };
    lookup("cbxCompany", "Организация", QStringLiteral("Корвель-Строй"));
    lookup("cbxBankAcc", "Расчетный счет",
           QStringLiteral("р/с 3012000000017 в Беларусбанк   МФО 153001749"));
    lookup("cbxStoragePlace", "Основной склад", QStringLiteral("Склад №2"));
    QCOMPARE(itemsOf(child<QComboBox>(window, "cbxStoragePlace")),
             (QStringList{"Основной=2", "Склад №2=4"}));
    auto *workDate = child<QDateEdit>(window, "deWorkDate");
    QCOMPARE(labelOf(window, workDate), QStringLiteral("Рабочая дата"));
    QCOMPARE(workDate->toolTip(), QStringLiteral("Рабочая дата"));
    QCOMPARE(workDate->date(), QDate::currentDate());
    auto *enterToTab = child<QCheckBox>(window, "chbEnterToTab");
    QCOMPARE(enterToTab->text(), QStringLiteral("Эмулировать Tab при нажатии Enter"));
    QVERIFY(!enterToTab->isChecked());
    auto *memory = child<QCheckBox>(window, "chbUseMemoryManager");
    QCOMPARE(memory->text(), QStringLiteral("Использовать встроенный менеджер памяти"));
    QCOMPARE(memory->toolTip(),
             QStringLiteral("Использовать встроенный менеджер памяти.\n"
                            "Производит автоматическое освобождение неиспользуемой памяти.\n"
                            "Желательно включить, при постоянной загрузке памяти более 90 %"));
    QVERIFY(memory->isChecked());

    // "Подстановки"
    QCOMPARE(child<QGroupBox>(window, "gbDefaults")->title(),
             QStringLiteral("Подстановки по умолчанию"));
    lookup("cbxCurrency", "Валюта", QStringLiteral("BYB - Бел. рубль"));
    QCOMPARE(itemsOf(child<QComboBox>(window, "cbxCurrency")), QStringList{"BYB - Бел. рубль=112"});
    lookup("cbxTaxPercent", "Процент НДС", QStringLiteral("18%"));
    QCOMPARE(itemsOf(child<QComboBox>(window, "cbxTaxPercent")),
             (QStringList{"Без НДС=0", "10%=10", "18%=18", "20%=20"}));
    lookup("cbxMainSupplier", "Основной поставщик", QStringLiteral("Альфа"));
    lookup("cbxCustomer", "Основной заказчик", QString());
    lookup("cbxContractor", "Основной подрядчик", QString());
    lookup("cbxKindOfWork", "Основной вид работ", QStringLiteral("Наладка"));
    lookup("cbxWayOfWork", "Основной способ работ", QStringLiteral("Подряд"));
    QCOMPARE(itemsOf(child<QComboBox>(window, "cbxWayOfWork")),
             (QStringList{" =0", "Подряд=1", "Хозспособ=2"}));

    // "Интервал"
    const auto radios = [&](const char *name) {
        QStringList texts;
        for (QRadioButton *button : child<QGroupBox>(window, name)->findChildren<QRadioButton *>())
            texts << (button->isChecked() ? QStringLiteral("*") : QString()) + button->text();
        return texts;
    };
    auto *from = child<QGroupBox>(window, "rgPeriodFrom");
    QCOMPARE(from->title(), QStringLiteral("Начальный"));
    QCOMPARE(from->toolTip(),
             QStringLiteral("Начальный интервал отбора документов при загрузке системы"));
    QCOMPARE(radios("rgPeriodFrom"),
             (QStringList{"Текущая дата", "*Начало месяца", "Начало квартала", "Начало года"}));
    auto *to = child<QGroupBox>(window, "rgPeriodTo");
    QCOMPARE(to->title(), QStringLiteral("Конечный"));
    QCOMPARE(to->toolTip(),
             QStringLiteral("Конечный интервал отбора документов при загрузке системы"));
    QCOMPARE(radios("rgPeriodTo"),
             (QStringList{"Текущая дата", "Конец месяца", "*Конец квартала", "Конец года"}));

    // "Пути"
    auto *temp = child<QLineEdit>(window, "edTempFilesPath");
    QCOMPARE(labelOf(window, temp), QStringLiteral("Каталог временных файлов"));
    QCOMPARE(temp->text(), QStringLiteral("/tmp/korvel-temp"));
    auto *local = child<QLineEdit>(window, "edLocalDataPath");
    QCOMPARE(labelOf(window, local), QStringLiteral("Каталог локальных данных"));
    QCOMPARE(local->text(), QStringLiteral("/tmp/korvel-local"));

    // Tool bar: post and cancel of the row, and "Закрыть".
    auto *navigator = child<TKV_DBNavigator>(window, "DBNavigator");
    QCOMPARE(navigator->VisibleControls(), (TKVNavigateControls{nbPost, nbCancel}));
    QCOMPARE(navigator->button(nbPost)->toolTip(), QStringLiteral("Подтвердить изменения"));
    QCOMPARE(navigator->button(nbCancel)->toolTip(), QStringLiteral("Отменить изменения"));
    QAction *close = window->actClosePage();
    QCOMPARE(close->objectName(), QStringLiteral("actClosePage"));
    QCOMPARE(close->text(), QStringLiteral("Закрыть"));
    QCOMPARE(close->toolTip(), QStringLiteral("Закрыть окно настроек"));
    QCOMPARE(close->shortcut(), QKeySequence(QStringLiteral("Ctrl+F4")));
    QCOMPARE(pages->contextMenuPolicy(), Qt::CustomContextMenu);

    // The lists the pages choose from are open; a second opening finds the same window.
    for (TKV_ClientDataSet *list : m_dm->MainCfg().windowLists())
        QVERIFY2(list->Active(), qPrintable(list->objectName()));
    QCOMPARE(openConfig(), window);
    QCOMPARE(m_main->childWindows().size(), 1);

    // Ctrl+F4 closes it.
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    child<QComboBox>(window, "cbxWayOfWork")->setFocus();
    QPointer<TfrmCFG> closing = window;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(closing.isNull());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppConfigWindow::changesInWindowSavedWhenItCloses()
{
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, COMPANY_ID) "
                       "values (1, 7, DATE '2020-01-10', 1)")));
    signIn();
    EnterToTab = true;
    UseMemoryManager = false;
    TempFilesPath.clear();
    TfrmCFG *window = openConfig();
    QVERIFY(window);
    // Opening saved what the session held: today's working date.
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate::currentDate());

    const auto choose = [&](const char *name, const QString &text) {
        auto *box = child<QComboBox>(window, name);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    };
    choose("cbxCompany", QStringLiteral("Альфа"));
    choose("cbxTaxPercent", QStringLiteral("20%"));
    choose("cbxCurrency", QStringLiteral("BYB - Бел. рубль"));
    choose("cbxContractor", QStringLiteral("Бета"));
    choose("cbxWayOfWork", QStringLiteral("Хозспособ"));
    child<QGroupBox>(window, "rgPeriodFrom")->findChildren<QRadioButton *>().at(1)->click();
    child<QGroupBox>(window, "rgPeriodTo")->findChildren<QRadioButton *>().at(2)->click();
    child<QDateEdit>(window, "deWorkDate")->setDate(QDate(2022, 2, 2));
    QCOMPARE(m_main->workDateEdit()->date(), QDate(2022, 2, 2));
    QCOMPARE(m_dm->cdsMainCFG()->FieldByName(QStringLiteral("L_Company_Name"))->AsString(),
             QStringLiteral("Альфа"));

    // The Enter setting changes at once; the memory option and the folders when it closes.
    child<QCheckBox>(window, "chbEnterToTab")->click();
    QVERIFY(!EnterToTab);
    child<QCheckBox>(window, "chbUseMemoryManager")->click();
    child<QLineEdit>(window, "edTempFilesPath")->setText(QStringLiteral("/var/tmp/k"));
    QVERIFY(!UseMemoryManager);
    QVERIFY(TempFilesPath.isEmpty());

    QPointer<TfrmCFG> closing = window;
    window->actClosePage()->trigger();
    QTRY_VERIFY(closing.isNull());
    QTRY_VERIFY(m_main->childWindows().isEmpty());
    QVERIFY(UseMemoryManager);
    QCOMPARE(TempFilesPath, QStringLiteral("/var/tmp/k"));
    QCOMPARE(stored(QStringLiteral("concat_ws(',', COMPANY_ID, TAX_PERCENT, CUR_ID, "
                                   "CONTRACTORCOMP_ID, WAYOFWORK_ID, PERIODFROMTYPE, "
                                   "PERIODTOTYPE, WORK_DATE)"))
                 .toString(),
             QStringLiteral("2,20,112,3,2,1,2,2022-02-02"));
    // The row is open again and the working period follows its new types.
    const QDate today = QDate::currentDate();
    QCOMPARE(PeriodFrom, QDate(today.year(), today.month(), 1));
    const QDate quarterEnd(today.year(), (today.month() - 1) / 3 * 3 + 3, 1);
    QCOMPARE(PeriodTo, QDate(quarterEnd.year(), quarterEnd.month(), quarterEnd.daysInMonth()));
    TMainCfg &cfg = m_dm->MainCfg();
    QVERIFY(cfg.cdsMainCFG()->Active());
    for (TKV_ClientDataSet *list :
         {cfg.cdsMainCfgSupplier(), cfg.cdsMainCfgCustomer(), cfg.cdsMainCfgContractor(),
          cfg.cdsMainCfgKindOfWork(), cfg.cdsMainCfgWayOfWork()})
        QVERIFY2(!list->Active(), qPrintable(list->objectName()));
    QCOMPARE(m_main->workDateEdit()->date(), QDate(2022, 2, 2));
    QVERIFY(!m_main->workDateEdit()->isReadOnly());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppConfigWindow::pickerWritesChosenCompany()
{
    QVERIFY(m_db.execAsOwner(
        QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, WORK_DATE, COMPANY_ID) "
                       "values (1, 7, DATE '2020-01-10', 1)")));
    signIn();
    TfrmCFG *window = openConfig();
    QVERIFY(window);
    QVariant shownKey;
    m_prompts->onDialog([&](QDialog *guide) {
        auto *list = guide->findChild<TKV_ClientDataSet *>(QStringLiteral("cdsCompany"));
        if (!list)
            return int(QDialog::Rejected);
        shownKey = list->FieldValue(QStringLiteral("COMPANY_ID"));
        list->Locate(QStringLiteral("COMPANY_ID"), 3);
        guide->findChild<QAction *>(QStringLiteral("actMrOk"))->trigger();
        return guide->result();
    });
    child<QToolButton>(window, "btnPickCompany")->click();
    QCOMPARE(shownKey.toInt(), 1); // the guide opens on the company of the row
    QCOMPARE(child<QComboBox>(window, "cbxCompany")->currentText(), QStringLiteral("Бета"));

    // A guide closed without choosing changes nothing.
    child<QToolButton>(window, "btnPickMainSupplier")->click();
    QVERIFY(m_dm->cdsMainCFG()->FieldByName(QStringLiteral("MAINSUPPLIER_ID"))->IsNull());

    window->actClosePage()->trigger();
    QTRY_VERIFY(m_main->childWindows().isEmpty());
    QCOMPARE(stored(QStringLiteral("COMPANY_ID")).toInt(), 3);
    QVERIFY(stored(QStringLiteral("MAINSUPPLIER_ID")).isNull());
}

void TstAppConfigWindow::refusedSaveStillClosesWindow()
{
    QVERIFY(m_db.execAsOwner(QStringLiteral("insert into zolt.MAIN_CFG (CFG_ID, USER_ID, "
                                            "WORK_DATE) values (1, 7, DATE '2020-01-10')")));
    signIn();
    TfrmCFG *window = openConfig();
    QVERIFY(window);
    QVERIFY(m_db.execAsOwner(QStringLiteral("revoke update on zolt.MAIN_CFG from ddl")));
    child<QDateEdit>(window, "deWorkDate")->setDate(QDate(2022, 2, 2));

    QPointer<TfrmCFG> closing = window;
    window->actClosePage()->trigger();
    const bool granted = m_db.execAsOwner(QStringLiteral("grant update on zolt.MAIN_CFG to ddl"));
    QTRY_VERIFY(closing.isNull());
    QVERIFY(granted);
    const QStringList errors = m_prompts->texts(Prompts::Kind::Error);
    QCOMPARE(errors.size(), 2);
    QVERIFY2(
        errors[0].startsWith(QStringLiteral("ERROR: Ошибка обновления - cdsMainCFG Изменение\r")),
        qPrintable(errors[0]));
    QCOMPARE(errors[1], QStringLiteral("Ошибка записи изменений cdsMainCFG"));
    // The event log tells why.
    const QStringList log = m_dmr->session().eventLog().lines();
    QVERIFY2(!log.filter(QStringLiteral("ERROR: Ошибка записи изменений cdsMainCFG: ")).isEmpty(),
             qPrintable(log.join(QLatin1Char('\n'))));
    QVERIFY(!log.filter(QStringLiteral("permission denied")).isEmpty());
    // Nothing was written; the row shows what the server holds.
    QCOMPARE(stored(QStringLiteral("WORK_DATE")).toDate(), QDate::currentDate());
    QVERIFY(m_dm->cdsMainCFG()->Active());
    QCOMPARE(m_main->workDateEdit()->date(), QDate::currentDate());
}

int main(int argc, char *argv[])
{
    KvApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    TstAppConfigWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_config_window.moc"

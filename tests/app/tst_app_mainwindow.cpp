// The main window driven headless: sign-in through the dialog, the caption, the actions'
// rules, the window list as child windows open and close, sign-out, failures, shutdown.

#include "AppVars.h"
#include "KvApplication.h"
#include "KvChildWindow.h"
#include "KvWindowRegistry.h"
#include "ScriptedPrompts.h"
#include "SessionHooks.h"
#include "TestDatabase.h"
#include "dmuDM.h"
#include "dmuRDM.h"
#include "frmuMain.h"
#include "frmuPasswordDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include <stdexcept>

namespace {

const QString NoConnection = QStringLiteral("[ Нет соединения с БД ]");

// A child window that records what the main window hands it.
class TestChild : public KvChildWindow
{
    Q_OBJECT
public:
    explicit TestChild(const QString &title)
    {
        setWindowTitle(title);
        new QLineEdit(this);
    }
    QList<int> activations;
    QList<bool> connectedAtClose;

protected:
    void childActivate(int parameter) override { activations << parameter; }
    void closeEvent(QCloseEvent *event) override
    {
        connectedAtClose << (DM && DM->IsDatabaseConnected());
        KvChildWindow::closeEvent(event);
    }
};

// Throws from its event handler, as a faulty window might.
class Faulty : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("ware card 17 has no type");
        return QObject::event(event);
    }
};

// Fills the sign-in dialog: a password and database, or keeps what it shows.
ScriptedPrompts::DialogHandler fillDialog(const QString &user = {}, const QString &password = {},
                                          const QString &dataBase = {})
{
    return [=](QDialog *dialog) {
        if (!user.isNull())
            dialog->findChild<QLineEdit *>(QStringLiteral("edUserName"))->setText(user);
        if (!password.isNull())
            dialog->findChild<QLineEdit *>(QStringLiteral("edUserPassword"))->setText(password);
        if (!dataBase.isNull())
            dialog->findChild<QComboBox *>(QStringLiteral("cbxDatabase"))->setEditText(dataBase);
        return int(QDialog::Accepted);
    };
}

} // namespace

class TstAppMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void menusToolBarAndActions();
    void startParamsShowServiceActions();
    void passwordDialog();
    void signInWindowListAndSignOut();
    void signInFailures_data();
    void signInFailures();
    void shutdownSignsOutAndSavesSettings();
    void exceptionInEventLoopIsReported();

private:
    void createShell(const StartParams &params = {});
    QStringList windowList() const;
    QAction *act(const char *name) const { return m_main->action(QString::fromLatin1(name)); }

    TestDatabase m_db;
    QTemporaryDir m_dir;
    QString m_connections;
    QString m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TfrmMain> m_main;
    std::unique_ptr<TDMR> m_dmr;
    std::unique_ptr<TDM> m_dm;
};

void TstAppMainWindow::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    m_connections = m_dir.filePath(QStringLiteral("CONNECTIONS"));
    QVERIFY(!m_db.writeUdl(m_connections, QStringLiteral("DEMO")).isEmpty());
    KvWindowRegistry::registerChildWindow(QStringLiteral("TfrmTestChild"),
                                          [] { return new TestChild(QStringLiteral("Проба")); });
    KvWindowRegistry::registerChildWindow(QStringLiteral("TfrmOtherChild"), [] {
        return new TestChild(QStringLiteral("Другое окно"));
    });
}

void TstAppMainWindow::init()
{
    m_settings = m_dir.filePath(QStringLiteral("settings.xml"));
    QFile::remove(m_settings);
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstAppMainWindow::cleanup()
{
    m_main.reset();
    m_dm.reset();
    m_dmr.reset();
    m_prompts.reset();
}

void TstAppMainWindow::createShell(const StartParams &params)
{
    // In the program's order: main window, server module, client module.
    m_main = std::make_unique<TfrmMain>(params, m_settings);
    ConnectionsPath = m_connections + QLatin1Char('/');
    m_dmr = std::make_unique<TDMR>();
    m_dm = std::make_unique<TDM>(m_dmr.get());
    InstallSessionHooks(*m_dm);
}

QStringList TstAppMainWindow::windowList() const
{
    QStringList names;
    const QList<QAction *> items =
        m_main->findChild<QMenu *>(QStringLiteral("mmiWindow"))->actions();
    bool after = false;
    for (QAction *item : items) {
        if (after)
            names << item->objectName() + QLatin1Char('=') + item->text();
        after = after || item->objectName() == QLatin1String("mmiWindowBreake");
    }
    return names;
}

void TstAppMainWindow::menusToolBarAndActions()
{
    createShell();
    QStringList menus;
    for (QAction *menu : m_main->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{"&Файл", "Операции", "&Справочники", "Отчеты", "&Вид", "&Окно",
                                 "Сервис", "&Помощь"}));

    QStringList tools;
    for (QAction *tool : m_main->findChild<QToolBar *>(QStringLiteral("tlbOperations"))->actions())
        tools << (tool->isSeparator() ? QStringLiteral("-") : tool->objectName());
    QCOMPARE(tools,
             (QStringList{"actConstrObject", "-", "actWareCard", "-", "actDeliveryApplication", "-",
                          "actStoreOrderList", "actConstrObjInvoiceList", "-", "actCalculator"}));

    QCOMPARE(act("actFileExit")->text(), QStringLiteral("В&ыход"));
    QCOMPARE(act("actFileExit")->toolTip(), QStringLiteral("Выход"));
    QCOMPARE(act("actFileExit")->statusTip(), QStringLiteral("Выход из программы"));
    QCOMPARE(act("actCorrectData")->toolTip(),
             QStringLiteral("Обновить структуру данных. Применяется при обновлении версии\n"
                            "программы, для синхронизации изменений в структуре данных."));
    QCOMPARE(act("WindowCloseAll")->toolTip(), QStringLiteral("Закрыть ве окна"));
    QCOMPARE(act("actWareCard")->toolTip(), QStringLiteral("Картотека товаров на складах"));
    QCOMPARE(act("actCalculator")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F2")));
    QCOMPARE(act("EditUndo1")->shortcut(), QKeySequence(QStringLiteral("Alt+Backspace")));
    QCOMPARE(act("actHelp")->shortcut(), QKeySequence(Qt::Key_F1));

    auto *workDate = m_main->findChild<QDateEdit *>(QStringLiteral("DBDateEditWorkDate"));
    QCOMPARE(workDate->date(), QDate::currentDate());
    QCOMPARE(workDate->toolTip(), QStringLiteral("Рабочая дата"));
    QCOMPARE(workDate->buttonSymbols(), QAbstractSpinBox::NoButtons);
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("lblWebLink"))->toolTip(),
             QStringLiteral("Открыть Web страницу программы"));

    // Before the first showing: disconnected, caption and rules accordingly.
    m_main->UpdateMenu();
    QCOMPARE(m_main->windowTitle(), QStringLiteral("DEMO") + NoConnection);
    QVERIFY(!act("actStoreOrderList")->isEnabled());
    QVERIFY(!act("actChangePassword")->isEnabled());
    QVERIFY(act("actCalculator")->isEnabled());
    QVERIFY(!act("WindowCloseAll")->isEnabled());
    QVERIFY(!m_main->findChild<QMenu *>(QStringLiteral("mmiWindow"))->menuAction()->isEnabled());
    for (const char *hidden : {"actDebugMode", "actSqlMonitor", "actTestSql",
                               "actDesignBalanceMovement", "actDesignMonthMovement"})
        QVERIFY2(!act(hidden)->isVisible(), hidden);

    // The status bar item toggles the bar and its own hint.
    QCOMPARE(act("actViewStatusBar")->toolTip(), QStringLiteral("Убрать панель статуса"));
    act("actViewStatusBar")->trigger();
    QCOMPARE(act("actViewStatusBar")->toolTip(), QStringLiteral("Показать панель статуса"));

    // Without a main window nothing answers; without a registered class nothing opens.
    QCOMPARE(m_main->OpenChildWindow(QStringLiteral("TfrmStoreOrder"), 1), nullptr);
    m_dm.reset();
    m_main->RefreshTitle();
    QCOMPARE(m_main->windowTitle(), NoConnection);
}

void TstAppMainWindow::startParamsShowServiceActions()
{
    createShell(ParseStartParams({"korvel", "-DEBUG", "/design"}));
    QVERIFY(DebugMode && DesignMode);
    m_main->UpdateMenu();
    for (const char *shown : {"actDebugMode", "actSqlMonitor", "actTestSql",
                              "actDesignBalanceMovement", "actDesignMonthMovement"})
        QVERIFY2(act(shown)->isVisible(), shown);
    QVERIFY(SqlMonitorOn);
    act("actSqlMonitor")->trigger();
    QVERIFY(!SqlMonitorOn);
    QVERIFY(!m_dmr->session().monitorOn());
}

void TstAppMainWindow::passwordDialog()
{
    TfrmPasswordDlg empty(QString(), QString(), QStringLiteral("SALES"),
                          {QStringLiteral("DEMO"), QStringLiteral("SALES")});
    QCOMPARE(empty.windowTitle(), QStringLiteral("Соединение с БД .."));
    QCOMPARE(empty.focusWidget(), empty.findChild<QWidget *>(QStringLiteral("edUserName")));
    auto *database = empty.findChild<QComboBox *>(QStringLiteral("cbxDatabase"));
    QCOMPARE(database->currentText(), QStringLiteral("SALES"));
    QVERIFY(database->isEditable());

    TfrmPasswordDlg named(QStringLiteral("DEMO"), QStringLiteral("vyrt"), QStringLiteral("DEMO"),
                          {});
    auto *user = named.findChild<QLineEdit *>(QStringLiteral("edUserName"));
    auto *password = named.findChild<QLineEdit *>(QStringLiteral("edUserPassword"));
    QCOMPARE(named.focusWidget(), password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(user->toolTip(), QStringLiteral("Введите имя пользователя для доступа к базе данных.\n"
                                             "Для доступа к демоверсии введите имя: DEMO"));
    QCOMPARE(password->toolTip(), QStringLiteral("Введите пароль для доступа к базе данных.\n"
                                                 "Для доступа к демоверсии введите пароль: vyrt"));
    QCOMPARE(named.findChild<QComboBox *>(QStringLiteral("cbxDatabase"))->toolTip(),
             QStringLiteral("Выберите конфигурацию соединения с базой данных.\n"
                            "Для доступа к демоверсии выберите: DEMO"));
    auto *form = named.findChild<QFormLayout *>();
    QCOMPARE(qobject_cast<QLabel *>(form->labelForField(user))->text(),
             QStringLiteral("Пользователь:"));
    QCOMPARE(qobject_cast<QLabel *>(form->labelForField(password))->text(),
             QStringLiteral("Пароль:"));
    auto *ok = named.findChild<QPushButton *>(QStringLiteral("btnOk"));
    QCOMPARE(ok->text(), QStringLiteral("Готово"));
    QVERIFY(ok->isDefault());
    QCOMPARE(named.findChild<QPushButton *>(QStringLiteral("btnCancel"))->text(),
             QStringLiteral("Отмена"));

    // Typed values come back exactly as typed.
    user->setText(QStringLiteral(" ivanov"));
    password->setText(QStringLiteral("Pa ss"));
    QCOMPARE(named.userName(), QStringLiteral(" ivanov"));
    QCOMPARE(named.password(), QStringLiteral("Pa ss"));
    named.show();
    QTest::keyClick(&named, Qt::Key_Escape);
    QCOMPARE(named.result(), int(QDialog::Rejected));
}

void TstAppMainWindow::signInWindowListAndSignOut()
{
    createShell();
    // The remembered DEMO account comes pre-filled; the user only confirms.
    QString shownUser, shownPassword, shownBase;
    QStringList offered;
    m_prompts->onDialog([&](QDialog *dialog) {
        shownUser = dialog->findChild<QLineEdit *>(QStringLiteral("edUserName"))->text();
        shownPassword = dialog->findChild<QLineEdit *>(QStringLiteral("edUserPassword"))->text();
        auto *base = dialog->findChild<QComboBox *>(QStringLiteral("cbxDatabase"));
        shownBase = base->currentText();
        for (int i = 0; i < base->count(); ++i)
            offered << base->itemText(i);
        return int(QDialog::Accepted);
    });
    m_main->show();
    QTRY_COMPARE(m_main->windowTitle(), QStringLiteral("DEMO"));
    QCOMPARE(shownUser, QStringLiteral("DEMO"));
    QCOMPARE(shownPassword, QStringLiteral("vyrt"));
    QCOMPARE(shownBase, QStringLiteral("DEMO"));
    QCOMPARE(offered, QStringList{"DEMO"});
    QVERIFY(m_prompts->shown().isEmpty());

    QCOMPARE(act("FileDatabaseConnect")->text(), QStringLiteral("Разорвать соединение ..."));
    QCOMPARE(act("FileDatabaseConnect")->toolTip(),
             QStringLiteral("Разорвать соединение DEMO@DEMO с сервером БД."));
    for (const char *name : {"actStoreOrderList", "actWareCard", "actCompanyGuide",
                             "actChangePassword", "actMonthMovement"})
        QVERIFY2(act(name)->isEnabled(), name);
    QVERIFY(!act("actDesignBalanceMovement")->isVisible());
    QVERIFY(windowList().isEmpty());
    QVERIFY(!act("WindowCloseAll")->isEnabled());

    // One child window: listed after the separator.
    auto *first = qobject_cast<TestChild *>(KvOpenChildWindow(QStringLiteral("TfrmTestChild"), 1));
    QVERIFY(first);
    QCOMPARE(first->objectName(), QStringLiteral("frmTestChild"));
    QCOMPARE(windowList(), QStringList{"mmifrmTestChild=Проба"});
    QVERIFY(act("WindowCloseAll")->isEnabled());
    QVERIFY(m_main->findChild<QAction *>(QStringLiteral("mmiWindowBreake"))->isVisible());
    QVERIFY(m_main->findChild<QAction *>(QStringLiteral("mmiFileExitBreak"))->isVisible());

    // The same class again: the same window, activated again with the new parameter.
    auto *second =
        qobject_cast<TestChild *>(KvOpenChildWindow(QStringLiteral("TfrmOtherChild"), 1));
    QCOMPARE(KvFocusChildWindow(QStringLiteral("TfrmTestChild"), 42), first);
    QCOMPARE(m_main->OpenChildWindow(QStringLiteral("TfrmTestChild"), 1), first);
    QCOMPARE(first->activations, (QList<int>{1, 42, 1}));
    QCOMPARE(m_main->mdiArea()->activeSubWindow()->widget(), first);
    QCOMPARE(windowList(), (QStringList{"mmifrmTestChild=Проба", "mmifrmOtherChild=Другое окно"}));

    // "Слева направо" puts the windows side by side, "Сверху вниз" one above the other.
    act("WindowTileVertical")->trigger();
    const QRect left = first->parentWidget()->geometry();
    const QRect right = second->parentWidget()->geometry();
    QCOMPARE(left.top(), right.top());
    QVERIFY(left.right() < right.left());
    act("WindowTileHorizontal")->trigger();
    QVERIFY(first->parentWidget()->geometry().bottom() < second->parentWidget()->geometry().top());

    // The edit actions work on the focused control of the active child window.
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    auto *edit = first->findChild<QLineEdit *>();
    m_main->OpenChildWindow(QStringLiteral("TfrmTestChild"), 1);
    edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    edit->setText(QStringLiteral("партия 12"));
    edit->selectAll();
    act("EditCut")->trigger();
    QCOMPARE(edit->text(), QString());
    act("EditPaste1")->trigger();
    act("EditPaste1")->trigger();
    QCOMPARE(edit->text(), QStringLiteral("партия 12партия 12"));
    act("EditUndo1")->trigger();
    QCOMPARE(edit->text(), QStringLiteral("партия 12"));

    // Choosing a list item brings that window to the front.
    m_main->findChild<QAction *>(QStringLiteral("mmifrmOtherChild"))->trigger();
    QCOMPARE(m_main->mdiArea()->activeSubWindow()->widget(), second);

    // A closed window frees itself and leaves the list.
    QPointer<TestChild> closed = first;
    m_main->mdiArea()->subWindowList().first()->close();
    QTRY_VERIFY(closed.isNull());
    QTRY_COMPARE(windowList(), QStringList{"mmifrmOtherChild=Другое окно"});

    // Sign-out: children closed while still connected, then the caption changes.
    QPointer<TestChild> remaining = second;
    act("FileDatabaseConnect")->trigger();
    QTRY_VERIFY(remaining.isNull());
    QVERIFY(!m_dm->IsDatabaseConnected());
    QCOMPARE(m_main->windowTitle(), QStringLiteral("DEMO") + NoConnection);
    QCOMPARE(act("FileDatabaseConnect")->text(), QStringLiteral("Установить соединение ..."));
    QCOMPARE(act("FileDatabaseConnect")->toolTip(),
             QStringLiteral("Установить соединение с сервером БД."));
    QVERIFY(!act("actStoreOrderList")->isEnabled());
    QVERIFY(!act("WindowCloseAll")->isEnabled());
    QTRY_VERIFY(windowList().isEmpty());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppMainWindow::signInFailures_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("dataBase");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("title");
    QTest::newRow("wrong password") << "wrong"
                                    << "DEMO" << false << "DEMO";
    QTest::newRow("missing udl") << "vyrt"
                                 << "SALES" << false << "SALES";
    QTest::newRow("cancelled") << "vyrt"
                               << "DEMO" << true << "DEMO";
}

void TstAppMainWindow::signInFailures()
{
    QFETCH(QString, password);
    QFETCH(QString, dataBase);
    QFETCH(bool, cancel);
    QFETCH(QString, title);
    createShell();
    if (cancel)
        m_prompts->onDialog([](QDialog *) { return int(QDialog::Rejected); });
    else
        m_prompts->onDialog(fillDialog({}, password, dataBase));
    m_main->show();
    QTRY_COMPARE(m_prompts->texts(Prompts::Kind::Error),
                 QStringList{"Ошибка соединения с сервером БД"});
    QTRY_COMPARE(m_main->windowTitle(), title + NoConnection);
    QVERIFY(!m_dm->IsDatabaseConnected());
    QVERIFY(!act("actStoreOrderList")->isEnabled());
    QCOMPARE(act("FileDatabaseConnect")->text(), QStringLiteral("Установить соединение ..."));

    // The program stays usable: the next attempt with the right values connects.
    m_prompts->clear();
    m_prompts->onDialog(
        fillDialog(QStringLiteral("DEMO"), QStringLiteral("vyrt"), QStringLiteral("DEMO")));
    act("FileDatabaseConnect")->trigger();
    QCOMPARE(m_main->windowTitle(), QStringLiteral("DEMO"));
    QVERIFY(act("actStoreOrderList")->isEnabled());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TstAppMainWindow::shutdownSignsOutAndSavesSettings()
{
    createShell();
    m_prompts->onDialog(fillDialog(QStringLiteral("demo"), QStringLiteral("vyrt")));
    m_main->show();
    QTRY_COMPARE(m_main->windowTitle(), QStringLiteral("DEMO"));
    QPointer<QWidget> child = KvOpenChildWindow(QStringLiteral("TfrmTestChild"), 1);
    QVERIFY(child);

    QVERIFY(m_main->close());
    QTRY_VERIFY(child.isNull());
    QVERIFY(AppClosing);
    QVERIFY(!m_dm->IsDatabaseConnected());
    m_main.reset();

    QFile file(m_settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    QVERIFY2(xml.contains("<logonUserName>demo</logonUserName>"), xml.constData());
    QVERIFY(xml.contains("<logonDataBase>DEMO</logonDataBase>"));
    QVERIFY(xml.contains("<frmMain>"));
    QVERIFY(!xml.contains("vyrt"));

    // Next start: "demo" is not the demonstration account, so no password is offered.
    m_main = std::make_unique<TfrmMain>(StartParams{}, m_settings);
    QCOMPARE(LogonUserName, QStringLiteral("demo"));
    QCOMPARE(LogonPassword, QString());
}

void TstAppMainWindow::exceptionInEventLoopIsReported()
{
    Faulty faulty;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&faulty, &event), false);
    QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(m_prompts->texts(Prompts::Kind::Error),
             (QStringList{"ware card 17 has no type", "ware card 17 has no type"}));
}

int main(int argc, char *argv[])
{
    KvApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    TstAppMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_mainwindow.moc"

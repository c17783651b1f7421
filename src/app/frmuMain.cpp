#include "frmuMain.h"

#include "AppVars.h"
#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "KvChildWindow.h"
#include "KvWindowRegistry.h"
#include "SessionHooks.h"
#include "dmuDM.h"
#include "dmuMainCfg.h"
#include "dmuRDM.h"
#include "frmuCalculator.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>

TfrmMain *frmMain = nullptr;

namespace {

const QString NoConnection = QStringLiteral("[ Нет соединения с БД ]");

QString classNameOf(const QMdiSubWindow *sub)
{
    if (const auto *child = qobject_cast<const KvChildWindow *>(sub->widget()))
        return child->windowClassName();
    return QString::fromLatin1(sub->widget()->metaObject()->className());
}

void sendChildActivate(QWidget *window, int parameter)
{
    KvMessageEvent message(UM_CHILD_ACTIVATE, {}, parameter);
    QCoreApplication::sendEvent(window, &message);
}

} // namespace

TfrmMain::TfrmMain(const StartParams &params, const QString &settingsFileName, QWidget *parent)
    : QMainWindow(parent)
    , m_settingsFileName(settingsFileName)
    , m_mdiArea(new QMdiArea(this))
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setProperty("helpContext", 3000);
    KvWindowRegistry::setHost(this);

    InitAppVars(QCoreApplication::applicationDirPath());
    createActions();
    DebugMode = params.debug;
    DesignMode = params.design;
    for (QAction *act : std::as_const(m_actions)) {
        if (act->property("debugOnly").toBool())
            act->setVisible(DebugMode);
    }
    SqlMonitorOn = action(QStringLiteral("actSqlMonitor"))->isChecked();
    AppClosing = false;

    SettingsFile settings(m_settingsFileName);
    settings.load();
    ApplyPreferences(settings.preferences);
    m_placement = settings.mainWindow;

    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    createMenus();
    createToolBars();
    connectActions();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    if (m_placement.valid)
        setGeometry(m_placement.geometry);
    RefreshTitle();
}

TfrmMain::~TfrmMain()
{
    saveSettings();
    if (KvWindowRegistry::host() == this)
        KvWindowRegistry::setHost(nullptr);
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::ShowAtPlacement()
{
    if (m_placement.valid && !m_placement.maximized)
        show();
    else
        showMaximized();
}

void TfrmMain::saveSettings()
{
    SettingsFile settings(m_settingsFileName);
    settings.preferences = PreferencesFromAppVars();
    settings.mainWindow.valid = true;
    settings.mainWindow.geometry = normalGeometry();
    settings.mainWindow.maximized = isMaximized();
    settings.save();
}

bool TfrmMain::event(QEvent *event)
{
    switch (int(event->type())) {
    case UM_OPEN_CHILD:
    case UM_FOCUS_CHILD: {
        auto *message = static_cast<KvMessageEvent *>(event);
        message->result = event->type() == QEvent::Type(UM_OPEN_CHILD)
                              ? OpenChildWindow(message->text, message->parameter)
                              : FocusChildWindow(message->text, message->parameter);
        return true;
    }
    case UM_REFRESH_MENU:
        QCoreApplication::processEvents();
        UpdateMenu();
        NormalCursor();
        return true;
    case UM_CLOSE_ALL:
        CloseAllChildWindows();
        return true;
    case UM_BUSY_BEGIN:
    case UM_BUSY_END:
        return true;
    default:
        return QMainWindow::event(event);
    }
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // After the window is on screen: the sign-in dialog comes up over it.
    QMetaObject::invokeMethod(this, &TfrmMain::FormFirstShow, Qt::QueuedConnection);
}

void TfrmMain::FormFirstShow()
{
    if (!DM || !DM->InitDM()) {
        close();
        QCoreApplication::exit(1);
        return;
    }
    connect(DM, &TDM::connectionStateChanged, this, &TfrmMain::sessionChanged,
            Qt::UniqueConnection);
    bindWorkDate();
    if (DebugMode)
        action(QStringLiteral("actDebugMode"))->trigger();
    FileDatabaseConnectExecute();
    UpdateMenu();
    RefreshTitle();
    NormalCursor();
    // A user's first sign-in leads into the configuration.
    if (DM->cdsMainCFG()->Active() && !DM->MainCfg().HasSavedRow())
        openFromMenu(QStringLiteral("TfrmCFG"));
}

void TfrmMain::bindWorkDate()
{
    if (m_workDateBound)
        return;
    m_workDateBound = true;
    // Without a configuration row (signed out) the editor shows nothing.
    BindDateEdit(DBDateEditWorkDate, DM->cdsMainCFG(), QStringLiteral("WORK_DATE"));
}

void TfrmMain::sessionChanged()
{
    RefreshTitle();
    UpdateMenu();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!CloseAllChildWindows()) {
        event->ignore();
        return;
    }
    QCoreApplication::processEvents();
    if (DM)
        DM->LogOut();
    AppClosing = true;
    event->accept();
}

void TfrmMain::FileDatabaseConnectExecute()
{
    SwitchKeyboardLayout(QStringLiteral("EN"));
    bool signedIn = false;
    if (DM && DM->IsDatabaseConnected()) {
        // The child windows save their pending edits while the connection is still there.
        if (CloseAllChildWindows())
            DM->LogOut();
    } else if (!DM || !DM->Login()) {
        ShowError(QStringLiteral("Ошибка соединения с сервером БД"));
    } else {
        signedIn = true;
    }
    const bool connected = DM && DM->IsDatabaseConnected();
    // Every sign-in starts with the user's configuration row held in edit state and today as
    // the working date (a new row, saved later, for a user who has none).
    if (connected && signedIn)
        DM->MainCfg().OpenForSession();
    setConnectState(connected);
    if (!connected)
        CloseAllChildWindows();
    UpdateMenu();
    RefreshTitle();
    NormalCursor();
    QCoreApplication::processEvents();
}

void TfrmMain::setConnectState(bool connected)
{
    QAction *connect = action(QStringLiteral("FileDatabaseConnect"));
    if (connected) {
        connect->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
        connect->setText(QStringLiteral("Разорвать соединение ..."));
        connect->setToolTip(QStringLiteral("Разорвать соединение ") + DM->GetLoginName() +
                            QLatin1Char('@') + LogonDataBase + QStringLiteral(" с сервером БД."));
    } else {
        connect->setIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
        connect->setText(QStringLiteral("Установить соединение ..."));
        connect->setToolTip(QStringLiteral("Установить соединение с сервером БД."));
    }
    connect->setStatusTip(connect->toolTip());
}

void TfrmMain::RefreshTitle()
{
    if (!DM)
        setWindowTitle(NoConnection);
    else if (DM->IsDatabaseConnected())
        setWindowTitle(LogonDataBase);
    else
        setWindowTitle(LogonDataBase + NoConnection);
}

void TfrmMain::UpdateMenu()
{
    // Pending messages processed below may ask for another refresh; it runs after this one.
    if (m_updatingMenu) {
        m_menuDirty = true;
        return;
    }
    m_updatingMenu = true;
    do {
        m_menuDirty = false;
        updateMenuOnce();
    } while (m_menuDirty);
    m_updatingMenu = false;
}

void TfrmMain::updateMenuOnce()
{
    QCoreApplication::processEvents();
    const bool children = !childWindows().isEmpty();
    mmiWindow->menuAction()->setEnabled(children);
    mmiFileExitBreak->setVisible(children);
    mmiWindowBreake->setVisible(children);
    action(QStringLiteral("WindowCloseAll"))->setEnabled(children);
    rebuildWindowList();
    RefreshTitle();

    QAction *statusBarAction = action(QStringLiteral("actViewStatusBar"));
    statusBarAction->setToolTip(statusBarAction->isChecked()
                                    ? QStringLiteral("Убрать панель статуса")
                                    : QStringLiteral("Показать панель статуса"));
    statusBarAction->setStatusTip(statusBarAction->toolTip());

    const bool connected = DM && DM->IsDatabaseConnected();
    for (QAction *act : std::as_const(m_connectedActions)) {
        act->setEnabled(connected);
        if (act->property("designOnly").toBool())
            act->setVisible(DesignMode);
    }
    QCoreApplication::processEvents();
}

void TfrmMain::rebuildWindowList()
{
    const QList<QAction *> items = mmiWindow->actions();
    for (int i = items.size() - 1; i >= 0 && items[i] != mmiWindowBreake; --i) {
        mmiWindow->removeAction(items[i]);
        delete items[i];
    }
    QCoreApplication::processEvents();
    for (QMdiSubWindow *sub : childWindows()) {
        const QString name = QStringLiteral("mmi") + sub->widget()->objectName();
        QAction *item = mmiWindow->addAction(sub->widget()->windowTitle());
        item->setObjectName(name);
        connect(item, &QAction::triggered, this,
                [this, name] { bringClassToFront(QStringLiteral("T") + name.mid(3)); });
    }
}

void TfrmMain::bringClassToFront(const QString &className)
{
    for (QMdiSubWindow *sub : childWindows()) {
        if (classNameOf(sub) == className) {
            m_mdiArea->setActiveSubWindow(sub);
            sub->raise();
        }
    }
}

QList<QMdiSubWindow *> TfrmMain::childWindows() const
{
    QList<QMdiSubWindow *> result;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->widget() && !sub->isHidden())
            result << sub;
    }
    return result;
}

QMdiSubWindow *TfrmMain::findChildWindow(const QString &className) const
{
    for (QMdiSubWindow *sub : childWindows()) {
        if (classNameOf(sub) == className)
            return sub;
    }
    return nullptr;
}

QWidget *TfrmMain::OpenChildWindow(const QString &className, int parameter)
{
    if (QMdiSubWindow *sub = findChildWindow(className)) {
        if (sub->isMinimized())
            sub->showNormal();
        m_mdiArea->setActiveSubWindow(sub);
        sub->raise();
        QWidget *window = sub->widget();
        sendChildActivate(window, parameter);
        return window;
    }
    KvChildWindow *window = KvWindowRegistry::createChildWindow(className);
    if (!window) {
        if (DMR)
            DMR->LogEvent(QStringLiteral("Окно %1 недоступно в этой версии").arg(className));
        return nullptr;
    }
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(window);
    sub->show();
    sendChildActivate(window, parameter);
    UpdateMenu();
    return window;
}

QWidget *TfrmMain::FocusChildWindow(const QString &className, int parameter)
{
    QWidget *window = nullptr;
    if (QMdiSubWindow *sub = findChildWindow(className)) {
        window = sub->widget();
        sendChildActivate(window, parameter);
    } else {
        window = OpenChildWindow(className, parameter);
    }
    if (window && window->isEnabled() && window->isVisible()) {
        for (QMdiSubWindow *sub : childWindows()) {
            if (sub->widget() == window)
                m_mdiArea->setActiveSubWindow(sub);
        }
        window->setFocus();
    }
    return window;
}

void TfrmMain::openFromMenu(const QString &className)
{
    OpenChildWindow(className, 1);
}

void TfrmMain::runCommand(const QString &actionName)
{
    KvWindowRegistry::runCommand(actionName);
}

bool TfrmMain::CloseAllChildWindows()
{
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow *sub : childWindows())
        windows << sub;
    for (int i = windows.size() - 1; i >= 0; --i) {
        if (windows[i])
            windows[i]->close();
        QCoreApplication::processEvents();
    }
    RefreshTitle();
    UpdateMenu();
    return childWindows().isEmpty();
}

void TfrmMain::tileWindows(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *sub : childWindows()) {
        if (!sub->isMinimized())
            windows << sub;
    }
    if (windows.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QRect cell;
        if (orientation == Qt::Horizontal) {
            const int width = area.width() / n;
            cell = QRect(area.left() + i * width, area.top(), width, area.height());
        } else {
            const int height = area.height() / n;
            cell = QRect(area.left(), area.top() + i * height, area.width(), height);
        }
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(cell);
    }
}

void TfrmMain::sendEditCommand(const char *method)
{
    QMdiSubWindow *sub = m_mdiArea->activeSubWindow();
    QWidget *focus = QApplication::focusWidget();
    if (!sub || !focus || !sub->isAncestorOf(focus))
        return;
    // An editable combo box edits through its line edit.
    if (auto *combo = qobject_cast<QComboBox *>(focus); combo && combo->lineEdit())
        focus = combo->lineEdit();
    const QByteArray signature = QByteArray(method) + "()";
    if (focus->metaObject()->indexOfMethod(signature.constData()) < 0)
        return;
    QMetaObject::invokeMethod(focus, method);
}

void TfrmMain::runCalculator()
{
    if (StartDesktopCalculator())
        return;
    TfrmCalculator calculator(this);
    Prompts::current().execDialog(&calculator);
}

// The main window's actions, menus and tool bars.

#include "frmuMain.h"

#include "AppVars.h"
#include "KV_LIB.h"
#include "KvChildWindow.h"
#include "KvWindowRegistry.h"
#include "SessionHooks.h"
#include "dmuDM.h"
#include "dmuRDM.h"
#include "uDBDateEdit.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

namespace {

// When an action is enabled or shown.
enum class Rule {
    Always,
    Connected,     // enabled while the session is connected
    WhileChildren, // enabled while child windows are open
    DebugOnly,     // shown only in debug mode
    DesignOnly,    // shown only in design mode, enabled while connected
};

struct ActionDef
{
    const char *name;
    const char *caption;
    const char *hint; // "short|long"; null: the caption
    const char *shortcut;
    Rule rule;
};

const ActionDef Actions[] = {
    {"FileDatabaseConnect", "Установить соединение ...", "Установить соединение с сервером БД.",
     nullptr, Rule::Always},
    {"actFileExit", "В&ыход", "Выход|Выход из программы", nullptr, Rule::Always},
    {"actStoreOrderList", "Приходные ордера", nullptr, nullptr, Rule::Connected},
    {"actConstrObjInvoiceList", "Накладные на отгрузку",
     "Накладные отгрузки товара на строительство", nullptr, Rule::Connected},
    {"actConstrObject", "Объекты строительства", nullptr, nullptr, Rule::Connected},
    {"actDeliveryApplication", "Заявки на поставку..",
     "Заявки на поставку товаров, оборудования и т.д.", nullptr, Rule::Connected},
    {"actWareCard", "Склад", "Картотека товаров на складах", nullptr, Rule::Connected},
    {"actCompanyGuide", "Организации", "Организации|Вызов справочника организаций", nullptr,
     Rule::Connected},
    {"actWareGroupGuide", "Группы товаров", nullptr, nullptr, Rule::Connected},
    {"actWareKindGuide", "Вид товара", nullptr, nullptr, Rule::Connected},
    {"actMeasureGuide", "Ед. Измерения", "Справочник единиц измерения", nullptr, Rule::Connected},
    {"actPersonnelGuide", "Персонал", nullptr, nullptr, Rule::Connected},
    {"actCommissionGuide", "Комиссии", "Справочник комиссий на списание ТМЦ", nullptr,
     Rule::Connected},
    {"actStorage_PlaceGuide", "Места хранения", nullptr, nullptr, Rule::Connected},
    {"actWareType", "Номенклатура", nullptr, nullptr, Rule::Connected},
    {"actPatternGroupGuide", "Группы шаблонов", nullptr, nullptr, Rule::Connected},
    {"actGetSWPattern", "Шаблоны састава", "Шаблоны заполнения состава изделий", nullptr,
     Rule::Connected},
    {"actExpenseDescrGuide", "Статьи затрат", nullptr, nullptr, Rule::Connected},
    {"actPercentDeductionGuide", "Процентные отчисления", nullptr, nullptr, Rule::Connected},
    {"actKindOfWorkGuide", "Виды работ", nullptr, nullptr, Rule::Connected},
    {"actWayOfWorkGuide", "Способ работ", nullptr, nullptr, Rule::Connected},
    {"actBankGuide", "Банки", nullptr, nullptr, Rule::Connected},
    {"actBankAccGuide", "Банковские счета", nullptr, nullptr, Rule::Connected},
    {"actMonthWorkAct", "Месячные акты вып. работ", nullptr, nullptr, Rule::Connected},
    {"actFullAct", "Сводные акты", nullptr, nullptr, Rule::Connected},
    {"actBalanceMovement", "Обороты", nullptr, nullptr, Rule::Connected},
    {"actDesignBalanceMovement", "Обороты (дизайнер отчета)", nullptr, nullptr, Rule::DesignOnly},
    {"actMonthMovement", "Движение товара за месяц", "Отчет по движению товара за месяц", nullptr,
     Rule::Connected},
    {"actDesignMonthMovement", "Движение за месяц (дизайнер отчета)", nullptr, nullptr,
     Rule::DesignOnly},
    {"actViewStatusBar", "Панель сообщений", "Убрать панель статуса", nullptr, Rule::Always},
    {"WindowCascade", "&Каскадом", "Расположить окна каскадом", nullptr, Rule::Always},
    {"WindowTileVertical", "С&лева направо", "Расположить окна слева направо", nullptr,
     Rule::Always},
    {"WindowTileHorizontal", "Сверху в&низ", "Расположить окна сверху-вниз", nullptr, Rule::Always},
    {"WindowArrangeAll", "Выровнять все", "Выровнять все окна", nullptr, Rule::Always},
    {"WindowCloseAll", "Закрыть все", "Закрыть ве окна", nullptr, Rule::WhileChildren},
    {"actChangePassword", "Сменить пароль", "Сменить пароль доступа к БД для текущего пользователя",
     nullptr, Rule::Connected},
    {"actAppUsers", "Пользователи", "Список пользователей системы", nullptr, Rule::Connected},
    {"actServisConfig", "Настройка конфигурации", nullptr, nullptr, Rule::Connected},
    {"actShowSystemInfo", "Информация о системе", nullptr, nullptr, Rule::Always},
    {"actCalculator", "Калькулятор", nullptr, "Ctrl+F2", Rule::Always},
    {"actDebugMode", "Монитор событий", nullptr, nullptr, Rule::DebugOnly},
    {"actSqlMonitor", "SQL Монитор", nullptr, nullptr, Rule::DebugOnly},
    {"actTestSql", "Test Sql", nullptr, nullptr, Rule::DebugOnly},
    {"actCorrectData", "Обновить структуру данных",
     "Обновить структуру данных. Применяется при обновлении версии\n"
     "программы, для синхронизации изменений в структуре данных.",
     nullptr, Rule::Always},
    {"actAppHelp", "&Справка", nullptr, nullptr, Rule::Always},
    {"actOnlineHelp", "Справка (online)", "Справочная система \n(требуется Интернет соединение)",
     nullptr, Rule::Always},
    {"actHelp", "Контекстная помощь", nullptr, "F1", Rule::Always},
    {"actSendBugReport", "Сообщить об ошибке", nullptr, nullptr, Rule::Always},
    {"actSendTip", "Рекомендации по улучшению",
     "Выслать разработчикам рекомендации по улучшению программы", nullptr, Rule::Always},
    {"HelpAbout", "О &Програме", "О программе|Вывод информации о версии программы", nullptr,
     Rule::Always},
    {"EditCut", "&Вырезать", nullptr, "Ctrl+X", Rule::Always},
    {"EditCopy1", "&Копировать", nullptr, "Ctrl+C", Rule::Always},
    {"EditPaste1", "Вст&авить", nullptr, "Ctrl+V", Rule::Always},
    {"EditUndo1", "&Отменить ввод", nullptr, "Alt+Backspace", Rule::Always},
};

// Menus in order; "-" is a separator, "-name" a named one.
struct MenuDef
{
    const char *name;
    const char *caption;
    QStringList items;
};

const QList<MenuDef> &menus()
{
    static const QList<MenuDef> list = {
        {"mmiFile", "&Файл", {"FileDatabaseConnect", "-mmiFileExitBreak", "actFileExit"}},
        {"mmiOperations",
         "Операции",
         {"actStoreOrderList", "actConstrObjInvoiceList", "-", "actConstrObject", "-",
          "actDeliveryApplication", "-", "actWareCard"}},
        {"mmiGuides",
         "&Справочники",
         {"actCompanyGuide", "actWareGroupGuide", "actWareKindGuide", "actMeasureGuide",
          "actPersonnelGuide", "actCommissionGuide", "actStorage_PlaceGuide", "actWareType",
          "actPatternGroupGuide", "actGetSWPattern", "actExpenseDescrGuide",
          "actPercentDeductionGuide", "actKindOfWorkGuide", "actWayOfWorkGuide", "actBankGuide",
          "actBankAccGuide"}},
        {"mmiReports",
         "Отчеты",
         {"actMonthWorkAct", "actFullAct", "actBalanceMovement", "actDesignBalanceMovement",
          "actDesignMonthMovement"}},
        {"mmiView", "&Вид", {"actViewStatusBar"}},
        {"mmiWindow",
         "&Окно",
         {"WindowCascade", "WindowTileVertical", "WindowTileHorizontal", "WindowArrangeAll",
          "WindowCloseAll", "-mmiWindowBreake"}},
        {"mmiService",
         "Сервис",
         {"actChangePassword", "actAppUsers", "actServisConfig", "actShowSystemInfo", "-",
          "actCalculator", "actDebugMode", "actSqlMonitor", "actTestSql", "actCorrectData"}},
        {"mmiHelp",
         "&Помощь",
         {"actAppHelp", "actOnlineHelp", "actHelp", "-", "actSendBugReport", "actSendTip", "-",
          "HelpAbout"}},
    };
    return list;
}

// The maker's site; the link label and the online help point there.
const QString MakerSite = QStringLiteral("https://korvel.tervalon.example");

void setHint(QAction *action, const QString &hint)
{
    const QString brief = hint.section(QLatin1Char('|'), 0, 0);
    const QString full = hint.contains(QLatin1Char('|')) ? hint.section(QLatin1Char('|'), 1) : hint;
    action->setToolTip(brief);
    action->setStatusTip(full);
}

} // namespace

void TfrmMain::createActions()
{
    for (const ActionDef &def : Actions) {
        auto *act = new QAction(QString::fromUtf8(def.caption), this);
        act->setObjectName(QString::fromLatin1(def.name));
        setHint(act, QString::fromUtf8(def.hint ? def.hint : def.caption).remove(QLatin1Char('&')));
        if (def.shortcut)
            act->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
        if (def.rule == Rule::Connected || def.rule == Rule::DesignOnly)
            m_connectedActions << act;
        if (def.rule == Rule::DesignOnly)
            act->setProperty("designOnly", true);
        if (def.rule == Rule::DebugOnly)
            act->setProperty("debugOnly", true);
        m_actions.insert(act->objectName(), act);
        addAction(act); // shortcuts of actions without a visible menu item work too
    }
    action(QStringLiteral("FileDatabaseConnect"))->setProperty("helpContext", 4100);
    for (const char *name : {"actViewStatusBar", "actSqlMonitor"}) {
        QAction *act = action(QString::fromLatin1(name));
        act->setCheckable(true);
        act->setChecked(true);
    }
    const struct
    {
        const char *name;
        QStyle::StandardPixmap pixmap;
    } icons[] = {
        {"FileDatabaseConnect", QStyle::SP_DriveNetIcon},
        {"actFileExit", QStyle::SP_DialogCloseButton},
        {"actConstrObject", QStyle::SP_DirHomeIcon},
        {"actWareCard", QStyle::SP_DriveHDIcon},
        {"actDeliveryApplication", QStyle::SP_FileDialogDetailedView},
        {"actStoreOrderList", QStyle::SP_FileDialogNewFolder},
        {"actConstrObjInvoiceList", QStyle::SP_FileIcon},
        {"actCalculator", QStyle::SP_ComputerIcon},
        {"actHelp", QStyle::SP_DialogHelpButton},
    };
    for (const auto &icon : icons)
        action(QString::fromLatin1(icon.name))->setIcon(style()->standardIcon(icon.pixmap));
}

void TfrmMain::createMenus()
{
    for (const MenuDef &def : menus()) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(def.caption));
        menu->setObjectName(QString::fromLatin1(def.name));
        menu->setToolTipsVisible(true);
        for (const QString &item : def.items) {
            if (item.startsWith(QLatin1Char('-'))) {
                QAction *separator = menu->addSeparator();
                separator->setObjectName(item.mid(1));
            } else {
                menu->addAction(action(item));
            }
        }
    }
    mmiWindow = menuBar()->findChild<QMenu *>(QStringLiteral("mmiWindow"));
    mmiFileExitBreak = findChild<QAction *>(QStringLiteral("mmiFileExitBreak"));
    mmiWindowBreake = findChild<QAction *>(QStringLiteral("mmiWindowBreake"));
}

void TfrmMain::createToolBars()
{
    auto *tlbWorkDate = addToolBar(QStringLiteral("Рабочая дата"));
    tlbWorkDate->setObjectName(QStringLiteral("tlbWorkDate"));
    DBDateEditWorkDate = new TDBDateEdit(tlbWorkDate);
    DBDateEditWorkDate->setDate(QDate::currentDate());
    DBDateEditWorkDate->setObjectName(QStringLiteral("DBDateEditWorkDate"));
    DBDateEditWorkDate->setButtonSymbols(QAbstractSpinBox::NoButtons);
    DBDateEditWorkDate->setCalendarPopup(false);
    DBDateEditWorkDate->setToolTip(QStringLiteral("Рабочая дата"));
    tlbWorkDate->addWidget(DBDateEditWorkDate);

    tlbOperations = addToolBar(QStringLiteral("Операции"));
    tlbOperations->setObjectName(QStringLiteral("tlbOperations"));
    tlbOperations->setIconSize(QSize(32, 32));
    tlbOperations->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const char *name :
         {"actConstrObject", "-", "actWareCard", "-", "actDeliveryApplication", "-",
          "actStoreOrderList", "actConstrObjInvoiceList", "-", "actCalculator"}) {
        if (qstrcmp(name, "-") == 0)
            tlbOperations->addSeparator();
        else
            tlbOperations->addAction(action(QString::fromLatin1(name)));
    }

    auto *tlbLink = addToolBar(QStringLiteral("Web"));
    tlbLink->setObjectName(QStringLiteral("tlbLink"));
    lblWebLink = new QLabel(tlbLink);
    lblWebLink->setObjectName(QStringLiteral("lblWebLink"));
    lblWebLink->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(MakerSite));
    lblWebLink->setToolTip(QStringLiteral("Открыть Web страницу программы"));
    lblWebLink->setContentsMargins(8, 0, 8, 0);
    connect(lblWebLink, &QLabel::linkActivated, this, [] {
        QDesktopServices::openUrl(QUrl(MakerSite + QStringLiteral("/default.html?q=&v=") +
                                       QCoreApplication::applicationVersion()));
    });
    tlbLink->addWidget(lblWebLink);
}

void TfrmMain::connectActions()
{
    const auto on = [this](const char *name, auto handler) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("FileDatabaseConnect", [this] { FileDatabaseConnectExecute(); });
    on("actFileExit", [this] { close(); });

    // Child windows opened by class name; they work as soon as their class is registered.
    const struct
    {
        const char *action;
        const char *className;
    } children[] = {
        {"actStoreOrderList", "TfrmStoreOrder"},
        {"actConstrObjInvoiceList", "TfrmConstrObjInvoice"},
        {"actDeliveryApplication", "TfrmDeliveryApplication"},
        {"actWareGroupGuide", "TfrmWareGroup"},
        {"actWareKindGuide", "TfrmWareKind"},
        {"actStorage_PlaceGuide", "TfrmStorage_Place"},
        {"actMonthWorkAct", "TfrmMonthWorkAct"},
        {"actFullAct", "TfrmCommonWorkAct"},
        {"actServisConfig", "TfrmCFG"},
    };
    for (const auto &child : children) {
        const QString className = QString::fromLatin1(child.className);
        on(child.action, [this, className] { openFromMenu(className); });
    }
    on("actAppUsers", [this] {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        openFromMenu(QStringLiteral("TfrmAppUsers"));
        NormalCursor();
    });
    on("actTestSql", [this] {
        SwitchKeyboardLayout(QStringLiteral("EN"));
        openFromMenu(QStringLiteral("TfrmTestSql"));
    });

    // Windows of other subsystems, run through the commands they register.
    for (const char *name : {"actConstrObject",
                             "actWareCard",
                             "actCompanyGuide",
                             "actMeasureGuide",
                             "actPersonnelGuide",
                             "actCommissionGuide",
                             "actWareType",
                             "actPatternGroupGuide",
                             "actGetSWPattern",
                             "actExpenseDescrGuide",
                             "actPercentDeductionGuide",
                             "actKindOfWorkGuide",
                             "actWayOfWorkGuide",
                             "actBankGuide",
                             "actBankAccGuide",
                             "actBalanceMovement",
                             "actDesignBalanceMovement",
                             "actMonthMovement",
                             "actDesignMonthMovement",
                             "actChangePassword",
                             "actShowSystemInfo",
                             "actDebugMode",
                             "actAppHelp",
                             "actOnlineHelp",
                             "actHelp",
                             "actSendBugReport",
                             "actSendTip",
                             "HelpAbout"}) {
        const QString actionName = QString::fromLatin1(name);
        on(name, [this, actionName] { runCommand(actionName); });
    }
    on("actCorrectData", [this] {
        runCommand(QStringLiteral("actCorrectData"));
        if (KvWindowRegistry::hasCommand(QStringLiteral("actCorrectData")) && DM &&
            DM->IsDatabaseConnected())
            FileDatabaseConnectExecute();
    });

    on("actViewStatusBar", [this](bool checked) {
        statusBar()->setVisible(checked);
        UpdateMenu();
    });
    on("actSqlMonitor", [](bool checked) {
        SqlMonitorOn = checked;
        if (DMR)
            DMR->session().setSqlMonitor(checked);
    });
    on("actCalculator", [this] { runCalculator(); });

    on("WindowCascade", [this] { m_mdiArea->cascadeSubWindows(); });
    on("WindowTileVertical", [this] { tileWindows(Qt::Horizontal); });
    on("WindowTileHorizontal", [this] { tileWindows(Qt::Vertical); });
    on("WindowArrangeAll", [this] { m_mdiArea->tileSubWindows(); });
    on("WindowCloseAll", [this] {
        KvMessageEvent message(UM_CLOSE_ALL);
        QCoreApplication::sendEvent(this, &message);
    });

    on("EditCut", [this] { sendEditCommand("cut"); });
    on("EditCopy1", [this] { sendEditCommand("copy"); });
    on("EditPaste1", [this] { sendEditCommand("paste"); });
    on("EditUndo1", [this] { sendEditCommand("undo"); });
}

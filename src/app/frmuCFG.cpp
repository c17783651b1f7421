#include "frmuCFG.h"

#include "AppVars.h"
#include "GuidePickers.h"
#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_DBNavigator.h"
#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "KV_db.h"
#include "KvWindowRegistry.h"
#include "WorkPeriod.h"
#include "dmuDM.h"
#include "dmuMainCfg.h"
#include "uDBDateEdit.h"
#include "uDBRadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString WindowClass = QStringLiteral("TfrmCFG");

QList<QPair<QString, QVariant>> periodItems(const QStringList &captions)
{
    QList<QPair<QString, QVariant>> items;
    for (int type = 0; type < captions.size(); ++type)
        items.append({captions[type], type});
    return items;
}

bool isEditing(const TKV_ClientDataSet *ds)
{
    return ds->State() == KvDataSetState::Edit || ds->State() == KvDataSetState::Insert;
}

} // namespace

TfrmCFG::TfrmCFG(TMainCfg &cfg, QWidget *parent)
    : KvChildWindow(parent)
    , m_cfg(cfg)
{
    setWindowClassName(WindowClass);
    setWindowTitle(QStringLiteral("Настройка конфигурации"));
    setProperty("helpContext", 6100);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcConfig"));
    m_pages->addTab(createMainPage(), QStringLiteral("Основные"));
    m_pages->addTab(createDefaultsPage(), QStringLiteral("Подстановки"));
    m_pages->addTab(createPeriodPage(), QStringLiteral("Интервал"));
    m_pages->addTab(createPathsPage(), QStringLiteral("Пути"));

    QToolBar *toolBar = createToolBar();
    m_pages->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pages, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(this);
        menu.addAction(m_actClose);
        menu.exec(m_pages->mapToGlobal(pos));
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(toolBar);
    layout->addWidget(m_pages, 1);
    setMinimumSize(640, 420);
}

QToolBar *TfrmCFG::createToolBar()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_navigator = new TKV_DBNavigator(toolBar);
    m_navigator->setObjectName(QStringLiteral("DBNavigator"));
    m_navigator->setVisibleControls({nbPost, nbCancel});
    m_navigator->setHints(TKV_DBNavigator::StandardHints());
    m_navigator->setDataSource(m_cfg.dsMainCFG());
    toolBar->addWidget(m_navigator);
    toolBar->addSeparator();

    m_actClose = new QAction(QStringLiteral("Закрыть"), this);
    m_actClose->setObjectName(QStringLiteral("actClosePage"));
    m_actClose->setToolTip(QStringLiteral("Закрыть окно настроек"));
    m_actClose->setStatusTip(m_actClose->toolTip());
    m_actClose->setShortcut(QKeySequence(QStringLiteral("Ctrl+F4")));
    m_actClose->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_actClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    addAction(m_actClose);
    toolBar->addAction(m_actClose);
    return toolBar;
}

QComboBox *TfrmCFG::addLookup(QFormLayout *form, const QString &label, const QString &name,
                              const QString &keyField, TKV_ClientDataSet *list,
                              const QString &listKey, const QString &listField, Picker picker)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->setMinimumContentsLength(30);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    BindLookupCombo(box, m_cfg.dsMainCFG(), keyField, list, listKey, listField);
    if (!picker) {
        form->addRow(label, box);
        return box;
    }
    auto *row = new QHBoxLayout;
    row->addWidget(box, 1);
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("btnPick") + name.mid(3));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Выбрать из справочника"));
    connect(button, &QToolButton::clicked, this,
            [this, picker, keyField] { pick(picker, keyField); });
    row->addWidget(button);
    form->addRow(label, row);
    return box;
}

QWidget *TfrmCFG::createMainPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsMain"));
    auto *form = new QFormLayout(page);
    addLookup(form, QStringLiteral("Организация"), QStringLiteral("cbxCompany"),
              QStringLiteral("COMPANY_ID"), m_cfg.cdsMainCFGCompany(), QStringLiteral("COMPANY_ID"),
              QStringLiteral("COMPANY_NAME"), &PickCompany);
    addLookup(form, QStringLiteral("Расчетный счет"), QStringLiteral("cbxBankAcc"),
              QStringLiteral("BANKACC_ID"), m_cfg.cdsMainCfgBankAcc(), QStringLiteral("BANKACC_ID"),
              QStringLiteral("ACC_DESCR"), &PickBankAcc);
    addLookup(form, QStringLiteral("Основной склад"), QStringLiteral("cbxStoragePlace"),
              QStringLiteral("STORAGE_PLACE_ID"), m_cfg.cdsMainCFGStoragePlace(),
              QStringLiteral("STORAGEPLACE_ID"), QStringLiteral("STORENAME"), nullptr);

    auto *workDate = new TDBDateEdit(page);
    workDate->setObjectName(QStringLiteral("deWorkDate"));
    workDate->setCalendarPopup(true);
    workDate->setToolTip(QStringLiteral("Рабочая дата"));
    BindDateEdit(workDate, m_cfg.dsMainCFG(), QStringLiteral("WORK_DATE"));
    form->addRow(QStringLiteral("Рабочая дата"), workDate);

    m_enterToTab = new QCheckBox(QStringLiteral("Эмулировать Tab при нажатии Enter"), page);
    m_enterToTab->setObjectName(QStringLiteral("chbEnterToTab"));
    connect(m_enterToTab, &QCheckBox::clicked, this, [](bool on) { EnterToTab = on; });
    form->addRow(m_enterToTab);
    m_memoryManager =
        new QCheckBox(QStringLiteral("Использовать встроенный менеджер памяти"), page);
    m_memoryManager->setObjectName(QStringLiteral("chbUseMemoryManager"));
    m_memoryManager->setToolTip(
        QStringLiteral("Использовать встроенный менеджер памяти.\n"
                       "Производит автоматическое освобождение неиспользуемой памяти.\n"
                       "Желательно включить, при постоянной загрузке памяти более 90 %"));
    form->addRow(m_memoryManager);
    return page;
}

QWidget *TfrmCFG::createDefaultsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsDefaults"));
    auto *group = new QGroupBox(QStringLiteral("Подстановки по умолчанию"), page);
    group->setObjectName(QStringLiteral("gbDefaults"));
    auto *form = new QFormLayout(group);

    auto *currency = new QComboBox(group);
    currency->setObjectName(QStringLiteral("cbxCurrency"));
    BindComboBox(currency, m_cfg.dsMainCFG(), QStringLiteral("CUR_ID"),
                 {{QStringLiteral("BYB - Бел. рубль"), 112}});
    form->addRow(QStringLiteral("Валюта"), currency);
    auto *tax = new QComboBox(group);
    tax->setObjectName(QStringLiteral("cbxTaxPercent"));
    BindComboBox(tax, m_cfg.dsMainCFG(), QStringLiteral("TAX_PERCENT"),
                 {{QStringLiteral("Без НДС"), 0},
                  {QStringLiteral("10%"), 10},
                  {QStringLiteral("18%"), 18},
                  {QStringLiteral("20%"), 20}});
    form->addRow(QStringLiteral("Процент НДС"), tax);

    const QString companyId = QStringLiteral("COMPANY_ID");
    const QString companyName = QStringLiteral("COMPANY_NAME");
    addLookup(form, QStringLiteral("Основной поставщик"), QStringLiteral("cbxMainSupplier"),
              QStringLiteral("MAINSUPPLIER_ID"), m_cfg.cdsMainCfgSupplier(), companyId, companyName,
              &PickCompany);
    addLookup(form, QStringLiteral("Основной заказчик"), QStringLiteral("cbxCustomer"),
              QStringLiteral("CUSTOMERCOMP_ID"), m_cfg.cdsMainCfgCustomer(), companyId, companyName,
              &PickCompany);
    addLookup(form, QStringLiteral("Основной подрядчик"), QStringLiteral("cbxContractor"),
              QStringLiteral("CONTRACTORCOMP_ID"), m_cfg.cdsMainCfgContractor(), companyId,
              companyName, &PickCompany);
    addLookup(form, QStringLiteral("Основной вид работ"), QStringLiteral("cbxKindOfWork"),
              QStringLiteral("KINDOFWORK_ID"), m_cfg.cdsMainCfgKindOfWork(),
              QStringLiteral("KINDOFWORK_ID"), QStringLiteral("DESCR"), &PickKindOfWork);
    addLookup(form, QStringLiteral("Основной способ работ"), QStringLiteral("cbxWayOfWork"),
              QStringLiteral("WAYOFWORK_ID"), m_cfg.cdsMainCfgWayOfWork(),
              QStringLiteral("WAYOFWORK_ID"), QStringLiteral("DESCR"), &PickWayOfWork);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget *TfrmCFG::createPeriodPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsPeriod"));
    auto *from =
        new TDBRadioGroup(QStringLiteral("Начальный"), periodItems(PeriodFromTypeCaptions()), page);
    from->setObjectName(QStringLiteral("rgPeriodFrom"));
    from->setToolTip(QStringLiteral("Начальный интервал отбора документов при загрузке системы"));
    from->bind(m_cfg.dsMainCFG(), QStringLiteral("PERIODFROMTYPE"));
    auto *to =
        new TDBRadioGroup(QStringLiteral("Конечный"), periodItems(PeriodToTypeCaptions()), page);
    to->setObjectName(QStringLiteral("rgPeriodTo"));
    to->setToolTip(QStringLiteral("Конечный интервал отбора документов при загрузке системы"));
    to->bind(m_cfg.dsMainCFG(), QStringLiteral("PERIODTOTYPE"));

    auto *layout = new QHBoxLayout(page);
    layout->addWidget(from, 1);
    layout->addWidget(to, 1);
    return page;
}

QLineEdit *TfrmCFG::addFolder(QFormLayout *form, const QString &label, const QString &name)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    auto *browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("btnBrowse") + name.mid(2));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Выбрать каталог"));
    connect(browse, &QToolButton::clicked, this, [this, edit, label] {
        QFileDialog dialog(this, label, edit->text());
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        if (Prompts::current().execDialog(&dialog) == QDialog::Accepted &&
            !dialog.selectedFiles().isEmpty())
            edit->setText(dialog.selectedFiles().constFirst());
    });
    auto *row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    form->addRow(label, row);
    return edit;
}

QWidget *TfrmCFG::createPathsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsPaths"));
    auto *form = new QFormLayout(page);
    m_tempFiles = addFolder(form, QStringLiteral("Каталог временных файлов"),
                            QStringLiteral("edTempFilesPath"));
    m_localData = addFolder(form, QStringLiteral("Каталог локальных данных"),
                            QStringLiteral("edLocalDataPath"));
    return page;
}

void TfrmCFG::pick(Picker picker, const QString &keyField)
{
    TKV_ClientDataSet *cfg = m_cfg.dsMainCFG();
    const KvField *field = cfg->FindField(keyField);
    if (!field || !cfg->Active())
        return;
    const QVariant current = field->Value();
    const QVariant chosen = picker(current, 1);
    // The reference book may have changed: the lists show it again.
    for (TKV_ClientDataSet *list : m_cfg.lists()) {
        if (list->Active())
            list->Refresh();
    }
    if (chosen.isNull() || chosen == current)
        return;
    if (isEditing(cfg) || cfg->Edit())
        cfg->FieldByName(keyField)->setValue(chosen);
}

void TfrmCFG::showHint(const QString &text)
{
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(window(), &tip);
}

void TfrmCFG::giveCloseShortcut()
{
    // The frame's own close item answers Ctrl+F4 too; "Закрыть" takes it over (two owners
    // of one shortcut would leave it dead).
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !frame->systemMenu())
        return;
    for (QAction *item : frame->systemMenu()->actions()) {
        QList<QKeySequence> keys = item->shortcuts();
        if (keys.removeAll(m_actClose->shortcut()) > 0)
            item->setShortcuts(keys);
    }
}

void TfrmCFG::childActivate(int parameter)
{
    Q_UNUSED(parameter);
    giveCloseShortcut();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    showHint(QStringLiteral("Загрузка данных"));
    m_tempFiles->setText(TempFilesPath);
    m_localData->setText(LocalDataPath);
    m_enterToTab->setChecked(EnterToTab);
    m_memoryManager->setChecked(UseMemoryManager);
    m_cfg.Reopen();
    m_cfg.OpenLists(m_cfg.windowLists());
    QGuiApplication::restoreOverrideCursor();
    showHint(QString());
}

void TfrmCFG::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        KvChildWindow::closeEvent(event);
        return;
    }
    m_closing = true;
    TempFilesPath = m_tempFiles->text();
    LocalDataPath = m_localData->text();
    UseMemoryManager = m_memoryManager->isChecked();

    TKV_ClientDataSet *cfg = m_cfg.dsMainCFG();
    QString reason;
    if (!m_cfg.SaveRow(&reason)) {
        ShowError(QStringLiteral("Ошибка записи изменений cdsMainCFG"));
        if (KvSession *session = m_cfg.session())
            session->LogError(QStringLiteral("Ошибка записи изменений cdsMainCFG: ") + reason);
        if (isEditing(cfg))
            cfg->Cancel();
    }
    // The signed-in user's own row, when the client module holds one.
    auto *appUser = DM ? DM->findChild<TKV_ClientDataSet *>(QStringLiteral("cdsAppUser")) : nullptr;
    if (appUser && appUser->Active() && isEditing(appUser) && !appUser->Post())
        ShowError(QStringLiteral("Ошибка записи изменений cdsAppUser"));
    const KvSession *session = m_cfg.session();
    if (session && session->isConnected()) {
        if (!cfg->Active())
            cfg->Open();
        if (cfg->Active() && cfg->ChangeCount() == 0)
            cfg->Refresh();
        m_cfg.CloseLists(m_cfg.windowLists());
        cfg->Close();
        cfg->Open(); // the working period follows the row again
    } else {
        m_cfg.CloseLists(m_cfg.windowLists());
    }

    if (QObject *host = KvWindowRegistry::host()) {
        KvMessageEvent busyEnd(UM_BUSY_END);
        QCoreApplication::sendEvent(host, &busyEnd);
    }
    KvChildWindow::closeEvent(event);
}

void RegisterConfigWindow()
{
    KvWindowRegistry::registerChildWindow(
        WindowClass, []() -> KvChildWindow * { return DM ? new TfrmCFG(DM->MainCfg()) : nullptr; });
}

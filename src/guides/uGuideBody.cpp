#include "uGuideBody.h"

#include "GuideRules.h"
#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_DBNavigator.h"
#include "KV_FormPlacement.h"
#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "dmuImages.h"
#include "uGuideDelegate.h"
#include "uSearchFrame.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

TGuideBody::TGuideBody(const TGuideView &view, KvSession &session, QWidget *parent)
    : QMainWindow(parent)
    , m_view(view)
    , m_session(&session)
{
    setWindowFlags(Qt::Widget);
    setObjectName(QStringLiteral("GuideBody"));
    setContextMenuPolicy(Qt::NoContextMenu);

    m_provider = CreateGuideProvider(session, view.table, this);
    m_list = new TKV_ClientDataSet(this);
    m_list->setObjectName(view.listName);
    SetUpGuideList(*m_list, m_provider, view.table, view.refetchAfterDelete);
    rowName = [this] { return m_list->FieldByName(table().nameField)->AsString(); };

    m_grid = new TKV_DBGridEh(this);
    m_grid->setObjectName(QStringLiteral("dbgGuide"));
    m_grid->setDataSet(m_list);
    m_grid->setColumns(view.columns);
    m_grid->setAutoSortMarking(true);
    m_grid->setMultiSortMarking(view.multiSort);
    m_grid->setReadOnly(view.gridReadOnly);
    m_grid->setItemDelegate(new TGuideDelegate(m_grid));
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { Q_EMIT rowActivated(); });

    auto *central = new QWidget(this);
    m_central = new QVBoxLayout(central);
    m_central->setContentsMargins(0, 0, 0, 0);
    m_central->addWidget(m_grid, 1);
    setCentralWidget(central);

    createToolBars();
    createActions();
    buildPopupMenu();
    connect(m_list, &TKV_ClientDataSet::stateChanged, this, [this] { updateActions(); });
    connect(m_list, &TKV_ClientDataSet::reset, this, [this] { updateActions(); });
    connect(m_list, &TKV_ClientDataSet::currentChanged, this, [this] { updateActions(); });
    updateActions();
}

TGuideBody::~TGuideBody()
{
    // The bound controls go first, so that closing the lists paints nothing.
    m_grid->setDataSet(nullptr);
    m_nav->setDataSource(nullptr);
}

QLineEdit *TGuideBody::searchBox() const
{
    return m_search ? m_search->edtSearch() : nullptr;
}

void TGuideBody::createToolBars()
{
    m_toolBar = addToolBar(QStringLiteral("Панель инструментов"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_nav = new TKV_DBNavigator(m_toolBar);
    m_nav->setObjectName(QStringLiteral("dbNav"));
    m_nav->setVisibleControls({nbPost, nbCancel, nbInsert, nbDelete, nbEdit, nbRefresh});
    m_nav->setHints(TKV_DBNavigator::StandardHints());
    m_nav->setConfirmDelete(false);
    m_nav->setDataSource(m_list);
    m_nav->OnInsertBtnClick = [this](TKV_DBNavigator *) { InsertRecord(); };
    m_nav->OnDeleteBtnClick = [this](TKV_DBNavigator *) { DeleteRecord(); };
    m_nav->OnEditBtnClick = [this](TKV_DBNavigator *) { EditRecord(); };
    m_toolBar->addWidget(m_nav);

    if (!m_view.searchBox)
        return;
    m_searchBar = addToolBar(QStringLiteral("Поиск"));
    m_searchBar->setObjectName(QStringLiteral("tbSearch"));
    m_search = new TSearchFrame(m_searchBar);
    m_search->setMinimumWidth(220);
    m_search->btnSearch()->setAutoDefault(false);
    m_search->setNextFocus(m_grid);
    m_searchBar->addWidget(m_search);
    connect(m_search, &TSearchFrame::searchTextChanged, this,
            [this] { LocateByEdit(m_list, m_search->edtSearch()); });
    connect(m_search, &TSearchFrame::searchClicked, this, [this] { RunSearch(); });
}

QAction *TGuideBody::makeAction(const QString &name, const QString &text, const QString &hint,
                                const QKeySequence &shortcut, int image, std::function<void()> run)
{
    auto *action = new QAction(TdmImages::build(TdmImages::Image(image)), text, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? text : hint);
    action->setStatusTip(action->toolTip());
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, std::move(run));
    addAction(action);
    m_actions.insert(name, action);
    return action;
}

void TGuideBody::createActions()
{
    if (m_view.searchBox)
        makeAction(QStringLiteral("actSearch"), QStringLiteral("Поиск"),
                   QStringLiteral("Быстрый поиск"), QKeySequence(Qt::CTRL | Qt::Key_F),
                   TdmImages::imgSearch, [this] { RunSearch(); });
    makeAction(QStringLiteral("actInsertRecord"), QStringLiteral("Добавить запись"), {},
               QKeySequence(Qt::Key_Insert), TdmImages::imgInsert, [this] { InsertRecord(); });
    makeAction(QStringLiteral("actEditRecord"), QStringLiteral("Корректировка"),
               QStringLiteral("Корректировка записи"), QKeySequence(Qt::Key_F2), TdmImages::imgEdit,
               [this] { EditRecord(); });
    makeAction(QStringLiteral("actDeleteRecord"), QStringLiteral("Удалить запись"), {},
               QKeySequence(Qt::CTRL | Qt::Key_Delete), TdmImages::imgDelete,
               [this] { DeleteRecord(); });
}

void TGuideBody::buildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("pmGuide"));
    for (const char *name : {"actSearch", "actInsertRecord", "actEditRecord", "actDeleteRecord"}) {
        if (QAction *a = action(QString::fromLatin1(name)))
            m_popup->addAction(a);
    }
    m_popup->addSeparator();
    // The standard edit commands act on the focused editor (a cell being edited, a box).
    const struct
    {
        const char *text;
        const char *slot;
        TdmImages::Image image;
    } commands[] = {{"Вырезать", "cut", TdmImages::imgCut},
                    {"Копировать", "copy", TdmImages::imgCopy},
                    {"Вставить", "paste", TdmImages::imgPaste},
                    {"Отменить", "undo", TdmImages::imgUndo},
                    {"Выделить все", "selectAll", TdmImages::imgSelectAll}};
    for (const auto &c : commands) {
        const QByteArray slot = c.slot;
        m_popup->addAction(TdmImages::build(c.image), QString::fromUtf8(c.text), this, [slot] {
            if (QWidget *w = QApplication::focusWidget())
                QMetaObject::invokeMethod(w, slot.constData());
        });
    }
    m_popup->addSeparator();
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_grid->viewport()->mapToGlobal(pos)); });
}

void TGuideBody::addWindowAction(QAction *action, bool onToolBar)
{
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    m_actions.insert(action->objectName(), action);
    if (onToolBar)
        m_toolBar->addAction(action);
    m_popup->addAction(action);
}

TKV_ClientDataSet *TGuideBody::addLookupList(const QString &name, const QString &statement,
                                             const QString &keyField)
{
    QString base = name;
    if (base.startsWith(QLatin1String("cds")))
        base = base.mid(3);
    TKV_DataSetProvider *dsp =
        CreateListProvider(*m_session, QStringLiteral("dsp") + base, statement, keyField, this);
    auto *list = new TKV_ClientDataSet(this);
    list->setObjectName(name);
    SetUpLookupList(*list, dsp);
    m_lookups << list;
    return list;
}

void TGuideBody::updateActions()
{
    const bool open = m_list->Active();
    const bool canModify = open && m_list->CanModify();
    action(QStringLiteral("actInsertRecord"))->setEnabled(canModify);
    action(QStringLiteral("actEditRecord"))->setEnabled(canModify && !m_list->IsEmpty());
    action(QStringLiteral("actDeleteRecord"))->setEnabled(canModify && !m_list->IsEmpty());
}

bool TGuideBody::OpenData()
{
    for (TKV_ClientDataSet *lookup : std::as_const(m_lookups))
        lookup->Open();
    const bool ok = m_list->Open();
    if (ok)
        labelFields();
    updateActions();
    return ok;
}

void TGuideBody::labelFields()
{
    // Messages about a field name it as its column does ("Наименование", not MEASURENAME).
    for (const TColumnEh &column : std::as_const(m_view.columns)) {
        KvField *field = m_list->FindField(column.FieldName);
        if (field && field->DisplayLabel.isEmpty() && !column.Title.isEmpty())
            field->DisplayLabel = TKV_GridTitle::splitCaption(column.Title).second;
    }
}

void TGuideBody::CloseData()
{
    m_list->Close();
    for (TKV_ClientDataSet *lookup : std::as_const(m_lookups))
        lookup->Close();
}

void TGuideBody::commitGridEditor()
{
    // A cell still being typed in writes its text when it loses the focus.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != m_grid && m_grid->isAncestorOf(focus))
        m_grid->setFocus();
}

bool TGuideBody::ConfirmClose()
{
    commitGridEditor();
    const KvDataSetState state = m_list->State();
    if (state != KvDataSetState::Edit && state != KvDataSetState::Insert)
        return true;
    if (!ConfirmSaveChanges()) {
        m_list->Cancel();
        return true;
    }
    return m_list->Post();
}

void TGuideBody::SortByMarkers()
{
    m_grid->SortByMarkers();
}

bool TGuideBody::LocateKey(const QVariant &key)
{
    if (key.isNull() || !m_list->Active() || m_list->IsEmpty())
        return false;
    const KvField *field = m_list->FindField(table().keyField);
    if (field && field->Value() == field->convert(key))
        return true;
    return m_list->Locate(table().keyField, key);
}

void TGuideBody::FocusSearch()
{
    if (m_search)
        m_search->edtSearch()->setFocus();
}

void TGuideBody::RunSearch()
{
    if (!m_search)
        return;
    FocusSearch();
    LocateByEdit(m_list, m_search->edtSearch());
}

void TGuideBody::InsertRecord()
{
    if (!m_list->Active() || !m_list->CanModify())
        return;
    if (beforeInsert)
        beforeInsert();
    if (!m_list->Append())
        return;
    if (afterInsert)
        afterInsert();
    else
        m_grid->setFocus();
}

void TGuideBody::EditRecord()
{
    const KvDataSetState state = m_list->State();
    if (!m_list->Active() || m_list->IsEmpty() || state == KvDataSetState::Edit ||
        state == KvDataSetState::Insert)
        return;
    if (beforeEdit)
        beforeEdit();
    if (!m_list->Edit())
        return;
    if (afterEdit)
        afterEdit();
    else
        m_grid->setFocus();
}

void TGuideBody::DeleteRecord()
{
    if (!m_list->Active() || m_list->IsEmpty() || !m_list->CanModify())
        return;
    const QString name = rowName ? rowName() : QString();
    const QVariant key = m_list->FieldValue(table().keyField);
    const QString warning = ReferenceWarning(*m_session, table().checks, key, name);
    if (!warning.isEmpty()) {
        Prompts::current().message(Prompts::Kind::Warning, warning);
        return;
    }
    if (m_view.confirmDelete && !ConfirmDelete(QStringLiteral("RU"), name))
        return;
    m_list->Delete();
}

void TGuideBody::SaveSettings(TFormPlacement &placement) const
{
    placement.WriteValue(QStringLiteral("ToolBars"), saveState());
    placement.SavePosition(m_toolBar, QStringLiteral("ToolBar1"));
    if (m_searchBar)
        placement.SavePosition(m_searchBar, QStringLiteral("pnlSearch"));
}

void TGuideBody::RestoreSettings(TFormPlacement &placement)
{
    const QByteArray state = placement.ReadValue(QStringLiteral("ToolBars")).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
}

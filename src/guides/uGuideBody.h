#pragma once

#include "GuideTables.h"
#include "KV_DBGridEh.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class KvSession;
class QAction;
class QLineEdit;
class QMenu;
class QToolBar;
class QVBoxLayout;
class TFormPlacement;
class TKV_ClientDataSet;
class TKV_DBNavigator;
class TKV_DataSetProvider;
class TSearchFrame;

// What a guide shows: its table, the list's name, the grid's columns with the initial sort
// marker, and the few switches in which the guides differ.
struct TGuideView
{
    GuideTable table;
    QList<TColumnEh> columns;
    QString listName = QStringLiteral("cdsMaster");
    bool multiSort = false;         // several sort markers at once
    bool gridReadOnly = false;      // editing happens in a panel, not in the grid
    bool searchBox = true;          // the search panel with edtSearch
    bool refetchAfterDelete = true; // refetch the list after a delete is applied
    bool confirmDelete = true;      // ask "Удалять запись? ..." before deleting
};

// The body every guide window shows: the tool bar ToolBar1 with the navigator dbNav (post,
// cancel, insert, delete, edit, refresh with the usual hints; its insert, delete and edit run
// the window's actions), the search panel pnlSearch with edtSearch, the grid dbgGuide over
// the list cdsMaster with title sort markers and in-grid editing of existing rows, and the
// pop-up menu with the actions and the edit commands.
//
// The list follows the guide rules (GuideRules.h): new rows get their key and defaults, each
// post and delete is applied and committed at once, refused rows are reported and undone.
// Deleting runs the table's reference checks in order and refuses with the first warning
// without asking; otherwise it asks and deletes.
//
// The windows (a modal guide, the storage places child window) hold a body and add their own
// actions to its tool bar and pop-up menu.
class TGuideBody : public QMainWindow
{
    Q_OBJECT
public:
    TGuideBody(const TGuideView &view, KvSession &session, QWidget *parent = nullptr);
    ~TGuideBody() override;

    const TGuideView &view() const { return m_view; }
    const GuideTableDef &table() const { return guideTable(m_view.table); }
    KvSession &session() const { return *m_session; }
    TKV_ClientDataSet *list() const { return m_list; }
    TKV_DBGridEh *grid() const { return m_grid; }
    TKV_DBNavigator *navigator() const { return m_nav; }
    QLineEdit *searchBox() const; // null without a search panel
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *popupMenu() const { return m_popup; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    // The area under the tool bars; the grid is its first item.
    QVBoxLayout *centralLayout() const { return m_central; }

    // Adds a window action to the tool bar, the pop-up menu and this body's shortcuts.
    void addWindowAction(QAction *action, bool onToolBar = true);

    // A read-only lookup list (name, statement, key column) opened before the guide list and
    // closed after it; owned by the body.
    TKV_ClientDataSet *addLookupList(const QString &name, const QString &statement,
                                     const QString &keyField);
    const QList<TKV_ClientDataSet *> &lookupLists() const { return m_lookups; }

    // The name of the current row in questions and warnings (the table's name field unless
    // the window says otherwise).
    std::function<QString()> rowName;
    // Window steps around inserting and editing (moving the focus to an editing panel).
    std::function<void()> beforeInsert, afterInsert, beforeEdit, afterEdit;

    // Opens the lookup lists, then the guide list; false when the guide list did not open.
    bool OpenData();
    // Closes the guide list (pending changes are applied), then the lookup lists.
    void CloseData();
    // The question before closing: with a pending edit asks "Данные изменены, записать?",
    // Yes posts and No cancels. False when the post failed and the window must stay.
    bool ConfirmClose();

    // Sorts by the grid's title markers.
    void SortByMarkers();
    // Moves to the row with this key (exact); false when the key is null or not listed.
    bool LocateKey(const QVariant &key);
    // actSearch: focuses the search box and runs the incremental search on its text.
    void RunSearch();
    void FocusSearch();
    void InsertRecord();
    void EditRecord();
    void DeleteRecord();

    // The tool bar and search panel positions, kept with the window's placement.
    void SaveSettings(TFormPlacement &placement) const;
    void RestoreSettings(TFormPlacement &placement);

Q_SIGNALS:
    // A double click on a row of the grid.
    void rowActivated();

private:
    void createToolBars();
    void createActions();
    void buildPopupMenu();
    void updateActions();
    void labelFields();
    void commitGridEditor();
    QAction *makeAction(const QString &name, const QString &text, const QString &hint,
                        const QKeySequence &shortcut, int image, std::function<void()> run);

    TGuideView m_view;
    KvSession *m_session;
    TKV_DataSetProvider *m_provider = nullptr;
    TKV_ClientDataSet *m_list = nullptr;
    QList<TKV_ClientDataSet *> m_lookups;
    TKV_DBGridEh *m_grid = nullptr;
    TKV_DBNavigator *m_nav = nullptr;
    TSearchFrame *m_search = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolBar *m_searchBar = nullptr;
    QMenu *m_popup = nullptr;
    QVBoxLayout *m_central = nullptr;
    QHash<QString, QAction *> m_actions;
};

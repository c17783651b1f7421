#pragma once

#include "SettingsFile.h"
#include "StartParams.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QDateEdit;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: the MDI frame whose menu and tool bar open every other window, the
// window list, the connect/disconnect toggle and the message protocol through which child
// windows ask for other windows.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    // Gives the application variables their start values, reads the start parameters and
    // the settings file. The session modules are created afterwards.
    explicit TfrmMain(const StartParams &params,
                      const QString &settingsFileName = SettingsFile::defaultFileName(),
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Shows the window where it was last time, maximised by default.
    void ShowAtPlacement();

    // Brings the open window of the class to the front or creates it, then hands it the
    // parameter (UM_CHILD_ACTIVATE). Null when no such class is registered.
    QWidget *OpenChildWindow(const QString &className, int parameter);
    // Like OpenChildWindow, but an open window gets the parameter first and then the focus.
    QWidget *FocusChildWindow(const QString &className, int parameter);
    void UpdateMenu();
    void RefreshTitle();
    // Signs in when disconnected, signs out (closing every child window first) when
    // connected.
    void FileDatabaseConnectExecute();
    // Closes every child window, last first; false when one refused to close.
    bool CloseAllChildWindows();

    QAction *action(const QString &name) const { return m_actions.value(name); }
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QDateEdit *workDateEdit() const { return DBDateEditWorkDate; }
    // The child windows in creation order.
    QList<QMdiSubWindow *> childWindows() const;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // frmuMainActions.cpp
    void createActions();
    void createMenus();
    void createToolBars();
    void connectActions();

    void FormFirstShow();
    // Binds the work-date editor to WORK_DATE of the configuration row.
    void bindWorkDate();
    void sessionChanged();
    void updateMenuOnce();
    void rebuildWindowList();
    void bringClassToFront(const QString &className);
    void tileWindows(Qt::Orientation orientation);
    void sendEditCommand(const char *method);
    void runCalculator();
    void runCommand(const QString &actionName);
    void openFromMenu(const QString &className);
    void setConnectState(bool connected);
    void saveSettings();
    QMdiSubWindow *findChildWindow(const QString &className) const;

    QString m_settingsFileName;
    WindowPlacement m_placement;
    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_connectedActions;
    QMdiArea *m_mdiArea;
    QMenu *mmiWindow = nullptr;
    QAction *mmiFileExitBreak = nullptr;
    QAction *mmiWindowBreake = nullptr;
    QToolBar *tlbOperations = nullptr;
    QDateEdit *DBDateEditWorkDate = nullptr;
    QLabel *lblWebLink = nullptr;
    bool m_shown = false;
    bool m_workDateBound = false;
    bool m_updatingMenu = false;
    bool m_menuDirty = false;
};

// The program's main window; null while none exists.
extern TfrmMain *frmMain;

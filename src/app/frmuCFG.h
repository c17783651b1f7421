#pragma once

#include "KvChildWindow.h"

#include <QVariant>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QTabWidget;
class QToolBar;
class TKV_ClientDataSet;
class TKV_DBNavigator;
class TMainCfg;

// The configuration window "Настройка конфигурации": the working configuration row of the
// signed-in user on four pages ("Основные", "Подстановки", "Интервал", "Пути"), a navigator
// with post and cancel, and "Закрыть".
//
// Each activation reloads the row (saving a pending edit; a user without row gets one saved at
// once) and opens the lists the pages choose from. Closing saves the row ("Ошибка записи
// изменений cdsMainCFG" when that fails; the window closes all the same), takes the folders
// and the memory-manager option, and reopens the row so that the working period follows it.
class TfrmCFG : public KvChildWindow
{
    Q_OBJECT
public:
    explicit TfrmCFG(TMainCfg &cfg, QWidget *parent = nullptr);

    QAction *actClosePage() const { return m_actClose; }

protected:
    void childActivate(int parameter) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Picker = QVariant (*)(const QVariant &, int);

    QWidget *createMainPage();
    QWidget *createDefaultsPage();
    QWidget *createPeriodPage();
    QWidget *createPathsPage();
    QToolBar *createToolBar();
    // A lookup list bound to a key field, with a picker button beside it when there is one.
    QComboBox *addLookup(QFormLayout *form, const QString &label, const QString &name,
                         const QString &keyField, TKV_ClientDataSet *list, const QString &listKey,
                         const QString &listField, Picker picker);
    QLineEdit *addFolder(QFormLayout *form, const QString &label, const QString &name);
    // Runs a reference book as a picker and writes the chosen key into the field.
    void pick(Picker picker, const QString &keyField);
    void showHint(const QString &text);
    void giveCloseShortcut();

    TMainCfg &m_cfg;
    QTabWidget *m_pages = nullptr;
    TKV_DBNavigator *m_navigator = nullptr;
    QAction *m_actClose = nullptr;
    QCheckBox *m_enterToTab = nullptr;
    QCheckBox *m_memoryManager = nullptr;
    QLineEdit *m_tempFiles = nullptr;
    QLineEdit *m_localData = nullptr;
    bool m_closing = false;
};

// Registers the window under its class name "TfrmCFG" (the main window's actServisConfig and
// the first sign-in of a user without configuration open it by that name).
void RegisterConfigWindow();

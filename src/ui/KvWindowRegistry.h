#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class KvChildWindow;
class QObject;
class QWidget;

// Windows and commands registered by name at program start, so that the main window can open
// any of them without knowing the subsystems that build them.
//
// - Child windows: a factory per class name ("TfrmStoreOrder"); the main window creates the
//   window on the first OpenChildWindow of that name.
// - Commands: what a main-window action does when its window lives elsewhere ("actWareCard"
//   opens the ware cards picker); an action without a registered command does nothing.
// - The host: the main window, which receives the UM_* messages the functions below send.
namespace KvWindowRegistry {

using Factory = std::function<KvChildWindow *()>;

void registerChildWindow(const QString &className, Factory factory);
bool hasChildWindow(const QString &className);
// A new window of the class, or null when none is registered; the class name and object
// name are set.
KvChildWindow *createChildWindow(const QString &className);

void registerCommand(const QString &actionName, std::function<void()> command);
bool hasCommand(const QString &actionName);
// Runs the command; false when none is registered.
bool runCommand(const QString &actionName);

void setHost(QObject *host);
QObject *host();

} // namespace KvWindowRegistry

// For any window: asks the main window to open (or bring to front) the child window of the
// class and to hand it the parameter; the window, or null without a main window or class.
QWidget *KvOpenChildWindow(const QString &className, int parameter);
// The same, giving the window the keyboard focus.
QWidget *KvFocusChildWindow(const QString &className, int parameter);
// Asks the main window to refresh its menu and window list.
void KvRefreshMenu();

#include "KvWindowRegistry.h"

#include "KvChildWindow.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace {

QHash<QString, KvWindowRegistry::Factory> &factories()
{
    static QHash<QString, KvWindowRegistry::Factory> map;
    return map;
}

QHash<QString, std::function<void()>> &commands()
{
    static QHash<QString, std::function<void()>> map;
    return map;
}

QPointer<QObject> &hostObject()
{
    static QPointer<QObject> object;
    return object;
}

QWidget *sendOpen(KvMessage message, const QString &className, int parameter)
{
    QObject *target = hostObject();
    if (!target)
        return nullptr;
    KvMessageEvent event(message, className, parameter);
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}

} // namespace

namespace KvWindowRegistry {

void registerChildWindow(const QString &className, Factory factory)
{
    factories().insert(className, std::move(factory));
}

bool hasChildWindow(const QString &className)
{
    return factories().contains(className);
}

KvChildWindow *createChildWindow(const QString &className)
{
    const auto it = factories().constFind(className);
    if (it == factories().constEnd() || !*it)
        return nullptr;
    KvChildWindow *window = (*it)();
    if (window)
        window->setWindowClassName(className);
    return window;
}

void registerCommand(const QString &actionName, std::function<void()> command)
{
    commands().insert(actionName, std::move(command));
}

bool hasCommand(const QString &actionName)
{
    return commands().contains(actionName);
}

bool runCommand(const QString &actionName)
{
    const auto it = commands().constFind(actionName);
    if (it == commands().constEnd() || !*it)
        return false;
    // A copy: the command may register commands itself.
    const std::function<void()> command = *it;
    command();
    return true;
}

void setHost(QObject *host)
{
    hostObject() = host;
}

QObject *host()
{
    return hostObject();
}

} // namespace KvWindowRegistry

QWidget *KvOpenChildWindow(const QString &className, int parameter)
{
    return sendOpen(UM_OPEN_CHILD, className, parameter);
}

QWidget *KvFocusChildWindow(const QString &className, int parameter)
{
    return sendOpen(UM_FOCUS_CHILD, className, parameter);
}

void KvRefreshMenu()
{
    if (QObject *target = hostObject())
        QCoreApplication::postEvent(target, new KvMessageEvent(UM_REFRESH_MENU));
}

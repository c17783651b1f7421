#include "SessionHooks.h"

#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "dmuDM.h"
#include "frmuPasswordDlg.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

std::function<void(const QString &)> &busyWindowHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

bool runPasswordDialog(TDM::Credentials &credentials, const QStringList &dataBases)
{
    SwitchKeyboardLayout(QStringLiteral("EN"));
    TfrmPasswordDlg dialog(credentials.userName, credentials.password, credentials.dataBase,
                           dataBases, QApplication::activeWindow());
    if (Prompts::current().execDialog(&dialog) != QDialog::Accepted)
        return false;
    credentials.userName = dialog.userName();
    credentials.password = dialog.password();
    credentials.dataBase = dialog.dataBase();
    return true;
}

} // namespace

void InstallSessionHooks(TDM &dm)
{
    dm.setCredentialsDialog(&runPasswordDialog);
    dm.setBusyFeedback({&BusyBegin, &BusyEnd});
}

void SetBusyWindowHook(std::function<void(const QString &)> hook)
{
    busyWindowHook() = std::move(hook);
}

void BusyBegin(const QString &text)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (busyWindowHook())
        busyWindowHook()(text);
}

void BusyEnd()
{
    if (busyWindowHook())
        busyWindowHook()(QString());
    QGuiApplication::restoreOverrideCursor();
}

void NormalCursor()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

// Start-up: splash, the main window and the session modules, then the message loop.

#include "GuideRegistration.h"
#include "KV_Prompts.h"
#include "KvApplication.h"
#include "MessageBoxPrompts.h"
#include "SessionHooks.h"
#include "StartParams.h"
#include "dmuDM.h"
#include "dmuImages.h"
#include "dmuRDM.h"
#include "frmuCFG.h"
#include "frmuMain.h"
#include "frmuSplash.h"
#include "frmuWait.h"

#include <exception>
#include <memory>

int main(int argc, char *argv[])
{
    KvApplication app(argc, argv);

    auto splash = std::make_unique<TfrmSplash>();
    splash->show();
    app.processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Корвель"));
    QApplication::setApplicationName(QStringLiteral("korvel"));
    QApplication::setOrganizationName(QStringLiteral("Tervalon"));
    QApplication::setApplicationVersion(QStringLiteral(KORVEL_VERSION));
    MessageBoxPrompts prompts;
    Prompts::install(&prompts);

    const StartParams params = ParseStartParams(QCoreApplication::arguments());
    std::unique_ptr<TdmImages> dmImages;
    std::unique_ptr<TfrmMain> mainWindow;
    std::unique_ptr<TDMR> dmr;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TfrmWait> frmWait;
    try {
        dmImages = std::make_unique<TdmImages>();
        mainWindow = std::make_unique<TfrmMain>(params);
        dmr = std::make_unique<TDMR>();
        dm = std::make_unique<TDM>(dmr.get(), params.remoteServer ? 0 : 1);
        frmWait = std::make_unique<TfrmWait>();
        InstallSessionHooks(*dm);
        // Long session steps (signing in) show their text in the busy window.
        SetBusyWindowHook([](const QString &text) {
            if (text.isEmpty()) {
                Wait::HideWait();
                return;
            }
            Wait::SetMessage(text);
            Wait::ShowWait();
        });
        registerGuides();
        RegisterConfigWindow();
    } catch (const std::exception &e) {
        splash.reset();
        Prompts::current().message(Prompts::Kind::Error, QString::fromLocal8Bit(e.what()));
        return 1;
    }
    splash.reset();

    int result = 1;
    try {
        mainWindow->ShowAtPlacement();
        result = app.exec();
    } catch (...) {
        Prompts::current().message(Prompts::Kind::Error, QStringLiteral("Untrapped exception !"));
    }
    // The main window saves the settings; then the modules close datasets and connection.
    mainWindow.reset();
    frmWait.reset();
    dm.reset();
    dmr.reset();
    return result;
}

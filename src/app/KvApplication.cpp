#include "KvApplication.h"

#include "BugReport.h"

#include <exception>

namespace {

void report(const QString &text)
{
    // An exception thrown again while its report is on screen is not reported twice.
    static bool reporting = false;
    if (reporting) {
        qWarning("%s", qPrintable(text));
        return;
    }
    reporting = true;
    ShowBugReport(text);
    reporting = false;
}

} // namespace

KvApplication::KvApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{}

bool KvApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Необработанное исключение"));
    }
    return false;
}

#include "AppVars.h"

#include <QDir>

bool DebugMode = false;
bool SqlMonitorOn = true;
bool DesignMode = false;
bool EnterToTab = true;
bool UseMemoryManager = false;
bool AppClosing = false;

QString ReportFormsPath;
QString ConnectionsPath;
QString HelpFileName;
QString TempFilesPath;
QString LocalDataPath;

QDate InfiniteDate(4712, 12, 31);

QString LogonUserName = QStringLiteral("DEMO");
QString LogonPassword;
QString LogonDataBase = QStringLiteral("DEMO");

int SumDecimals = 2;
QDate PeriodFrom = QDate::currentDate();
QDate PeriodTo = QDate::currentDate();

QString ShortDateFormat = QStringLiteral("DD/MM/YYYY");
QString LongDateFormat = QStringLiteral("DD/MM/YYYY");
QChar DateSeparator = QLatin1Char('/');
QChar DecimalSeparator = QLatin1Char('.');
QChar ThousandSeparator = QLatin1Char(' ');

namespace {

// The folder with "/" separators and one trailing "/".
QString withTrailingSlash(const QString &folder)
{
    QString result = QDir::fromNativeSeparators(folder);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

// Replaces every component "bin" (any case) of a folder path ending in "/".
QString replaceBin(const QString &folder, const QString &replacement)
{
    QStringList parts = folder.split(QLatin1Char('/'));
    // The last part is the empty text after the trailing "/".
    for (int i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i].compare(QLatin1String("bin"), Qt::CaseInsensitive) == 0)
            parts[i] = replacement;
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace

InstallFolders InstallFoldersFor(const QString &programFolder)
{
    const QString folder = withTrailingSlash(programFolder);
    InstallFolders result;
    result.reportForms = replaceBin(folder, QStringLiteral("FR_FORMS"));
    result.connections = replaceBin(folder, QStringLiteral("CONNECTIONS"));
    result.helpFile = replaceBin(folder, QStringLiteral("DOC")) + QStringLiteral("korvel.chm");
    return result;
}

void SetDefaultFormatSettings()
{
    ShortDateFormat = QStringLiteral("DD/MM/YYYY");
    LongDateFormat = QStringLiteral("DD/MM/YYYY");
    DateSeparator = QLatin1Char('/');
    DecimalSeparator = QLatin1Char('.');
    ThousandSeparator = QLatin1Char(' ');
}

void InitAppVars(const QString &programFolder)
{
    InfiniteDate = QDate(4712, 12, 31);
    PeriodFrom = PeriodTo = QDate::currentDate();
    SetDefaultFormatSettings();
    UseMemoryManager = false;
    SumDecimals = 2;
    const InstallFolders folders = InstallFoldersFor(programFolder);
    ReportFormsPath = folders.reportForms;
    ConnectionsPath = folders.connections;
    HelpFileName = folders.helpFile;
    DebugMode = false;
    DesignMode = false;
    SqlMonitorOn = true;
    AppClosing = false;
}

QString QtDateFormat(const QString &format)
{
    QString result;
    for (const QChar c : format) {
        switch (c.toUpper().unicode()) {
        case 'D':
            result += QLatin1Char('d');
            break;
        case 'M':
            result += QLatin1Char('M');
            break;
        case 'Y':
            result += QLatin1Char('y');
            break;
        case '/':
            result += DateSeparator;
            break;
        default:
            result += c;
        }
    }
    return result;
}

#pragma once

#include <QChar>
#include <QDate>
#include <QString>

// The application variables: one set per process, read and written on the GUI thread only.
// The main window gives them their start values (InitAppVars, the start parameters and the
// settings file); every other part of the program reads them from here.

extern bool DebugMode;        // start parameter /debug: service actions, event monitor
extern bool SqlMonitorOn;     // with DebugMode: every statement goes to the event log
extern bool DesignMode;       // start parameter /design: report designer entries
extern bool EnterToTab;       // Enter moves to the next field in editing windows
extern bool UseMemoryManager; // kept for the session only
extern bool AppClosing;       // the main window has started closing

extern QString ReportFormsPath; // report templates, with a trailing "/"
extern QString ConnectionsPath; // connection description files (*.udl), trailing "/"
extern QString HelpFileName;    // full path of the help file
extern QString TempFilesPath;
extern QString LocalDataPath;

extern QDate InfiniteDate; // 31/12/4712, the open end of validity periods

extern QString LogonUserName; // user of the last sign-in
extern QString LogonPassword; // password of the current session; never written anywhere
extern QString LogonDataBase; // connection description of the last sign-in

extern int SumDecimals;  // decimals of money sums
extern QDate PeriodFrom; // the working period document lists show
extern QDate PeriodTo;

// Formatting settings. Date formats are written the way users know them ("DD/MM/YYYY",
// "/" standing for the date separator); QtDateFormat turns them into Qt's notation.
extern QString ShortDateFormat;
extern QString LongDateFormat;
extern QChar DateSeparator;
extern QChar DecimalSeparator;
extern QChar ThousandSeparator;

// The folders of an installation, derived from the program's folder.
struct InstallFolders
{
    QString reportForms; // FR_FORMS beside a "bin" folder, otherwise the program folder
    QString connections; // CONNECTIONS beside a "bin" folder, otherwise the program folder
    QString helpFile;    // DOC/korvel.chm beside a "bin" folder, otherwise in the program folder
};

// Every path component "bin" (in any letter case) of programFolder becomes FR_FORMS,
// CONNECTIONS or DOC; the rest of the path keeps its case. Folders end with "/".
InstallFolders InstallFoldersFor(const QString &programFolder);

// The start values of every variable (the folders from programFolder), formatting settings
// at their defaults, debug and design mode off.
void InitAppVars(const QString &programFolder);
void SetDefaultFormatSettings();

// A date format in the users' notation ("DD/MM/YYYY") in Qt's notation ("dd/MM/yyyy"),
// with "/" replaced by DateSeparator.
QString QtDateFormat(const QString &format);

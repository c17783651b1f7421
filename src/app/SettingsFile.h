#pragma once

#include <QChar>
#include <QRect>
#include <QString>

// The user's settings that the main window keeps in settings.xml, node "preferences".
struct Preferences
{
    QString shortDateFormat = QStringLiteral("DD/MM/YYYY");
    QString longDateFormat = QStringLiteral("DD/MM/YYYY");
    QChar dateSeparator = QLatin1Char('/');
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(' ');
    QString logonUserName = QStringLiteral("DEMO");
    QString logonDataBase = QStringLiteral("DEMO");
    bool enterToTab = true;
};

// The main window's placement, node "frmMain".
struct WindowPlacement
{
    bool valid = false;
    QRect geometry; // the normal (not maximised) frame geometry
    bool maximized = true;
};

// The per-user settings file: root "Configuration" with the nodes "preferences" and
// "frmMain". Reading is tolerant: a missing, damaged or foreign file gives the defaults for
// whatever cannot be read, and every readable key is kept. Saving rewrites only the two
// nodes and keeps every other node of the file; a file that cannot be parsed is kept beside
// the new one as "settings.xml.bak". Separators are written as character codes, booleans as
// TRUE/FALSE; the password is never written.
class SettingsFile
{
public:
    explicit SettingsFile(const QString &fileName = defaultFileName());

    // GenericDataLocation/Tervalon/korvel/settings.xml
    static QString defaultFileName();
    QString fileName() const { return m_fileName; }

    // True when the file was there and read without damage.
    bool load();
    bool save() const;

    Preferences preferences;
    WindowPlacement mainWindow;

private:
    QString m_fileName;
};

// The preferences as the application variables hold them.
Preferences PreferencesFromAppVars();
// Sets the application variables from the preferences. A remembered user "DEMO" gets the
// demonstration password, any other user an empty one.
void ApplyPreferences(const Preferences &preferences);

#include "SettingsFile.h"

#include "AppVars.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

const QString RootNode = QStringLiteral("Configuration");
const QString PreferencesNode = QStringLiteral("preferences");
const QString MainWindowNode = QStringLiteral("frmMain");

const QString DemoUser = QStringLiteral("DEMO");
const QString DemoPassword = QStringLiteral("vyrt");

// Key texts of one node, key names folded to lower case.
using KeyValues = QHash<QString, QString>;

QChar readCharCode(const KeyValues &values, const char *key, QChar fallback)
{
    const auto it = values.constFind(QString::fromLatin1(key).toLower());
    if (it == values.constEnd())
        return fallback;
    bool ok = false;
    const int code = it->trimmed().toInt(&ok);
    return ok && code > 0 && code <= 0xFFFF ? QChar(code) : fallback;
}

QString readText(const KeyValues &values, const char *key, const QString &fallback)
{
    const auto it = values.constFind(QString::fromLatin1(key).toLower());
    return it == values.constEnd() ? fallback : it->trimmed();
}

bool readBool(const KeyValues &values, const char *key, bool fallback)
{
    const QString text = readText(values, key, QString()).toUpper();
    if (text == QLatin1String("TRUE") || text == QLatin1String("YES") || text == QLatin1String("Y"))
        return true;
    if (text == QLatin1String("FALSE") || text == QLatin1String("NO") || text == QLatin1String("N"))
        return false;
    return fallback;
}

int readInt(const KeyValues &values, const char *key, bool *ok)
{
    return readText(values, key, QString()).toInt(ok);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

// Reads the keys of the two nodes up to the end of the file or the first damage.
bool readNodes(QIODevice *device, KeyValues &preferences, KeyValues &placement)
{
    QXmlStreamReader xml(device);
    QStringList path;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            path << xml.name().toString();
            if (path.size() == 3 && path[0] == RootNode &&
                (path[1] == PreferencesNode || path[1] == MainWindowNode)) {
                const QString key = path[2].toLower();
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (xml.hasError())
                    break;
                (path[1] == PreferencesNode ? preferences : placement).insert(key, text);
                path.removeLast();
            }
        } else if (xml.isEndElement()) {
            path.removeLast();
        }
    }
    return !xml.hasError();
}

// The child element of parent with the name, created when missing.
QDomElement childElement(QDomDocument &doc, QDomElement &parent, const QString &name)
{
    QDomElement element = parent.firstChildElement(name);
    if (element.isNull())
        element = parent.appendChild(doc.createElement(name)).toElement();
    return element;
}

void setKey(QDomDocument &doc, QDomElement &node, const QString &key, const QString &value)
{
    QDomElement element = childElement(doc, node, key);
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
    element.appendChild(doc.createTextNode(value));
}

} // namespace

SettingsFile::SettingsFile(const QString &fileName)
    : m_fileName(fileName)
{}

QString SettingsFile::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tervalon/korvel/settings.xml");
}

bool SettingsFile::load()
{
    preferences = Preferences();
    mainWindow = WindowPlacement();
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    KeyValues values;
    KeyValues placement;
    const bool intact = readNodes(&file, values, placement);

    const Preferences defaults;
    preferences.shortDateFormat = readText(values, "shortDateFormat", defaults.shortDateFormat);
    preferences.longDateFormat = readText(values, "longDateFormat", defaults.longDateFormat);
    preferences.dateSeparator = readCharCode(values, "dateSeparator", defaults.dateSeparator);
    preferences.decimalSeparator =
        readCharCode(values, "decimalSeparator", defaults.decimalSeparator);
    preferences.thousandSeparator =
        readCharCode(values, "thousandSeparator", defaults.thousandSeparator);
    preferences.logonUserName = readText(values, "logonUserName", defaults.logonUserName);
    preferences.logonDataBase = readText(values, "logonDataBase", defaults.logonDataBase);
    preferences.enterToTab = readBool(values, "enterToTab", defaults.enterToTab);

    bool okLeft = false, okTop = false, okWidth = false, okHeight = false;
    const QRect geometry(readInt(placement, "Left", &okLeft), readInt(placement, "Top", &okTop),
                         readInt(placement, "Width", &okWidth),
                         readInt(placement, "Height", &okHeight));
    if (okLeft && okTop && okWidth && okHeight && geometry.width() > 0 && geometry.height() > 0) {
        mainWindow.valid = true;
        mainWindow.geometry = geometry;
        mainWindow.maximized = readBool(placement, "Maximized", true);
    }
    return intact;
}

bool SettingsFile::save() const
{
    QDomDocument doc;
    {
        QFile existing(m_fileName);
        if (existing.open(QIODevice::ReadOnly)) {
            const bool empty = existing.size() == 0;
            const bool parsed = bool(doc.setContent(&existing));
            existing.close();
            if (empty) {
                doc = QDomDocument();
            } else if (!parsed || doc.documentElement().tagName() != RootNode) {
                // Not ours or damaged: keep it aside rather than lose what it holds.
                const QString backup = m_fileName + QStringLiteral(".bak");
                QFile::remove(backup);
                QFile::copy(m_fileName, backup);
                doc = QDomDocument();
            }
        }
    }
    if (doc.documentElement().isNull()) {
        doc.appendChild(doc.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
        doc.appendChild(doc.createElement(RootNode));
    }
    QDomElement root = doc.documentElement();

    QDomElement node = childElement(doc, root, PreferencesNode);
    const Preferences &p = preferences;
    setKey(doc, node, QStringLiteral("shortDateFormat"), p.shortDateFormat);
    setKey(doc, node, QStringLiteral("longDateFormat"), p.longDateFormat);
    setKey(doc, node, QStringLiteral("dateSeparator"), QString::number(p.dateSeparator.unicode()));
    setKey(doc, node, QStringLiteral("decimalSeparator"),
           QString::number(p.decimalSeparator.unicode()));
    setKey(doc, node, QStringLiteral("thousandSeparator"),
           QString::number(p.thousandSeparator.unicode()));
    setKey(doc, node, QStringLiteral("logonUserName"), p.logonUserName);
    setKey(doc, node, QStringLiteral("logonDataBase"), p.logonDataBase);
    setKey(doc, node, QStringLiteral("enterToTab"), boolText(p.enterToTab));

    if (mainWindow.valid) {
        QDomElement placement = childElement(doc, root, MainWindowNode);
        const QRect &g = mainWindow.geometry;
        setKey(doc, placement, QStringLiteral("Left"), QString::number(g.left()));
        setKey(doc, placement, QStringLiteral("Top"), QString::number(g.top()));
        setKey(doc, placement, QStringLiteral("Width"), QString::number(g.width()));
        setKey(doc, placement, QStringLiteral("Height"), QString::number(g.height()));
        setKey(doc, placement, QStringLiteral("Maximized"), boolText(mainWindow.maximized));
    }

    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(doc.toByteArray(2));
    return file.commit();
}

Preferences PreferencesFromAppVars()
{
    Preferences p;
    p.shortDateFormat = ShortDateFormat;
    p.longDateFormat = LongDateFormat;
    p.dateSeparator = DateSeparator;
    p.decimalSeparator = DecimalSeparator;
    p.thousandSeparator = ThousandSeparator;
    p.logonUserName = LogonUserName;
    p.logonDataBase = LogonDataBase;
    p.enterToTab = EnterToTab;
    return p;
}

void ApplyPreferences(const Preferences &p)
{
    ShortDateFormat = p.shortDateFormat;
    LongDateFormat = p.longDateFormat;
    DateSeparator = p.dateSeparator;
    DecimalSeparator = p.decimalSeparator;
    ThousandSeparator = p.thousandSeparator;
    EnterToTab = p.enterToTab;
    LogonUserName = p.logonUserName;
    LogonPassword = p.logonUserName == DemoUser ? DemoPassword : QString();
    LogonDataBase = p.logonDataBase;
}

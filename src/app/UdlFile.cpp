#include "UdlFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace Udl {

namespace {

QFileInfoList udlFiles(const QString &folder)
{
    return QDir(folder).entryInfoList({QStringLiteral("*.udl")},
                                      QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The value of a key in any letter case; empty when missing.
QString value(const QMap<QString, QString> &properties, const QString &key)
{
    for (auto it = properties.constBegin(); it != properties.constEnd(); ++it) {
        if (it.key().compare(key, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return {};
}

// Splits "key=value;key=value" (values may be quoted with " or ', a doubled quote inside
// standing for itself) into pairs.
QMap<QString, QString> parsePairs(const QString &line)
{
    QMap<QString, QString> result;
    int i = 0;
    const int n = line.size();
    while (i < n) {
        const int eq = line.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = line.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && line[i].isSpace())
            ++i;
        QString val;
        if (i < n && (line[i] == QLatin1Char('"') || line[i] == QLatin1Char('\''))) {
            const QChar quote = line[i++];
            while (i < n) {
                if (line[i] == quote) {
                    if (i + 1 < n && line[i + 1] == quote) {
                        val += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                val += line[i++];
            }
            const int semi = line.indexOf(QLatin1Char(';'), i);
            i = semi < 0 ? n : semi + 1;
        } else {
            const int semi = line.indexOf(QLatin1Char(';'), i);
            val = line.mid(i, (semi < 0 ? n : semi) - i).trimmed();
            i = semi < 0 ? n : semi + 1;
        }
        bool known = false;
        for (auto it = result.constBegin(); it != result.constEnd() && !known; ++it)
            known = it.key().compare(key, Qt::CaseInsensitive) == 0;
        if (!key.isEmpty() && !known)
            result.insert(key, val);
    }
    return result;
}

// libpq keywords from "Extended Properties", separated by ";" or blanks, as "k=v;k=v".
// User and password are left out: they come from the sign-in.
QString libpqOptions(const QString &extended)
{
    QStringList options;
    const QStringList words =
        extended.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const QString keyword = word.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        if (!word.contains(QLatin1Char('=')) || keyword == QLatin1String("user") ||
            keyword == QLatin1String("password"))
            continue;
        options << word.trimmed();
    }
    return options.join(QLatin1Char(';'));
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.size() >= 2 && bytes[1] == '\0')
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes);
    return QString::fromUtf8(bytes);
}

QMap<QString, QString> properties(const QString &text)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]+")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('[')))
            continue;
        if (line.contains(QLatin1Char('=')))
            return parsePairs(line);
    }
    return {};
}

bool toConnectionParams(const QMap<QString, QString> &props, ConnectionParams *params,
                        QString *error)
{
    const QString provider = value(props, QStringLiteral("Provider"));
    // "PostgreSQL" or a versioned name such as "PostgreSQL.1".
    if (provider.section(QLatin1Char('.'), 0, 0)
            .compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) != 0) {
        if (error) {
            *error = provider.isEmpty()
                         ? QStringLiteral("не указан поставщик данных (Provider)")
                         : QStringLiteral("поставщик данных \"%1\" не поддерживается, "
                                          "ожидается PostgreSQL")
                               .arg(provider);
        }
        return false;
    }
    ConnectionParams result;
    QString source = value(props, QStringLiteral("Data Source")).trimmed();
    QString port;
    if (source.startsWith(QLatin1Char('['))) {
        // [IPv6 address] with an optional :port
        const int close = source.indexOf(QLatin1Char(']'));
        if (close > 0) {
            port = source.mid(close + 1).section(QLatin1Char(':'), 1);
            source = source.mid(1, close - 1);
        }
    } else {
        const int colon = source.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0) {
            port = source.mid(colon + 1);
            source = source.left(colon);
        }
    }
    result.host = source;
    if (!port.isEmpty()) {
        bool ok = false;
        result.port = port.toInt(&ok);
        if (!ok || result.port <= 0 || result.port > 65535) {
            if (error)
                *error = QStringLiteral("неверный порт \"%1\" в Data Source").arg(port);
            return false;
        }
    }
    result.database = value(props, QStringLiteral("Initial Catalog"));
    result.userName = value(props, QStringLiteral("User ID"));
    result.password = value(props, QStringLiteral("Password"));
    result.options = libpqOptions(value(props, QStringLiteral("Extended Properties")));
    *params = result;
    return true;
}

bool readFile(const QString &fileName, ConnectionParams *params, QString *error)
{
    QFile file(fileName);
    if (!file.exists()) {
        if (error)
            *error = QStringLiteral("файл описания соединения %1 не найден").arg(fileName);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("файл описания соединения %1 не читается: %2")
                         .arg(fileName, file.errorString());
        return false;
    }
    const QMap<QString, QString> props = properties(decode(file.readAll()));
    if (props.isEmpty()) {
        if (error)
            *error = QStringLiteral("в файле %1 нет строки соединения").arg(fileName);
        return false;
    }
    QString reason;
    if (!toConnectionParams(props, params, &reason)) {
        if (error)
            *error = QStringLiteral("файл %1: %2").arg(fileName, reason);
        return false;
    }
    return true;
}

QString databaseNameOf(const QString &fileName)
{
    return QFileInfo(fileName).fileName().section(QLatin1Char('.'), 0, 0);
}

QStringList databaseNames(const QString &folder)
{
    QStringList names;
    for (const QFileInfo &info : udlFiles(folder)) {
        const QString name = databaseNameOf(info.fileName());
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString fileForDatabase(const QString &folder, const QString &database)
{
    const QFileInfoList files = udlFiles(folder);
    const QString exact = database + QStringLiteral(".udl");
    if (QFileInfo(QDir(folder).filePath(exact)).isFile())
        return QDir(folder).filePath(exact);
    for (const QFileInfo &info : files) {
        if (info.fileName().compare(exact, Qt::CaseInsensitive) == 0)
            return info.absoluteFilePath();
    }
    for (const QFileInfo &info : files) {
        if (databaseNameOf(info.fileName()).compare(database, Qt::CaseInsensitive) == 0)
            return info.absoluteFilePath();
    }
    return QDir(folder).filePath(exact);
}

} // namespace Udl

#include "KV_SqlParams.h"

KvParam &KvParams::ParamByName(const QString &name)
{
    if (KvParam *param = FindParam(name))
        return *param;
    m_items.append(KvParam{name, QVariant()});
    return m_items.last();
}

KvParam *KvParams::FindParam(const QString &name)
{
    for (KvParam &param : m_items) {
        if (param.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &param;
    }
    return nullptr;
}

const KvParam *KvParams::FindParam(const QString &name) const
{
    return const_cast<KvParams *>(this)->FindParam(name);
}

QVariant KvParams::value(const QString &name) const
{
    const KvParam *param = FindParam(name);
    return param ? param->Value : QVariant();
}

void KvParams::AssignValues(const KvParams &other)
{
    for (KvParam &param : m_items) {
        if (const KvParam *source = other.FindParam(param.Name))
            param.Value = source->Value;
    }
}

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

namespace {

KvParsedStatement parse(const QString &statement, bool positional)
{
    KvParsedStatement result;
    QString &out = result.sql;
    out.reserve(statement.size() + 8);
    const qsizetype n = statement.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = statement[i];
        // Quoted literals and identifiers are copied whole.
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n && statement[j] != c)
                ++j;
            out += QStringView(statement).mid(i, qMin(j + 1, n) - i);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && statement[i + 1] == QLatin1Char('-')) {
            qsizetype j = statement.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += QStringView(statement).mid(i, j - i);
            i = j;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && statement[i + 1] == QLatin1Char('*')) {
            qsizetype j = statement.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(statement).mid(i, j - i);
            i = j;
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && statement[i + 1] == QLatin1Char(':')) {
                out += QStringLiteral("::");
                i += 2;
                continue;
            }
            if (i + 1 < n && isNameStart(statement[i + 1])) {
                qsizetype j = i + 1;
                while (j < n && isNameChar(statement[j]))
                    ++j;
                const QString name = statement.mid(i + 1, j - i - 1);
                if (positional) {
                    result.names << name;
                    out += QLatin1Char('?');
                    i = j;
                    continue;
                }
                int number = -1;
                for (int k = 0; k < result.names.size(); ++k) {
                    if (result.names[k].compare(name, Qt::CaseInsensitive) == 0) {
                        number = k;
                        break;
                    }
                }
                if (number < 0) {
                    result.names << name;
                    number = int(result.names.size()) - 1;
                }
                out += QLatin1Char('$') + QString::number(number + 1);
                i = j;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return result;
}

} // namespace

KvParsedStatement ParseNamedParameters(const QString &statement)
{
    return parse(statement, false);
}

KvParsedStatement ParseNamedParametersPositional(const QString &statement)
{
    return parse(statement, true);
}

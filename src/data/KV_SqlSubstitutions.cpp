#include "KV_SqlSubstitutions.h"

TSqlSubstitution &TSqlSubstitutions::Add()
{
    m_items.append(TSqlSubstitution());
    return m_items.last();
}

TSqlSubstitution &TSqlSubstitutions::Add(const QString &name, const QString &value)
{
    TSqlSubstitution &item = Add();
    item.Name = name;
    item.Value = value;
    return item;
}

TSqlSubstitution *TSqlSubstitutions::FindSubstitution(const QString &name)
{
    for (TSqlSubstitution &item : m_items) {
        if (item.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

const TSqlSubstitution *TSqlSubstitutions::FindSubstitution(const QString &name) const
{
    return const_cast<TSqlSubstitutions *>(this)->FindSubstitution(name);
}

TSqlSubstitution *TSqlSubstitutions::SubstitutionByName(const QString &name, QString *error)
{
    TSqlSubstitution *item = FindSubstitution(name);
    if (!item && error) {
        const QString message = QStringLiteral("%1 SqlSubstitution Not Found").arg(name);
        *error = m_ownerName.isEmpty() ? message : m_ownerName + QStringLiteral(": ") + message;
    }
    return item;
}

namespace {

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`');
}

bool isTerminator(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\r':
    case '\n':
    case ')':
    case ',':
    case ';':
        return true;
    default:
        return false;
    }
}

} // namespace

// The scan keeps one quoted-state flag. Outside a name every quote character (', " or `)
// toggles it, whichever opened the quote. With the flag off, "CC" gives one C and a single
// C opens a name that runs to the first terminator met with the flag off (quotes inside
// the name toggle the flag too); a name opened by a quote loses one leading and one
// trailing quote character. The name's value replaces it and its terminator is consumed.
QString ExpandSubstitutions(const QString &text, QChar substituteChar,
                            const TSqlSubstitutions &substitutions)
{
    if (!text.contains(substituteChar))
        return text;
    QString out;
    out.reserve(text.size());
    bool quoted = false;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (isQuote(c)) {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        if (c != substituteChar || quoted) {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < n && text[i + 1] == substituteChar) {
            out += substituteChar;
            i += 2;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n) {
            const QChar ch = text[j];
            if (isQuote(ch))
                quoted = !quoted;
            else if (!quoted && isTerminator(ch))
                break;
            ++j;
        }
        QString name = text.mid(i + 1, j - i - 1);
        if (!name.isEmpty() && isQuote(name.front())) {
            name.remove(0, 1);
            if (!name.isEmpty() && isQuote(name.back()))
                name.chop(1);
        }
        if (const TSqlSubstitution *item = substitutions.FindSubstitution(name))
            out += item->Value;
        i = j < n ? j + 1 : j;
    }
    return out;
}

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Named statement parameters (":P_USER_ID" in a statement) and their values.

struct KvParam
{
    QString Name;
    QVariant Value; // a null QVariant binds SQL NULL
};

// An ordered list of named parameters; names are compared case-insensitively.
class KvParams
{
public:
    // The parameter of that name; added (with a null value) when missing.
    KvParam &ParamByName(const QString &name);
    // The parameter of that name, or null.
    KvParam *FindParam(const QString &name);
    const KvParam *FindParam(const QString &name) const;
    // Shortcut for ParamByName(name).Value = value.
    void setValue(const QString &name, const QVariant &value) { ParamByName(name).Value = value; }
    QVariant value(const QString &name) const;

    int Count() const { return int(m_items.size()); }
    KvParam &operator[](int index) { return m_items[index]; }
    const KvParam &operator[](int index) const { return m_items[index]; }
    void Clear() { m_items.clear(); }
    // Copies the values of the parameters of other whose names are here too.
    void AssignValues(const KvParams &other);

private:
    QList<KvParam> m_items;
};

// A statement with ":NAME" parameters rewritten for the server as "$1", "$2"...; ":NAME"
// inside quoted literals, quoted identifiers, comments and "::" casts is left alone. A name
// used twice takes one number.
struct KvParsedStatement
{
    QString sql;       // the server's text
    QStringList names; // the parameter names in number order, as written
};
KvParsedStatement ParseNamedParameters(const QString &statement);
// The same with "?" placeholders (for KvSession::run): names holds one entry per "?", in
// order, so a name used twice appears twice.
KvParsedStatement ParseNamedParametersPositional(const QString &statement);

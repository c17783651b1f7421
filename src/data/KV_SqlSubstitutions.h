#pragma once

#include <QList>
#include <QString>

// Named text substitutions in statement templates: "&USER_ID" or "&'MY NAME'" in a statement
// is replaced by the configured text before the statement runs. Shared by the SQL dataset
// and the cached client dataset.

class TSqlSubstitution
{
public:
    QString Name;  // as written after the substitution character; compared case-insensitively
    QString Value; // the text put in place of the name; may be empty
};

// The configured substitutions of one dataset, in insertion order.
class TSqlSubstitutions
{
public:
    // ownerName names the owning dataset in error texts.
    explicit TSqlSubstitutions(QString ownerName = {})
        : m_ownerName(std::move(ownerName))
    {}

    void setOwnerName(const QString &name) { m_ownerName = name; }
    QString ownerName() const { return m_ownerName; }

    // Appends an empty item and returns it.
    TSqlSubstitution &Add();
    // Appends an item with a name and a value and returns it.
    TSqlSubstitution &Add(const QString &name, const QString &value = {});
    int Count() const { return int(m_items.size()); }
    TSqlSubstitution &GetItem(int index) { return m_items[index]; }
    const TSqlSubstitution &GetItem(int index) const { return m_items[index]; }
    void SetItem(int index, const TSqlSubstitution &item) { m_items[index] = item; }
    void Clear() { m_items.clear(); }

    // The first item whose name equals name, case-insensitively; null when there is none.
    TSqlSubstitution *FindSubstitution(const QString &name);
    const TSqlSubstitution *FindSubstitution(const QString &name) const;
    // As FindSubstitution; a missing name answers null and fills *error with
    // "<owner>: <name> SqlSubstitution Not Found".
    TSqlSubstitution *SubstitutionByName(const QString &name, QString *error = nullptr);

private:
    QString m_ownerName;
    QList<TSqlSubstitution> m_items;
};

// Expands the substitution names in text (see the scan rules in KV_SqlSubstitutions.cpp):
// quoted literals are left alone, "CC" stands for one C, a name ends at a blank, CR, LF,
// ")", "," or ";" outside quotes and its terminator is consumed; names that are not
// configured expand to nothing. The input is not changed.
QString ExpandSubstitutions(const QString &text, QChar substituteChar,
                            const TSqlSubstitutions &substitutions);

#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The reference tables: how each is listed, keyed and defaulted, and which other tables point
// to its rows. Pure description; the rules that act on it are in GuideRules.h.

enum class GuideTable {
    Company,
    Bank,
    BankAcc,
    Measure,
    Personnel,
    Commission,
    KindOfWork,
    WayOfWork,
    ExpenseDescr,
    PercentDeduction,
    StoragePlace,
    CurDescr
};

// A reference from another table that forbids deleting a row: the column and table tested
// (the table as IsReferenced takes it, without schema) and the text shown after the row's
// name in double quotes.
struct GuideReferenceCheck
{
    QString column;
    QString table;
    QString text;
};

// A value a new row starts with. A default of type QDate with no value stands for the
// open end of validity (InfiniteDate, read when the row is made).
struct GuideDefault
{
    QString field;
    QVariant value;
};

struct GuideTableDef
{
    GuideTable table;
    QString providerName; // "dspMeasure"
    QString tableName;    // the target table of the provider, "ZOLT.MEASURE"
    QString statement;    // the guide's list statement
    QString keyField;     // "MEASURE_ID"
    QString sequence;     // "Measure_ID_SEQ"; empty: MAX+1 over the key (organisations)
    QString nameField;    // the name shown in questions and warnings; empty: none
    QList<GuideDefault> defaults;
    QList<GuideReferenceCheck> checks; // in the order they run; the first found stops
    bool readOnly = false;             // no window edits it
};

const GuideTableDef &guideTable(GuideTable table);
const QList<GuideTableDef> &allGuideTables();

// The value standing for "the open end of validity" in a default.
QVariant openValidity();

// Lists the windows read beside the guide lists (read-only, key column first).
namespace GuideLists {
// Organisations by name, all columns (pickers and lookups).
extern const QString CompaniesByName;
// Organisation keys and names.
extern const QString CompanyNames;
// Organisation keys and names ordered by name (the personnel window's organisation list).
extern const QString CompanyNamesOrdered;
// A company's personnel, the director list: PERSON_ID, COMPANY_ID, PERSNAME, PHONE1 for
// the parameter :COMPANY_ID.
extern const QString CompanyDirectors;
// Banks with BANK_DESCR: name, code, street and house in one text.
extern const QString BankDescriptions;
// Persons as "post name" in PERSONINFO (commission members).
extern const QString PersonInfo;
// Persons as "post: name" in DESCR (materially responsible persons).
extern const QString ResponsiblePersons;
} // namespace GuideLists

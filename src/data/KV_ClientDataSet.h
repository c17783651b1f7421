#pragma once

#include "KV_ColumnStore.h"
#include "KV_Field.h"
#include "KV_SqlParams.h"
#include "KV_SqlSubstitutions.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class KvSession;
class TKV_DataSetProvider;
struct KvClientDataSetPrivate;

enum class KvDataSetState { Inactive, Browse, Edit, Insert, CalcFields };
enum class KvUpdateKind { Modify, Insert, Delete };
// What becomes of a row the server refused. Cancel undoes the row's change in the cache
// (an edited row gets its old values back, an inserted row goes, a deleted row comes back);
// Skip leaves the change in the change log; Abort leaves it and every change not yet sent.
// Merge, Correct and Refresh act as Skip, Skip and Cancel.
enum class KvReconcileAction { Skip, Abort, Merge, Correct, Cancel, Refresh };

struct KvUpdateError
{
    QString Message; // the server's message, or "Record changed by another user"
    QString Context; // the server's detail, when it gave one
};

// Options of Locate.
enum KvLocateOption { loCaseInsensitive = 0x1, loPartialKey = 0x2 };
// Options of AddIndex.
enum KvIndexOption { ixCaseInsensitive = 0x1, ixDescending = 0x2 };

// A named index: the fields it orders by ("A;B"), those of them in descending order and
// those compared without case (Options apply to all fields).
struct KvIndexDef
{
    QString Name;
    QString Fields;
    QString DescFields;
    QString CaseInsFields;
    int Options = 0;
    bool BuiltIn = false; // DEFAULT_ORDER, CHANGEINDEX: never dropped
};

// A total over the rows shown (the current master's rows in a detail list): "SUM(F)",
// "COUNT(*)", "COUNT(F)", "MIN(F)", "MAX(F)", "AVG(F)".
struct KvAggregate
{
    QString Name;
    QString Expression;
};

using KvBookmark = qint64; // -1: none

// The cached client dataset every list and editor is bound to.
//
// Rows come from a provider (DataProvider, or ProviderName looked up among the providers in
// the program), are kept in typed column storage, and are edited here: append, insert, edit,
// post, cancel and delete go to a change log that ApplyUpdates sends to the server (one
// statement per changed row). Rows are shown in the order of the current index (a
// permutation of the rows; no copies of values). A detail list (MasterSource, MasterFields)
// shows only the rows whose link fields equal the master's current values.
//
// Failures return false and leave their text in LastError(); failures the user must see
// (a failed open, a refused edit) are also shown as error boxes, as the platform's
// exceptions were. Events are plain callbacks; a Before... event may call Abort() to stop
// the operation silently.
class TKV_ClientDataSet : public QObject
{
    Q_OBJECT
public:
    using Event = std::function<void(TKV_ClientDataSet &)>;
    using ReconcileEvent =
        std::function<KvReconcileAction(TKV_ClientDataSet &, const KvUpdateError &, KvUpdateKind)>;

    explicit TKV_ClientDataSet(QObject *parent = nullptr);
    ~TKV_ClientDataSet() override;

    // ---- binding to the server ---------------------------------------------------------
    TKV_DataSetProvider *DataProvider() const;
    void setDataProvider(TKV_DataSetProvider *provider);
    QString ProviderName() const;
    void setProviderName(const QString &name);
    // The provider in force (DataProvider, else the one named by ProviderName).
    TKV_DataSetProvider *provider() const;
    KvSession *session() const;
    // Values for the provider's statement parameters (":P_USER_ID").
    KvParams &Params();

    // The statement template sent to the provider (needs a provider that accepts client
    // statement text); substitutions expand at every fetch.
    QString CommandText() const;
    void setCommandText(const QString &text);
    QString RealCommandText(); // runs ApplySubstitutions and returns the result
    void ApplySubstitutions();
    QChar SubstituteChar() const;
    void setSubstituteChar(QChar c);
    TSqlSubstitutions &SqlSubstitutions();
    TSqlSubstitution *SubstitutionByName(const QString &name); // null (and an error) if missing
    bool SqlSubstitutionsCheck() const;
    void setSqlSubstitutionsCheck(bool on);

    bool ReadOnly() const;
    void setReadOnly(bool on);
    // Whether bound controls may start an edit by themselves (typing in a grid or editor).
    bool AutoEdit() const;
    void setAutoEdit(bool on);
    // Whether posts are kept in the change log (off for memory datasets).
    bool LogChanges() const;
    void setLogChanges(bool on);
    Qt::CursorShape WaitCursor() const;
    void setWaitCursor(Qt::CursorShape shape);
    // Fields AppendCopy leaves alone, ";"-separated, case-insensitive; read back sorted.
    QString ExcludeCopyFields() const;
    void setExcludeCopyFields(const QString &names);

    // ---- fields ------------------------------------------------------------------------
    // Persistent fields, defined while closed. When any data field is defined, the
    // server's columns match them by name (case-insensitively); other columns become
    // hidden fields. Without definitions every column becomes a field.
    KvField *AddField(const QString &name, KvFieldType type, int size = 0);
    KvField *AddLookupField(const QString &name, KvFieldType type, const QString &keyFields,
                            TKV_ClientDataSet *lookupDataSet, const QString &lookupKeyFields,
                            const QString &lookupResultField, int size = 0);
    KvField *AddCalcField(const QString &name, KvFieldType type, int size = 0);
    const QList<KvField *> &Fields() const;
    int FieldCount() const;
    KvField *FindField(const QString &name) const; // case-insensitive; null when missing
    // Never null: a missing name gives an inert field and reports "<name>: Field 'X' not
    // found" once.
    KvField *FieldByName(const QString &name);
    QVariant FieldValue(const QString &name) const; // invalid when the field is missing

    // ---- open, close, refresh ------------------------------------------------------------
    bool Open();
    void Close();
    bool Active() const;
    void setActive(bool on);
    // Refetches every row; refused while the change log is not empty. Keeps the current
    // row when its key is still there.
    bool Refresh();
    // A dataset of the defined fields and no rows, without a provider (memory datasets).
    bool CreateDataSet();
    // Drops all rows and the change log of an open dataset without a provider.
    void EmptyDataSet();
    // Runs the statement as a command (no rows) through the provider: the template with its
    // substitutions applied, or the provider's own statement; Params bind its parameters.
    bool Execute();
    KvDataSetState State() const;

    // ---- navigation (rows in the current order, 0-based row numbers) ---------------------
    bool First();
    bool Last();
    bool Next();  // false at the last row (Eof becomes true)
    bool Prior(); // false at the first row (Bof becomes true)
    bool MoveBy(int distance);
    bool Eof() const;
    bool Bof() const;
    int RecordCount() const; // rows shown, the row being inserted included
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const; // 1-based; 0 when empty
    bool setRecNo(int recNo);
    int currentRow() const; // 0-based; -1 when empty
    bool setCurrentRow(int row);
    KvBookmark Bookmark() const;
    bool GotoBookmark(KvBookmark bookmark);
    bool BookmarkValid(KvBookmark bookmark) const;

    // ---- editing ---------------------------------------------------------------------------
    bool CanModify() const;
    bool Append();
    bool Insert();
    bool Edit();
    // Posts the edit buffer; moving to another row, applying, refreshing and closing post
    // first as well.
    bool Post();
    void Cancel();
    bool Delete();
    bool Modified() const; // the edit buffer differs from the row
    // Posts or cancels a pending edit, like a move does (posts when modified).
    bool CheckBrowseMode();
    // Appends a row (OnNewRecord runs) and copies the current row's fields into it except
    // ExcludeCopyFields and the fields that cannot be assigned.
    bool AppendCopy();

    // ---- change log and apply ---------------------------------------------------------------
    int ChangeCount() const;
    // Sends the change log through the provider, one statement per changed row; rows the
    // server refuses go through OnReconcileError. maxErrors -1 tolerates any number.
    // Answers the number of refused rows (-1 when nothing could be sent at all).
    int ApplyUpdates(int maxErrors = -1);
    void CancelUpdates();
    // The change of the current row.
    bool IsRowChanged() const;

    // ---- search ------------------------------------------------------------------------------
    // Moves to the first row (current order) whose fields equal the values; keyFields
    // separated by ";", one value per field (a single QVariant for one field). With
    // loPartialKey a text matches the beginning of a text field; loCaseInsensitive ignores
    // case. A binary search when the fields lead the current index.
    bool Locate(const QString &keyFields, const QVariant &values, int options = 0);
    // The result fields' value(s) of the first row matching, without moving.
    QVariant Lookup(const QString &keyFields, const QVariant &values, const QString &resultFields);
    // Incremental search over the current index fields: "abc;12" finds the first row whose
    // first index field starts with "abc" (any case) and whose second equals 12. False (and
    // nothing moves) when closed, when a value does not convert or when nothing matches.
    bool LocateByText(const QString &text);

    // ---- indexes -------------------------------------------------------------------------------
    // Orders by these fields (ascending, case-sensitive); clears IndexName.
    QString IndexFieldNames() const;
    void setIndexFieldNames(const QString &fields);
    // Orders by a named index; empty: the default order. Clears IndexFieldNames.
    QString IndexName() const;
    bool setIndexName(const QString &name);
    QList<KvIndexDef> IndexDefs() const; // built-in DEFAULT_ORDER and CHANGEINDEX first
    bool AddIndex(const QString &name, const QString &fields, int options = 0,
                  const QString &descFields = {}, const QString &caseInsFields = {});
    bool DeleteIndex(const QString &name);
    // Drops every index that sorting created (all but DEFAULT_ORDER, CHANGEINDEX,
    // PRIMARY_KEY), clearing the current one when it goes.
    void DeleteSortIndexes();
    // The fields of the current order (IndexFieldNames, or those of IndexName).
    QStringList currentIndexFields() const;

    // ---- master and detail
    // -----------------------------------------------------------------------
    TKV_ClientDataSet *MasterSource() const;
    void setMasterSource(TKV_ClientDataSet *master);
    // Master fields ";"-separated; the detail's link fields are the first fields of
    // IndexFieldNames, or the same names. A statement parameter with a master field's
    // name takes the master's value and the detail fetches per master row.
    QString MasterFields() const;
    void setMasterFields(const QString &fields);

    // ---- filter
    // ------------------------------------------------------------------------------------ "FIELD
    // op value" terms (op one of = <> < > <= >=, value a number or a quoted text) joined by "and" /
    // "or"; applies while Filtered.
    QString Filter() const;
    void setFilter(const QString &filter);
    bool Filtered() const;
    void setFiltered(bool on);

    // ---- totals
    // --------------------------------------------------------------------------------------
    QList<KvAggregate> &Aggregates();
    bool AggregatesActive() const;
    void setAggregatesActive(bool on);
    QVariant AggregateValue(const QString &name) const; // invalid when inactive or unknown
    // SUM, COUNT, MIN, MAX or AVG of a field over the rows shown.
    QVariant Aggregate(const QString &function, const QString &fieldName) const;

    // ---- bound controls
    // ----------------------------------------------------------------------------
    void DisableControls();
    void EnableControls(); // tells bound controls to re-read everything
    bool ControlsDisabled() const;

    // Stops the Before... operation in progress (from inside an event handler).
    void Abort();
    QString LastError() const;

    // ---- events
    // ------------------------------------------------------------------------------------
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    Event BeforePost, AfterPost, BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    Event BeforeRefresh, AfterRefresh;
    Event OnNewRecord;  // a new row: set keys and defaults
    Event OnCalcFields; // set the C_ fields of the current row
    ReconcileEvent OnReconcileError;
    std::function<bool(TKV_ClientDataSet &)> OnFilterRecord; // true: show the row

    // ---- for grids and models ----------------------------------------------------------------
    // The value of a field at a row of the current order.
    QVariant valueAt(const KvField *field, int row) const;
    // Bytes held by the rows and orders, for the memory figures.
    size_t memoryBytes() const;

Q_SIGNALS:
    // Everything changed: open, close, refresh, another order, another master row.
    void aboutToReset();
    void reset();
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);     // values of a row changed; -1: of any row (lookups)
    void currentChanged(int row); // another current row (-1: none)
    void stateChanged(KvDataSetState state);
    void fieldChanged(KvField *field); // a value of the edit buffer changed
    void dataChanged();                // any change of the rows (for lookups and details)
    // Bound editors write what they hold but have not written yet (before a post).
    void updateRecord();

private:
    friend class KvField;
    friend struct KvClientDataSetPrivate;
    std::unique_ptr<KvClientDataSetPrivate> d;
};

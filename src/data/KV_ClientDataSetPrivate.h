#pragma once

// Internals of TKV_ClientDataSet shared by its implementation files.

#include "KV_ClientDataSet.h"

#include <QHash>
#include <QSet>

#include <cstring>

#include <limits>
#include <unordered_map>

class TKV_DataSetProvider;
struct KvDeltaRow;

constexpr uint32_t NoSlot = std::numeric_limits<uint32_t>::max();
constexpr uint32_t NoRec = std::numeric_limits<uint32_t>::max();
constexpr uint32_t NewRec = NoRec - 1; // the row being inserted (lives in the edit buffer)

// One field of an index key.
struct KvKeyPart
{
    KvField *field = nullptr;
    bool descending = false;
    bool caseInsensitive = false;
};

// A sort order: the records (by id) in key order, ties in default order.
struct KvIndex
{
    KvIndexDef def;
    std::vector<KvKeyPart> parts;
    std::vector<uint32_t> order;
};

struct KvChange
{
    KvUpdateKind kind;
    uint32_t rec;
    uint32_t origSlot;   // the row as the server has it (modify, delete)
    uint32_t defaultPos; // delete: where the row stood in the default order
};

// A value looked for by Locate, in the field's own terms.
struct KvMatcher
{
    KvField *field = nullptr;
    QVariant value;
    bool null = false;
    bool partial = false;         // text: the field starts with the value
    bool caseInsensitive = false; // text: compare folded
    int64_t i = 0;
    double f = 0;
    int32_t day = 0;
    bool b = false;
    std::vector<char> bytes; // text (folded when caseInsensitive)
};

// Cached "key values -> record" map of a dataset used as a lookup list.
struct KvLookupCache
{
    uint64_t version = 0;
    QHash<QString, uint32_t> recs;
};

struct KvFilterTerm
{
    QString field;
    QString op;
    QVariant value;
    bool orWithNext = false; // joined to the next term by "or" (else "and")
};

struct KvClientDataSetPrivate
{
    explicit KvClientDataSetPrivate(TKV_ClientDataSet *owner)
        : q(owner)
    {}

    TKV_ClientDataSet *q;

    // binding and statement
    QPointer<TKV_DataSetProvider> dataProvider;
    QString providerName;
    KvParams params;
    QString commandText;
    QString realCommandText;
    QChar substituteChar = QLatin1Char('&');
    TSqlSubstitutions substitutions;
    bool substitutionsCheck = false;
    bool readOnly = false;
    bool providerReadOnly = false;
    bool autoEdit = true;
    bool logChanges = true;
    Qt::CursorShape waitCursor = Qt::WaitCursor;
    QStringList excludeCopy; // sorted, case-insensitive

    // fields
    QList<KvField *> fields;
    std::vector<std::unique_ptr<KvField>> ownedFields;
    std::unique_ptr<KvField> inertField;
    QSet<QString> reportedMissing;
    int calcCount = 0;

    // rows
    bool active = false;
    bool memory = false; // made by CreateDataSet: no provider
    KvColumnStore store;
    std::vector<uint32_t> recSlot;      // record id -> slot (NoSlot: gone)
    std::vector<uint32_t> defaultOrder; // record ids in fetch and insert order
    std::vector<KvIndex> indexes;       // named indexes
    KvIndex fieldNamesIndex;            // the one IndexFieldNames makes
    QString indexFieldNames;
    QString indexName;
    int currentIndex = -1;     // -1: default order, -2: fieldNamesIndex
    bool viewFiltered = false; // range or filter in force
    std::vector<uint32_t> filteredView;
    size_t serverBytes = 0;
    uint64_t version = 1;

    // cursor and state
    int cur = -1;
    bool bof = true;
    bool eof = true;
    bool editing = false;
    bool inserting = false;
    bool calculating = false;
    uint32_t editRec = NoRec;
    int insertPos = -1;
    int droppedRowPos = -1; // a cancelled new row, still counted while its removal is announced
    uint32_t insertDefaultPos = 0;
    uint32_t recBeforeInsert = NoRec;
    std::vector<QVariant> buffer;     // data fields of the row being edited, by column
    std::vector<QVariant> calcBuffer; // calculated fields of that row
    bool modified = false;
    uint32_t calcRec = NoRec;
    std::vector<QVariant> *calcTarget = nullptr;
    std::unordered_map<uint32_t, std::vector<QVariant>> calcCache; // by slot

    std::vector<KvChange> changes;

    // master and detail
    QPointer<TKV_ClientDataSet> master;
    QString masterFields;
    QMetaObject::Connection masterConnection;
    QMetaObject::Connection masterScrollConnection;
    QSet<QString> fetchedMasterKeys;
    QString lastMasterKey;
    std::vector<QString> rangeKeys; // the master's link values, as lookup keys

    // filter and totals
    QString filterText;
    bool filtered = false;
    std::vector<KvFilterTerm> filterTerms;
    QList<KvAggregate> aggregates;
    bool aggregatesActive = false;

    // lookups served to other datasets, and the lists this one looks up in
    mutable QHash<QString, KvLookupCache> lookupCaches;
    std::vector<QMetaObject::Connection> lookupConnections;

    int disableCount = 0;
    bool pendingReset = false;
    bool abortRequested = false;
    QString lastError;

    // ---- KV_ClientDataSet.cpp ----
    KvDataSetState state() const;
    bool fail(const QString &text, bool show);
    bool runBefore(const TKV_ClientDataSet::Event &event);
    void runEvent(const TKV_ClientDataSet::Event &event);
    bool controlsOn() const { return disableCount == 0; }
    void emitReset();
    void emitCurrent();
    void emitState();
    void notifyDetails();
    bool moveTo(int row, bool force = false);
    void loadBuffer(uint32_t rec);
    void startNewRow(int viewPos, uint32_t defaultPos);
    bool beginNewRow(bool append);
    KvField *adopt(std::unique_ptr<KvField> field);

    // ---- view (KV_ClientDataSetOrder.cpp) ----
    const std::vector<uint32_t> &baseOrder() const;
    int baseCount() const;
    uint32_t baseAt(int pos) const;
    int viewCount() const;
    uint32_t viewRec(int pos) const;
    uint32_t currentRec() const; // the row fields read now
    int viewPosOf(uint32_t rec) const;
    void rebuildView();
    bool rowInView(uint32_t rec) const;
    int compareRecs(const KvIndex &index, uint32_t a, uint32_t b) const;
    void sortIndex(KvIndex &index) const;
    void addToIndexes(uint32_t rec);
    void removeFromIndexes(uint32_t rec);
    bool buildParts(KvIndex &index, QString *error);
    KvIndex *currentIndexPtr();
    const KvIndex *currentIndexPtr() const;
    void rebuildAllIndexes();
    int findFirst(std::vector<KvMatcher> &matchers, int options) const;
    bool prepareMatchers(const QString &keyFields, const QVariant &values, int options,
                         std::vector<KvMatcher> &matchers, QString *error) const;
    bool matches(const KvMatcher &m, uint32_t rec) const;
    int compareMatcher(const KvMatcher &m, uint32_t rec) const;
    bool compileFilter(QString *error);
    bool passesFilter(uint32_t rec) const;
    bool passesRange(uint32_t rec) const;
    QStringList detailLinkFields() const;

    // ---- values (KV_ClientDataSetValues.cpp) ----
    QVariant value(const KvField *field, uint32_t rec) const;
    QVariant dataValue(const KvField *field, uint32_t rec) const;
    QVariant lookupValue(const KvField *field, uint32_t rec) const;
    QVariant calcValue(const KvField *field, uint32_t rec) const;
    void computeCalc(uint32_t rec, std::vector<QVariant> &out) const;
    void recalcBuffer();
    uint32_t lookupRec(const QString &keyFields, const QVariantList &keys) const;
    static QString lookupKey(const QVariantList &values);
    bool setFieldValue(KvField *field, const QVariant &value);
    void connectLookups();

    // ---- fetching (KV_ClientDataSetFetch.cpp) ----
    TKV_DataSetProvider *provider() const;
    bool fetchInto(KvColumnStore &rows, QString *error);
    bool bindFields(QString *error);
    void resetRows(uint32_t count);
    bool masterKey(QVariantList &values) const;
    bool detailByParams() const;
    void masterChanged();

    // ---- change log (KV_ClientDataSetApply.cpp) ----
    uint32_t appendSlotFromBuffer();
    int changeOf(uint32_t rec) const;
    void revert(const KvChange &change);
    bool slotValuesEqual(int column, uint32_t a, uint32_t b) const;
    KvDeltaRow makeDelta(const KvChange &change) const;
};

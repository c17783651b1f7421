#pragma once

#include "KV_ADODataSet.h"
#include "KV_ColumnStore.h"
#include "KV_SqlParams.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <vector>

class KvSession;
class KvField;

// One value of a changed row as the provider writes it.
struct KvDeltaValue
{
    const KvField *field = nullptr;
    QVariant oldValue; // before the change (modify, delete)
    QVariant newValue; // after the change (insert, modify)
    bool changed = false;
};

// One changed row handed to the provider.
struct KvDeltaRow
{
    enum Kind { Insert, Modify, Delete };
    Kind kind = Modify;
    std::vector<KvDeltaValue> values; // every data field of the row
};

// A statement the provider runs for a changed row.
struct KvApplyStatement
{
    QString sql;               // with "?" placeholders
    QVariantList values;       // bound in order
    bool mustTouchRow = false; // UPDATE and DELETE: touching no row is a refusal
    bool empty() const { return sql.isEmpty(); }
};

// The provider ("dsp..."): exposes a TKV_ADODataSet to client datasets. It fetches rows
// (the dataset's own statement, or the client's statement text when AllowCommandText) and
// applies change logs with one statement per changed row on TableName: INSERT of the row's
// columns, UPDATE of the changed columns only, DELETE; UPDATE and DELETE address the row by
// the key fields only (the SQL dataset's UniqueFields), values as bind parameters. Only the
// columns that come from TableName are written (computed and joined columns are not).
class TKV_DataSetProvider : public QObject
{
    Q_OBJECT
public:
    explicit TKV_DataSetProvider(TKV_ADODataSet *dataSet = nullptr, QObject *parent = nullptr);
    ~TKV_DataSetProvider() override;

    TKV_ADODataSet *DataSet() const { return m_dataSet; }
    void setDataSet(TKV_ADODataSet *dataSet) { m_dataSet = dataSet; }
    KvSession *session() const;

    // The schema-qualified table changes are written to ("ZOLT.WareCard").
    QString TableName() const { return m_tableName; }
    void setTableName(const QString &table);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool AllowCommandText() const { return m_allowCommandText; }
    void setAllowCommandText(bool on) { m_allowCommandText = on; }
    bool AutoRefresh() const { return m_autoRefresh; }
    void setAutoRefresh(bool on) { m_autoRefresh = on; }

    // Fetches rows for a client: commandText when not empty (refused unless
    // AllowCommandText), else the SQL dataset's statement in force; params by name.
    bool Fetch(const QString &commandText, const KvParams &params, KvColumnStore &rows,
               QString *error, size_t *serverBytes = nullptr);

    // Runs a command statement (commandText as in Fetch) in the session's unit of work.
    bool Execute(const QString &commandText, const KvParams &params, QString *error);

    // The statement for one changed row (empty when an update changes nothing). False with
    // *error when none can be built (read-only, no key fields, unknown table).
    bool BuildStatement(const KvDeltaRow &row, KvApplyStatement &statement, QString *error);
    // Runs the statement of one changed row in the session's unit of work. False with
    // *error and *context when the server refused it or it touched no row.
    bool ApplyRow(const KvDeltaRow &row, QString *error, QString *context = nullptr);

    // Whether the session's connection to the server is gone.
    bool connectionLost() const;

    // The provider of that name (objectName), searched first among the children of
    // near's ancestors, then among all providers alive.
    static TKV_DataSetProvider *find(const QString &name, const QObject *near = nullptr);

private:
    // The statement a client call runs (its own text or the dataset's) and the values of its
    // parameters; false with the error when the dataset is missing or the text is refused.
    bool statementFor(const QString &commandText, const KvParams &params, QString &statement,
                      KvParams &values, QString *error) const;
    bool resolveTable(QString *error);

    QPointer<TKV_ADODataSet> m_dataSet;
    QString m_tableName;
    bool m_readOnly = false;
    bool m_allowCommandText = false;
    bool m_autoRefresh = false;
    // The target table as the server knows it: its id and column names by number.
    unsigned int m_tableOid = 0;
    std::vector<QString> m_tableColumns;
};

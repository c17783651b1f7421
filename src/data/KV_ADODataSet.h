#pragma once

#include "KV_ColumnStore.h"
#include "KV_SqlParams.h"
#include "KV_SqlSubstitutions.h"

#include <QObject>

class KvSession;

// The server-side SQL dataset: a statement template with "&NAME" substitutions and ":NAME"
// parameters, run on the session's one connection. Providers fetch client datasets through
// it; helper queries open it, read a value and drop it. Numbers with decimals arrive as
// double, whole numbers as int64.
//
// Calling order with substitutions: Close, SubstitutionByName(...)->Value = ...,
// ApplySubstitutions, Parameters, Open, read, Close.
class TKV_ADODataSet : public QObject
{
    Q_OBJECT
public:
    explicit TKV_ADODataSet(KvSession *session, QObject *parent = nullptr);
    ~TKV_ADODataSet() override;

    KvSession *session() const { return m_session; }
    void setSession(KvSession *session) { m_session = session; }

    // The statement template; setting it makes the template the statement in force.
    QString CommandText() const { return m_commandText; }
    void setCommandText(const QString &text);
    // The statement the next open runs: the template, or its last expansion.
    QString StatementInForce() const { return m_statement; }

    KvParams &Parameters() { return m_parameters; }
    const KvParams &Parameters() const { return m_parameters; }

    // Key fields for writing back, names separated by ";".
    QString UniqueFields() const { return m_uniqueFields; }
    void setUniqueFields(const QString &fields) { m_uniqueFields = fields; }
    // The key fields the provider uses: the trimmed UniqueFields (the server layer itself
    // reports none); empty when there are none.
    QString PSGetKeyFields() const;

    Qt::CursorShape WaitCursor() const { return m_waitCursor; }
    void setWaitCursor(Qt::CursorShape shape) { m_waitCursor = shape; }
    QChar SubstituteChar() const { return m_substituteChar; }
    void setSubstituteChar(QChar c) { m_substituteChar = c; }
    TSqlSubstitutions &SqlSubstitutions() { return m_substitutions; }
    const TSqlSubstitutions &SqlSubstitutions() const { return m_substitutions; }
    void setSqlSubstitutions(const TSqlSubstitutions &substitutions);
    bool SqlSubstitutionsCheck() const { return m_substitutionsCheck; }
    void setSqlSubstitutionsCheck(bool on) { m_substitutionsCheck = on; }

    // The substitution of that name; null when missing (the error text, prefixed with this
    // dataset's name, goes to *error and to LastError()).
    TSqlSubstitution *SubstitutionByName(const QString &name, QString *error = nullptr);
    QString ExpandSubstitutions(const QString &text) const;
    // Expands the template with the current values into the statement in force; only
    // while closed.
    void ApplySubstitutions();

    // Runs the statement in force with the parameters and keeps its rows; the busy cursor
    // shows meanwhile. False with LastError() on failure.
    bool Open();
    void Close();
    bool Active() const { return m_active; }
    // Runs the statement in force as a command that changes data (inside the session's
    // unit of work). False with LastError() on failure.
    bool ExecSQL();
    QString LastError() const { return m_lastError; }

    // Reading the rows of an open dataset.
    int RecordCount() const { return int(m_rows.slotCount()); }
    bool IsEmpty() const { return RecordCount() == 0; }
    void First() { m_row = 0; }
    void Next() { ++m_row; }
    bool Eof() const { return m_row >= RecordCount(); }
    // The value of a field of the current row; names are case-insensitive; invalid when the
    // field is missing or past the last row.
    QVariant FieldValue(const QString &name) const;
    bool HasField(const QString &name) const { return m_rows.columnIndex(name) >= 0; }
    const KvColumnStore &Rows() const { return m_rows; }

    // Runs a statement (with ":NAME" parameters valued from params) and appends its rows to
    // rows, whose columns are created from the result when it has none. For the provider;
    // does not change this dataset's own rows. *serverBytes receives the bytes of the values
    // as the server sent them.
    bool Fetch(const QString &statement, const KvParams &params, KvColumnStore &rows,
               QString *error, size_t *serverBytes = nullptr) const;

private:
    KvSession *m_session;
    QString m_commandText;
    QString m_statement;
    KvParams m_parameters;
    QString m_uniqueFields;
    Qt::CursorShape m_waitCursor = Qt::WaitCursor;
    QChar m_substituteChar = QLatin1Char('&');
    TSqlSubstitutions m_substitutions;
    bool m_substitutionsCheck = true;
    bool m_active = false;
    QString m_lastError;
    KvColumnStore m_rows;
    int m_row = 0;
};

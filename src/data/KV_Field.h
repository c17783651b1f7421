#pragma once

#include "KV_ColumnStore.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>

class TKV_ClientDataSet;

enum class KvFieldKind : uint8_t {
    Data,      // a column fetched from the server
    Lookup,    // L_...: a value of another dataset found by this row's key fields
    Calculated // C_...: set by the dataset's OnCalcFields, only while it computes them
};

// One field of a client dataset. Reads and writes go to the dataset's current row (the
// edit buffer while editing or inserting); the ...At(row) forms read any row of the
// dataset's current order (for grids). Settings are plain members, set before or after open.
class KvField
{
public:
    KvField(TKV_ClientDataSet *dataSet, const QString &name, KvFieldType type, KvFieldKind kind);

    TKV_ClientDataSet *DataSet() const { return m_dataSet; }
    QString FieldName() const { return m_name; }
    KvFieldType DataType() const { return m_type; }
    KvFieldKind FieldKind() const { return m_kind; }
    bool isData() const { return m_kind == KvFieldKind::Data; }
    int Index() const { return m_index; } // position among the dataset's fields

    // ---- settings --------------------------------------------------------------------
    QString DisplayLabel; // column title; FieldName when empty (see Label())
    // For numbers: "### ### ### ### ##0.##" and the like ("0" a digit always shown, "#" a
    // digit shown when significant, a blank or "," between integer digits groups
    // thousands with a blank, "." the decimal point; sections "positive;negative;zero").
    // For dates and date-times: "dd/MM/yyyy" and the like (Qt date format). Empty: the
    // default text ("DD/MM/YYYY" for dates, shortest number text with ".").
    QString DisplayFormat;
    int Size = 0;         // characters of a text field (0: unbounded)
    int DisplayWidth = 0; // characters a grid column shows (0: from Size)
    bool ReadOnly = false;
    bool Visible = true;
    bool Required = false;
    // Written back to the server by the provider (data fields of the target table only).
    bool InUpdate = true;
    // Alignment in grids; 0 means numbers right, the rest left.
    Qt::Alignment Alignment = {};
    // Lookup fields: this dataset's key fields, the other dataset, its key fields and the
    // field whose value is shown. Field lists separated by ";".
    QString KeyFields;
    TKV_ClientDataSet *LookupDataSet = nullptr;
    QString LookupKeyFields;
    QString LookupResultField;
    // Called after the field's value changed in the edit buffer.
    std::function<void(KvField &)> OnChange;

    QString Label() const { return DisplayLabel.isEmpty() ? m_name : DisplayLabel; }
    Qt::Alignment alignment() const;
    bool isNumeric() const
    {
        return m_type == KvFieldType::Integer || m_type == KvFieldType::Float;
    }

    // ---- the current row -------------------------------------------------------------
    QVariant Value() const;
    bool IsNull() const { return Value().isNull(); }
    QString AsString() const;  // values as text: numbers with ".", dates "DD/MM/YYYY"
    qint64 AsLargeInt() const; // 0 for null
    int AsInteger() const { return int(AsLargeInt()); }
    double AsFloat() const; // 0 for null
    bool AsBoolean() const;
    QDate AsDate() const;
    QDateTime AsDateTime() const;
    QString DisplayText() const; // formatted by DisplayFormat

    // Writes into the edit buffer (the dataset must be editing or inserting; calculated
    // fields only while the dataset computes them). Values convert to the field's type;
    // an empty text is null. A lookup field finds the other dataset's row by the result
    // value and sets this dataset's key fields. False when refused (the reason goes to the
    // dataset's LastError()).
    bool setValue(const QVariant &value);
    bool setAsString(const QString &text);
    bool setAsInteger(qint64 v) { return setValue(QVariant::fromValue(v)); }
    bool setAsFloat(double v) { return setValue(v); }
    bool setAsDate(const QDate &d) { return setValue(d); }
    bool setAsBoolean(bool v) { return setValue(v); }
    bool Clear() { return setValue(QVariant()); }

    // ---- any row of the dataset's current order (0-based) ------------------------------
    QVariant valueAt(int row) const;
    QString displayTextAt(int row) const;

    // The display text of a value of this field.
    QString formatValue(const QVariant &value) const;
    // Where the server's column came from: table id and column number (0: computed).
    unsigned int originTable() const { return m_originTable; }
    int originColumn() const { return m_originColumn; }

    // Converts a value to this field's type (a text is parsed: "." decimal point, blanks
    // inside numbers ignored, dates "DD/MM/YYYY" or ISO); *ok false when it does not convert.
    QVariant convert(const QVariant &value, bool *ok = nullptr) const;

private:
    friend class TKV_ClientDataSet;
    friend struct KvClientDataSetPrivate;
    TKV_ClientDataSet *m_dataSet;
    QString m_name;
    KvFieldType m_type;
    KvFieldKind m_kind;
    int m_index = -1;
    int m_column = -1;         // data fields: column in the dataset's storage; calculated: slot
    bool m_persistent = false; // defined by the program (not made from a server column)
    // Where the provider writes the field: the server's table and column (0: computed).
    unsigned int m_originTable = 0;
    int m_originColumn = 0;
};

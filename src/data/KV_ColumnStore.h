#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

// Typed column storage of fetched rows. A row lives in a "slot": slots are only appended, a
// slot's values never change afterwards (an edited row gets a new slot). Numbers are int64
// or double, dates a julian day, date-times microseconds since 2000-01-01, text one UTF-8
// byte arena per column with offsets, plus a null bitmap. No QVariant per value.

enum class KvFieldType : uint8_t {
    Unknown,
    String,  // text; stored as UTF-8
    Integer, // whole numbers of any size: int64
    Float,   // numbers with decimals: double
    Boolean,
    Date,     // QDate
    DateTime, // QDateTime, no time zone
    Blob      // raw bytes
};

class KvColumn
{
public:
    explicit KvColumn(KvFieldType type = KvFieldType::String)
        : m_type(type)
    {}

    KvFieldType type() const { return m_type; }
    uint32_t size() const { return m_count; }
    void reserve(uint32_t rows);

    bool isNull(uint32_t slot) const { return (m_nulls[slot >> 6] >> (slot & 63)) & 1u; }
    int64_t intAt(uint32_t slot) const { return m_ints[slot]; }     // Integer, DateTime
    double floatAt(uint32_t slot) const { return m_floats[slot]; }  // Float
    int32_t dayAt(uint32_t slot) const { return m_days[slot]; }     // Date: julian day
    bool boolAt(uint32_t slot) const { return m_bytes[slot] != 0; } // Boolean
    // String and Blob: the bytes of the value (not terminated).
    const char *bytesAt(uint32_t slot, uint32_t *length) const
    {
        const uint32_t begin = m_offsets[slot];
        *length = m_offsets[slot + 1] - begin;
        return m_arena.data() + begin;
    }
    QString stringAt(uint32_t slot) const;
    QVariant valueAt(uint32_t slot) const; // null QVariant of the column's type for null

    // Appending, one value per call, in slot order.
    void appendNull();
    void appendInt(int64_t v);
    void appendFloat(double v);
    void appendDay(int32_t julianDay);
    void appendBool(bool v);
    void appendBytes(const char *data, uint32_t length);
    // Converts the value to the column's type; false (and a null appended) when it does not
    // convert.
    bool appendValue(const QVariant &value);
    // Copies slot of other (same type) to the end of this column.
    void appendFrom(const KvColumn &other, uint32_t slot);
    // Drops the slots from count on.
    void truncate(uint32_t count);

    // Case-folded copy of a String column's text, for ordering and searching without case;
    // built on first use and kept up to date with appended slots.
    const char *foldedAt(uint32_t slot, uint32_t *length) const;

    // Bytes held, for the memory figures.
    size_t memoryBytes() const;

    static QDate dateFromDay(int32_t julianDay) { return QDate::fromJulianDay(julianDay); }
    static QDateTime dateTimeFromMicros(int64_t micros);
    static int64_t microsFromDateTime(const QDateTime &dateTime);

private:
    void setNullBit(bool null);
    void ensureFolded() const;

    KvFieldType m_type;
    uint32_t m_count = 0;
    std::vector<uint64_t> m_nulls;
    std::vector<int64_t> m_ints;
    std::vector<double> m_floats;
    std::vector<int32_t> m_days;
    std::vector<uint8_t> m_bytes;
    std::vector<char> m_arena;
    std::vector<uint32_t> m_offsets{0};
    mutable std::vector<char> m_foldArena;
    mutable std::vector<uint32_t> m_foldOffsets{0};
};

// What the server tells about one column of a result.
struct KvColumnInfo
{
    QString name; // as the server names it (lower case unless quoted)
    KvFieldType type = KvFieldType::String;
    unsigned int typeOid = 0;
    int size = 0;              // characters of a varchar/char column, 0 when unbounded
    unsigned int tableOid = 0; // the table the column comes from; 0 for computed columns
    int tableColumn = 0;       // its attribute number in that table
};

// The rows of one result: column descriptions and their storage.
class KvColumnStore
{
public:
    std::vector<KvColumnInfo> infos;
    std::vector<KvColumn> columns;

    uint32_t slotCount() const { return columns.empty() ? m_emptySlots : columns[0].size(); }
    int columnIndex(const QString &name) const; // case-insensitive; -1 when missing
    void clear();
    size_t memoryBytes() const;
    // Adds a column; only while the store holds no slot.
    void addColumn(const KvColumnInfo &info);
    // Rows without columns still count (a store of no columns).
    void setEmptySlotCount(uint32_t count) { m_emptySlots = count; }

private:
    uint32_t m_emptySlots = 0;
};

// Lower-cases UTF-8 text for comparisons without case (ASCII and Cyrillic directly, anything
// else through Unicode case folding); "ё" folds to "е" so that it sorts with it.
void KvFoldUtf8(const char *data, uint32_t length, std::vector<char> &out);
// Compares two byte ranges as unsigned bytes (UTF-8 code point order).
int KvCompareBytes(const char *a, uint32_t la, const char *b, uint32_t lb);

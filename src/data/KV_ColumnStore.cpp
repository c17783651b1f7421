#include "KV_ColumnStore.h"

#include <cstring>

namespace {

constexpr int64_t MicrosPerDay = int64_t(86400) * 1000000;
constexpr int32_t JulianDay2000 = 2451545; // 2000-01-01

template <typename T>
size_t bytesOf(const std::vector<T> &v)
{
    return v.capacity() * sizeof(T);
}

} // namespace

void KvColumn::reserve(uint32_t rows)
{
    m_nulls.reserve(rows / 64 + 1);
    switch (m_type) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        m_ints.reserve(rows);
        break;
    case KvFieldType::Float:
        m_floats.reserve(rows);
        break;
    case KvFieldType::Date:
        m_days.reserve(rows);
        break;
    case KvFieldType::Boolean:
        m_bytes.reserve(rows);
        break;
    default:
        m_offsets.reserve(rows + 1);
        break;
    }
}

void KvColumn::setNullBit(bool null)
{
    const uint32_t slot = m_count++;
    if ((slot & 63) == 0)
        m_nulls.push_back(0);
    if (null)
        m_nulls.back() |= uint64_t(1) << (slot & 63);
}

void KvColumn::appendNull()
{
    setNullBit(true);
    switch (m_type) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        m_ints.push_back(0);
        break;
    case KvFieldType::Float:
        m_floats.push_back(0);
        break;
    case KvFieldType::Date:
        m_days.push_back(0);
        break;
    case KvFieldType::Boolean:
        m_bytes.push_back(0);
        break;
    default:
        m_offsets.push_back(uint32_t(m_arena.size()));
        break;
    }
}

void KvColumn::appendInt(int64_t v)
{
    setNullBit(false);
    m_ints.push_back(v);
}

void KvColumn::appendFloat(double v)
{
    setNullBit(false);
    m_floats.push_back(v);
}

void KvColumn::appendDay(int32_t julianDay)
{
    setNullBit(false);
    m_days.push_back(julianDay);
}

void KvColumn::appendBool(bool v)
{
    setNullBit(false);
    m_bytes.push_back(v ? 1 : 0);
}

void KvColumn::appendBytes(const char *data, uint32_t length)
{
    setNullBit(false);
    m_arena.insert(m_arena.end(), data, data + length);
    m_offsets.push_back(uint32_t(m_arena.size()));
}

bool KvColumn::appendValue(const QVariant &value)
{
    if (value.isNull()) {
        appendNull();
        return true;
    }
    bool ok = true;
    switch (m_type) {
    case KvFieldType::Integer: {
        const qlonglong v = value.toLongLong(&ok);
        if (ok) {
            appendInt(v);
        } else {
            const double d = value.toDouble(&ok);
            if (ok)
                appendInt(int64_t(d < 0 ? d - 0.5 : d + 0.5));
        }
        break;
    }
    case KvFieldType::Float: {
        const double v = value.toDouble(&ok);
        if (ok)
            appendFloat(v);
        break;
    }
    case KvFieldType::Date: {
        const QDate date =
            value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        ok = date.isValid();
        if (ok)
            appendDay(int32_t(date.toJulianDay()));
        break;
    }
    case KvFieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        ok = dt.isValid();
        if (ok) {
            setNullBit(false);
            m_ints.push_back(microsFromDateTime(dt));
        }
        break;
    }
    case KvFieldType::Boolean:
        appendBool(value.toBool());
        break;
    case KvFieldType::Blob: {
        const QByteArray bytes = value.toByteArray();
        appendBytes(bytes.constData(), uint32_t(bytes.size()));
        break;
    }
    default: {
        const QByteArray bytes = value.toString().toUtf8();
        appendBytes(bytes.constData(), uint32_t(bytes.size()));
        break;
    }
    }
    if (!ok)
        appendNull();
    return ok;
}

void KvColumn::appendFrom(const KvColumn &other, uint32_t slot)
{
    if (other.isNull(slot)) {
        appendNull();
        return;
    }
    switch (m_type) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        setNullBit(false);
        m_ints.push_back(other.m_ints[slot]);
        break;
    case KvFieldType::Float:
        appendFloat(other.m_floats[slot]);
        break;
    case KvFieldType::Date:
        appendDay(other.m_days[slot]);
        break;
    case KvFieldType::Boolean:
        appendBool(other.m_bytes[slot] != 0);
        break;
    default: {
        uint32_t length = 0;
        const char *data = other.bytesAt(slot, &length);
        appendBytes(data, length);
        break;
    }
    }
}

void KvColumn::truncate(uint32_t count)
{
    if (count >= m_count)
        return;
    m_count = count;
    m_nulls.resize((count + 63) / 64);
    if (count & 63)
        m_nulls.back() &= (uint64_t(1) << (count & 63)) - 1;
    switch (m_type) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        m_ints.resize(count);
        break;
    case KvFieldType::Float:
        m_floats.resize(count);
        break;
    case KvFieldType::Date:
        m_days.resize(count);
        break;
    case KvFieldType::Boolean:
        m_bytes.resize(count);
        break;
    default:
        m_arena.resize(m_offsets[count]);
        m_offsets.resize(count + 1);
        if (m_foldOffsets.size() > count + 1) {
            m_foldArena.resize(m_foldOffsets[count]);
            m_foldOffsets.resize(count + 1);
        }
        break;
    }
}

QString KvColumn::stringAt(uint32_t slot) const
{
    if (isNull(slot))
        return {};
    uint32_t length = 0;
    const char *data = bytesAt(slot, &length);
    return QString::fromUtf8(data, length);
}

QVariant KvColumn::valueAt(uint32_t slot) const
{
    const bool null = isNull(slot);
    switch (m_type) {
    case KvFieldType::Integer:
        return null ? QVariant(QMetaType::fromType<qlonglong>())
                    : QVariant(qlonglong(m_ints[slot]));
    case KvFieldType::Float:
        return null ? QVariant(QMetaType::fromType<double>()) : QVariant(m_floats[slot]);
    case KvFieldType::Date:
        return null ? QVariant(QMetaType::fromType<QDate>()) : QVariant(dateFromDay(m_days[slot]));
    case KvFieldType::DateTime:
        return null ? QVariant(QMetaType::fromType<QDateTime>())
                    : QVariant(dateTimeFromMicros(m_ints[slot]));
    case KvFieldType::Boolean:
        return null ? QVariant(QMetaType::fromType<bool>()) : QVariant(m_bytes[slot] != 0);
    case KvFieldType::Blob: {
        if (null)
            return QVariant(QMetaType::fromType<QByteArray>());
        uint32_t length = 0;
        const char *data = bytesAt(slot, &length);
        return QByteArray(data, length);
    }
    default:
        return null ? QVariant(QMetaType::fromType<QString>()) : QVariant(stringAt(slot));
    }
}

QDateTime KvColumn::dateTimeFromMicros(int64_t micros)
{
    int64_t days = micros / MicrosPerDay;
    int64_t rest = micros % MicrosPerDay;
    if (rest < 0) {
        rest += MicrosPerDay;
        --days;
    }
    return QDateTime(QDate::fromJulianDay(JulianDay2000 + days),
                     QTime::fromMSecsSinceStartOfDay(int(rest / 1000)));
}

int64_t KvColumn::microsFromDateTime(const QDateTime &dateTime)
{
    const int64_t days = dateTime.date().toJulianDay() - JulianDay2000;
    return days * MicrosPerDay + int64_t(dateTime.time().msecsSinceStartOfDay()) * 1000;
}

void KvColumn::ensureFolded() const
{
    const size_t done = m_foldOffsets.size() - 1;
    if (done >= m_count)
        return;
    if (done == 0) {
        m_foldArena.reserve(m_arena.size());
        m_foldOffsets.reserve(m_count + 1);
    }
    for (uint32_t slot = uint32_t(done); slot < m_count; ++slot) {
        uint32_t length = 0;
        const char *data = bytesAt(slot, &length);
        KvFoldUtf8(data, length, m_foldArena);
        m_foldOffsets.push_back(uint32_t(m_foldArena.size()));
    }
}

const char *KvColumn::foldedAt(uint32_t slot, uint32_t *length) const
{
    ensureFolded();
    const uint32_t begin = m_foldOffsets[slot];
    *length = m_foldOffsets[slot + 1] - begin;
    return m_foldArena.data() + begin;
}

size_t KvColumn::memoryBytes() const
{
    return bytesOf(m_nulls) + bytesOf(m_ints) + bytesOf(m_floats) + bytesOf(m_days) +
           bytesOf(m_bytes) + bytesOf(m_arena) + bytesOf(m_offsets) + bytesOf(m_foldArena) +
           bytesOf(m_foldOffsets);
}

int KvColumnStore::columnIndex(const QString &name) const
{
    for (size_t i = 0; i < infos.size(); ++i) {
        if (infos[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void KvColumnStore::clear()
{
    infos.clear();
    columns.clear();
    m_emptySlots = 0;
}

size_t KvColumnStore::memoryBytes() const
{
    size_t total = 0;
    for (const KvColumn &column : columns)
        total += column.memoryBytes();
    return total;
}

void KvColumnStore::addColumn(const KvColumnInfo &info)
{
    infos.push_back(info);
    columns.emplace_back(info.type);
}

void KvFoldUtf8(const char *data, uint32_t length, std::vector<char> &out)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const size_t start = out.size();
    out.resize(start + length); // ASCII and basic Cyrillic keep their length
    auto *o = reinterpret_cast<unsigned char *>(out.data() + start);
    for (uint32_t i = 0; i < length; ++i) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            o[i] = c >= 'A' && c <= 'Z' ? c + 32 : c;
            continue;
        }
        if ((c != 0xD0 && c != 0xD1) || i + 1 >= length)
            goto general;
        const unsigned char c2 = p[i + 1];
        unsigned char o1 = c;
        unsigned char o2 = c2;
        if (c == 0xD0 && c2 == 0x81) { // Ё -> е
            o2 = 0xB5;
        } else if (c == 0xD1 && c2 == 0x91) { // ё -> е
            o1 = 0xD0;
            o2 = 0xB5;
        } else if (c == 0xD0 && c2 >= 0x80 && c2 <= 0x8F) { // Ѐ..Џ -> ѐ..џ
            o1 = 0xD1;
            o2 = c2 + 0x10;
        } else if (c == 0xD0 && c2 >= 0x90 && c2 <= 0x9F) { // А..П -> а..п
            o2 = c2 + 0x20;
        } else if (c == 0xD0 && c2 >= 0xA0 && c2 <= 0xAF) { // Р..Я -> р..я
            o1 = 0xD1;
            o2 = c2 - 0x20;
        } else if (!((c == 0xD0 && c2 >= 0xB0) || (c == 0xD1 && c2 <= 0x9F))) {
            goto general;
        }
        o[i] = o1;
        o[i + 1] = o2;
        ++i;
    }
    return;

general:
    // Anything beyond ASCII and basic Cyrillic: Unicode case folding of the whole text.
    out.resize(start);
    QString folded = QString::fromUtf8(data, length).toCaseFolded();
    folded.replace(QChar(0x0451), QChar(0x0435));
    const QByteArray bytes = folded.toUtf8();
    out.insert(out.end(), bytes.constData(), bytes.constData() + bytes.size());
}

int KvCompareBytes(const char *a, uint32_t la, const char *b, uint32_t lb)
{
    const int c = std::memcmp(a, b, la < lb ? la : lb);
    if (c != 0)
        return c;
    return la < lb ? -1 : (la > lb ? 1 : 0);
}

#include "KV_PgFetch.h"

#include "KV_db.h"

#include <QDateTime>
#include <QTimeZone>

#include <libpq-fe.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Type ids of the server's built-in types.
enum : Oid {
    BoolOid = 16,
    ByteaOid = 17,
    CharOid = 18,
    NameOid = 19,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    TextOid = 25,
    OidOid = 26,
    JsonOid = 114,
    Float4Oid = 700,
    Float8Oid = 701,
    UnknownOid = 705,
    BpcharOid = 1042,
    VarcharOid = 1043,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestamptzOid = 1184,
    NumericOid = 1700,
    UuidOid = 2950,
    JsonbOid = 3802,
};

constexpr int32_t JulianDay2000 = 2451545;

inline uint16_t be16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint16_t((u[0] << 8) | u[1]);
}

inline uint32_t be32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return (uint32_t(u[0]) << 24) | (uint32_t(u[1]) << 16) | (uint32_t(u[2]) << 8) | u[3];
}

inline uint64_t be64(const char *p)
{
    return (uint64_t(be32(p)) << 32) | be32(p + 4);
}

// A binary numeric as double: digits in base 10000 with a weight; exact mantissas divide by
// an exact power of ten (one correctly rounded operation), anything longer goes through text.
bool numericToDouble(const char *p, int length, double *out)
{
    if (length < 8)
        return false;
    const int ndigits = int16_t(be16(p));
    const int weight = int16_t(be16(p + 2));
    const uint16_t sign = be16(p + 4);
    if (sign == 0xC000) {
        *out = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (sign == 0xD000 || sign == 0xF000) {
        *out = sign == 0xD000 ? std::numeric_limits<double>::infinity()
                              : -std::numeric_limits<double>::infinity();
        return true;
    }
    if (length < 8 + 2 * ndigits)
        return false;
    const char *digits = p + 8;
    int last = ndigits;
    while (last > 0 && be16(digits + 2 * (last - 1)) == 0)
        --last;
    if (last == 0) {
        *out = 0.0;
        return true;
    }
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (last <= 4) {
        uint64_t mantissa = 0;
        for (int i = 0; i < last; ++i)
            mantissa = mantissa * 10000 + be16(digits + 2 * i);
        const int exponent = 4 * (weight - (last - 1));
        if (mantissa < (uint64_t(1) << 53) && exponent >= -22 && exponent <= 22) {
            double v = double(mantissa);
            v = exponent >= 0 ? v * powers[exponent] : v / powers[-exponent];
            *out = sign == 0x4000 ? -v : v;
            return true;
        }
    }
    // Long mantissas: the decimal text, read correctly rounded.
    std::string text;
    text.reserve(size_t(4 * last + 16));
    if (sign == 0x4000)
        text += '-';
    for (int i = 0; i < last; ++i) {
        char buf[5];
        const unsigned d = be16(digits + 2 * i);
        buf[0] = char('0' + d / 1000);
        buf[1] = char('0' + d / 100 % 10);
        buf[2] = char('0' + d / 10 % 10);
        buf[3] = char('0' + d % 10);
        text.append(buf, 4);
    }
    text += 'e';
    text += std::to_string(4 * (weight - (last - 1)));
    const auto result = std::from_chars(text.data(), text.data() + text.size(), *out);
    return result.ec == std::errc();
}

// One column's parser, chosen once per column.
struct ColumnReader
{
    KvColumn *column;
    Oid oid;
};

void appendBinary(const ColumnReader &reader, const char *p, int length)
{
    KvColumn &column = *reader.column;
    switch (reader.oid) {
    case Int2Oid:
        column.appendInt(int16_t(be16(p)));
        return;
    case Int4Oid:
        column.appendInt(int32_t(be32(p)));
        return;
    case OidOid:
        column.appendInt(be32(p));
        return;
    case Int8Oid:
        column.appendInt(int64_t(be64(p)));
        return;
    case Float4Oid: {
        const uint32_t bits = be32(p);
        float f;
        std::memcpy(&f, &bits, 4);
        column.appendFloat(f);
        return;
    }
    case Float8Oid: {
        const uint64_t bits = be64(p);
        double d;
        std::memcpy(&d, &bits, 8);
        column.appendFloat(d);
        return;
    }
    case NumericOid: {
        double d = 0;
        if (numericToDouble(p, length, &d))
            column.appendFloat(d);
        else
            column.appendNull();
        return;
    }
    case BoolOid:
        column.appendBool(p[0] != 0);
        return;
    case DateOid: {
        const int32_t days = int32_t(be32(p));
        if (days == std::numeric_limits<int32_t>::max() ||
            days == std::numeric_limits<int32_t>::min())
            column.appendNull(); // infinity
        else
            column.appendDay(days + JulianDay2000);
        return;
    }
    case TimestampOid:
    case TimestamptzOid: {
        const int64_t micros = int64_t(be64(p));
        if (micros == std::numeric_limits<int64_t>::max() ||
            micros == std::numeric_limits<int64_t>::min()) {
            column.appendNull();
        } else if (reader.oid == TimestampOid) {
            column.appendInt(micros);
        } else {
            const qint64 ms = micros / 1000 + qint64(946684800) * 1000;
            const QDateTime local =
                QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toLocalTime();
            column.appendInt(KvColumn::microsFromDateTime(QDateTime(local.date(), local.time())));
        }
        return;
    }
    case TimeOid: {
        const int64_t micros = int64_t(be64(p));
        const QByteArray text = QTime::fromMSecsSinceStartOfDay(int(micros / 1000))
                                    .toString(QStringLiteral("hh:mm:ss"))
                                    .toLatin1();
        column.appendBytes(text.constData(), uint32_t(text.size()));
        return;
    }
    case UuidOid: {
        const QByteArray text = QByteArray(p, length).toHex();
        const QByteArray dashed = text.left(8) + '-' + text.mid(8, 4) + '-' + text.mid(12, 4) +
                                  '-' + text.mid(16, 4) + '-' + text.mid(20);
        column.appendBytes(dashed.constData(), uint32_t(dashed.size()));
        return;
    }
    case JsonbOid:
        column.appendBytes(p + 1, uint32_t(length > 0 ? length - 1 : 0));
        return;
    default:
        column.appendBytes(p, uint32_t(length));
        return;
    }
}

// Parameter values as text (bytea in binary).
struct BoundValues
{
    std::vector<QByteArray> storage;
    std::vector<const char *> values;
    std::vector<int> lengths;
    std::vector<int> formats;
};

void bind(BoundValues &bound, const QVariant &value)
{
    QByteArray text;
    int format = 0;
    bool null = value.isNull() || !value.isValid();
    if (!null) {
        switch (value.typeId()) {
        case QMetaType::Bool:
            text = value.toBool() ? "true" : "false";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            text = QByteArray::number(value.toDouble(), 'g', 17);
            break;
        case QMetaType::QDate:
            text = value.toDate().toString(Qt::ISODate).toLatin1();
            break;
        case QMetaType::QDateTime:
            text =
                value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toLatin1();
            break;
        case QMetaType::QTime:
            text = value.toTime().toString(QStringLiteral("hh:mm:ss.zzz")).toLatin1();
            break;
        case QMetaType::QByteArray:
            text = value.toByteArray();
            format = 1;
            break;
        default:
            text = value.toString().toUtf8();
            break;
        }
    }
    bound.storage.push_back(text);
    bound.lengths.push_back(int(text.size()));
    bound.formats.push_back(format);
    bound.values.push_back(nullptr);
    if (!null)
        bound.values.back() = bound.storage.back().constData();
}

QString resultError(PGresult *result, PGconn *conn)
{
    QString text;
    if (result) {
        text = QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
        const QString detail =
            QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL));
        if (!detail.isEmpty())
            text += QLatin1Char(' ') + detail;
    }
    if (text.isEmpty())
        text = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    return text;
}

void simple(PGconn *conn, const char *sql)
{
    PQclear(PQexec(conn, sql));
}

} // namespace

KvFieldType KvFieldTypeForOid(unsigned int typeOid)
{
    switch (typeOid) {
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
        return KvFieldType::Integer;
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return KvFieldType::Float;
    case BoolOid:
        return KvFieldType::Boolean;
    case DateOid:
        return KvFieldType::Date;
    case TimestampOid:
    case TimestamptzOid:
        return KvFieldType::DateTime;
    case ByteaOid:
        return KvFieldType::Blob;
    default:
        return KvFieldType::String;
    }
}

bool KvPgFetch(KvSession *session, const QString &statement, const KvParams &params,
               KvColumnStore &rows, QString *error, size_t *serverBytes)
{
    PGconn *conn = session ? session->pgConnection() : nullptr;
    if (!conn) {
        if (error)
            *error = QStringLiteral("Нет соединения с БД");
        return false;
    }
    const KvParsedStatement parsed = ParseNamedParameters(statement);
    BoundValues bound;
    bound.storage.reserve(parsed.names.size());
    for (const QString &name : parsed.names)
        bind(bound, params.value(name));

    if (session->monitorOn()) {
        session->LogEvent(statement);
        for (int i = 0; i < parsed.names.size(); ++i) {
            const QVariant v = params.value(parsed.names[i]);
            session->LogEvent(
                QStringLiteral("P[%1] :%2 = %3")
                    .arg(i)
                    .arg(parsed.names[i], v.isNull() ? QStringLiteral("Null") : v.toString()));
        }
        session->LogEvent(QString());
    }

    // A query the Qt driver left unfinished would refuse ours.
    if (PQtransactionStatus(conn) == PQTRANS_ACTIVE) {
        while (PGresult *pending = PQgetResult(conn))
            PQclear(pending);
    }
    const bool guarded = PQtransactionStatus(conn) == PQTRANS_INTRANS;
    if (guarded)
        simple(conn, "SAVEPOINT kv_fetch");

    const QByteArray sql = parsed.sql.toUtf8();
    PGresult *result =
        PQexecParams(conn, sql.constData(), int(bound.values.size()), nullptr, bound.values.data(),
                     bound.lengths.data(), bound.formats.data(), 1);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        if (error)
            *error = resultError(result, conn);
        PQclear(result);
        if (guarded)
            simple(conn, "ROLLBACK TO SAVEPOINT kv_fetch");
        return false;
    }
    if (guarded)
        simple(conn, "RELEASE SAVEPOINT kv_fetch");

    const int columnCount = PQnfields(result);
    const int rowCount = PQntuples(result);
    if (rows.columns.empty() && rows.slotCount() == 0) {
        for (int c = 0; c < columnCount; ++c) {
            KvColumnInfo info;
            info.name = QString::fromUtf8(PQfname(result, c));
            info.typeOid = PQftype(result, c);
            info.type = KvFieldTypeForOid(info.typeOid);
            const int mod = PQfmod(result, c);
            if ((info.typeOid == VarcharOid || info.typeOid == BpcharOid) && mod > 4)
                info.size = mod - 4;
            info.tableOid = PQftable(result, c);
            info.tableColumn = PQftablecol(result, c);
            rows.addColumn(info);
        }
    } else if (int(rows.columns.size()) != columnCount) {
        if (error)
            *error = QStringLiteral("The query returned other columns than before");
        PQclear(result);
        return false;
    }

    std::vector<ColumnReader> readers(static_cast<size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c) {
        rows.columns[c].reserve(rows.columns[c].size() + uint32_t(rowCount));
        readers[c] = ColumnReader{&rows.columns[c], PQftype(result, c)};
    }
    size_t bytes = 0;
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            if (PQgetisnull(result, r, c)) {
                readers[c].column->appendNull();
                continue;
            }
            const int length = PQgetlength(result, r, c);
            bytes += size_t(length);
            appendBinary(readers[c], PQgetvalue(result, r, c), length);
        }
    }
    if (columnCount == 0)
        rows.setEmptySlotCount(rows.slotCount() + uint32_t(rowCount));
    PQclear(result);
    if (serverBytes)
        *serverBytes = bytes;
    return true;
}

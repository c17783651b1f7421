#include "KV_Field.h"

#include "KV_ClientDataSetPrivate.h"
#include "KV_DisplayFormat.h"
#include "KV_LIB.h"

#include <cmath>

namespace {

QString numberText(double v)
{
    if (std::isfinite(v) && std::fabs(v) < 1e15)
        return QString::number(v, 'f', QLocale::FloatingPointShortest);
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// A number typed by a person: blanks dropped, "," read as the decimal point.
QString numberInput(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t;
}

bool isNumberType(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

} // namespace

KvField::KvField(TKV_ClientDataSet *dataSet, const QString &name, KvFieldType type,
                 KvFieldKind kind)
    : m_dataSet(dataSet)
    , m_name(name)
    , m_type(type)
    , m_kind(kind)
{}

Qt::Alignment KvField::alignment() const
{
    if (Alignment != Qt::Alignment())
        return Alignment;
    return (isNumeric() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QVariant KvField::Value() const
{
    const KvClientDataSetPrivate *d = m_dataSet->d.get();
    return d->value(this, d->currentRec());
}

QString KvField::AsString() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    switch (m_type) {
    case KvFieldType::Integer:
        return QString::number(v.toLongLong());
    case KvFieldType::Float:
        return numberText(v.toDouble());
    case KvFieldType::Date:
        return FormatShortDate(v.toDate());
    case KvFieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case KvFieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

qint64 KvField::AsLargeInt() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (m_type == KvFieldType::Float)
        return qint64(std::llround(v.toDouble()));
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return ok ? n : qint64(std::llround(TextToFloat(v)));
}

double KvField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    bool ok = false;
    const double n = v.toDouble(&ok);
    return ok ? n : TextToFloat(v);
}

bool KvField::AsBoolean() const
{
    const QVariant v = Value();
    return !v.isNull() && v.toBool();
}

QDate KvField::AsDate() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return v.toDate();
}

QDateTime KvField::AsDateTime() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    return v.toDateTime();
}

QString KvField::DisplayText() const
{
    return formatValue(Value());
}

bool KvField::setValue(const QVariant &value)
{
    return m_dataSet->d->setFieldValue(this, value);
}

bool KvField::setAsString(const QString &text)
{
    return setValue(text);
}

QVariant KvField::valueAt(int row) const
{
    return m_dataSet->valueAt(this, row);
}

QString KvField::displayTextAt(int row) const
{
    return formatValue(valueAt(row));
}

QString KvField::formatValue(const QVariant &v) const
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (m_type) {
    case KvFieldType::Integer:
        if (!DisplayFormat.isEmpty())
            return FormatFloat(DisplayFormat, v.toDouble());
        return QString::number(v.toLongLong());
    case KvFieldType::Float:
        if (!DisplayFormat.isEmpty())
            return FormatFloat(DisplayFormat, v.toDouble());
        return numberText(v.toDouble());
    case KvFieldType::Date: {
        const QDate date = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        return DisplayFormat.isEmpty() ? FormatShortDate(date) : date.toString(DisplayFormat);
    }
    case KvFieldType::DateTime:
        return v.toDateTime().toString(
            DisplayFormat.isEmpty() ? QStringLiteral("dd/MM/yyyy hh:mm:ss") : DisplayFormat);
    case KvFieldType::Boolean: {
        const QStringList names = DisplayFormat.split(QLatin1Char(';'));
        if (names.size() == 2)
            return v.toBool() ? names[0] : names[1];
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    case KvFieldType::Blob:
        return QStringLiteral("(BLOB)");
    default:
        return v.toString();
    }
}

QVariant KvField::convert(const QVariant &value, bool *ok) const
{
    if (ok)
        *ok = true;
    if (value.isNull() || !value.isValid())
        return {};
    const bool text = value.typeId() == QMetaType::QString;
    const QString s = text ? value.toString() : QString();
    if (text && s.trimmed().isEmpty() && m_type != KvFieldType::String)
        return {};
    bool good = true;
    QVariant result;
    switch (m_type) {
    case KvFieldType::Integer: {
        if (isNumberType(value) || value.typeId() == QMetaType::Bool) {
            const double d = value.toDouble();
            result = value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float
                         ? QVariant(qlonglong(std::llround(d)))
                         : QVariant(value.toLongLong());
            break;
        }
        const QString t = numberInput(value.toString());
        const qlonglong n = t.toLongLong(&good);
        if (good) {
            result = n;
        } else {
            const double d = t.toDouble(&good);
            if (good)
                result = qlonglong(std::llround(d));
        }
        break;
    }
    case KvFieldType::Float: {
        if (isNumberType(value)) {
            result = value.toDouble();
            break;
        }
        const double d = numberInput(value.toString()).toDouble(&good);
        if (good)
            result = d;
        break;
    }
    case KvFieldType::Boolean:
        if (text) {
            const QString t = s.trimmed().toLower();
            result = !(t == QLatin1String("0") || t == QLatin1String("false") ||
                       t == QLatin1String("нет") || t == QLatin1String("no"));
        } else {
            result = value.toBool();
        }
        break;
    case KvFieldType::Date: {
        QDate date;
        if (value.typeId() == QMetaType::QDate)
            date = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime)
            date = value.toDateTime().date();
        else if (text) {
            date = ParseShortDate(s);
            if (!date.isValid())
                date = QDate::fromString(s.trimmed().left(10), Qt::ISODate);
        }
        good = date.isValid();
        if (good)
            result = date;
        break;
    }
    case KvFieldType::DateTime: {
        QDateTime dt;
        if (value.typeId() == QMetaType::QDateTime)
            dt = value.toDateTime();
        else if (value.typeId() == QMetaType::QDate)
            dt = value.toDate().startOfDay();
        else if (text) {
            const QString t = s.trimmed();
            dt = QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
            if (!dt.isValid())
                dt = QDateTime::fromString(t, Qt::ISODate);
            if (!dt.isValid()) {
                const QDate date = ParseShortDate(t);
                if (date.isValid())
                    dt = date.startOfDay();
            }
        }
        good = dt.isValid();
        if (good)
            result = dt;
        break;
    }
    case KvFieldType::Blob:
        result = value.toByteArray();
        break;
    default:
        if (text) {
            result = s.isEmpty() ? QVariant() : QVariant(s);
        } else if (value.typeId() == QMetaType::QDate) {
            result = FormatShortDate(value.toDate());
        } else if (value.typeId() == QMetaType::Double) {
            result = numberText(value.toDouble());
        } else {
            result = value.toString();
        }
        break;
    }
    if (ok)
        *ok = good;
    return good ? result : QVariant();
}

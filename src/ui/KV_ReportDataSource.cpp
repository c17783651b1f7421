#include "KV_ReportDataSource.h"

#include "KV_LIB.h"

#include <QDateTime>

int KvReportDataSource::fieldIndex(const QString &name) const
{
    for (int i = 0, n = fieldCount(); i < n; ++i) {
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString KvReportDataSource::formatValue(int field, const QVariant &value) const
{
    Q_UNUSED(field);
    return KvReportRawText(value);
}

QString KvReportRawText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return FormatShortDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return FormatShortDate(dt.date()) + QLatin1Char(' ') +
               dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}

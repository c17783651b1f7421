#include "WorkPeriod.h"

#include <climits>

namespace {

// The type as a number; false for null and for what is no whole number.
bool typeOf(const QVariant &value, int &type)
{
    if (value.isNull() || !value.isValid())
        return false;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        return false;
    type = (n < INT_MIN || n > INT_MAX) ? -1 : int(n);
    return true;
}

} // namespace

int QuarterFirstMonth(int month)
{
    return ((month - 1) / 3) * 3 + 1;
}

QDate PeriodStartByType(int type, const QDate &today)
{
    switch (type) {
    case 1:
        return QDate(today.year(), today.month(), 1);
    case 2:
        return QDate(today.year(), QuarterFirstMonth(today.month()), 1);
    case 3:
        return QDate(today.year(), 1, 1);
    default:
        return today;
    }
}

QDate PeriodEndByType(int type, const QDate &today)
{
    switch (type) {
    case 1:
        return QDate(today.year(), today.month(), today.daysInMonth());
    case 2: {
        const QDate last(today.year(), QuarterFirstMonth(today.month()) + 2, 1);
        return QDate(last.year(), last.month(), last.daysInMonth());
    }
    case 3:
        return QDate(today.year(), 12, 31);
    default:
        return today;
    }
}

void ApplyWorkingPeriod(const QVariant &fromType, const QVariant &toType, QDate &from, QDate &to,
                        const QDate &today)
{
    int type = 0;
    if (typeOf(fromType, type))
        from = PeriodStartByType(type, today);
    if (typeOf(toType, type))
        to = PeriodEndByType(type, today);
}

QStringList PeriodFromTypeCaptions()
{
    return {QStringLiteral("Текущая дата"), QStringLiteral("Начало месяца"),
            QStringLiteral("Начало квартала"), QStringLiteral("Начало года")};
}

QStringList PeriodToTypeCaptions()
{
    return {QStringLiteral("Текущая дата"), QStringLiteral("Конец месяца"),
            QStringLiteral("Конец квартала"), QStringLiteral("Конец года")};
}

#pragma once

#include <QDate>
#include <QStringList>
#include <QVariant>

// The working period of the document lists (PeriodFrom, PeriodTo) as the working
// configuration's two period types set it each time the configuration row is opened.
//
// Types: 0 today; 1 first / last day of the current month; 2 first / last day of the current
// quarter; 3 1 January / 31 December of the current year; any other number today.
// Quarters start in January, April, July and October and are found by the month alone.

// The start of the period for a type.
QDate PeriodStartByType(int type, const QDate &today = QDate::currentDate());
// The end of the period for a type.
QDate PeriodEndByType(int type, const QDate &today = QDate::currentDate());

// The first month (1, 4, 7 or 10) of the quarter of a month (1 to 12).
int QuarterFirstMonth(int month);

// Sets from and to from the two types; a null (or non-numeric) type leaves its date as it is.
void ApplyWorkingPeriod(const QVariant &fromType, const QVariant &toType, QDate &from, QDate &to,
                        const QDate &today = QDate::currentDate());

// The captions of the types 0 to 3, for the start and for the end of the period.
QStringList PeriodFromTypeCaptions();
QStringList PeriodToTypeCaptions();

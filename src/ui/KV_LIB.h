#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// The program's small toolbox: standard questions and message boxes, the Russian sum in
// words for printed documents, the Oracle-style date literal used in statement
// substitutions, quick periods and their captions, money rounding, tolerant text-to-number
// conversion, the keyboard layout request and the text log writer.
//
// Dates are QDate; an invalid (null) QDate stands for "no date". Short dates read
// "DD/MM/YYYY" and the decimal separator is ".".

// ---- Questions and messages (through Prompts::current()) -------------------------------

// Asks "Данные изменены, записать?" with Yes and No; true on Yes.
bool ConfirmSaveChanges();
// Asks whether to delete a record: "Удалять запись? " + text for the language code "RU",
// "Delete record? " + text for any other code; Yes and No; true on Yes.
bool ConfirmDelete(const QString &languageCode, const QString &text);
// An error box with the text and an OK button.
void ShowError(const QString &text);
// A plain message box with the text; always returns true.
bool ShowInfo(const QString &text);

// ---- Sum in words ------------------------------------------------------------------------

// The working record of SumInWords.
struct TConvertData
{
    QString digits;   // the amount as decimal digits, left-padded with zeros to a multiple of 3
    int gender = 1;   // gender of the currency unit: 1 masculine, 2 neuter, 3 feminine
    QString formOne;  // unit after a number ending in 1 (not 11), e.g. "рубль"
    QString formTwo;  // unit after a number ending in 2 to 4 (not 12 to 14), e.g. "рубля"
    QString formFive; // unit after any other number, e.g. "рублей"
};

// The whole amount given as decimal digits, in Russian words followed by the currency
// form, first letter in upper case: ("1234", 1, "рубль", "рублей", "рубля") gives
// "Одна тысяча двести тридцать четыре рубля". Exactly "0" gives the empty text. Note the
// order of the forms: one, five and more, two to four. A gender other than 2 or 3 reads as
// masculine; characters other than decimal digits read as 0.
QString SumInWords(const QString &digits, int gender, const QString &formOne,
                   const QString &formFive, const QString &formTwo);

// ---- Dates and periods -------------------------------------------------------------------

// "DD/MM/YYYY"; the empty text for an invalid date.
QString FormatShortDate(const QDate &date);
// A date written "DD/MM/YYYY" (one-digit day and month accepted, blanks around ignored);
// an invalid QDate when the text is no such date.
QDate ParseShortDate(const QString &text);

// "Null" for an invalid date, otherwise "TO_DATE('DD/MM/YYYY','DD/MM/YYYY')".
QString OracleDateLiteral(const QDate &date);

QDate FirstDayOfMonth(const QDate &date);
QDate LastDayOfMonth(const QDate &date);
QDate FirstDayOfCurrentMonth();
QDate LastDayOfCurrentMonth();
QDate FirstDayOfCurrentYear();
QDate LastDayOfCurrentYear();

// Sets the bounds of a quick period: 0 all (no lower bound, up to 31/12/4712), 1 today,
// 2 yesterday, 3 the current month, 4 the current year. Any other kind leaves both bounds
// unchanged. "Today" is the given date, the current date by default.
void PeriodByKind(int kind, QDate &from, QDate &to, const QDate &today = QDate::currentDate());

// The caption of a period for list titles: "(на 05/01/2004)" for one day,
// "(по 31/12/4712)" without a lower bound, "(за Март 2004 г.)" for a whole month,
// "(с: 01/03/2004 по: 30/03/2004)" otherwise; the empty text without an upper bound.
QString PeriodCaption(const QDate &from, const QDate &to);

// The month's name and year: "Январь 2004 г."; the empty text for an invalid date.
QString MonthCaption(const QDate &date);

// ---- Numbers -----------------------------------------------------------------------------

// Rounds to the given number of decimals, halves away from zero: the integer part of
// value * 10^decimals plus the integer part of twice its fractional part, divided by
// 10^decimals. The product is taken in extended precision, so a value whose binary form
// lies just below the half rounds down: 2.675 (stored as 2.67499...) to 2 decimals gives
// 2.67, while 2.345 (stored as 2.34500...02) gives 2.35.
double RoundHalfAway(int decimals, double value);

// Tolerant conversion of a text (or null) to a number: null reads as 0, blanks around are
// dropped, blanks inside become 0 ("1 5" is 105), a comma is a decimal point, and a missing
// digit before or after the point reads as 0 (",5" is 0.5, "5," is 5). A text that still is
// no number gives 0 and sets *ok to false; callers that must refuse such a text check ok
// and report it themselves.
double TextToFloat(const QVariant &value, bool *ok = nullptr);

// ---- Keyboard layout ---------------------------------------------------------------------

// Linux desktops have no per-application layouts: this only records the requested layout.
// "RU" asks for 00000419, "GE" for 00000407, any other code for 00000409 (case-insensitive).
void SwitchKeyboardLayout(const QString &languageCode);
// The layout id last requested by SwitchKeyboardLayout; empty before the first request.
QString CurrentKeyboardLayout();

// ---- Text ----------------------------------------------------------------------------------

// Appends one line to a UTF-8 text file, creating it when missing. A line "-" or "=" becomes
// a rule of 79 such characters; a line beginning with "!", "-" or "=" is written without
// that character and without time stamp; any other line is written after the current
// "DD/MM/YYYY hh:mm:ss" and three blanks. A file that cannot be opened is skipped silently.
void AppendLogLine(const QString &line, const QString &fileName);

// The character repeated count times (empty for a count below 1).
QString RepeatChar(QChar ch, int count);

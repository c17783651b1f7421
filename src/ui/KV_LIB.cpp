#include "KV_LIB.h"

#include "KV_Prompts.h"

#include <QDateTime>
#include <QFile>

#include <cmath>

namespace {

const QString kShortDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kLongTimeFormat = QStringLiteral("hh:mm:ss");
// The open end of validity periods.
const QDate kInfiniteDate(4712, 12, 31);

// ---- Sum in words ------------------------------------------------------------------------

// Number words, each with its trailing blank; index = digit.
const char *const kHundreds[10] = {"",         "сто ",      "двести ",  "триста ",    "четыреста ",
                                   "пятьсот ", "шестьсот ", "семьсот ", "восемьсот ", "девятьсот "};
const char *const kTens[10] = {"",
                               "",
                               "двадцать ",
                               "тридцать ",
                               "сорок ",
                               "пятьдесят ",
                               "шестьдесят ",
                               "семьдесят ",
                               "восемьдесят ",
                               "девяносто "};
const char *const kUnits[10] = {"",      "",       "",      "три ",    "четыре ",
                                "пять ", "шесть ", "семь ", "восемь ", "девять "};
const char *const kTeens[10] = {"десять ",       "одиннадцать ", "двенадцать ",  "тринадцать ",
                                "четырнадцать ", "пятнадцать ",  "шестнадцать ", "семнадцать ",
                                "восемнадцать ", "девятнадцать "};

// Scale words of groups 2 (thousands) to 5 (trillions): form for one, two to four, five
// and more.
const char *const kScales[4][3] = {{"тысяча ", "тысячи ", "тысяч "},
                                   {"миллион ", "миллиона ", "миллионов "},
                                   {"миллиард ", "миллиарда ", "миллиардов "},
                                   {"триллион ", "триллиона ", "триллионов "}};

enum Group { UnitsGroup = 1, ThousandsGroup = 2, TrillionsGroup = 5 };
enum Gender { Masculine = 1, Neuter = 2, Feminine = 3 };

QString word(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

int digitAt(const QString &digits, int index)
{
    const int value = digits.at(index).digitValue();
    return value < 0 || value > 9 ? 0 : value;
}

QString unitOneWord(int group, int gender)
{
    if (group == ThousandsGroup)
        return word("одна ");
    if (group == UnitsGroup) {
        if (gender == Neuter)
            return word("одно ");
        if (gender == Feminine)
            return word("одна ");
    }
    return word("один ");
}

QString unitTwoWord(int group, int gender)
{
    if (group == ThousandsGroup || (group == UnitsGroup && gender == Feminine))
        return word("две ");
    return word("два ");
}

// 0 the form for one, 1 the form for two to four, 2 the form for five and more.
int formIndex(int tens, int units)
{
    if (tens == 1)
        return 2;
    if (units == 1)
        return 0;
    if (units >= 2 && units <= 4)
        return 1;
    return 2;
}

// The words of one group of three digits with its scale or currency word.
QString groupInWords(int hundreds, int tens, int units, int group, const TConvertData &data)
{
    QString text;
    if (tens == 1) {
        text = word(kTeens[units]);
    } else {
        text += word(kTens[tens]);
        if (units == 1)
            text += unitOneWord(group, data.gender);
        else if (units == 2)
            text += unitTwoWord(group, data.gender);
        else
            text += word(kUnits[units]);
    }
    text.prepend(word(kHundreds[hundreds]));

    const int form = formIndex(tens, units);
    if (group == UnitsGroup) {
        const QString *forms[3] = {&data.formOne, &data.formTwo, &data.formFive};
        text += *forms[form];
    } else if (group <= TrillionsGroup && hundreds + tens + units > 0) {
        text += word(kScales[group - ThousandsGroup][form]);
    }
    return text;
}

QString convert(const TConvertData &data)
{
    QString text;
    const int groups = int(data.digits.size()) / 3;
    for (int i = 0; i < groups; ++i) {
        const int at = i * 3;
        text += groupInWords(digitAt(data.digits, at), digitAt(data.digits, at + 1),
                             digitAt(data.digits, at + 2), groups - i, data);
    }
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

// ---- Keyboard layout ---------------------------------------------------------------------

QString &requestedLayout()
{
    static QString layout;
    return layout;
}

} // namespace

// ---- Questions and messages --------------------------------------------------------------

bool ConfirmSaveChanges()
{
    return Prompts::current().ask(QStringLiteral("Данные изменены, записать?"),
                                  Prompts::Yes | Prompts::No, Prompts::Yes) == Prompts::Yes;
}

bool ConfirmDelete(const QString &languageCode, const QString &text)
{
    const QString question = languageCode == QLatin1String("RU")
                                 ? QStringLiteral("Удалять запись? ") + text
                                 : QStringLiteral("Delete record? ") + text;
    return Prompts::current().ask(question, Prompts::Yes | Prompts::No, Prompts::No) ==
           Prompts::Yes;
}

void ShowError(const QString &text)
{
    Prompts::current().message(Prompts::Kind::Error, text);
}

bool ShowInfo(const QString &text)
{
    Prompts::current().message(Prompts::Kind::Info, text);
    return true;
}

// ---- Sum in words ------------------------------------------------------------------------

QString SumInWords(const QString &digits, int gender, const QString &formOne,
                   const QString &formFive, const QString &formTwo)
{
    if (digits == QLatin1String("0"))
        return {};
    TConvertData data;
    const int padding = (3 - int(digits.size()) % 3) % 3;
    data.digits = QString(padding, QLatin1Char('0')) + digits;
    data.gender = gender;
    data.formOne = formOne;
    data.formTwo = formTwo;
    data.formFive = formFive;
    return convert(data);
}

// ---- Dates and periods -------------------------------------------------------------------

QString FormatShortDate(const QDate &date)
{
    return date.isValid() ? date.toString(kShortDateFormat) : QString();
}

QDate ParseShortDate(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("d/M/yyyy"));
}

QString OracleDateLiteral(const QDate &date)
{
    if (!date.isValid())
        return QStringLiteral("Null");
    return QStringLiteral("TO_DATE('%1','DD/MM/YYYY')").arg(FormatShortDate(date));
}

QDate FirstDayOfMonth(const QDate &date)
{
    return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate();
}

QDate LastDayOfMonth(const QDate &date)
{
    return date.isValid() ? QDate(date.year(), date.month(), date.daysInMonth()) : QDate();
}

QDate FirstDayOfCurrentMonth()
{
    return FirstDayOfMonth(QDate::currentDate());
}

QDate LastDayOfCurrentMonth()
{
    return LastDayOfMonth(QDate::currentDate());
}

QDate FirstDayOfCurrentYear()
{
    return QDate(QDate::currentDate().year(), 1, 1);
}

QDate LastDayOfCurrentYear()
{
    return QDate(QDate::currentDate().year(), 12, 31);
}

void PeriodByKind(int kind, QDate &from, QDate &to, const QDate &today)
{
    switch (kind) {
    case 0:
        from = QDate();
        to = kInfiniteDate;
        break;
    case 1:
        from = to = today;
        break;
    case 2:
        from = to = today.addDays(-1);
        break;
    case 3:
        from = FirstDayOfMonth(today);
        to = LastDayOfMonth(today);
        break;
    case 4:
        from = QDate(today.year(), 1, 1);
        to = QDate(today.year(), 12, 31);
        break;
    default:
        break;
    }
}

QString PeriodCaption(const QDate &from, const QDate &to)
{
    if (from.isValid() && to.isValid() && from == to)
        return QStringLiteral("(на %1)").arg(FormatShortDate(to));
    if (!to.isValid())
        return {};
    if (!from.isValid())
        return QStringLiteral("(по %1)").arg(FormatShortDate(to));
    if (from == FirstDayOfMonth(from) && to == LastDayOfMonth(from))
        return QStringLiteral("(за %1)").arg(MonthCaption(from));
    return QStringLiteral("(с: %1 по: %2)").arg(FormatShortDate(from), FormatShortDate(to));
}

QString MonthCaption(const QDate &date)
{
    static const char *const names[12] = {"Январь",   "Февраль", "Март",   "Апрель",
                                          "Май",      "Июнь",    "Июль",   "Август",
                                          "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    if (!date.isValid())
        return {};
    return QStringLiteral("%1 %2 г.")
        .arg(QString::fromUtf8(names[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

// ---- Numbers -----------------------------------------------------------------------------

double RoundHalfAway(int decimals, double value)
{
    // Extended precision keeps the product's distance from the half, as the rule intends.
    const long double scale = std::pow(10.0L, decimals);
    const long double y = static_cast<long double>(value) * scale;
    const long double whole = std::trunc(y);
    const long double rounded = whole + std::trunc(2.0L * (y - whole));
    // Adding 0 turns a negative zero into zero.
    return static_cast<double>(rounded / scale) + 0.0;
}

double TextToFloat(const QVariant &value, bool *ok)
{
    QString text = value.isNull() ? QStringLiteral("0") : value.toString().trimmed();
    text.replace(QLatin1Char(' '), QLatin1Char('0'));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (text.isEmpty() || text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
    if (text.endsWith(QLatin1Char('.')))
        text.append(QLatin1Char('0'));

    bool converted = false;
    double number = text.toDouble(&converted);
    if (!converted || !std::isfinite(number)) {
        converted = false;
        number = 0;
    }
    if (ok)
        *ok = converted;
    return number;
}

// ---- Keyboard layout ---------------------------------------------------------------------

void SwitchKeyboardLayout(const QString &languageCode)
{
    const QString code = languageCode.toUpper();
    if (code == QLatin1String("RU"))
        requestedLayout() = QStringLiteral("00000419");
    else if (code == QLatin1String("GE"))
        requestedLayout() = QStringLiteral("00000407");
    else
        requestedLayout() = QStringLiteral("00000409");
}

QString CurrentKeyboardLayout()
{
    return requestedLayout();
}

// ---- Text ----------------------------------------------------------------------------------

void AppendLogLine(const QString &line, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;

    QString text = line;
    if (text == QLatin1String("-") || text == QLatin1String("="))
        text = RepeatChar(text.at(0), 80);

    if (!text.isEmpty() && QStringLiteral("!-=").contains(text.at(0))) {
        text.remove(0, 1);
    } else {
        const QDateTime now = QDateTime::currentDateTime();
        text = now.toString(kShortDateFormat + QLatin1Char(' ') + kLongTimeFormat) +
               QStringLiteral("   ") + text;
    }
    text += QLatin1Char('\n');
    file.write(text.toUtf8());
    file.flush();
    file.close();
}

QString RepeatChar(QChar ch, int count)
{
    return count > 0 ? QString(count, ch) : QString();
}

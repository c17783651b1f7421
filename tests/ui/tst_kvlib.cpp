#include "KV_LIB.h"
#include "ScriptedPrompts.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// The currency forms used in the rows: one, five and more, two to four.
struct Forms
{
    int gender;
    const char *one;
    const char *five;
    const char *two;
};
const Forms rouble{1, "рубль", "рублей", "рубля"};
const Forms kopeck{3, "копейка", "копеек", "копейки"};
const Forms place{2, "место", "мест", "места"};

QDate d(int year, int month, int day)
{
    return QDate(year, month, day);
}

QString readAll(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestKvLib : public QObject
{
    Q_OBJECT

private slots:
    void sumInWords_data();
    void sumInWords();

    void roundHalfAway_data();
    void roundHalfAway();

    void textToFloat_data();
    void textToFloat();
    void textToFloat_withoutOkFlag();

    void shortDates_data();
    void shortDates();
    void oracleDateLiteral_data();
    void oracleDateLiteral();
    void monthBounds_data();
    void monthBounds();
    void currentMonthAndYear();
    void monthCaption_data();
    void monthCaption();
    void periodCaption_data();
    void periodCaption();
    void periodByKind_data();
    void periodByKind();
    void periodByKind_defaultsToToday();

    void confirmSaveChanges_data();
    void confirmSaveChanges();
    void confirmDelete_data();
    void confirmDelete();
    void showErrorAndInfo();

    void switchKeyboardLayout_data();
    void switchKeyboardLayout();
    void repeatChar();

    void appendLogLine_data();
    void appendLogLine();
    void appendLogLine_appendsToExistingFile();
    void appendLogLine_unopenableFileIsSkipped();
};

// ---- Sum in words ------------------------------------------------------------------------

void TestKvLib::sumInWords_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("gender");
    QTest::addColumn<QString>("formOne");
    QTest::addColumn<QString>("formFive");
    QTest::addColumn<QString>("formTwo");
    QTest::addColumn<QString>("expected");

    auto row = [](const char *name, const char *digits, const Forms &f, const char *expected) {
        QTest::newRow(name) << QString::fromUtf8(digits) << f.gender << QString::fromUtf8(f.one)
                            << QString::fromUtf8(f.five) << QString::fromUtf8(f.two)
                            << QString::fromUtf8(expected);
    };

    // Worked examples of the printed documents.
    row("1234", "1234", rouble, "Одна тысяча двести тридцать четыре рубля");
    row("1000", "1000", rouble, "Одна тысяча рублей");
    row("11", "11", rouble, "Одиннадцать рублей");
    row("2000000", "2000000", rouble, "Два миллиона рублей");
    row("1000000", "1000000", rouble, "Один миллион рублей");
    row("1001", "1001", rouble, "Одна тысяча один рубль");
    row("123456789", "123456789", rouble,
        "Сто двадцать три миллиона четыреста пятьдесят шесть тысяч семьсот восемьдесят девять "
        "рублей");

    // Zero: exactly "0" is empty, any other all-zero text still names the currency.
    row("zero", "0", rouble, "");
    row("double zero", "00", rouble, "Рублей");
    row("leading zeros", "0001", rouble, "Один рубль");

    // Forms chosen by the last two digits.
    row("one", "1", rouble, "Один рубль");
    row("three", "3", rouble, "Три рубля");
    row("five", "5", rouble, "Пять рублей");
    row("hundred", "100", rouble, "Сто рублей");
    row("twenty one", "21", rouble, "Двадцать один рубль");
    row("ninety four", "94", rouble, "Девяносто четыре рубля");

    // Teens: only the hundreds digit is read besides the teen word.
    row("10", "10", rouble, "Десять рублей");
    row("12", "12", rouble, "Двенадцать рублей");
    row("14", "14", rouble, "Четырнадцать рублей");
    row("111", "111", rouble, "Сто одиннадцать рублей");
    row("912", "912", rouble, "Девятьсот двенадцать рублей");
    row("1011", "1011", rouble, "Одна тысяча одиннадцать рублей");
    row("14000", "14000", rouble, "Четырнадцать тысяч рублей");
    row("12000000", "12000000", rouble, "Двенадцать миллионов рублей");
    row("311000000", "311000000", rouble, "Триста одиннадцать миллионов рублей");

    // Gender of the currency applies to the units group only.
    row("feminine 5", "5", kopeck, "Пять копеек");
    row("feminine 1", "1", kopeck, "Одна копейка");
    row("feminine 22", "22", kopeck, "Двадцать две копейки");
    row("feminine 2001", "2001", kopeck, "Две тысячи одна копейка");
    row("feminine millions", "1000000", kopeck, "Один миллион копеек");
    row("feminine 2000002", "2000002", kopeck, "Два миллиона две копейки");
    row("neuter 21", "21", place, "Двадцать одно место");
    row("neuter 2", "2", place, "Два места");
    row("masculine 2002", "2002", rouble, "Две тысячи два рубля");

    // Large scales.
    row("milliards", "3000000000", rouble, "Три миллиарда рублей");
    row("milliards 5", "5000000000", rouble, "Пять миллиардов рублей");
    row("trillion", "1000000000000", rouble, "Один триллион рублей");
    row("21 trillion", "21000000000000", rouble, "Двадцать один триллион рублей");
    row("one of every scale", "1001001000001", rouble,
        "Один триллион один миллиард один миллион один рубль");
    // Above trillions a group is read without any scale word.
    row("over trillions", "1002000000000000", rouble, "Один два триллиона рублей");
    row("over trillions 2", "2000000000000000", rouble, "Два рублей");
}

void TestKvLib::sumInWords()
{
    QFETCH(QString, digits);
    QFETCH(int, gender);
    QFETCH(QString, formOne);
    QFETCH(QString, formFive);
    QFETCH(QString, formTwo);
    QFETCH(QString, expected);

    QCOMPARE(SumInWords(digits, gender, formOne, formFive, formTwo), expected);
}

// ---- Rounding ----------------------------------------------------------------------------

void TestKvLib::roundHalfAway_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    // Halves go away from zero.
    QTest::newRow("2.125") << 2 << 2.125 << 2.13;
    QTest::newRow("-2.125") << 2 << -2.125 << -2.13;
    QTest::newRow("0.5 to whole") << 0 << 0.5 << 1.0;
    QTest::newRow("-0.5 to whole") << 0 << -0.5 << -1.0;
    QTest::newRow("2.5 to whole") << 0 << 2.5 << 3.0;
    QTest::newRow("3 decimals half") << 3 << 0.0625 << 0.063;
    QTest::newRow("3 decimals -half") << 3 << -0.0625 << -0.063;

    // Below and above the half.
    QTest::newRow("1.4999 to whole") << 0 << 1.4999 << 1.0;
    QTest::newRow("3 decimals down") << 3 << 1.2344 << 1.234;
    QTest::newRow("3 decimals up") << 3 << 1.2346 << 1.235;
    QTest::newRow("-1.2346 to 3") << 3 << -1.2346 << -1.235;
    QTest::newRow("already round") << 2 << 12.5 << 12.5;
    QTest::newRow("zero") << 2 << 0.0 << 0.0;
    QTest::newRow("tiny negative to zero") << 1 << -0.04 << 0.0;

    // The binary value decides: 2.675 and 1.005 are stored just below the half and round
    // down; the double nearest to 2.345 lies just above it and rounds up.
    QTest::newRow("2.675 binary below half") << 2 << 2.675 << 2.67;
    QTest::newRow("1.005 binary below half") << 2 << 1.005 << 1.0;
    QTest::newRow("2.345 binary above half") << 2 << 2.345 << 2.35;

    // Far beyond the range of a 32-bit integer.
    QTest::newRow("large half") << 2 << 1000000000000.125 << 1000000000000.13;
}

void TestKvLib::roundHalfAway()
{
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(double, expected);

    const double result = RoundHalfAway(decimals, value);
    QCOMPARE(result, expected);
    if (expected == 0.0)
        QVERIFY2(!std::signbit(result), "a zero result must not be negative zero");
}

// ---- Tolerant number ---------------------------------------------------------------------

void TestKvLib::textToFloat_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("ok");

    QTest::newRow("comma") << QVariant(QStringLiteral("1,5")) << 1.5 << true;
    QTest::newRow("point") << QVariant(QStringLiteral("1.5")) << 1.5 << true;
    QTest::newRow("leading comma") << QVariant(QStringLiteral(",5")) << 0.5 << true;
    QTest::newRow("leading point") << QVariant(QStringLiteral(".25")) << 0.25 << true;
    QTest::newRow("trailing comma") << QVariant(QStringLiteral("5,")) << 5.0 << true;
    QTest::newRow("comma alone") << QVariant(QStringLiteral(",")) << 0.0 << true;
    QTest::newRow("blank inside") << QVariant(QStringLiteral("1 5")) << 105.0 << true;
    QTest::newRow("blanks around") << QVariant(QStringLiteral("  7 ")) << 7.0 << true;
    QTest::newRow("tab and line break around") << QVariant(QStringLiteral("\t7\n")) << 7.0 << true;
    QTest::newRow("negative") << QVariant(QStringLiteral("-2,25")) << -2.25 << true;
    QTest::newRow("exponent") << QVariant(QStringLiteral("1e3")) << 1000.0 << true;
    QTest::newRow("null") << QVariant() << 0.0 << true;
    QTest::newRow("null text field") << QVariant(QMetaType::fromType<QString>()) << 0.0 << true;
    QTest::newRow("empty") << QVariant(QString()) << 0.0 << true;
    QTest::newRow("blanks only") << QVariant(QStringLiteral("   ")) << 0.0 << true;
    QTest::newRow("number value") << QVariant(2.5) << 2.5 << true;

    QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << 0.0 << false;
    QTest::newRow("two commas") << QVariant(QStringLiteral("1,5,5")) << 0.0 << false;
    QTest::newRow("trailing letter") << QVariant(QStringLiteral("12a")) << 0.0 << false;
    QTest::newRow("infinity word") << QVariant(QStringLiteral("inf")) << 0.0 << false;
    QTest::newRow("overflow") << QVariant(QStringLiteral("1e400")) << 0.0 << false;
}

void TestKvLib::textToFloat()
{
    QFETCH(QVariant, value);
    QFETCH(double, expected);
    QFETCH(bool, ok);

    bool converted = !ok;
    QCOMPARE(TextToFloat(value, &converted), expected);
    QCOMPARE(converted, ok);
}

void TestKvLib::textToFloat_withoutOkFlag()
{
    QCOMPARE(TextToFloat(QStringLiteral("abc")), 0.0);
    QCOMPARE(TextToFloat(QStringLiteral("3,75")), 3.75);
}

// ---- Dates and periods -------------------------------------------------------------------

void TestKvLib::shortDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("two-digit day and month") << QStringLiteral("05/01/2004") << d(2004, 1, 5);
    QTest::newRow("one-digit day and month") << QStringLiteral("5/1/2004") << d(2004, 1, 5);
    QTest::newRow("blanks around") << QStringLiteral(" 31/12/4712 ") << d(4712, 12, 31);
    QTest::newRow("leap day") << QStringLiteral("29/02/2004") << d(2004, 2, 29);
    QTest::newRow("no such day") << QStringLiteral("29/02/2003") << QDate();
    QTest::newRow("month first") << QStringLiteral("12/31/2004") << QDate();
    QTest::newRow("ISO") << QStringLiteral("2004-01-05") << QDate();
    QTest::newRow("points") << QStringLiteral("05.01.2004") << QDate();
    QTest::newRow("two-digit year") << QStringLiteral("05/01/04") << QDate();
    QTest::newRow("empty") << QString() << QDate();
}

void TestKvLib::shortDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);

    const QDate parsed = ParseShortDate(text);
    QCOMPARE(parsed, date);
    if (date.isValid())
        QCOMPARE(ParseShortDate(FormatShortDate(parsed)), date);
    else
        QVERIFY(FormatShortDate(parsed).isEmpty());
}

void TestKvLib::oracleDateLiteral_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("5 January 2004")
        << d(2004, 1, 5) << QStringLiteral("TO_DATE('05/01/2004','DD/MM/YYYY')");
    QTest::newRow("infinite date")
        << d(4712, 12, 31) << QStringLiteral("TO_DATE('31/12/4712','DD/MM/YYYY')");
    QTest::newRow("null") << QDate() << QStringLiteral("Null");
}

void TestKvLib::oracleDateLiteral()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);

    QCOMPARE(OracleDateLiteral(date), expected);
}

void TestKvLib::monthBounds_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");

    QTest::newRow("leap February") << d(2004, 2, 15) << d(2004, 2, 1) << d(2004, 2, 29);
    QTest::newRow("common February") << d(2003, 2, 28) << d(2003, 2, 1) << d(2003, 2, 28);
    QTest::newRow("30-day month") << d(2004, 4, 1) << d(2004, 4, 1) << d(2004, 4, 30);
    QTest::newRow("year end") << d(2004, 12, 31) << d(2004, 12, 1) << d(2004, 12, 31);
    QTest::newRow("null") << QDate() << QDate() << QDate();
}

void TestKvLib::monthBounds()
{
    QFETCH(QDate, date);
    QFETCH(QDate, first);
    QFETCH(QDate, last);

    QCOMPARE(FirstDayOfMonth(date), first);
    QCOMPARE(LastDayOfMonth(date), last);
}

void TestKvLib::currentMonthAndYear()
{
    const QDate today = QDate::currentDate();
    if (today.day() == today.daysInMonth() && today.month() == 12)
        QSKIP("the year may turn while the test runs");

    const QDate monthFirst = FirstDayOfCurrentMonth();
    const QDate monthLast = LastDayOfCurrentMonth();
    QCOMPARE(monthFirst.day(), 1);
    QCOMPARE(monthLast.addDays(1).day(), 1);
    QVERIFY(monthFirst <= today && today <= monthLast);

    QCOMPARE(FirstDayOfCurrentYear(), d(today.year(), 1, 1));
    QCOMPARE(LastDayOfCurrentYear(), d(today.year(), 12, 31));
}

void TestKvLib::monthCaption_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("January") << d(2004, 1, 17) << QStringLiteral("Январь 2004 г.");
    QTest::newRow("May") << d(1999, 5, 31) << QStringLiteral("Май 1999 г.");
    QTest::newRow("September") << d(2010, 9, 1) << QStringLiteral("Сентябрь 2010 г.");
    QTest::newRow("December") << d(4712, 12, 31) << QStringLiteral("Декабрь 4712 г.");
    QTest::newRow("null") << QDate() << QString();
}

void TestKvLib::monthCaption()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);

    QCOMPARE(MonthCaption(date), expected);
}

void TestKvLib::periodCaption_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole month") << d(2004, 3, 1) << d(2004, 3, 31)
                                 << QStringLiteral("(за Март 2004 г.)");
    QTest::newRow("whole leap February")
        << d(2004, 2, 1) << d(2004, 2, 29) << QStringLiteral("(за Февраль 2004 г.)");
    QTest::newRow("month short of its end")
        << d(2004, 3, 1) << d(2004, 3, 30) << QStringLiteral("(с: 01/03/2004 по: 30/03/2004)");
    QTest::newRow("month from its second day")
        << d(2004, 3, 2) << d(2004, 3, 31) << QStringLiteral("(с: 02/03/2004 по: 31/03/2004)");
    QTest::newRow("end in the next month")
        << d(2004, 3, 1) << d(2004, 4, 30) << QStringLiteral("(с: 01/03/2004 по: 30/04/2004)");
    QTest::newRow("same month a year later")
        << d(2004, 3, 1) << d(2005, 3, 31) << QStringLiteral("(с: 01/03/2004 по: 31/03/2005)");
    QTest::newRow("whole year") << d(2004, 1, 1) << d(2004, 12, 31)
                                << QStringLiteral("(с: 01/01/2004 по: 31/12/2004)");
    QTest::newRow("one day") << d(2004, 1, 5) << d(2004, 1, 5) << QStringLiteral("(на 05/01/2004)");
    QTest::newRow("no lower bound")
        << QDate() << d(4712, 12, 31) << QStringLiteral("(по 31/12/4712)");
    QTest::newRow("no upper bound") << d(2004, 1, 5) << QDate() << QString();
    QTest::newRow("no bounds") << QDate() << QDate() << QString();
}

void TestKvLib::periodCaption()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, expected);

    QCOMPARE(PeriodCaption(from, to), expected);
}

void TestKvLib::periodByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("caption");

    const QDate midMarch = d(2004, 3, 17);
    QTest::newRow("all") << 0 << midMarch << QDate() << d(4712, 12, 31)
                         << QStringLiteral("(по 31/12/4712)");
    QTest::newRow("today") << 1 << midMarch << midMarch << midMarch
                           << QStringLiteral("(на 17/03/2004)");
    QTest::newRow("yesterday") << 2 << midMarch << d(2004, 3, 16) << d(2004, 3, 16)
                               << QStringLiteral("(на 16/03/2004)");
    QTest::newRow("yesterday across a leap month")
        << 2 << d(2004, 3, 1) << d(2004, 2, 29) << d(2004, 2, 29)
        << QStringLiteral("(на 29/02/2004)");
    QTest::newRow("yesterday across a year")
        << 2 << d(2004, 1, 1) << d(2003, 12, 31) << d(2003, 12, 31)
        << QStringLiteral("(на 31/12/2003)");
    QTest::newRow("current month")
        << 3 << midMarch << d(2004, 3, 1) << d(2004, 3, 31) << QStringLiteral("(за Март 2004 г.)");
    QTest::newRow("current month, leap February")
        << 3 << d(2004, 2, 10) << d(2004, 2, 1) << d(2004, 2, 29)
        << QStringLiteral("(за Февраль 2004 г.)");
    QTest::newRow("current year") << 4 << midMarch << d(2004, 1, 1) << d(2004, 12, 31)
                                  << QStringLiteral("(с: 01/01/2004 по: 31/12/2004)");
}

void TestKvLib::periodByKind()
{
    QFETCH(int, kind);
    QFETCH(QDate, today);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, caption);

    // Bounds handed in are replaced, a lower bound included.
    QDate periodFrom = d(1990, 6, 6);
    QDate periodTo = d(1990, 7, 7);
    PeriodByKind(kind, periodFrom, periodTo, today);
    QCOMPARE(periodFrom, from);
    QCOMPARE(periodTo, to);
    QCOMPARE(PeriodCaption(periodFrom, periodTo), caption);

    // Unknown kinds leave the bounds as they were.
    for (int unknown : {-1, 5}) {
        QDate keptFrom = from;
        QDate keptTo = to;
        PeriodByKind(unknown, keptFrom, keptTo, today);
        QCOMPARE(keptFrom, from);
        QCOMPARE(keptTo, to);
    }
}

void TestKvLib::periodByKind_defaultsToToday()
{
    QDate from, to;
    const QDate before = QDate::currentDate();
    PeriodByKind(1, from, to);
    const QDate after = QDate::currentDate();
    QVERIFY(from == before || from == after);
    QCOMPARE(to, from);
}

// ---- Questions and messages --------------------------------------------------------------

void TestKvLib::confirmSaveChanges_data()
{
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<bool>("expected");

    QTest::newRow("Yes saves") << Prompts::Yes << true;
    QTest::newRow("No discards") << Prompts::No << false;
}

void TestKvLib::confirmSaveChanges()
{
    QFETCH(Prompts::Answer, answer);
    QFETCH(bool, expected);

    ScriptedPrompts prompts;
    prompts.answer(answer);
    QCOMPARE(ConfirmSaveChanges(), expected);
    QCOMPARE(prompts.texts(Prompts::Kind::Question),
             QStringList{QStringLiteral("Данные изменены, записать?")});
}

void TestKvLib::confirmDelete_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("expected");

    QTest::newRow("Russian, Yes") << QStringLiteral("RU") << QStringLiteral("\"Иванов\"")
                                  << Prompts::Yes << QStringLiteral("Удалять запись? \"Иванов\"")
                                  << true;
    QTest::newRow("Russian, No") << QStringLiteral("RU") << QStringLiteral("Склад 1") << Prompts::No
                                 << QStringLiteral("Удалять запись? Склад 1") << false;
    QTest::newRow("English, Yes") << QStringLiteral("EN") << QStringLiteral("Smith") << Prompts::Yes
                                  << QStringLiteral("Delete record? Smith") << true;
    QTest::newRow("German code asks in English")
        << QStringLiteral("GE") << QStringLiteral("Schmidt") << Prompts::No
        << QStringLiteral("Delete record? Schmidt") << false;
    QTest::newRow("no code asks in English")
        << QString() << QString() << Prompts::Yes << QStringLiteral("Delete record? ") << true;
}

void TestKvLib::confirmDelete()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    QFETCH(Prompts::Answer, answer);
    QFETCH(QString, question);
    QFETCH(bool, expected);

    ScriptedPrompts prompts;
    prompts.answer(answer);
    QCOMPARE(ConfirmDelete(code, text), expected);
    QCOMPARE(prompts.texts(Prompts::Kind::Question), QStringList{question});
}

void TestKvLib::showErrorAndInfo()
{
    ScriptedPrompts prompts;
    ShowError(QStringLiteral("Нет связи с сервером"));
    QVERIFY(ShowInfo(QStringLiteral("Готово")));

    QCOMPARE(prompts.texts(Prompts::Kind::Error),
             QStringList{QStringLiteral("Нет связи с сервером")});
    QCOMPARE(prompts.texts(Prompts::Kind::Info), QStringList{QStringLiteral("Готово")});
    QVERIFY(prompts.texts(Prompts::Kind::Question).isEmpty());
}

// ---- Keyboard layout and text ------------------------------------------------------------

void TestKvLib::switchKeyboardLayout_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("layout");

    QTest::newRow("RU") << QStringLiteral("RU") << QStringLiteral("00000419");
    QTest::newRow("ru") << QStringLiteral("ru") << QStringLiteral("00000419");
    QTest::newRow("GE") << QStringLiteral("GE") << QStringLiteral("00000407");
    QTest::newRow("Ge") << QStringLiteral("Ge") << QStringLiteral("00000407");
    QTest::newRow("EN") << QStringLiteral("EN") << QStringLiteral("00000409");
    QTest::newRow("DE is not German") << QStringLiteral("DE") << QStringLiteral("00000409");
    QTest::newRow("empty") << QString() << QStringLiteral("00000409");
}

void TestKvLib::switchKeyboardLayout()
{
    QFETCH(QString, code);
    QFETCH(QString, layout);

    // Start from a different layout so that a request left unrecorded shows.
    SwitchKeyboardLayout(layout == QLatin1String("00000419") ? QStringLiteral("EN")
                                                             : QStringLiteral("RU"));
    SwitchKeyboardLayout(code);
    QCOMPARE(CurrentKeyboardLayout(), layout);
}

void TestKvLib::repeatChar()
{
    QCOMPARE(RepeatChar(QLatin1Char('-'), 3), QStringLiteral("---"));
    QCOMPARE(RepeatChar(QChar(u'ж'), 2), QStringLiteral("жж"));
    QCOMPARE(RepeatChar(QLatin1Char('x'), 0), QString());
    QCOMPARE(RepeatChar(QLatin1Char('x'), -4), QString());
}

// ---- Log file ----------------------------------------------------------------------------

void TestKvLib::appendLogLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("stamped");
    QTest::addColumn<QString>("written");

    QTest::newRow("dash rule") << QStringLiteral("-") << false << QString(79, QLatin1Char('-'));
    QTest::newRow("equals rule") << QStringLiteral("=") << false << QString(79, QLatin1Char('='));
    QTest::newRow("exclamation") << QStringLiteral("!x") << false << QStringLiteral("x");
    QTest::newRow("exclamation alone") << QStringLiteral("!") << false << QString();
    QTest::newRow("leading dash") << QStringLiteral("-- итог") << false << QStringLiteral("- итог");
    QTest::newRow("leading equals") << QStringLiteral("=abc") << false << QStringLiteral("abc");
    QTest::newRow("plain") << QStringLiteral("ERROR: нет связи") << true
                           << QStringLiteral("ERROR: нет связи");
    QTest::newRow("exclamation later") << QStringLiteral("a!b") << true << QStringLiteral("a!b");
    QTest::newRow("empty") << QString() << true << QString();
}

void TestKvLib::appendLogLine()
{
    QFETCH(QString, line);
    QFETCH(bool, stamped);
    QFETCH(QString, written);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(QStringLiteral("korvel.log"));

    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    AppendLogLine(line, fileName);
    const QDateTime after = QDateTime::currentDateTime();

    const QString content = readAll(fileName);
    QVERIFY2(content.endsWith(QLatin1Char('\n')), qPrintable(content));
    const QString text = content.chopped(1);
    QVERIFY2(!text.contains(QLatin1Char('\n')), qPrintable(content));

    if (!stamped) {
        QCOMPARE(text, written);
        return;
    }
    static const QRegularExpression stampedLine(
        QStringLiteral("^(\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d)   (.*)$"));
    const QRegularExpressionMatch match = stampedLine.match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    QCOMPARE(match.captured(2), written);
    const QDateTime stamp =
        QDateTime::fromString(match.captured(1), QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    QVERIFY2(stamp >= before && stamp <= after, qPrintable(match.captured(1)));
}

void TestKvLib::appendLogLine_appendsToExistingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(QStringLiteral("korvel.log"));
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("earlier\n");
    }

    AppendLogLine(QStringLiteral("!первая"), fileName);
    AppendLogLine(QStringLiteral("!вторая"), fileName);

    QCOMPARE(readAll(fileName), QStringLiteral("earlier\nпервая\nвторая\n"));
}

void TestKvLib::appendLogLine_unopenableFileIsSkipped()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const QString inMissingFolder = dir.filePath(QStringLiteral("missing/korvel.log"));
    AppendLogLine(QStringLiteral("lost"), inMissingFolder);
    QVERIFY(!QFile::exists(inMissingFolder));

    // The folder itself as file name.
    AppendLogLine(QStringLiteral("lost"), dir.path());
    QVERIFY(QFileInfo(dir.path()).isDir());
}

QTEST_GUILESS_MAIN(TestKvLib)
#include "tst_kvlib.moc"

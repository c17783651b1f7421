#include "KV_DisplayFormat.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

struct Section
{
    QString prefix;
    QString suffix;
    int minInt = 0;
    int minFrac = 0;
    int maxFrac = 0;
    bool grouping = false;
    bool hasDigits = false;
};

Section parseSection(const QString &format)
{
    Section s;
    const qsizetype first = [&] {
        for (qsizetype i = 0; i < format.size(); ++i) {
            if (format[i] == QLatin1Char('0') || format[i] == QLatin1Char('#'))
                return i;
        }
        return qsizetype(-1);
    }();
    if (first < 0) {
        s.prefix = format;
        return s;
    }
    qsizetype last = first;
    for (qsizetype i = first; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('0') || format[i] == QLatin1Char('#'))
            last = i;
    }
    s.hasDigits = true;
    s.prefix = format.left(first);
    s.suffix = format.mid(last + 1);
    bool fraction = false;
    for (qsizetype i = first; i <= last; ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('.')) {
            fraction = true;
        } else if (c == QLatin1Char('0')) {
            fraction ? (++s.minFrac, ++s.maxFrac) : ++s.minInt;
        } else if (c == QLatin1Char('#')) {
            if (fraction)
                ++s.maxFrac;
        } else if (!fraction && (c == QLatin1Char(' ') || c == QLatin1Char(','))) {
            s.grouping = true;
        }
    }
    // A point right after the last digit placeholder ("0.") still counts.
    if (!fraction && s.suffix.startsWith(QLatin1Char('.')))
        s.suffix.remove(0, 1);
    return s;
}

// The digits of |value| rounded half away from zero to `decimals` places, taken from the
// shortest decimal text of the double (so 2.345 rounds to 2.35 as a person expects).
void decimalDigits(double value, int decimals, QString &intPart, QString &fracPart)
{
    const QString text = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    intPart = point < 0 ? text : text.left(point);
    fracPart = point < 0 ? QString() : text.mid(point + 1);
    if (fracPart.size() <= decimals)
        return;
    const bool up = fracPart[decimals] >= QLatin1Char('5');
    fracPart.truncate(decimals);
    if (!up)
        return;
    QString digits = intPart + fracPart;
    qsizetype i = digits.size() - 1;
    for (; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            break;
        }
    }
    if (i < 0)
        digits.prepend(QLatin1Char('1'));
    intPart = digits.left(digits.size() - decimals);
    fracPart = digits.right(decimals);
}

} // namespace

QString FormatFloat(const QString &format, double value)
{
    if (format.isEmpty() || !std::isfinite(value)) {
        if (std::isfinite(value) && std::fabs(value) < 1e15)
            return QString::number(value, 'f', QLocale::FloatingPointShortest);
        return QString::number(value, 'g', QLocale::FloatingPointShortest);
    }
    const QStringList sections = format.split(QLatin1Char(';'));
    Section section = parseSection(sections[0]);
    bool minus = value < 0;
    if (minus && sections.size() > 1 && !sections[1].isEmpty()) {
        section = parseSection(sections[1]);
        minus = false;
    }
    QString intPart;
    QString fracPart;
    decimalDigits(value, section.maxFrac, intPart, fracPart);
    const bool zero = intPart.count(QLatin1Char('0')) == intPart.size() &&
                      fracPart.count(QLatin1Char('0')) == fracPart.size();
    if (zero) {
        minus = false;
        if (sections.size() > 2 && !sections[2].isEmpty()) {
            section = parseSection(sections[2]);
            decimalDigits(0.0, section.maxFrac, intPart, fracPart);
        }
    }
    if (!section.hasDigits)
        return section.prefix;
    while (fracPart.size() > section.minFrac && fracPart.endsWith(QLatin1Char('0')))
        fracPart.chop(1);
    while (fracPart.size() < section.minFrac)
        fracPart.append(QLatin1Char('0'));
    while (intPart.size() > 1 && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    if (intPart == QLatin1String("0") && section.minInt == 0)
        intPart.clear();
    while (intPart.size() < section.minInt)
        intPart.prepend(QLatin1Char('0'));
    if (section.grouping) {
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, QLatin1Char(' '));
    }
    QString result = section.prefix;
    if (minus)
        result += QLatin1Char('-');
    result += intPart;
    if (!fracPart.isEmpty())
        result += QLatin1Char('.') + fracPart;
    return result + section.suffix;
}

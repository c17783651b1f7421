#include "KV_ReportTable.h"

#include "KV_LIB.h"

#include <cmath>

namespace {

QString groupThousands(const QString &digits)
{
    QString result;
    result.reserve(digits.size() + digits.size() / 3);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += QLatin1Char(' ');
        result += digits.at(i);
    }
    return result;
}

const std::vector<int> kNoRows;

} // namespace

KvReportTable::Formatter KvReportTable::number(int decimals)
{
    return [decimals](const QVariant &value) -> QString {
        if (value.isNull())
            return {};
        const double v = value.toDouble();
        const QString text = QString::number(std::fabs(v), 'f', decimals);
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        const QString whole = point < 0 ? text : text.left(point);
        const QString fraction = point < 0 ? QString() : text.mid(point);
        bool negative = false; // no "-0.00"
        for (const QChar c : text)
            negative = negative || (v < 0 && c >= QLatin1Char('1') && c <= QLatin1Char('9'));
        return (negative ? QStringLiteral("-") : QString()) + groupThousands(whole) + fraction;
    };
}

KvReportTable::Formatter KvReportTable::shortDate()
{
    return [](const QVariant &value) { return FormatShortDate(value.toDate()); };
}

int KvReportTable::addField(const QString &name, Formatter format)
{
    m_fields.append({name, std::move(format)});
    m_fieldByName.insert(name.toLower(), int(m_fields.size()) - 1);
    return int(m_fields.size()) - 1;
}

void KvReportTable::appendRow(const QVariantList &values)
{
    m_rows.push_back(values);
    m_indexed = false;
    m_followed = false;
}

void KvReportTable::setMaster(KvReportDataSource *master, const QString &masterField,
                              const QString &linkField)
{
    m_master = master;
    m_masterField = master ? master->fieldIndex(masterField) : -1;
    m_linkField = fieldIndex(linkField);
    m_indexed = false;
    m_followed = false;
}

int KvReportTable::fieldIndex(const QString &name) const
{
    return m_fieldByName.value(name.toLower(), -1);
}

void KvReportTable::follow() const
{
    if (!m_master)
        return;
    if (!m_indexed) {
        m_byLink.clear();
        for (int i = 0, n = int(m_rows.size()); i < n; ++i)
            m_byLink[KvReportRawText(m_rows[size_t(i)].value(m_linkField))].push_back(i);
        m_indexed = true;
        m_followed = false;
    }
    const int masterRow = m_master->currentRow();
    const QString key = masterRow < 0 || m_masterField < 0
                            ? QString()
                            : KvReportRawText(m_master->value(masterRow, m_masterField));
    if (m_followed && key == m_shownKey)
        return;
    const auto it = masterRow < 0 ? m_byLink.constEnd() : m_byLink.constFind(key);
    m_shown = it == m_byLink.constEnd() ? &kNoRows : &*it;
    m_shownKey = key;
    m_followed = true;
    m_current = 0;
}

int KvReportTable::storedRow(int row) const
{
    follow();
    return m_master ? (*m_shown)[size_t(row)] : row;
}

int KvReportTable::rowCount() const
{
    follow();
    return m_master ? int(m_shown->size()) : int(m_rows.size());
}

int KvReportTable::currentRow() const
{
    return rowCount() == 0 ? -1 : m_current;
}

void KvReportTable::setCurrentRow(int row)
{
    if (row >= 0 && row < rowCount())
        m_current = row;
}

QVariant KvReportTable::value(int row, int field) const
{
    return m_rows[size_t(storedRow(row))].value(field);
}

QString KvReportTable::displayText(int row, int field) const
{
    return formatValue(field, value(row, field));
}

QString KvReportTable::formatValue(int field, const QVariant &value) const
{
    const Formatter &format = m_fields.at(field).format;
    return format ? format(value) : KvReportRawText(value);
}

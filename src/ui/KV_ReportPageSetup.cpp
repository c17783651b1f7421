#include "KV_ReportPageSetup.h"

#include <QRegularExpression>
#include <QSizeF>

namespace {

// The value of an attribute of a tag's text ("name", "content"); empty when missing.
QString attribute(const QString &tag, const QString &name)
{
    const QRegularExpression re(
        QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(tag);
    if (!m.hasMatch())
        return {};
    for (int i = 1; i <= 3; ++i) {
        if (m.capturedStart(i) >= 0)
            return m.captured(i).trimmed();
    }
    return {};
}

bool readSize(const QString &text, QPageSize *size)
{
    static const struct
    {
        const char *name;
        QPageSize::PageSizeId id;
    } named[] = {{"A3", QPageSize::A3}, {"A4", QPageSize::A4},         {"A5", QPageSize::A5},
                 {"B5", QPageSize::B5}, {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal}};
    for (const auto &n : named) {
        if (text.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *size = QPageSize(n.id);
            return true;
        }
    }
    static const QRegularExpression custom(
        QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*[xх×]\\s*(\\d+(?:\\.\\d+)?)\\s*(?:mm|мм)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = custom.match(text);
    if (!m.hasMatch())
        return false;
    const QSizeF mm(m.captured(1).toDouble(), m.captured(2).toDouble());
    if (mm.width() < 10 || mm.height() < 10)
        return false;
    *size = QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return true;
}

bool readMargins(const QString &text, QMarginsF *margins)
{
    QList<double> v;
    for (QString part :
         text.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        part.remove(QRegularExpression(QStringLiteral("(mm|мм)$")));
        bool ok = false;
        const double mm = part.toDouble(&ok);
        if (!ok || mm < 0 || mm > 100)
            return false;
        v << mm;
    }
    // CSS order: top right bottom left; fewer values repeat as in CSS.
    switch (v.size()) {
    case 1:
        *margins = QMarginsF(v[0], v[0], v[0], v[0]);
        return true;
    case 2:
        *margins = QMarginsF(v[1], v[0], v[1], v[0]);
        return true;
    case 3:
        *margins = QMarginsF(v[1], v[0], v[1], v[2]);
        return true;
    case 4:
        *margins = QMarginsF(v[3], v[0], v[1], v[2]);
        return true;
    default:
        return false;
    }
}

} // namespace

QPageLayout KvReportPageSetup::pageLayout() const
{
    return QPageLayout(pageSize, orientation, margins, QPageLayout::Millimeter);
}

KvReportPageSetup KvReportPageSetup::fromTemplate(const QString &templateText, KvReportError *error)
{
    KvReportPageSetup setup;
    static const QRegularExpression metaTag(QStringLiteral("<meta\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    auto it = metaTag.globalMatch(templateText);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString tag = m.captured();
        const QString name = attribute(tag, QStringLiteral("name")).toLower();
        const QString content = attribute(tag, QStringLiteral("content"));
        QString fault;
        if (name == QLatin1String("page-size")) {
            if (!readSize(content, &setup.pageSize))
                fault = QStringLiteral("неизвестный размер страницы \"%1\"").arg(content);
        } else if (name == QLatin1String("page-orientation")) {
            if (content.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                setup.orientation = QPageLayout::Landscape;
            else if (content.compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0)
                setup.orientation = QPageLayout::Portrait;
            else
                fault = QStringLiteral("неизвестная ориентация страницы \"%1\"").arg(content);
        } else if (name == QLatin1String("page-margins")) {
            if (!readMargins(content, &setup.margins))
                fault = QStringLiteral("неверные поля страницы \"%1\"").arg(content);
        }
        if (!fault.isEmpty() && error && error->isNull()) {
            error->line = int(templateText.left(m.capturedStart()).count(QLatin1Char('\n'))) + 1;
            error->text = fault;
        }
    }
    return setup;
}

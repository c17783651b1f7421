#include "KV_ReportHighlighter.h"

#include <QRegularExpression>

namespace {
enum State { Normal = 0, InHtmlComment = 1 };
}

KvReportHighlighter::KvReportHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    m_tag.setForeground(QColor(0x80, 0x00, 0x00));
    m_attribute.setForeground(QColor(0xa0, 0x50, 0x00));
    m_comment.setForeground(Qt::gray);
    m_comment.setFontItalic(true);
    m_section.setForeground(QColor(0x00, 0x00, 0xc0));
    m_section.setFontWeight(QFont::Bold);
    m_value.setForeground(QColor(0x00, 0x70, 0x00));
}

void KvReportHighlighter::highlightBlock(const QString &text)
{
    static const QRegularExpression tag(QStringLiteral("</?[A-Za-z][^>]*>"));
    static const QRegularExpression attribute(QStringLiteral("\\s[A-Za-z-]+="));
    static const QRegularExpression mustache(QStringLiteral("\\{\\{\\{?([#^/!]?)[^}]*\\}?\\}\\}"));

    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), m_tag);
        for (auto a = attribute.globalMatch(m.captured()); a.hasNext();) {
            const QRegularExpressionMatch am = a.next();
            setFormat(int(m.capturedStart() + am.capturedStart()), int(am.capturedLength()),
                      m_attribute);
        }
    }
    for (auto it = mustache.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString kind = m.captured(1);
        const QTextCharFormat &format = kind == QLatin1String("!") ? m_comment
                                        : kind.isEmpty()           ? m_value
                                                                   : m_section;
        setFormat(int(m.capturedStart()), int(m.capturedLength()), format);
    }

    // HTML comments, which may run over several lines.
    int start =
        previousBlockState() == InHtmlComment ? 0 : int(text.indexOf(QLatin1String("<!--")));
    setCurrentBlockState(Normal);
    while (start >= 0) {
        const int end = int(text.indexOf(QLatin1String("-->"), start));
        if (end < 0) {
            setFormat(start, int(text.size()) - start, m_comment);
            setCurrentBlockState(InHtmlComment);
            break;
        }
        setFormat(start, end + 3 - start, m_comment);
        start = int(text.indexOf(QLatin1String("<!--"), end + 3));
    }
}

#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours a report template: HTML tags and comments, Mustache sections ({{#name}},
// {{^name}}, {{/name}}), values ({{name}}) and comments ({{! ...}}).
class KvReportHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit KvReportHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_tag;
    QTextCharFormat m_attribute;
    QTextCharFormat m_comment;
    QTextCharFormat m_section;
    QTextCharFormat m_value;
};

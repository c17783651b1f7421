#pragma once

#include <QString>

// A report fault in the users' language: a fault of the template, with its line (1-based;
// 0 when it belongs to no line), or a file that cannot be read or written.
struct KvReportError
{
    enum Kind { Template, File };

    int line = 0;
    QString text;
    Kind kind = Template;

    bool isNull() const { return text.isEmpty(); }
    // "строка 7: секция "frdsItems" не закрыта", or the text alone without a line.
    QString describe() const;
};

#include "KV_ReportError.h"

QString KvReportError::describe() const
{
    return line > 0 ? QStringLiteral("строка %1: %2").arg(line).arg(text) : text;
}

#include "BugReport.h"

#include "KV_Prompts.h"

void ShowBugReport(const QString &text)
{
    Prompts::current().message(Prompts::Kind::Error, text);
}

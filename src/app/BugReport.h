#pragma once

#include <QString>

// Reports a problem to the user: an unhandled exception, a failing statement. Until the
// problem-report window exists this is an error box through the prompts.
void ShowBugReport(const QString &text);

#pragma once

#include "KV_Prompts.h"

// The program's prompts: real message boxes over the active window.
class MessageBoxPrompts final : public Prompts
{
public:
    void message(Kind kind, const QString &text, const QString &caption = {}) override;
    Answer ask(const QString &text, int buttons, Answer defaultAnswer,
               const QString &caption = {}) override;
    int execDialog(QDialog *dialog) override;
};

#pragma once

#include <QString>

class QDialog;

// The one way the program asks the user something or tells them something.
//
// The program installs the message-box implementation at start; tests install their own,
// which answers from a script and records every text shown, so no test blocks on a dialog.
class Prompts
{
public:
    enum class Kind { Error, Warning, Info, Question };
    enum Answer { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };

    virtual ~Prompts() = default;

    // A message with a single button; kind decides the icon and default caption.
    virtual void message(Kind kind, const QString &text, const QString &caption = {}) = 0;
    // A question with the given buttons (an or-ed set of Answer values); returns the answer.
    virtual Answer ask(const QString &text, int buttons, Answer defaultAnswer,
                       const QString &caption = {}) = 0;
    // Runs a modal window (a picker, a dialog) and returns its result code.
    virtual int execDialog(QDialog *dialog) = 0;

    // The prompts in force; never null (a silent fallback answers "No"/"Cancel" until the
    // program installs its own).
    static Prompts &current();
    // Installs prompts and returns the previous ones; the caller keeps ownership.
    static Prompts *install(Prompts *prompts);
};

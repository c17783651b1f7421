#pragma once

#include "KV_Prompts.h"

#include <QList>
#include <QStringList>

#include <functional>

// Prompts for tests: every message and question is recorded with its exact text, questions
// are answered from a queue (or a default), and modal windows are handed to a handler that
// drives them without blocking. Installed for the lifetime of the object.
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        Kind kind;
        QString text;
        QString caption;
    };
    using DialogHandler = std::function<int(QDialog *)>;

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void message(Kind kind, const QString &text, const QString &caption = {}) override;
    Answer ask(const QString &text, int buttons, Answer defaultAnswer,
               const QString &caption = {}) override;
    int execDialog(QDialog *dialog) override;

    // The next questions get these answers in order; afterwards defaultAnswer.
    void answer(Answer next) { m_answers.append(next); }
    Answer defaultAnswer = No;
    // The next modal windows are handed to these handlers in order; without one a window is
    // rejected at once.
    void onDialog(DialogHandler handler) { m_dialogHandlers.append(std::move(handler)); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    QStringList texts(Kind kind) const;
    void clear() { m_shown.clear(); }
    int dialogsRun = 0;

private:
    Prompts *m_previous = nullptr;
    QList<Answer> m_answers;
    QList<DialogHandler> m_dialogHandlers;
    QList<Shown> m_shown;
};

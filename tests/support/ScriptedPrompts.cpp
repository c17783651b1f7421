#include "ScriptedPrompts.h"

#include <QDialog>

ScriptedPrompts::ScriptedPrompts()
    : m_previous(Prompts::install(this))
{
}

ScriptedPrompts::~ScriptedPrompts()
{
    Prompts::install(m_previous);
}

void ScriptedPrompts::message(Kind kind, const QString &text, const QString &caption)
{
    m_shown.append({kind, text, caption});
}

Prompts::Answer ScriptedPrompts::ask(const QString &text, int buttons, Answer, const QString &caption)
{
    m_shown.append({Kind::Question, text, caption});
    const Answer answer = m_answers.isEmpty() ? defaultAnswer : m_answers.takeFirst();
    Q_ASSERT(buttons & answer);
    return answer;
}

int ScriptedPrompts::execDialog(QDialog *dialog)
{
    ++dialogsRun;
    if (m_dialogHandlers.isEmpty())
        return QDialog::Rejected;
    return m_dialogHandlers.takeFirst()(dialog);
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result << s.text;
    return result;
}

QStringList ScriptedPrompts::texts(Kind kind) const
{
    QStringList result;
    for (const Shown &s : m_shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

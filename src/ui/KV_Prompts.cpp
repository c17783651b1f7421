#include "KV_Prompts.h"

#include <QDebug>

namespace {

// Used before the program installs its own prompts: writes to the debug log and declines.
class FallbackPrompts final : public Prompts
{
public:
    void message(Kind, const QString &text, const QString &) override { qWarning() << text; }
    Answer ask(const QString &text, int buttons, Answer, const QString &) override
    {
        qWarning() << text;
        return (buttons & Cancel) ? Cancel : No;
    }
    int execDialog(QDialog *) override { return 0; }
};

FallbackPrompts fallback;
Prompts *installed = nullptr;

} // namespace

Prompts &Prompts::current()
{
    return installed ? *installed : static_cast<Prompts &>(fallback);
}

Prompts *Prompts::install(Prompts *prompts)
{
    Prompts *previous = installed;
    installed = prompts;
    return previous;
}

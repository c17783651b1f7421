#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons toButtons(int buttons)
{
    QMessageBox::StandardButtons result;
    if (buttons & Prompts::Ok)
        result |= QMessageBox::Ok;
    if (buttons & Prompts::Yes)
        result |= QMessageBox::Yes;
    if (buttons & Prompts::No)
        result |= QMessageBox::No;
    if (buttons & Prompts::Cancel)
        result |= QMessageBox::Cancel;
    return result;
}

Prompts::Answer fromButton(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Prompts::Yes;
    case QMessageBox::No:
        return Prompts::No;
    case QMessageBox::Ok:
        return Prompts::Ok;
    default:
        return Prompts::Cancel;
    }
}

QString defaultCaption(Prompts::Kind kind)
{
    switch (kind) {
    case Prompts::Kind::Error:
        return QStringLiteral("Ошибка");
    case Prompts::Kind::Warning:
        return QStringLiteral("Внимание");
    case Prompts::Kind::Question:
        return QStringLiteral("Подтверждение");
    case Prompts::Kind::Info:
        break;
    }
    return QStringLiteral("Информация");
}

} // namespace

void MessageBoxPrompts::message(Kind kind, const QString &text, const QString &caption)
{
    const QString title = caption.isEmpty() ? defaultCaption(kind) : caption;
    QWidget *parent = QApplication::activeWindow();
    switch (kind) {
    case Kind::Error:
        QMessageBox::critical(parent, title, text);
        break;
    case Kind::Warning:
        QMessageBox::warning(parent, title, text);
        break;
    default:
        QMessageBox::information(parent, title, text);
        break;
    }
}

Prompts::Answer MessageBoxPrompts::ask(const QString &text, int buttons, Answer defaultAnswer,
                                       const QString &caption)
{
    const QString title = caption.isEmpty() ? defaultCaption(Kind::Question) : caption;
    const auto defaultButton = toButtons(defaultAnswer);
    const int chosen =
        QMessageBox::question(QApplication::activeWindow(), title, text, toButtons(buttons),
                              QMessageBox::StandardButton(int(defaultButton)));
    return fromButton(chosen);
}

int MessageBoxPrompts::execDialog(QDialog *dialog)
{
    return dialog->exec();
}

#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Корвель"));
    MessageBoxPrompts prompts;
    Prompts::install(&prompts);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Корвель"));
    window.showMaximized();
    return app.exec();
}

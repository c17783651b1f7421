#pragma once

#include <QApplication>

// The application object. An exception that no window handles reaches notify(); it is
// reported to the user with its message and the program goes on.
class KvApplication : public QApplication
{
    Q_OBJECT
public:
    KvApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

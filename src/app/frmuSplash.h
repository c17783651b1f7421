#pragma once

#include <QSplashScreen>

// The borderless picture shown centred on the screen while the program starts.
class TfrmSplash : public QSplashScreen
{
    Q_OBJECT
public:
    TfrmSplash();
};

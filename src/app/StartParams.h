#pragma once

#include <QStringList>

// The start parameters the program recognises, compared without regard to case:
// "/debug" or "-debug", "/design" or "-design", and "remoteserver". Others are ignored.
struct StartParams
{
    bool debug = false;
    bool design = false;
    bool remoteServer = false; // the session reports itself as not connected
};

// arguments as QCoreApplication::arguments() gives them: the first is the program itself.
StartParams ParseStartParams(const QStringList &arguments);

#include "StartParams.h"

StartParams ParseStartParams(const QStringList &arguments)
{
    StartParams result;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments[i].toLower();
        if (argument == QLatin1String("/debug") || argument == QLatin1String("-debug"))
            result.debug = true;
        else if (argument == QLatin1String("/design") || argument == QLatin1String("-design"))
            result.design = true;
        else if (argument == QLatin1String("remoteserver"))
            result.remoteServer = true;
    }
    return result;
}

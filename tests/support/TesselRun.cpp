#include "TesselRun.h"

#include "tessel/Host.h"

#include <QStringList>

QString run(tessel::Host &host, const QString &commands)
{
    for (const QString &command : commands.split(QLatin1Char(';'))) {
        tessel::Messages messages;
        if (host.RunCommand(command, messages) != tessel::StatusOk) {
            return command + QStringLiteral(" -> ") + messages.last();
        }
    }
    return QString();
}

QString refusal(tessel::Host &host, const QString &command)
{
    tessel::Messages messages;
    return host.RunCommand(command, messages) == tessel::StatusOk ? QStringLiteral("succeeded")
                                                                  : messages.last();
}

#pragma once

#include <QString>

namespace tessel {
class Host;
}

// Runs the commands, separated by ";", through `host`: empty when all succeed, else the
// first failing command and its message.
QString run(tessel::Host &host, const QString &commands);
// The message with which `command` fails, or "succeeded".
QString refusal(tessel::Host &host, const QString &command);

#pragma once

#include "tessel/language/Messages.h"

#include <QString>

namespace host {

// The host library's message collection, handed over with every command.
using Messages = tessel::Messages;

// The one way the window reaches its Tessel control: synchronous calls that return when
// the host has finished, scripts included.
class Channel
{
public:
    virtual ~Channel() = default;

    // Runs one command line; 0 means success, anything else failure (with a message).
    virtual qint32 RunCommand(const QString &text, Messages &messages) = 0;
    virtual QString GetVariable(const QString &name) = 0;
};

} // namespace host

#include "Result.h"

#include <QtGlobal>

namespace core {

Failure::Failure(QString message) : m_message(std::move(message))
{
    if (m_message.isEmpty()) {
        qFatal("a failure without a message");
    }
}

} // namespace core

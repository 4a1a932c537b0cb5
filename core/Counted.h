#pragma once

#include <QString>

namespace core {

// "1 symbol", "2 symbols": a count and its noun, singular or plural as the count asks.
QString counted(qint64 count, const char *singular, const char *plural);

} // namespace core

#pragma once

#include <QString>

class QIODevice;
class QTextStream;

namespace tessel {

class Host;

// Runs every command line of `input` (blank lines and "!" comments skipped) and writes
// "label:line: message" to `errors` for each failure. Returns the number of failures.
int runCommandLines(Host &host, QIODevice &input, const QString &label, QTextStream &errors);

} // namespace tessel

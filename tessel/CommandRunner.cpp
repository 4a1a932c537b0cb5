#include "CommandRunner.h"

#include "Host.h"

#include <QIODevice>
#include <QList>
#include <QTextStream>

namespace tessel {

int runCommandLines(Host &host, QIODevice &input, const QString &label, QTextStream &errors)
{
    int failures = 0;
    const QList<QByteArray> lines = input.readAll().split('\n');
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = QString::fromUtf8(lines[number - 1]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('!'))) {
            continue;
        }
        Messages messages;
        if (host.RunCommand(line, messages) != StatusOk) {
            ++failures;
            errors << label << ':' << number << ": " << messages.last() << Qt::endl;
        }
    }
    return failures;
}

} // namespace tessel

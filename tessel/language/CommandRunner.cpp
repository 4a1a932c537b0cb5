#include "CommandRunner.h"

#include "Host.h"
#include "core/Text.h"
#include "tessel/formats/Import.h"

#include <QIODevice>
#include <QList>
#include <QTextStream>

namespace tessel {
namespace {

bool isSkipped(const QString &line)
{
    return line.isEmpty() || line.startsWith(QLatin1Char('!'));
}

// The first line that is neither blank nor a comment.
QString firstCommand(const QString &text)
{
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (!isSkipped(line.trimmed().toString())) {
            return line.trimmed().toString();
        }
    }
    return {};
}

} // namespace

int runCommandLines(Host &host, QIODevice &input, const QString &label, QTextStream &errors)
{
    const QByteArray bytes = core::utf8Text(input.readAll());
    // A picture or a palette given by mistake is named once, and no bytes of it are shown.
    const QString text = QString::fromUtf8(bytes);
    if (bytes.contains('\0') ||
        (text.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))) {
        errors << core::printable(label)
               << ": this is not a file of commands: it holds bytes that are not text" << Qt::endl;
        return 1;
    }
    const QString first = firstCommand(text);
    if (!first.isEmpty() && !Host::isCommand(first) && looksLikePalette(bytes, label)) {
        errors << core::printable(label)
               << ": this looks like a palette: use --export, --check or shadeset" << Qt::endl;
        return 1;
    }
    int failures = 0;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = QString::fromUtf8(lines[number - 1]).trimmed();
        if (isSkipped(line)) {
            continue;
        }
        Messages messages;
        if (host.RunCommand(line, messages) != StatusOk) {
            ++failures;
            errors << core::printable(label) << ':' << number << ": "
                   << core::printable(messages.last()) << Qt::endl;
        }
    }
    return failures;
}

} // namespace tessel

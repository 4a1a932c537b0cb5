#include "Script.h"

#include "CommandLine.h"
#include "core/Counted.h"
#include "core/Text.h"
#include "tessel/table/TextLines.h"

#include <QList>

namespace tessel {

core::Result<Script> parseScript(const QByteArray &bytes)
{
    Script script;
    bool first = true;
    const QByteArray text = core::utf8Text(bytes);
    TextLines lines(text);
    while (lines.next()) {
        const QString text = QString::fromUtf8(lines.line()).trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char('!'))) {
            continue;
        }
        const SplitLine split = splitFirstWord(text);
        if (first && split.word == QLatin1String("&args")) {
            script.parameters = split.rest.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (int p = 0; p < script.parameters.size(); ++p) {
                if (script.parameters.indexOf(script.parameters[p]) != p) {
                    return core::fail(QStringLiteral("line %1: parameter %2 is declared twice")
                                          .arg(lines.number())
                                          .arg(script.parameters[p]));
                }
            }
        } else {
            script.lines.append({lines.number(), text});
        }
        first = false;
    }
    return script;
}

namespace {

// Blank-separated words; a word that starts with a double quote runs to the next double
// quote that ends a word, and loses its quotes. Any other quote is an ordinary character.
QStringList argumentWords(const QString &text)
{
    QStringList words;
    const auto n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        if (text[i] == QLatin1Char('"')) {
            qsizetype close = i + 1;
            while (close < n && !(text[close] == QLatin1Char('"') &&
                                  (close + 1 == n || text[close + 1].isSpace()))) {
                ++close;
            }
            if (close < n) {
                words.append(text.mid(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
        }
        qsizetype end = i;
        while (end < n && !text[end].isSpace()) {
            ++end;
        }
        words.append(text.mid(i, end - i));
        i = end;
    }
    return words;
}

} // namespace

core::Result<QStringList> bindArguments(const QStringList &parameters, const QString &arguments)
{
    const QStringList words = argumentWords(arguments);
    if (words.size() < parameters.size() || (parameters.isEmpty() && !words.isEmpty())) {
        return core::fail((parameters.isEmpty()
                               ? QStringLiteral("expects no arguments")
                               : QStringLiteral("expects %1 (%2)")
                                     .arg(core::counted(parameters.size(), "argument", "arguments"),
                                          parameters.join(QLatin1Char(' ')))) +
                          QStringLiteral(" but got %1").arg(words.size()));
    }
    QStringList values;
    if (!parameters.isEmpty()) {
        const auto firstTakes = words.size() - parameters.size() + 1;
        values.append(words.mid(0, firstTakes).join(QLatin1Char(' ')));
        values.append(words.mid(firstTakes));
    }
    return values;
}

QString substitute(const QString &line, const QStringList &parameters, const QStringList &values)
{
    // One pass, so a value that itself holds %NAME% is left as it is.
    QString result;
    int from = 0;
    while (from < line.size()) {
        const int open = line.indexOf(QLatin1Char('%'), from);
        const int close = open < 0 ? -1 : line.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            break;
        }
        const int p = static_cast<int>(parameters.indexOf(line.mid(open + 1, close - open - 1)));
        if (p < 0) {
            result += line.mid(from, close - from);
            from = close;
            continue;
        }
        result += line.mid(from, open - from) + values[p];
        from = close + 1;
    }
    return result + line.mid(from);
}

} // namespace tessel

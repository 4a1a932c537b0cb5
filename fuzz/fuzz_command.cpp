// libFuzzer target: any text, one command per line, through a Tessel host that lives in a
// temporary folder: its own folder, its working folder and the process's current folder.
// A command whose file or folder could lie outside that folder is skipped, so the fuzzer
// neither writes nor reads anywhere else.
#include "core/Paths.h"
#include "tessel/language/CommandLine.h"
#include "tessel/language/Host.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kMaxLines = 64;

// Whether the command's file or folder argument stays inside the working folder: relative,
// and never climbing.
bool staysInside(const QString &path)
{
    if (core::isAbsolutePath(path) || path.startsWith(QLatin1Char('\\')) ||
        path.contains(QLatin1Char(':'))) {
        return false;
    }
    const QStringList parts =
        QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral("..")) && !parts.contains(QStringLiteral("~"));
}

bool isSafe(const QString &line)
{
    const tessel::SplitLine split = tessel::splitFirstWord(line);
    const QString word = split.word.toLower();
    if (word == QLatin1String("shadeexport")) {
        return staysInside(tessel::splitFirstWord(split.rest).rest);
    }
    if (word == QLatin1String("shadeset") || word == QLatin1String("&wo") ||
        word == QLatin1String("&r")) {
        return staysInside(split.rest);
    }
    // shadesave takes a name, never a path: the name rule keeps it in the working folder.
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const bool entered = QDir::setCurrent(dir.path());
    if (!entered) {
        __builtin_trap();
    }
    tessel::Host host(dir.path());
    tessel::Messages messages;
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
            .split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size() && i < kMaxLines; ++i) {
        if (!isSafe(lines[i])) {
            continue;
        }
        const qint32 status = host.RunCommand(lines[i], messages);
        // A failure always explains itself.
        if (status != tessel::StatusOk && messages.last().isEmpty()) {
            __builtin_trap();
        }
    }
    return 0;
}

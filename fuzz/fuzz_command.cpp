// libFuzzer target: any text, one command per line, through a Tessel host whose working
// folder is a temporary folder. Saves that would land outside that folder are skipped, so
// the fuzzer cannot write anywhere else.
#include "tessel/CommandLine.h"
#include "tessel/Host.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kMaxLines = 64;

bool isInside(const QString &folder, const QString &root)
{
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    tessel::Host host(dir.path());
    tessel::Messages messages;
    host.RunCommand(QStringLiteral("&wo ") + dir.path(), messages);
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
            .split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size() && i < kMaxLines; ++i) {
        const QString word = tessel::splitFirstWord(lines[i]).word.toLower();
        if ((word == QLatin1String("shadesave") || word == QLatin1String("&r")) &&
            !isInside(host.workingFolder(), dir.path())) {
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

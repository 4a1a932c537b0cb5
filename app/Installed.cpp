#include "Installed.h"

#include "core/Paths.h"
#include "core/ReadFile.h"
#include "core/SaveFile.h"
#include "shadeset/Commands.h"
#include "tessel/table/ShdFile.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "usage: huewright [--help | --version]\n";

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    if (argc == 1) {
        return std::nullopt;
    }
    const auto is = [&](int i, const char *option) { return std::strcmp(argv[i], option) == 0; };
    const bool help = is(1, "--help") || is(1, "-h");
    if (argc == 2 && is(1, "--version")) {
        std::printf("huewright %s\n", HUEWRIGHT_VERSION);
        return 0;
    }
    if (argc > 2 || !help) {
        // The window takes no arguments: anything else is a mistake, said as one.
        const bool known = help || is(1, "--version");
        std::fprintf(stderr, "huewright: unknown argument %s\n%s", argv[known ? 2 : 1], kUsage);
        return 2;
    }
    std::fputs(kUsage, stdout);
    std::fputs("\n"
               "Builds continuous shadesets for the Tessel map-plotting control: pick three to\n"
               "seven named colours, name the shadeset, choose 9 to 999 symbols and press Create.\n"
               "It needs a display. Shadesets are saved in the shades folder of its base folder:\n"
               "beside the program, or, installed as a package, $XDG_DATA_HOME/huewright\n"
               "(~/.local/share/huewright).\n",
               stdout);
    return 0;
}

Folders startupFolders(const QString &programFolder, const QString &userBase)
{
    const QString shared = core::joinPath(programFolder, QStringLiteral("../share/huewright"));
    const Folders beside = deriveFolders(programFolder);
    // A program in a tools folder is a build or install tree, whatever lies around it.
    if (beside.toolsDir == programFolder || !QFileInfo(shared + QStringLiteral("/tools")).isDir()) {
        return beside;
    }
    Folders folders;
    folders.startPath = QDir::toNativeSeparators(userBase);
    folders.shadeDir = QDir::toNativeSeparators(userBase + QStringLiteral("/shades"));
    folders.toolsDir = QDir::toNativeSeparators(shared + QStringLiteral("/tools"));
    folders.tesselDir = folders.toolsDir;
    // The start-up shadeset, seeded once; a seed that cannot be made shows as a start-up
    // display that fails, and the window still comes up.
    const QString seed = QStringLiteral("/%1.shd").arg(QLatin1String(kStartupShadeset));
    if (QDir().mkpath(folders.shadeDir) && !QFileInfo::exists(folders.shadeDir + seed)) {
        const core::Result<QByteArray> bytes =
            core::readFileBytes(shared + QStringLiteral("/shades") + seed, tessel::kMaxShdBytes);
        const core::Status saved =
            bytes ? core::saveFile(folders.shadeDir + seed, *bytes) : bytes.failure();
        if (!saved) {
            std::fprintf(stderr, "huewright: %s\n", qPrintable(saved.error()));
        }
    }
    return folders;
}

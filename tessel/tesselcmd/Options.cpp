#include "Options.h"

#include "tessel/colour/Equalize.h"

const char *const kUsage =
    "usage: tesselcmd [--set NAME=VALUE ...] [--png FILE --size WxH] [COMMANDFILE ...]\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] [--grid GRID]\n"
    "                 --export FORMAT PALETTE OUT\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] [--grid GRID]\n"
    "                 --export FORMAT PALETTE ... FOLDER\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] [--grid GRID] --check PALETTE\n"
    "                 [--json] [--png FILE --size WxH]\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] --grid GRID --relief PALETTE OUT\n"
    "       tesselcmd --help | --version\n";

const char *const kHelp =
    "\nRuns Tessel's command lines from the files, or from standard input, in a Tessel\n"
    "without a window whose working folder is the current folder, and reports each line\n"
    "that fails as FILE:LINE: message. PALETTE is a shadeset (.shd) or a palette of another\n"
    "program that Tessel reads. Options go before or after the files; \"-\" as a file is\n"
    "standard input, and as OUT or the --png FILE standard output.\n\n"
    "  --png FILE --size WxH  draw the drawing (with --check, the check) into a PNG file\n"
    "  --export FORMAT        write each PALETTE as FORMAT, one into OUT, several into\n"
    "                         FOLDER as FOLDER/STEM.EXT; FORMAT is one of\n"
    "%1\n"
    "  --check PALETTE        report how the table reads in normal vision, protanopia,\n"
    "                         deuteranopia, tritanopia and greyscale\n"
    "  --grid GRID            read the grid first (grid GRID); with --export, each table is\n"
    "                         written fitted to its values; with --check, the report says\n"
    "                         how its cells spread over the table\n"
    "  --relief PALETTE OUT   with --grid: draw the grid at its own size in PALETTE's\n"
    "                         colours into OUT, an RGBA GeoTIFF\n"
    "  --json                 with --check: one JSON object instead of the report\n"
    "  --set NAME=VALUE       set a Tessel variable first (&s NAME = VALUE), such as\n"
    "                         .importsymbols=64 or \".importcut=-8000 0\"\n"
    "  --equalize HOW         with --export or --check: mend the table first, its steps made\n"
    "                         even (perceptual) or its lightness straight (lightness)\n"
    "  -h, --help             show this text\n"
    "  --version              show the version\n\n"
    "No output may be a file the run reads. Exit status: 0 when all went well, 1 when a\n"
    "command or file failed, 2 for a usage error.\n";

namespace {

constexpr int kMaxSide = 10000;

QSize parseSize(const QString &text)
{
    const QStringList wh = text.split(QLatin1Char('x'));
    const int w = wh.size() == 2 ? wh[0].toInt() : 0;
    const int h = wh.size() == 2 ? wh[1].toInt() : 0;
    return w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide ? QSize(w, h) : QSize();
}

QString modeOption(Options::Mode mode)
{
    return mode == Options::Mode::Export   ? QStringLiteral("--export")
           : mode == Options::Mode::Relief ? QStringLiteral("--relief")
                                           : QStringLiteral("--check");
}

// Takes one option and its value; the error of a bad one.
QString take(Options &o, const QString &option, const QString &value)
{
    const auto setMode = [&](Options::Mode mode) {
        if (o.mode != Options::Mode::Run) {
            return QStringLiteral("%1 and %2 do not go together")
                .arg(modeOption(o.mode), modeOption(mode));
        }
        o.mode = mode;
        return QString();
    };
    if (option == QLatin1String("--set")) {
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            return QStringLiteral("bad --set \"%1\" (expected NAME=VALUE)").arg(value);
        }
        o.settings.append({value.left(equals).trimmed(), value.mid(equals + 1).trimmed()});
    } else if (option == QLatin1String("--equalize")) {
        o.equalize = value;
        if (!tessel::equalizeMode(value)) {
            return QStringLiteral("--equalize takes perceptual or lightness, not \"%1\"")
                .arg(value);
        }
    } else if (option == QLatin1String("--png")) {
        o.png = value;
    } else if (option == QLatin1String("--size")) {
        o.size = parseSize(value);
        if (o.size.isEmpty()) {
            return QStringLiteral("bad size \"%1\" (expected WxH, each from 1 to %2)")
                .arg(value)
                .arg(kMaxSide);
        }
    } else if (option == QLatin1String("--check") || option == QLatin1String("--relief")) {
        o.files.prepend(value);
        return setMode(option == QLatin1String("--check") ? Options::Mode::Check
                                                          : Options::Mode::Relief);
    } else if (option == QLatin1String("--grid")) {
        o.grid = value;
    } else if (option == QLatin1String("--export")) {
        o.format = tessel::findFormat(value);
        if (!o.format) {
            return QStringLiteral("unknown format \"%1\" (%2)").arg(value, tessel::formatKeys());
        }
        return setMode(Options::Mode::Export);
    }
    return {};
}

// What the whole line asks, once every option is read: the error of a line that means
// nothing, or more than one thing.
QString checkWhole(const Options &o)
{
    const bool png = !o.png.isEmpty();
    if (png != !o.size.isEmpty()) {
        return QStringLiteral("--png and --size go together");
    }
    if (o.json && o.mode != Options::Mode::Check) {
        return QStringLiteral("--json goes with --check");
    }
    if (!o.equalize.isEmpty() && o.mode == Options::Mode::Run) {
        return QStringLiteral("--equalize goes with --export, --check or --relief");
    }
    if (o.mode == Options::Mode::Check && o.files.size() != 1) {
        return QStringLiteral("--check takes one palette");
    }
    if (o.mode == Options::Mode::Export && o.files.size() < 2) {
        return QStringLiteral("--export needs palettes and an output");
    }
    if (o.mode == Options::Mode::Relief &&
        (o.files.size() != 2 || o.grid.isEmpty() || o.files[1] == QLatin1String(kStandardStream))) {
        return QStringLiteral("--relief takes one palette and an output file, with --grid");
    }
    if ((o.mode == Options::Mode::Export || o.mode == Options::Mode::Relief) && png) {
        return QStringLiteral("--png goes with --check or with command files");
    }
    if (o.mode == Options::Mode::Check && !o.json && o.png == QLatin1String(kStandardStream)) {
        return QStringLiteral("--png - would mix the picture with the report on standard "
                              "output: name a file");
    }
    return {};
}

} // namespace

QStringList Options::inputs() const
{
    const bool written = mode == Mode::Export || mode == Mode::Relief;
    QStringList in = written ? files.mid(0, files.size() - 1) : files;
    if (!grid.isEmpty()) {
        in << grid;
    }
    return in;
}

QStringList Options::outputs() const
{
    QStringList out;
    if (mode == Mode::Export || mode == Mode::Relief) {
        out << files.last();
    }
    if (!png.isEmpty()) {
        out << png;
    }
    return out;
}

Options parseOptions(const QStringList &args)
{
    Options o;
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        o.mode = Options::Mode::Help;
        return o;
    }
    if (args == QStringList{QStringLiteral("--version")}) {
        o.mode = Options::Mode::Version;
        return o;
    }
    static const QStringList kValued = {QStringLiteral("--png"),      QStringLiteral("--size"),
                                        QStringLiteral("--check"),    QStringLiteral("--set"),
                                        QStringLiteral("--equalize"), QStringLiteral("--export"),
                                        QStringLiteral("--grid"),     QStringLiteral("--relief")};
    bool optionsEnded = false;
    for (int i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || arg == QLatin1String(kStandardStream) ||
            !arg.startsWith(QLatin1Char('-'))) {
            o.files.append(arg);
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--json")) {
            o.json = true;
        } else if (!kValued.contains(arg)) {
            o.error = QStringLiteral("unknown option %1").arg(arg);
        } else if (i + 1 == args.size()) {
            o.error = arg == QLatin1String("--export")
                          ? QStringLiteral("--export needs a format (%1)").arg(tessel::formatKeys())
                          : QStringLiteral("%1 needs a value").arg(arg);
        } else {
            o.error = take(o, arg, args[++i]);
        }
    }
    if (o.error.isEmpty()) {
        o.error = checkWhole(o);
    }
    return o;
}

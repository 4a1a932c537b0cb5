// tesselcmd: Tessel without a window. Runs command lines, converts palettes between the
// formats, and checks how a table reads to every eye; kUsage and kHelp say how.
#include "core/Paths.h"
#include "core/SaveFile.h"
#include "tessel/colour/Check.h"
#include "tessel/colour/Equalize.h"
#include "tessel/draw/CheckPicture.h"
#include "tessel/draw/Render.h"
#include "tessel/formats/Export.h"
#include "tessel/language/CommandRunner.h"
#include "tessel/language/Host.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

namespace {

const char *const kUsage =
    "usage: tesselcmd [--set NAME=VALUE ...] [--png FILE --size WxH] [COMMANDFILE ...]\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] --export FORMAT PALETTE OUT\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] --export FORMAT PALETTE ... FOLDER\n"
    "       tesselcmd [--set NAME=VALUE ...] [--equalize HOW] --check PALETTE [--json]\n"
    "                 [--png FILE --size WxH]\n"
    "       tesselcmd --help | --version\n";

const char *const kHelp =
    "\nRuns Tessel's command lines from the files, or from standard input, in a Tessel\n"
    "without a window whose working folder is the current folder, and reports each line\n"
    "that fails as FILE:LINE: message. PALETTE is a shadeset (.shd) or a palette of another\n"
    "program that Tessel reads.\n\n"
    "  --png FILE --size WxH  draw the drawing (with --check, the check) into a PNG file\n"
    "  --export FORMAT        write each PALETTE as FORMAT (%1): one into OUT,\n"
    "                         several into FOLDER as FOLDER/STEM.EXT\n"
    "  --check PALETTE        report how the table reads in normal vision, protanopia,\n"
    "                         deuteranopia, tritanopia and greyscale\n"
    "  --json                 with --check: one JSON object instead of the report\n"
    "  --set NAME=VALUE       set a Tessel variable first (&s NAME = VALUE), such as\n"
    "                         .importsymbols=64 or \".importcut=-8000 0\"\n"
    "  --equalize HOW         with --export or --check: mend the table first, its steps made\n"
    "                         even (perceptual) or its lightness straight (lightness)\n"
    "  -h, --help             show this text\n"
    "  --version              show the version\n\n"
    "Exit status: 0 when all went well, 1 when a command or file failed, 2 for a usage\n"
    "error.\n";

struct Options
{
    enum class Mode
    {
        Run,
        Export,
        Check,
        Help,
        Version
    };
    Mode mode = Mode::Run;
    QStringList files; // command files, or the palettes of --export and --check
    const tessel::Format *format = nullptr;
    QString png;
    QSize size;
    bool json = false;
    QString equalize;                            // perceptual or lightness; empty: as read
    QList<std::pair<QString, QString>> settings; // NAME, VALUE, in order
    QString error;
};

constexpr int kMaxSide = 10000;

QSize parseSize(const QString &text)
{
    const QStringList wh = text.split(QLatin1Char('x'));
    const int w = wh.size() == 2 ? wh[0].toInt() : 0;
    const int h = wh.size() == 2 ? wh[1].toInt() : 0;
    return w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide ? QSize(w, h) : QSize();
}

Options parseOptions(QStringList args)
{
    Options o;
    args.removeFirst();
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        o.mode = Options::Mode::Help;
        return o;
    }
    if (args == QStringList{QStringLiteral("--version")}) {
        o.mode = Options::Mode::Version;
        return o;
    }
    for (int i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString &arg = args[i];
        const bool valued = arg == QLatin1String("--png") || arg == QLatin1String("--size") ||
                            arg == QLatin1String("--check") || arg == QLatin1String("--set") ||
                            arg == QLatin1String("--equalize");
        if (arg == QLatin1String("--export")) { // the rest are its format and files
            o.mode = Options::Mode::Export;
            o.format = tessel::findFormat(args.value(i + 1));
            o.files = args.mid(i + 2);
            if (!o.format) {
                o.error =
                    i + 1 == args.size()
                        ? QStringLiteral("--export needs a format (%1)").arg(tessel::formatKeys())
                        : QStringLiteral("unknown format \"%1\" (%2)")
                              .arg(args[i + 1], tessel::formatKeys());
            } else if (o.files.size() < 2) {
                o.error = QStringLiteral("--export needs palettes and an output");
            }
            break;
        }
        if (valued && i + 1 == args.size()) {
            o.error = QStringLiteral("%1 needs a value").arg(arg);
        } else if (arg == QLatin1String("--set")) {
            const QString setting = args[++i];
            const qsizetype equals = setting.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                o.error = QStringLiteral("bad --set \"%1\" (expected NAME=VALUE)").arg(setting);
            }
            o.settings.append({setting.left(equals).trimmed(), setting.mid(equals + 1).trimmed()});
        } else if (arg == QLatin1String("--equalize")) {
            o.equalize = args[++i];
            if (!tessel::equalizeMode(o.equalize)) {
                o.error = QStringLiteral("--equalize takes perceptual or lightness, not \"%1\"")
                              .arg(o.equalize);
            }
        } else if (arg == QLatin1String("--png")) {
            o.png = args[++i];
        } else if (arg == QLatin1String("--size")) {
            o.size = parseSize(args[++i]);
            o.error = o.size.isEmpty()
                          ? QStringLiteral("bad size \"%1\" (expected WxH, each from 1 to %2)")
                                .arg(args[i])
                                .arg(kMaxSide)
                          : QString();
        } else if (arg == QLatin1String("--check")) {
            o.mode = Options::Mode::Check;
            o.files.append(args[++i]);
        } else if (arg == QLatin1String("--json")) {
            o.json = true;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            o.error = QStringLiteral("unknown option %1").arg(arg);
        } else {
            o.files.append(arg);
        }
    }
    if (o.error.isEmpty() && o.png.isEmpty() != o.size.isEmpty()) {
        o.error = QStringLiteral("--png and --size go together");
    } else if (o.error.isEmpty() && o.json && o.mode != Options::Mode::Check) {
        o.error = QStringLiteral("--json goes with --check");
    } else if (o.error.isEmpty() && o.mode == Options::Mode::Check && o.files.size() != 1) {
        o.error = QStringLiteral("--check takes one palette");
    } else if (o.error.isEmpty() && !o.equalize.isEmpty() && o.mode == Options::Mode::Run) {
        o.error = QStringLiteral("--equalize goes with --export or --check");
    }
    return o;
}

// On the command line, relative files and saves are in the folder tesselcmd runs in.
tessel::HostOptions hostOptions()
{
    tessel::HostOptions options;
    options.workingFolder = QDir::currentPath();
    options.traceFile = qEnvironmentVariable("TESSEL_TRACE");
    return options;
}

// Paints a picture of `size` and saves it as a PNG file.
bool savePng(const QString &path, QSize size, const std::function<void(QPainter &)> &paint,
             QTextStream &errors)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    if (const core::Status saved = core::saveFile(path, png); !saved) {
        errors << "tesselcmd: " << saved.error() << Qt::endl;
        return false;
    }
    return true;
}

// Loads the palette as shadeset does, and mends it where --equalize asks.
bool load(tessel::Host &host, const QString &palette, const Options &o, tessel::Messages &messages)
{
    return host.RunCommand(QStringLiteral("shadeset ") + QFileInfo(palette).absoluteFilePath(),
                           messages) == tessel::StatusOk &&
           (o.equalize.isEmpty() || host.RunCommand(QStringLiteral("shadeequalize ") + o.equalize,
                                                    messages) == tessel::StatusOk);
}

int runExport(tessel::Host &host, const Options &o, QTextStream &errors)
{
    const QStringList inputs = o.files.mid(0, o.files.size() - 1);
    const QString out = o.files.last();
    const bool folderNamed = out.endsWith(QLatin1Char('/')) || out.endsWith(QDir::separator());
    const bool intoFolder = QFileInfo(out).isDir();
    if (folderNamed && !intoFolder) {
        errors << "tesselcmd: the folder " << out << " does not exist; nothing written" << Qt::endl;
        return 2;
    }
    if (inputs.size() > 1 && !intoFolder) {
        errors << "tesselcmd: with several palettes the output must be a folder: " << out
               << Qt::endl;
        return 2;
    }
    QStringList targets;
    for (const QString &input : inputs) {
        const QString target =
            intoFolder ? QDir(out).filePath(QFileInfo(input).completeBaseName() + QLatin1Char('.') +
                                            QLatin1String(o.format->extensions[0]))
                       : out;
        // Two inputs of one stem would write one file twice, the first lost: refuse first.
        const auto same = std::find_if(targets.begin(), targets.end(), [&](const QString &t) {
            return QFileInfo(t).absoluteFilePath() == QFileInfo(target).absoluteFilePath();
        });
        if (same != targets.end()) {
            errors << "tesselcmd: " << inputs[same - targets.begin()] << " and " << input
                   << " would both be written to " << target << "; nothing written" << Qt::endl;
            return 2;
        }
        targets.append(target);
    }
    // A run never writes over what it reads; shadeexport may, where it is asked by name.
    for (const QString &target : targets) {
        for (const QString &input : inputs) {
            if (core::isSameFile(target, input)) {
                errors << "tesselcmd: " << target << " is " << input
                       << " itself, which this run reads; nothing written" << Qt::endl;
                return 2;
            }
        }
    }
    int failures = 0;
    for (int i = 0; i < inputs.size(); ++i) {
        tessel::Messages messages;
        if (!load(host, inputs[i], o, messages) ||
            host.RunCommand(
                QStringLiteral("shadeexport %1 %2")
                    .arg(QLatin1String(o.format->key), QFileInfo(targets[i]).absoluteFilePath()),
                messages) != tessel::StatusOk) {
            errors << inputs[i] << ": " << messages.last() << Qt::endl;
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int runCheck(tessel::Host &host, const Options &o, QTextStream &out, QTextStream &errors)
{
    tessel::Messages messages;
    if (!load(host, o.files[0], o, messages)) {
        errors << "tesselcmd: " << messages.last() << Qt::endl;
        return 1;
    }
    const core::Result<tessel::CheckReport> report =
        tessel::checkTable(host.shadesetName(), host.shadeTable());
    if (!report) {
        errors << "tesselcmd: " << report.error() << Qt::endl;
        return 1;
    }
    out << (o.json ? QString::fromUtf8(tessel::checkJson(*report)) : tessel::checkText(*report));
    out.flush();
    const auto paint = [&](QPainter &painter) {
        tessel::paintCheck(painter, o.size, *report, tessel::CheckFrame::Alone);
    };
    return o.png.isEmpty() || savePng(o.png, o.size, paint, errors) ? 0 : 1;
}

int runCommands(tessel::Host &host, const Options &o, QTextStream &errors)
{
    int failures = 0;
    if (o.files.isEmpty()) {
        QFile input;
        input.open(stdin, QIODevice::ReadOnly);
        failures += tessel::runCommandLines(host, input, QStringLiteral("stdin"), errors);
    }
    for (const QString &path : o.files) {
        QFile input(path);
        if (!input.open(QIODevice::ReadOnly)) {
            errors << "tesselcmd: cannot open " << path << ": " << input.errorString() << Qt::endl;
            ++failures;
            continue;
        }
        failures += tessel::runCommandLines(host, input, path, errors);
    }
    const auto paint = [&](QPainter &painter) {
        tessel::renderDrawing(painter, host.drawing(), o.size);
    };
    if (!o.png.isEmpty() && !savePng(o.png, o.size, paint, errors)) {
        return 1;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Only drawing a picture needs the GUI platform, offscreen.
    std::optional<QTemporaryDir> runtime; // outlives the application
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc,
                    [](const char *a) { return std::strcmp(a, "--png") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        // Qt warns when the session has no runtime folder; a picture needs none of its own,
        // so it gets a private one for the run.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime.emplace();
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream errors(stderr);
    const Options o = parseOptions(QCoreApplication::arguments());
    switch (o.error.isEmpty() ? o.mode : Options::Mode::Help) {
    case Options::Mode::Help:
        if (!o.error.isEmpty()) {
            errors << "tesselcmd: " << o.error << Qt::endl << kUsage;
            return 2;
        }
        out << kUsage << QString::fromLatin1(kHelp).arg(tessel::formatKeys());
        return 0;
    case Options::Mode::Version:
        out << "tesselcmd " << HUEWRIGHT_VERSION << Qt::endl;
        return 0;
    case Options::Mode::Export:
    case Options::Mode::Check:
    case Options::Mode::Run:
        break;
    }
    tessel::Host host(QCoreApplication::applicationDirPath(), hostOptions());
    for (const auto &[name, value] : o.settings) {
        tessel::Messages messages;
        if (host.RunCommand(QStringLiteral("&s %1 = %2").arg(name, value), messages) !=
            tessel::StatusOk) {
            errors << "tesselcmd: --set " << name << '=' << value << ": " << messages.last()
                   << Qt::endl
                   << kUsage;
            return 2;
        }
    }
    if (o.mode == Options::Mode::Export) {
        return runExport(host, o, errors);
    }
    return o.mode == Options::Mode::Check ? runCheck(host, o, out, errors)
                                          : runCommands(host, o, errors);
}

// tesselcmd: Tessel without a window. Runs command lines, converts palettes between the
// formats, and checks how a table reads to every eye; kUsage and kHelp say how.
#include "Options.h"
#include "core/Paths.h"
#include "core/SaveFile.h"
#include "core/Text.h"
#include "tessel/colour/Check.h"
#include "tessel/draw/CheckPicture.h"
#include "tessel/draw/Render.h"
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
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

namespace {

// On the command line, relative files and saves are in the folder tesselcmd runs in.
tessel::HostOptions hostOptions()
{
    tessel::HostOptions options;
    options.workingFolder = QDir::currentPath();
    options.traceFile = qEnvironmentVariable("TESSEL_TRACE");
    return options;
}

// Words in lines of the help's right column.
QString helpLines(const QString &words)
{
    const QString indent(25, QLatin1Char(' '));
    QStringList lines{indent};
    for (const QString &word : words.split(QLatin1Char(' '))) {
        if (lines.last().size() > indent.size() && lines.last().size() + word.size() >= 88) {
            lines << indent;
        }
        lines.last() +=
            (lines.last().size() > indent.size() ? QStringLiteral(" ") : QString()) + word;
    }
    return lines.join(QLatin1Char('\n'));
}

bool isStandard(const QString &file)
{
    return file == QLatin1String(kStandardStream);
}

// Puts `bytes` in `path` through the one save function, or on standard output for "-".
core::Status writeOutput(const QString &path, const QByteArray &bytes)
{
    if (!isStandard(path)) {
        return core::saveFile(path, bytes);
    }
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) !=
            std::size_t(bytes.size()) ||
        std::fflush(stdout) != 0) {
        return core::fail(QStringLiteral("cannot write to standard output"));
    }
    return {};
}

// Paints a picture of `size` and writes it as a PNG file.
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
    image.save(&buffer, "PNG", 80); // zlib level 1: a map's picture in a tenth of the time
    if (const core::Status saved = writeOutput(path, png); !saved) {
        errors << "tesselcmd: " << core::printable(saved.error()) << Qt::endl;
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

// The first output that is one of the inputs, as "OUT is IN itself"; empty when none is.
QString writesOverAnInput(const QStringList &outputs, const QStringList &inputs)
{
    for (const QString &out : outputs) {
        for (const QString &in : inputs) {
            if (!isStandard(out) && !isStandard(in) && core::isSameFile(out, in)) {
                return QStringLiteral("%1 is %2 itself").arg(out, in);
            }
        }
    }
    return {};
}

// The file each palette is written to: OUT itself, or FOLDER/STEM.EXT; empty with a message
// in `errors` when the outputs would lose a file.
QStringList exportTargets(const Options &o, QTextStream &errors)
{
    const QStringList inputs = o.files.mid(0, o.files.size() - 1);
    const QString out = o.files.last();
    const bool folderNamed = out.endsWith(QLatin1Char('/')) || out.endsWith(QDir::separator());
    const bool intoFolder = !isStandard(out) && QFileInfo(out).isDir();
    if (folderNamed && !intoFolder) {
        errors << "tesselcmd: the folder " << out << " does not exist; nothing written" << Qt::endl;
        return {};
    }
    if (inputs.size() > 1 && !intoFolder) {
        errors << "tesselcmd: with several palettes the output must be a folder: " << out
               << Qt::endl;
        return {};
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
            return {};
        }
        targets.append(target);
    }
    // A run never writes over what it reads; shadeexport may, where it is asked by name.
    if (const QString over = writesOverAnInput(targets, o.inputs()); !over.isEmpty()) {
        errors << "tesselcmd: " << over << ", which this run reads; nothing written" << Qt::endl;
        return {};
    }
    return targets;
}

int runExport(tessel::Host &host, const Options &o, QTextStream &errors)
{
    const QStringList targets = exportTargets(o, errors);
    if (targets.isEmpty()) {
        return 2;
    }
    int failures = 0;
    for (int i = 0; i < targets.size(); ++i) {
        const QString &input = o.files[i];
        tessel::Messages messages;
        if (!load(host, input, o, messages)) {
            errors << core::printable(input + QStringLiteral(": ") + messages.last()) << Qt::endl;
            ++failures;
            continue;
        }
        const QString target =
            isStandard(targets[i]) ? targets[i] : QFileInfo(targets[i]).absoluteFilePath();
        const core::Result<QByteArray> bytes =
            host.exportBytes(*o.format, isStandard(target) ? input : target);
        const core::Status written =
            bytes ? writeOutput(target, *bytes) : core::Status(bytes.failure());
        if (!written) {
            errors << core::printable(input + QStringLiteral(": shadeexport: ") + written.error())
                   << Qt::endl;
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int runCheck(tessel::Host &host, const Options &o, QTextStream &out, QTextStream &errors)
{
    tessel::Messages messages;
    if (!load(host, o.files[0], o, messages)) {
        errors << "tesselcmd: " << core::printable(messages.last()) << Qt::endl;
        return 1;
    }
    const core::Result<tessel::CheckReport> report =
        tessel::checkTable(host.shadesetName(), host.shadeTable());
    if (!report) {
        errors << "tesselcmd: " << core::printable(report.error()) << Qt::endl;
        return 1;
    }
    std::optional<tessel::DataSpread> data;
    if (host.hasGrid()) {
        core::Result<tessel::DataSpread> spread = host.dataSpread(*report);
        if (!spread) {
            errors << "tesselcmd: " << core::printable(spread.error()) << Qt::endl;
            return 1;
        }
        data = *spread;
    }
    const tessel::DataSpread *over = data ? &*data : nullptr;
    out << (o.json ? QString::fromUtf8(tessel::checkJson(*report, over))
                   : tessel::checkText(*report, over));
    out.flush();
    const auto paint = [&](QPainter &painter) {
        tessel::paintCheck(painter, o.size, *report, tessel::CheckFrame::Alone);
    };
    return o.png.isEmpty() || savePng(o.png, o.size, paint, errors) ? 0 : 1;
}

int runRelief(tessel::Host &host, const Options &o, QTextStream &errors)
{
    tessel::Messages messages;
    if (!load(host, o.files[0], o, messages)) {
        errors << "tesselcmd: " << core::printable(messages.last()) << Qt::endl;
        return 1;
    }
    const core::Status written = host.writeRelief(QFileInfo(o.files[1]).absoluteFilePath());
    if (!written) {
        errors << "tesselcmd: " << core::printable(written.error()) << Qt::endl;
        return 1;
    }
    return 0;
}

int runCommands(tessel::Host &host, const Options &o, QTextStream &errors)
{
    int failures = 0;
    const QStringList files = o.files.isEmpty() ? QStringList{kStandardStream} : o.files;
    for (const QString &path : files) {
        QFile input(path);
        const bool opened = isStandard(path) ? input.open(stdin, QIODevice::ReadOnly)
                                             : input.open(QIODevice::ReadOnly);
        if (!opened) {
            errors << "tesselcmd: cannot open " << core::printable(path) << ": "
                   << input.errorString() << Qt::endl;
            ++failures;
            continue;
        }
        failures += tessel::runCommandLines(
            host, input, isStandard(path) ? QStringLiteral("stdin") : path, errors);
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
    const Options o = parseOptions(QCoreApplication::arguments().mid(1));
    if (!o.error.isEmpty()) {
        errors << "tesselcmd: " << core::printable(o.error) << Qt::endl << kUsage;
        return 2;
    }
    // (An export's outputs are known once its folder is looked at: runExport checks them.)
    if (const QString over = writesOverAnInput(o.outputs(), o.inputs());
        !over.isEmpty() && o.mode != Options::Mode::Export) {
        errors << "tesselcmd: " << core::printable(over)
               << ", which this run reads; nothing written" << Qt::endl;
        return 2;
    }
    switch (o.mode) {
    case Options::Mode::Help:
        out << kUsage << QString::fromLatin1(kHelp).arg(helpLines(tessel::formatKeys()));
        return 0;
    case Options::Mode::Version:
        out << "tesselcmd " << HUEWRIGHT_VERSION << Qt::endl;
        return 0;
    case Options::Mode::Export:
    case Options::Mode::Check:
    case Options::Mode::Relief:
    case Options::Mode::Run:
        break;
    }
    tessel::Host host(QCoreApplication::applicationDirPath(), hostOptions());
    for (const auto &[name, value] : o.settings) {
        tessel::Messages messages;
        if (host.RunCommand(QStringLiteral("&s %1 = %2").arg(name, value), messages) !=
            tessel::StatusOk) {
            errors << "tesselcmd: --set " << core::printable(name + '=' + value) << ": "
                   << core::printable(messages.last()) << Qt::endl
                   << kUsage;
            return 2;
        }
    }
    if (!o.grid.isEmpty()) {
        tessel::Messages messages;
        if (host.RunCommand(QStringLiteral("grid ") + QFileInfo(o.grid).absoluteFilePath(),
                            messages) != tessel::StatusOk) {
            errors << "tesselcmd: " << core::printable(messages.last()) << Qt::endl;
            return 1;
        }
    }
    switch (o.mode) {
    case Options::Mode::Export:
        return runExport(host, o, errors);
    case Options::Mode::Check:
        return runCheck(host, o, out, errors);
    case Options::Mode::Relief:
        return runRelief(host, o, errors);
    default:
        return runCommands(host, o, errors);
    }
}

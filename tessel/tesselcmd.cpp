// tesselcmd: runs Tessel command lines through a headless host.
//
//   tesselcmd [--png FILE --size WxH] [COMMANDFILE ...]
//   tesselcmd --export FORMAT SHADESET.shd OUT
//   tesselcmd --export FORMAT SHADESET.shd ... FOLDER
//
// Without command files it reads standard input. Each failing line is reported with its
// line number; the exit status is 1 when any line failed. --export writes shadesets in
// another tool's format (cpt, gdal, qgis, paraview), into FOLDER as NAME.EXT for several.
#include "CommandRunner.h"
#include "Export.h"
#include "Host.h"
#include "Render.h"
#include "core/SaveFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Options
{
    QStringList files;
    QString png;
    QSize size;
    QString error;
};

Options parseOptions(const QStringList &args)
{
    Options options;
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if ((arg == QLatin1String("--png") || arg == QLatin1String("--size")) &&
            i + 1 < args.size()) {
            const QString value = args[++i];
            if (arg == QLatin1String("--png")) {
                options.png = value;
                continue;
            }
            const QStringList wh = value.split(QLatin1Char('x'));
            const int w = wh.size() == 2 ? wh[0].toInt() : 0;
            const int h = wh.size() == 2 ? wh[1].toInt() : 0;
            if (w < 1 || h < 1 || w > 10000 || h > 10000) {
                options.error = QStringLiteral("bad size \"%1\" (expected WxH)").arg(value);
            }
            options.size = QSize(w, h);
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.error = QStringLiteral("unknown option %1").arg(arg);
        } else {
            options.files.append(arg);
        }
    }
    if (!options.png.isEmpty() && options.size.isEmpty() && options.error.isEmpty()) {
        options.error = QStringLiteral("--png needs --size WxH");
    }
    return options;
}

// On the command line, relative files and saves are in the folder tesselcmd runs in.
tessel::HostOptions hostOptions()
{
    tessel::HostOptions options;
    options.workingFolder = QDir::currentPath();
    options.traceFile = qEnvironmentVariable("TESSEL_TRACE");
    return options;
}

const char *const kUsage = "usage: tesselcmd [--png FILE --size WxH] [COMMANDFILE ...]\n"
                           "       tesselcmd --export FORMAT SHADESET.shd ... OUT";

int runExport(const QStringList &args, QTextStream &errors)
{
    const tessel::Format *format = args.isEmpty() ? nullptr : tessel::findFormat(args[0]);
    if (args.size() < 3 || !format) {
        errors << "tesselcmd: --export needs a format (" << tessel::formatKeys()
               << "), shadesets and an output" << Qt::endl
               << kUsage << Qt::endl;
        return 2;
    }
    const QStringList inputs = args.mid(1, args.size() - 2);
    const QString out = args.last();
    const bool intoFolder = QFileInfo(out).isDir();
    if (inputs.size() > 1 && !intoFolder) {
        errors << "tesselcmd: with several shadesets the output must be a folder: " << out
               << Qt::endl;
        return 2;
    }
    QStringList targets;
    for (const QString &input : inputs) {
        const QString target =
            intoFolder ? QDir(out).filePath(QFileInfo(input).completeBaseName() + QLatin1Char('.') +
                                            QLatin1String(format->extensions[0]))
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
    tessel::Host host(QCoreApplication::applicationDirPath(), hostOptions());
    int failures = 0;
    for (int i = 0; i < inputs.size(); ++i) {
        const QString &input = inputs[i];
        const QString &target = targets[i];
        tessel::Messages messages;
        if (host.RunCommand(QStringLiteral("shadeset ") + QFileInfo(input).absoluteFilePath(),
                            messages) != tessel::StatusOk ||
            host.RunCommand(QStringLiteral("shadeexport ") + args[0] + QLatin1Char(' ') +
                                QFileInfo(target).absoluteFilePath(),
                            messages) != tessel::StatusOk) {
            errors << input << ": " << messages.last() << Qt::endl;
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Only drawing a picture needs the GUI platform, offscreen.
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc,
                    [](const char *a) { return std::strcmp(a, "--png") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream errors(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--export")) {
        return runExport(args.mid(2), errors);
    }
    const Options options = parseOptions(QCoreApplication::arguments());
    if (!options.error.isEmpty()) {
        errors << "tesselcmd: " << options.error << Qt::endl << kUsage << Qt::endl;
        return 2;
    }
    tessel::Host host(QCoreApplication::applicationDirPath(), hostOptions());
    int failures = 0;
    if (options.files.isEmpty()) {
        QFile input;
        input.open(stdin, QIODevice::ReadOnly);
        failures += tessel::runCommandLines(host, input, QStringLiteral("stdin"), errors);
    }
    for (const QString &path : options.files) {
        QFile input(path);
        if (!input.open(QIODevice::ReadOnly)) {
            errors << "tesselcmd: cannot open " << path << ": " << input.errorString() << Qt::endl;
            ++failures;
            continue;
        }
        failures += tessel::runCommandLines(host, input, path, errors);
    }
    if (!options.png.isEmpty()) {
        QImage image(options.size, QImage::Format_RGB32);
        QPainter painter(&image);
        tessel::renderDrawing(painter, host.drawing(), options.size);
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        if (const core::Status saved = core::saveFile(options.png, png); !saved) {
            errors << "tesselcmd: " << saved.error() << Qt::endl;
            return 1;
        }
    }
    return failures == 0 ? 0 : 1;
}

// Every file tesselcmd writes (a shadeset, each export, a picture) replaces the old one whole
// or not at all: on a failing write, sync, close or rename (made to fail by the failio
// library), and on a real full disk, the old file stays byte for byte, nothing is left
// behind, and the run fails naming the file and the reason. Its trace never blocks it.
#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SavePath
{
    QString file;
    QString command; // sent after a ramp is made; empty: the file is a picture
};

const QList<SavePath> kSavePaths = {
    {"good.shd", "shadesave good"},
    {"good.cpt", "shadeexport cpt good.cpt"},
    {"good.txt", "shadeexport gdal good.txt"},
    {"good.xml", "shadeexport qgis good.xml"},
    {"good.json", "shadeexport paraview good.json"},
    {"good.svg", "shadeexport svg good.svg"},
    {"good.png", ""},
};

struct Run
{
    int exitCode = -1;
    QString errors;
};

// tesselcmd in `folder` making a ramp and saving it by `path`, with `environment` added.
Run save(const QString &folder, const SavePath &path, const QStringList &environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &setting : environment) {
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    }
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    QStringList args;
    if (path.command.isEmpty()) {
        args = {"--png", folder + '/' + path.file, "--size", "8x8"};
    }
    process.start(TESSELCMD, args);
    process.write("shadecolorramp 1 999 \"red\" \"blue\"\nshadesymbol 9\npatch 0 0 1 1\n" +
                  path.command.toUtf8() + '\n');
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) {
        return {};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// What must hold after a failed save of `path` in `folder` over `old`.
QString keptWhole(const QString &folder, const SavePath &path, const QByteArray &old,
                  const Run &run, const QString &reason)
{
    const QString message = "cannot write " + folder + '/' + path.file + ": " + reason;
    if (run.exitCode != 1 || !run.errors.contains(message)) {
        return QStringLiteral("exit %1, \"%2\", not \"%3\"")
            .arg(run.exitCode)
            .arg(run.errors, message);
    }
    if (readFile(folder + '/' + path.file) != old) {
        return QStringLiteral("the old file changed");
    }
    if (entries(folder) != QStringList{path.file}) {
        return "left behind: " + entries(folder).join(' ');
    }
    return QString();
}

} // namespace

class SavesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A hard link to the old file keeps the old bytes: the file was replaced, not written
    // over in place. A symbolic link is followed, and stays a link.
    void shouldReplaceAFileWhole()
    {
        for (const SavePath &path : kSavePaths) {
            QTemporaryDir dir;
            const QString file = dir.filePath(path.file);
            QVERIFY(writeFile(file, "old"));
            QCOMPARE(::link(QFile::encodeName(file), QFile::encodeName(dir.filePath("link"))), 0);
            const Run run = save(dir.path(), path);
            QVERIFY2(run.exitCode == 0, qPrintable(path.file + ": " + run.errors));
            QVERIFY2(readFile(file) != "old", qPrintable(path.file));
            QCOMPARE(readFile(dir.filePath("link")), QByteArray("old"));
            QCOMPARE(entries(dir.path()), (QStringList{path.file, "link"}));
        }
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("real.shd"), "old"));
        QVERIFY(QFile::link("real.shd", dir.filePath("good.shd")));
        QCOMPARE(save(dir.path(), kSavePaths[0]).exitCode, 0);
        QVERIFY(QFileInfo(dir.filePath("good.shd")).isSymLink());
        QVERIFY(readFile(dir.filePath("real.shd")).startsWith("TESSEL SHADESET 1\nname good\n"));
    }

    void shouldKeepTheOldFileWhenACallFails()
    {
        const QString failio = "LD_PRELOAD=" FAILIO;
        for (const auto &[call, error, reason] :
             {std::tuple{"write", "ENOSPC", "No space left on device"},
              std::tuple{"fsync", "EIO", "Input/output error"},
              std::tuple{"close", "EIO", "Input/output error"},
              std::tuple{"rename", "EIO", "Input/output error"}}) {
            for (const SavePath &path : kSavePaths) {
                QTemporaryDir dir;
                QVERIFY(writeFile(dir.filePath(path.file), "old"));
                const Run run = save(dir.path(), path,
                                     {failio, "FAILIO_UNDER=" + dir.path(),
                                      QStringLiteral("FAILIO_CALL=") + call,
                                      QStringLiteral("FAILIO_ERRNO=") + error});
                const QString problem = keptWhole(dir.path(), path, "old", run, reason);
                QVERIFY2(problem.isEmpty(), qPrintable(path.file + " " + call + ": " + problem));
            }
        }
    }

    // A tmpfs filled by the old file, where the test may mount one (as root).
    void shouldKeepTheOldFileOnAFullDisk()
    {
        QTemporaryDir dir;
        const QString disk = dir.filePath("disk");
        QVERIFY(QDir().mkpath(disk));
        QProcess mount;
        mount.start("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", disk});
        if (::geteuid() != 0 || !mount.waitForFinished() || mount.exitCode() != 0) {
            QSKIP("a small tmpfs cannot be mounted here: this needs root and mount");
        }
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {disk}); });
        const QByteArray old = readFile(HUEWRIGHT_STAGE "/shades/elev999.shd");
        for (const SavePath &path : kSavePaths) {
            QVERIFY(writeFile(disk + '/' + path.file, old));
            const QString problem =
                keptWhole(disk, path, old, save(disk, path), "No space left on device");
            QVERIFY2(problem.isEmpty(), qPrintable(path.file + ": " + problem));
            QVERIFY(QFile::remove(disk + '/' + path.file));
        }
    }

    // A pipe with no reader is refused at once, and a trace that cannot be written warns
    // once; either way the commands run.
    void shouldTraceOnlyWhereItCan()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString full = dir.filePath("full/trace.txt");
        QVERIFY(writeFile(full, ""));
        for (const auto &[trace, failing, reason] :
             {std::tuple{pipe, QString(), "No such device or address"},
              std::tuple{full,
                         "LD_PRELOAD=" FAILIO " FAILIO_CALL=write FAILIO_UNDER=" +
                             dir.filePath("full"),
                         "No space left on device"}}) {
            const Run run =
                save(dir.path(), kSavePaths[0],
                     QStringList{"TESSEL_TRACE=" + trace} + failing.split(' ', Qt::SkipEmptyParts));
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.errors.count("tracing is off"), 1);
            QVERIFY2(run.errors.contains("cannot trace to " + trace + " (TESSEL_TRACE): " + reason),
                     qPrintable(run.errors));
        }
        QCOMPARE(readFile(full), QByteArray());
    }

    // Two inputs whose outputs would be one file: refused before anything is written.
    void shouldRefuseTwoExportsToOneFile()
    {
        QTemporaryDir dir;
        for (const char *input : {"a/geo.cpt", "b/geo.cpt"}) {
            QVERIFY(writeFile(dir.filePath(input), "0 red 1 blue\n"));
        }
        QVERIFY(QDir().mkpath(dir.filePath("out")));
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(TESSELCMD, {"--export", "gdal", "a/geo.cpt", "b/geo.cpt", "out"});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains(
            "a/geo.cpt and b/geo.cpt would both be written to "));
        QCOMPARE(entries(dir.filePath("out")), QStringList{});
    }
};

QTEST_GUILESS_MAIN(SavesTest)
#include "tst_saves.moc"

// Every file tesselcmd writes (a shadeset, each export, a picture) replaces the old one whole
// or not at all: on a failing write, sync, close or rename (made to fail by the failio
// library), and on a real full disk, the old file stays byte for byte, nothing is left
// behind, and the run fails naming the file and the reason. Its trace never blocks it.
#include "TesselRun.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What is saved, and the command that saves it after a ramp is made (none: a picture).
const QList<std::pair<QString, QByteArray>> kSavePaths = {
    {"good.shd", "shadesave good"},
    {"good.cpt", "shadeexport cpt good.cpt"},
    {"good.txt", "shadeexport gdal good.txt"},
    {"good.xml", "shadeexport qgis good.xml"},
    {"good.json", "shadeexport paraview good.json"},
    {"good.svg", "shadeexport svg good.svg"},
    {"good.png", ""},
};

// tesselcmd in `folder` making a ramp and saving `file` with `command`.
Finished save(const QString &folder, const QString &file, const QByteArray &command,
              const QStringList &environment = {})
{
    const QStringList png = {"--png", folder + '/' + file, "--size", "8x8"};
    return tesselcmd(command.isEmpty() ? png : QStringList(),
                     "shadecolorramp 1 999 \"red\" \"blue\"\nshadesymbol 9\npatch 0 0 1 1\n" +
                         command + '\n',
                     folder, environment);
}

// What is wrong after a save of `file` in `folder` over `old` failed for `reason`.
QString keptWhole(const QString &folder, const QString &file, const QByteArray &old,
                  const Finished &run, const QString &reason)
{
    const QString message = "cannot write " + folder + '/' + file + ": " + reason;
    if (run.status != 1 || !run.errors.contains(message.toUtf8())) {
        return QStringLiteral("exit %1, \"%2\"").arg(run.status).arg(QString(run.errors));
    }
    if (readFile(folder + '/' + file) != old) {
        return QStringLiteral("the old file changed");
    }
    return entries(folder) == QStringList{file} ? QString() : entries(folder).join(' ');
}

// Mounts a 16 KiB tmpfs on `disk`, where the test may (as root).
bool mountSmallDisk(const QString &disk)
{
    return ::geteuid() == 0 &&
           runProgram("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", disk}).status == 0;
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
        for (const auto &[file, command] : kSavePaths) {
            QTemporaryDir dir;
            QVERIFY(writeFile(dir.filePath(file), "old"));
            QCOMPARE(::link(QFile::encodeName(dir.filePath(file)),
                            QFile::encodeName(dir.filePath("link"))),
                     0);
            QCOMPARE(save(dir.path(), file, command).status, 0);
            QVERIFY2(readFile(dir.filePath(file)) != "old", qPrintable(file));
            QCOMPARE(readFile(dir.filePath("link")), QByteArray("old"));
            QCOMPARE(entries(dir.path()), (QStringList{file, "link"}));
        }
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("real.shd"), "old"));
        QVERIFY(QFile::link("real.shd", dir.filePath("good.shd")));
        QCOMPARE(save(dir.path(), "good.shd", "shadesave good").status, 0);
        QVERIFY(QFileInfo(dir.filePath("good.shd")).isSymLink() &&
                readFile(dir.filePath("real.shd")).startsWith("TESSEL SHADESET 1\nname good\n"));
    }

    void shouldKeepTheOldFileWhenACallFails()
    {
        for (const auto &[call, error, reason] :
             {std::tuple{"write", "ENOSPC", "No space left on device"},
              std::tuple{"fsync", "EIO", "Input/output error"},
              std::tuple{"close", "EIO", "Input/output error"},
              std::tuple{"rename", "EIO", "Input/output error"}}) {
            for (const auto &[file, command] : kSavePaths) {
                QTemporaryDir dir;
                QVERIFY(writeFile(dir.filePath(file), "old"));
                const Finished run = save(dir.path(), file, command,
                                          {"LD_PRELOAD=" FAILIO, "FAILIO_UNDER=" + dir.path(),
                                           QStringLiteral("FAILIO_CALL=") + call,
                                           QStringLiteral("FAILIO_ERRNO=") + error});
                const QString problem = keptWhole(dir.path(), file, "old", run, reason);
                QVERIFY2(problem.isEmpty(), qPrintable(file + " " + call + ": " + problem));
            }
        }
    }

    // A relief written by GDAL goes through the same save: a failing sync or rename, and a full
    // disk, keep the old image whole and leave nothing behind.
    void shouldKeepTheOldReliefWhenItCannotBeWritten()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("grid.asc"), "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\n"
                                                    "cellsize 1\n1 2 3\n4 5 6\n"));
        const QStringList relief = {"--grid", "grid.asc", "--relief",
                                    HUEWRIGHT_STAGE "/shades/elev999.shd", "out/relief.tif"};
        for (const char *call : {"write", "fsync", "rename"}) {
            QVERIFY(writeFile(dir.filePath("out/relief.tif"), "old"));
            const Finished run =
                tesselcmd(relief, {}, dir.path(),
                          {"LD_PRELOAD=" FAILIO, "FAILIO_UNDER=" + dir.filePath("out"),
                           QStringLiteral("FAILIO_CALL=") + call, "FAILIO_ERRNO=EIO"});
            const QString problem =
                keptWhole(dir.filePath("out"), "relief.tif", "old", run, "Input/output error");
            QVERIFY2(problem.isEmpty(), qPrintable(QString(call) + ": " + problem));
        }
        const QString disk = dir.filePath("disk");
        QVERIFY(QDir().mkpath(disk));
        if (!mountSmallDisk(disk)) {
            QSKIP("a small tmpfs cannot be mounted here: this needs root and mount");
        }
        const auto unmount = qScopeGuard([&] { runProgram("umount", {disk}); });
        QVERIFY(writeFile(disk + "/relief.tif", QByteArray(10000, 'x')));
        QVERIFY(
            writeFile(dir.filePath("big.asc"), "ncols 64\nnrows 64\nxllcorner 0\nyllcorner "
                                               "0\ncellsize 1\n" +
                                                   QByteArray("1 2 3 4 5 6 7 8 ").repeated(512)));
        const QString problem =
            keptWhole(disk, "relief.tif", QByteArray(10000, 'x'),
                      tesselcmd({"--grid", "big.asc", "--relief",
                                 HUEWRIGHT_STAGE "/shades/elev999.shd", disk + "/relief.tif"},
                                {}, dir.path()),
                      "No space left on device");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A tmpfs filled by the old file, where the test may mount one (as root).
    void shouldKeepTheOldFileOnAFullDisk()
    {
        QTemporaryDir dir;
        const QString disk = dir.filePath("disk");
        QVERIFY(QDir().mkpath(disk));
        if (!mountSmallDisk(disk)) {
            QSKIP("a small tmpfs cannot be mounted here: this needs root and mount");
        }
        const auto unmount = qScopeGuard([&] { runProgram("umount", {disk}); });
        const QByteArray old = readFile(HUEWRIGHT_STAGE "/shades/elev999.shd");
        for (const auto &[file, command] : kSavePaths) {
            QVERIFY(writeFile(disk + '/' + file, old));
            const QString problem =
                keptWhole(disk, file, old, save(disk, file, command), "No space left on device");
            QVERIFY2(problem.isEmpty(), qPrintable(file + ": " + problem));
            QVERIFY(QFile::remove(disk + '/' + file));
        }
    }

    // A pipe is refused at once, with one warning, and the commands run: one with no reader
    // (opening it would wait), and one with a reader (writing to it would block).
    void shouldTraceOnlyWhereItCan()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const bool read : {false, true}) {
            const int reader = read ? ::open(QFile::encodeName(pipe).constData(),
                                             O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                                    : -1;
            QCOMPARE(reader >= 0, read);
            const Finished run =
                save(dir.path(), "good.shd", "shadesave good", {"TESSEL_TRACE=" + pipe});
            QCOMPARE(run.status, 0);
            QCOMPARE(run.errors.count("tracing is off"), 1);
            QVERIFY(run.errors.contains("cannot trace to " + pipe.toUtf8() + " (TESSEL_TRACE): "));
            QVERIFY(QFile::remove(dir.filePath("good.shd")));
            if (read) {
                ::close(reader);
            }
        }
    }

    // An export that would lose a file is refused before anything is written: two inputs
    // whose outputs are one file, an output that is an input (also through "./" or a hard
    // link), a folder that is not there, a read-only file (for root too).
    void shouldRefuseWhatWouldLoseAFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("two to one") << QStringList{"--export", "gdal", "a/geo.cpt", "b/geo.cpt", "out"} << 2 << "tesselcmd: a/geo.cpt and b/geo.cpt would both be written to out/geo.txt; nothing written\n";
        QTest::newRow("onto its input") << QStringList{"--export", "cpt", "a/geo.cpt", "a"} << 2 << "tesselcmd: a/geo.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        QTest::newRow("through ./") << QStringList{"--export", "cpt", "a/geo.cpt", "./a/geo.cpt"} << 2 << "tesselcmd: ./a/geo.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        QTest::newRow("through a hard link") << QStringList{"--export", "cpt", "a/geo.cpt", "link.cpt"} << 2 << "tesselcmd: link.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        QTest::newRow("no such folder") << QStringList{"--export", "cpt", "a/geo.cpt", "new/"} << 2 << "tesselcmd: the folder new/ does not exist; nothing written\n";
        QTest::newRow("read-only export") << QStringList{"--export", "cpt", "a/geo.cpt", "ro.cpt"} << 1 << "a/geo.cpt: shadeexport: cannot write DIR/ro.cpt: Permission denied\n";
        QTest::newRow("picture onto its palette") << QStringList{"--check", "a/geo.cpt", "--png", "./a/geo.cpt", "--size", "8x8"} << 2 << "tesselcmd: ./a/geo.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        QTest::newRow("relief onto its palette") << QStringList{"--grid", "b/geo.cpt", "--relief", "a/geo.cpt", "a/geo.cpt"} << 2 << "tesselcmd: a/geo.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        QTest::newRow("picture onto its commands") << QStringList{"--png", "link.cpt", "--size", "8x8", "a/geo.cpt"} << 2 << "tesselcmd: link.cpt is a/geo.cpt itself, which this run reads; nothing written\n";
        // clang-format on
    }

    void shouldRefuseWhatWouldLoseAFile()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const auto content = [](const char *file) {
            return "# " + QByteArray(file) + "\n0 red 1 blue\n";
        };
        for (const char *file : {"a/geo.cpt", "b/geo.cpt", "ro.cpt"}) {
            QVERIFY(writeFile(dir.filePath(file), content(file)));
        }
        QVERIFY(QDir().mkpath(dir.filePath("out")));
        QCOMPARE(::link(QFile::encodeName(dir.filePath("a/geo.cpt")),
                        QFile::encodeName(dir.filePath("link.cpt"))),
                 0);
        QVERIFY(QFile::setPermissions(dir.filePath("ro.cpt"), QFile::ReadOwner));
        const Finished run = tesselcmd(args, {}, dir.path());
        QTEST(run.status, "status");
        QTEST(QString::fromUtf8(run.errors).replace(dir.path(), "DIR"), "message");
        for (const char *file : {"a/geo.cpt", "b/geo.cpt", "ro.cpt"}) {
            QCOMPARE(readFile(dir.filePath(file)), content(file));
        }
        QCOMPARE(entries(dir.filePath("out")), QStringList{});
        QVERIFY(!QFile::exists(dir.filePath("new")));
    }
};

QTEST_GUILESS_MAIN(SavesTest)
#include "tst_saves.moc"

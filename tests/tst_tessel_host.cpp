// The Tessel host's commands: each one's effect, where files go, and that a failure changes
// nothing.
#include "TestFiles.h"
#include "tessel/Host.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

namespace {

Rgb rgb(int r, int g, int b)
{
    return Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

// Runs `lines`, failing the test on the first one the host rejects.
void runAll(Host &host, const QStringList &lines)
{
    for (const QString &line : lines) {
        Messages messages;
        QVERIFY2(host.RunCommand(line, messages) == StatusOk,
                 qPrintable(line + " -> " + messages.last()));
    }
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

class TesselHostTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void shouldFillRampsLinearlyWithBothEnds()
    {
        Host host(m_dir->path());
        runAll(host, {"shadecolorramp 1 5 \"black\" \"white\"",
                      "shadecolorramp 5 5 \"white\" \"#ff0000\"",
                      "shadecolorramp 20 1 \"Royal Blue\" \"red\"", "shadesave ramps"});
        const ShadeTable &t = host.shadeTable();
        QCOMPARE(t.color(2), rgb(64, 64, 64));
        QCOMPARE(t.color(3), rgb(128, 128, 128));
        QCOMPARE(t.color(5), rgb(255, 255, 255)); // the later ramp's first symbol wins
        QCOMPARE(t.color(7), rgb(255, 128, 128));
        QCOMPARE(t.color(9), rgb(255, 0, 0));
        QVERIFY(!t.color(10));
        QCOMPARE(t.color(20), rgb(65, 105, 225));
        runAll(host, {"&s n = [show shadesymbol total] [show shadeset name]"});
        QCOMPARE(host.GetVariable("n"), QStringLiteral("20 ramps"));
        runAll(host, {"shadedelete ALL", "&s n = [show shadesymbol total] [show shadeset name]"});
        QCOMPARE(host.GetVariable("n"), QStringLiteral("0 ")); // a new table has no name
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("unknown") << "shadeit 1" << "shadeit: unknown command";
        QTest::newRow("empty") << "   " << "empty command";
        QTest::newRow("ramp missing args") << "shadecolorramp 1 5 \"red\"" << "shadecolorramp: expected 4 arguments but got 3";
        QTest::newRow("ramp bad number") << "shadecolorramp 1x 5 \"red\" \"blue\"" << "shadecolorramp: bad number \"1x\"";
        QTest::newRow("ramp unknown colour") << "shadecolorramp 1 5 \"red\" \"bleu\"" << "shadecolorramp: unknown colour \"bleu\"";
        QTest::newRow("ramp blank colour") << "shadecolorramp 1 5 \"   \" \"red\"" << "shadecolorramp: unknown colour \"   \"";
        QTest::newRow("ramp open quote") << "shadecolorramp 1 5 \"red\" \"blue" << "shadecolorramp: unbalanced quotes";
        QTest::newRow("ramp past the top") << "shadecolorramp 32760 10 \"red\" \"blue\"" << "shadecolorramp: symbols 32760 to 32769 are out of range 1 to 32767";
        QTest::newRow("ramp count 0") << "shadecolorramp 5 0 \"red\" \"blue\"" << "shadecolorramp: symbols 5 to 4 are out of range 1 to 32767";
        QTest::newRow("symbol 0") << "shadesymbol 0" << "shadesymbol: symbol 0 is out of range 1 to 32767";
        QTest::newRow("symbol undefined") << "shadesymbol 400" << "shadesymbol: symbol 400 is not defined in the current shadeset";
        QTest::newRow("patch short") << "patch .35 2.45 1.35" << "patch: expected 4 arguments but got 3";
        QTest::newRow("patch bad number") << "patch .35 2,45 1.35 2.6" << "patch: bad number \"2,45\"";
        QTest::newRow("patch huge") << "patch 1 1 1 1e9" << "patch: bad number \"1e9\"";
        QTest::newRow("clear args") << "clear all" << "clear: takes no arguments";
        QTest::newRow("delete some") << "shadedelete 5" << "shadedelete: expected ALL";
        QTest::newRow("legend reversed") << "shadelegend 0 0 1 1 9 2" << "shadelegend: symbols 9 to 2 are not a range within 1 to 32767";
        QTest::newRow("label no text") << "label 1 2" << "label: expected X Y TEXT";
        QTest::newRow("set no equals") << "&s symb 5" << "&s: expected NAME = VALUE";
        QTest::newRow("set bad name") << "&s my var = 5" << "&s: bad variable name \"my var\"";
        QTest::newRow("wo empty") << "&wo" << "&wo: missing folder";
        QTest::newRow("load nothing") << "shadeset " << "shadeset: missing file name";
        QTest::newRow("run no script") << "&r dispshd 1 2" << "&r: expected a .zeb script";
        QTest::newRow("export unknown") << "shadeexport svg x.svg" << "shadeexport: unknown format \"svg\" (cpt, gdal, qgis or paraview)";
        QTest::newRow("export no file") << "shadeexport cpt" << "shadeexport: missing file name";
        QTest::newRow("save nothing") << "shadesave" << "shadesave: missing shadeset name";
        QTest::newRow("save dotdot") << "shadesave .." << "shadesave: the shadeset name cannot be \"..\"";
        QTest::newRow("save path") << "shadesave ../x" << "shadesave: the shadeset name cannot hold the character \"/\"";
        QTest::newRow("save backslash") << "shadesave a\\x" << "shadesave: the shadeset name cannot hold the character \"\\\"";
        QTest::newRow("save resource-like") << "shadesave :relief" << "shadesave: the shadeset name cannot hold the character \":\"";
        QTest::newRow("save windows character") << "shadesave a?b" << "shadesave: the shadeset name cannot hold the character \"?\"";
        QTest::newRow("save control") << "shadesave a\x01" "b" << "shadesave: the shadeset name cannot hold the control character U+0001";
        QTest::newRow("save full stop") << "shadesave relief." << "shadesave: the shadeset name cannot end in a full stop";
        QTest::newRow("save device") << "shadesave nul.x" << "shadesave: the shadeset name \"nul.x\" is reserved for a device on Windows";
        QTest::newRow("save palette") << "shadesave COLORNAMES" << "shadesave: the shadeset name \"COLORNAMES\" is reserved for the palette";
        // clang-format on
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Host host(m_dir->path());
        runAll(host, {"shadecolorramp 1 3 \"red\" \"blue\"", "shadesymbol 2", "patch 0 0 1 1",
                      "&s keep = 1"});
        const ShadeTable table = host.shadeTable();
        const std::size_t items = host.drawing().items.size();
        const QStringList files = entries(m_dir->path());

        Messages messages;
        QVERIFY(host.RunCommand(command, messages) != StatusOk);
        QCOMPARE(messages.items(), QStringList{message});
        QVERIFY(host.shadeTable() == table);
        QCOMPARE(host.drawing().items.size(), items);
        QCOMPARE(host.GetVariable("keep"), QStringLiteral("1"));
        QCOMPARE(host.workingFolder(), m_dir->path());
        QCOMPARE(entries(m_dir->path()), files);
    }

    void shouldDrawWithTheSelectedSymbolAndClear()
    {
        Host host(m_dir->path());
        Messages messages;
        QVERIFY(host.RunCommand("patch 0 0 1 1", messages) != StatusOk);
        QCOMPARE(messages.last(),
                 QStringLiteral("patch: no symbol selected (shadesymbol comes first)"));
        runAll(host,
               {"shadecolorramp 1 2 \"snow\" \"thistle\"", "shadesymbol 2",
                "patch .35 2.45 1.35 2.6", "shadelegend 0 0 1 2 1 3", "label .2 .3 my shades"});
        const auto &items = host.drawing().items;
        QCOMPARE(items.size(), std::size_t(3));
        QCOMPARE(std::get<Patch>(items[0]).fill, rgb(216, 191, 216));
        QCOMPARE(std::get<Patch>(items[0]).rect.y2, 2.6);
        QCOMPARE(std::get<Legend>(items[1]).bands.size(), std::size_t(3));
        QVERIFY(!std::get<Legend>(items[1]).bands[2]); // symbol 3 is not defined
        QCOMPARE(std::get<Label>(items[2]).text, QStringLiteral("my shades"));
        runAll(host, {"clear"});
        QVERIFY(host.drawing().items.empty());
    }

    void shouldSaveAndLoadRoundTrip()
    {
        Host host(m_dir->path());
        const QString shades = m_dir->filePath("new folder/shades");
        runAll(host, {"&wo " + shades, "shadecolorramp 1 500 \"blue\" \"yellow\"",
                      "shadecolorramp 500 500 \"yellow\" \"red\"", "shadesave my relief"});
        const ShadeTable saved = host.shadeTable();
        runAll(host, {"shadedelete ALL", "shadeset my relief.shd"});
        QVERIFY(host.shadeTable() == saved);
        QCOMPARE(host.shadesetName(), QStringLiteral("my relief"));
        runAll(host, {"shadedelete ALL", "shadeset " + shades + "/my relief.shd"});
        QVERIFY(host.shadeTable() == saved);
    }

    // A relative file is in the working folder, then Tessel's own: never in the process's
    // current folder, and never a resource.
    void shouldKeepFilesInTheFoldersMeant()
    {
        const QString own = m_dir->filePath("own");
        const QString work = m_dir->filePath("own/work");
        const QString current = m_dir->filePath("current");
        QVERIFY(QDir().mkpath(work) && QDir().mkpath(current));
        QVERIFY(
            writeFile(own + "/palette.shd", "TESSEL SHADESET 1\nname p\nsymbols 1\n1 255 0 0\n"));
        QVERIFY(
            writeFile(work + "/:both.shd", "TESSEL SHADESET 1\nname b\nsymbols 1\n1 0 0 255\n"));
        QVERIFY(writeFile(own + "/:both.shd", "TESSEL SHADESET 1\nname o\nsymbols 1\n1 0 255 0\n"));
        QVERIFY(writeFile(work + "/s.zeb", "&s ran = yes\n"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current));
        Host host(own);
        QCOMPARE(host.workingFolder(), own);
        runAll(host, {"&wo work", "shadeset palette.shd"});
        QCOMPARE(host.workingFolder(), work);
        QCOMPARE(host.shadeTable().color(1), rgb(255, 0, 0));
        runAll(host,
               {"shadeset :both.shd", "&r s.zeb", "shadeexport cpt :out.cpt", "shadesave relief"});
        QCOMPARE(host.shadeTable().color(1), rgb(0, 0, 255));
        QCOMPARE(host.GetVariable("ran"), QStringLiteral("yes"));
        Messages messages;
        QCOMPARE(host.RunCommand("shadesave :relief", messages), StatusBadArguments);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(entries(work), (QStringList{":both.shd", ":out.cpt", "relief.shd", "s.zeb"}));
        QCOMPARE(entries(current), QStringList{});
    }

    void shouldKeepTheEarlierFileWhenASaveFails()
    {
        const QString shades = m_dir->filePath("shades");
        Host host(m_dir->path());
        runAll(host, {"&wo " + shades, "shadecolorramp 1 2 \"red\" \"blue\"", "shadesave relief"});
        const QString path = shades + "/relief.shd";
        const QByteArray before = readFile(path);
        // Folder permissions bind only an ordinary user; root's CI run uses a file system
        // that takes no new files instead.
        QString folder = shades;
        QVERIFY(QFile::setPermissions(shades, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(shades).isWritable()) {
            folder = QStringLiteral("/proc");
        }
        runAll(host, {"&wo " + folder, "shadecolorramp 1 9 \"green\" \"white\""});
        Messages messages;
        QCOMPARE(host.RunCommand("shadesave relief", messages), StatusFileError);
        QVERIFY2(messages.last().startsWith("shadesave: cannot write " + folder + "/relief.shd: "),
                 qPrintable(messages.last()));
        QFile::setPermissions(shades, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readFile(path), before);
        QCOMPARE(entries(shades), QStringList{"relief.shd"});

        // A target that cannot be replaced, and a working folder that cannot be made.
        QVERIFY(QDir(shades).mkpath("taken.shd/inside"));
        runAll(host, {"&wo " + shades});
        QCOMPARE(host.RunCommand("shadesave taken", messages), StatusFileError);
        QVERIFY(QFileInfo(shades + "/taken.shd/inside").isDir());
        runAll(host, {"&wo " + path + "/sub"});
        QCOMPARE(host.RunCommand("shadesave relief", messages), StatusFileError);
        QCOMPARE(messages.last(), "shadesave: cannot create folder " + path + "/sub");
    }

    void shouldTraceEveryCallFromTheTool()
    {
        const QString tracePath = m_dir->filePath("trace.txt");
        qputenv("TESSEL_TRACE", tracePath.toUtf8());
        Host host(m_dir->path());
        qunsetenv("TESSEL_TRACE");
        Messages messages;
        host.RunCommand("&s symb = 7", messages);
        host.RunCommand("bogus", messages);
        host.GetVariable("symb");
        QCOMPARE(readFile(tracePath),
                 QByteArray("run\t0\t&s symb = 7\nrun\t1\tbogus\nget\tsymb\t7\n"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TesselHostTest)
#include "tst_tessel_host.moc"

// The Tessel host's commands and scripts: each one's effect, where files go, arguments bound
// from the right, and that a failure changes nothing.
#include "TestFiles.h"
#include "tessel/Host.h"
#include "tessel/Script.h"

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
        QTest::newRow("patch without a symbol") << "patch 0 0 1 1" << "patch: no symbol selected (shadesymbol comes first)";
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
        runAll(host, {"shadecolorramp 1 3 \"red\" \"blue\"", "shadelegend 0 0 1 1", "&s keep = 1"});
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
        runAll(host,
               {"shadecolorramp 1 2 \"snow\" \"thistle\"", "shadesymbol 2",
                "patch .35 2.45 1.35 2.6", "shadelegend 0 0 1 2 1 3", "label .2 .3 my shades"});
        const auto &items = host.drawing().items;
        QCOMPARE(std::get<Patch>(items.at(0)).fill, rgb(216, 191, 216));
        QVERIFY(!std::get<Legend>(items.at(1)).bands.at(2)); // symbol 3 is not defined
        QCOMPARE(std::get<Label>(items.at(2)).text, QStringLiteral("my shades"));
        runAll(host, {"clear"});
        QVERIFY(host.drawing().items.empty());
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

    void shouldBindArgumentsFromTheRight_data()
    {
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("values");
        // clang-format off
        QTest::newRow("one each") << QStringList{"a", "b", "c"} << " x y z" << QStringList{"x", "y", "z"};
        QTest::newRow("first takes the rest") << QStringList{"base", "name", "count"} << " /my  maps/base dir relief 999" << QStringList{"/my maps/base dir", "relief", "999"};
        QTest::newRow("single") << QStringList{"path"} << " a b" << QStringList{"a b"};
        QTest::newRow("none") << QStringList{} << "  " << QStringList{};
        QTest::newRow("quoted word") << QStringList{"base", "name", "count"} << " /my maps \"my relief\" 9" << QStringList{"/my maps", "my relief", "9"};
        QTest::newRow("stray quotes are characters") << QStringList{"a", "b"} << " x\"y \"open" << QStringList{"x\"y", "\"open"};
        // clang-format on
    }

    void shouldBindArgumentsFromTheRight()
    {
        QFETCH(QStringList, parameters);
        QFETCH(QString, arguments);
        QFETCH(QStringList, values);
        const Binding binding = bindArguments(parameters, arguments);
        QVERIFY2(binding.values, qPrintable(binding.error));
        QCOMPARE(*binding.values, values);
    }

    void shouldRefuseTooFewOrUnexpectedArguments()
    {
        QCOMPARE(bindArguments({"path", "count"}, " 0").error,
                 QStringLiteral("expects 2 argument(s) (path count) but got 1"));
        QVERIFY(!bindArguments({}, " stray").values);
        QCOMPARE(substitute("a %x% %y% %%z %x%", {"x", "y"}, {"1", "%x%"}),
                 QStringLiteral("a 1 %x% %%z 1"));
    }

    void shouldStopAtTheFirstFailingLine()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("s.zeb"),
                          "&args n\n! comment\n&s a = %n%\nshadesymbol 5\n&s b = 2\n"));
        Host host(dir.path());
        Messages messages;
        QCOMPARE(host.RunCommand("&r " + dir.filePath("s.zeb") + " 7", messages),
                 qint32(StatusBadArguments));
        QCOMPARE(messages.items(), QStringList{dir.filePath("s.zeb") +
                                               " line 4: shadesymbol: symbol 5 is not defined in "
                                               "the current shadeset"});
        QCOMPARE(host.GetVariable("a"), QStringLiteral("7"));
        QCOMPARE(host.GetVariable("b"), QString());
    }

    void shouldRefuseSelfCallsDeepNestingAndMissingScripts()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("self.zeb"), "&r self.zeb\n"));
        for (int i = 0; i < 9; ++i) {
            QVERIFY(writeFile(dir.filePath(QStringLiteral("n%1.zeb").arg(i)),
                              QStringLiteral("&r n%1.zeb\n").arg(i + 1).toUtf8()));
        }
        QVERIFY(writeFile(dir.filePath("n9.zeb"), "&s deep = yes\n"));
        Host host(dir.path());
        Messages messages;
        QCOMPARE(host.RunCommand("&wo " + dir.path(), messages), qint32(StatusOk));

        QCOMPARE(host.RunCommand("&r self.zeb", messages), qint32(StatusScriptError));
        QCOMPARE(messages.last(), dir.filePath("self.zeb") +
                                      " line 1: &r: " + dir.filePath("self.zeb") + " calls itself");
        QCOMPARE(host.RunCommand("&r n2.zeb", messages), qint32(StatusOk)); // 8 scripts deep
        QCOMPARE(host.GetVariable("deep"), QStringLiteral("yes"));
        QCOMPARE(host.RunCommand("&r n1.zeb", messages), qint32(StatusScriptError)); // 9 deep
        QVERIFY2(messages.last().endsWith("n9.zeb: scripts nested more than 8 deep"),
                 qPrintable(messages.last()));
        QCOMPARE(host.RunCommand("&r gone.zeb 1", messages), qint32(StatusFileError));
        QCOMPARE(messages.last(),
                 "&r: cannot open " + dir.filePath("gone.zeb") + ": No such file or directory");
        QCOMPARE(host.RunCommand("&r n9.zeb extra", messages), qint32(StatusBadArguments));
    }

    // The shipped scripts draw a shadeset whole or leave the drawing as it was. (They draw
    // in the window's tests too, from a base folder with a blank in its name.)
    void shouldDisplayOrKeepTheDrawing()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath("base");
        QVERIFY(copyInstallTree(base));
        Host host(base + "/tools");
        Messages messages;
        const QString script = "&r " + base + "/tools/disp_old_shd.zeb ";
        QCOMPARE(host.RunCommand(script + base + "/shades/elev999.shd 57", messages), StatusOk);
        QCOMPARE(std::get<Legend>(host.drawing().items[0]).bands.size(), std::size_t(57));
        QCOMPARE(std::get<Label>(host.drawing().items[1]).text, QStringLiteral("elev999"));
        for (const QString &bad : {script + base + "/shades/none.shd 57", script + " 0",
                                   "&r " + base + "/tools/dispshd.zeb " + base + " none 9"}) {
            QVERIFY(host.RunCommand(bad, messages) != StatusOk);
            QCOMPARE(host.drawing().items.size(), std::size_t(2));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TesselHostTest)
#include "tst_tessel_host.moc"

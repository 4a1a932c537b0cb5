// The Tessel host's commands: each one's effect, and that a failure changes nothing.
#include "TestFiles.h"
#include "tessel/Host.h"
#include "tessel/ShdFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

namespace {

Rgb rgb(int r, int g, int b)
{
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
               static_cast<std::uint8_t>(b)};
}

// Runs `lines`, failing the test on the first one the host rejects.
void runAll(Host &host, const QStringList &lines)
{
    for (const QString &line : lines) {
        Messages messages;
        const qint32 status = host.RunCommand(line, messages);
        QVERIFY2(status == StatusOk, qPrintable(line + QStringLiteral(" -> ") + messages.last()));
    }
}

} // namespace

class TesselHostTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void shouldFillRampsLinearlyWithBothEnds()
    {
        Host host(m_dir->path());
        runAll(host, {"shadecolorramp 1 5 \"black\" \"white\"",
                      "shadecolorramp 5 5 \"white\" \"#ff0000\"",
                      "shadecolorramp 20 1 \"Royal Blue\" \"red\""});
        const ShadeTable &t = host.shadeTable();
        QCOMPARE(t.color(1), std::optional<Rgb>(rgb(0, 0, 0)));
        QCOMPARE(t.color(2), std::optional<Rgb>(rgb(64, 64, 64)));
        QCOMPARE(t.color(3), std::optional<Rgb>(rgb(128, 128, 128)));
        // The later ramp's first symbol overwrites the earlier ramp's last one.
        QCOMPARE(t.color(5), std::optional<Rgb>(rgb(255, 255, 255)));
        QCOMPARE(t.color(7), std::optional<Rgb>(rgb(255, 128, 128)));
        QCOMPARE(t.color(9), std::optional<Rgb>(rgb(255, 0, 0)));
        QVERIFY(!t.color(10));
        QCOMPARE(t.color(20), std::optional<Rgb>(rgb(65, 105, 225)));
        QCOMPARE(t.total(), 20);

        Messages messages;
        QCOMPARE(host.RunCommand("&s symb = [show shadesymbol total]", messages), StatusOk);
        QCOMPARE(host.GetVariable("symb"), QStringLiteral("20"));
        runAll(host, {"shadedelete ALL", "&s symb = [show shadesymbol total]"});
        QCOMPARE(host.GetVariable("symb"), QStringLiteral("0"));
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown") << "shadeit 1"
                                 << "shadeit: unknown command";
        QTest::newRow("empty") << "   "
                               << "empty command";
        QTest::newRow("ramp missing args") << "shadecolorramp 1 5 \"red\""
                                           << "shadecolorramp: expected 4 arguments but got 3";
        QTest::newRow("ramp extra args") << "shadecolorramp 1 5 \"red\" \"blue\" \"x\""
                                         << "shadecolorramp: expected 4 arguments but got 5";
        QTest::newRow("ramp bad number") << "shadecolorramp 1x 5 \"red\" \"blue\""
                                         << "shadecolorramp: bad number \"1x\"";
        QTest::newRow("ramp unknown colour") << "shadecolorramp 1 5 \"red\" \"bleu\""
                                             << "shadecolorramp: unknown colour \"bleu\"";
        QTest::newRow("ramp blank colour") << "shadecolorramp 1 5 \"   \" \"red\""
                                           << "shadecolorramp: unknown colour \"   \"";
        QTest::newRow("ramp open quote") << "shadecolorramp 1 5 \"red\" \"blue"
                                         << "shadecolorramp: unbalanced quotes";
        QTest::newRow("ramp past the top")
            << "shadecolorramp 32760 10 \"red\" \"blue\""
            << "shadecolorramp: symbols 32760 to 32769 are out of range 1 to 32767";
        QTest::newRow("ramp count 0")
            << "shadecolorramp 5 0 \"red\" \"blue\""
            << "shadecolorramp: symbols 5 to 4 are out of range 1 to 32767";
        QTest::newRow("symbol 0") << "shadesymbol 0"
                                  << "shadesymbol: symbol 0 is out of range 1 to 32767";
        QTest::newRow("symbol undefined")
            << "shadesymbol 400"
            << "shadesymbol: symbol 400 is not defined in the current shadeset";
        QTest::newRow("symbol twice") << "shadesymbol 1 2"
                                      << "shadesymbol: expected 1 arguments but got 2";
        QTest::newRow("patch short") << "patch .35 2.45 1.35"
                                     << "patch: expected 4 arguments but got 3";
        QTest::newRow("patch bad number") << "patch .35 2,45 1.35 2.6"
                                          << "patch: bad number \"2,45\"";
        QTest::newRow("patch huge") << "patch 1 1 1 1e9"
                                    << "patch: bad number \"1e9\"";
        QTest::newRow("clear args") << "clear all"
                                    << "clear: takes no arguments";
        QTest::newRow("delete some") << "shadedelete 5"
                                     << "shadedelete: expected ALL";
        QTest::newRow("legend reversed")
            << "shadelegend 0 0 1 1 9 2"
            << "shadelegend: symbols 9 to 2 are not a range within 1 to 32767";
        QTest::newRow("legend count") << "shadelegend 0 0 1"
                                      << "shadelegend: expected 4 or 6 arguments but got 3";
        QTest::newRow("label no text") << "label 1 2"
                                       << "label: expected X Y TEXT";
        QTest::newRow("set no equals") << "&s symb 5"
                                       << "&s: expected NAME = VALUE";
        QTest::newRow("set bad name") << "&s my var = 5"
                                      << "&s: bad variable name \"my var\"";
        QTest::newRow("wo empty") << "&wo"
                                  << "&wo: missing folder";
        QTest::newRow("load nothing") << "shadeset "
                                      << "shadeset: missing file name";
        QTest::newRow("save nothing") << "shadesave"
                                      << "shadesave: missing shadeset name";
        QTest::newRow("save path") << "shadesave ../x"
                                   << "shadesave: \"../x\" is not a plain file name";
        QTest::newRow("save dotdot") << "shadesave .."
                                     << "shadesave: \"..\" is not a plain file name";
        QTest::newRow("run no script") << "&r dispshd 1 2"
                                       << "&r: expected a .zeb script";
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Host host(m_dir->path());
        runAll(host, {"&wo " + m_dir->path(), "shadecolorramp 1 3 \"red\" \"blue\"",
                      "shadesymbol 2", "patch 0 0 1 1", "&s keep = 1"});
        const ShadeTable table = host.shadeTable();
        const std::size_t items = host.drawing().items.size();

        Messages messages;
        QVERIFY(host.RunCommand(command, messages) != StatusOk);
        QCOMPARE(messages.items(), QStringList{message});
        QVERIFY(host.shadeTable() == table);
        QCOMPARE(host.drawing().items.size(), items);
        QCOMPARE(host.GetVariable("keep"), QStringLiteral("1"));
        QCOMPARE(host.workingFolder(), m_dir->path());
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
        QCOMPARE(host.drawing().items.size(), std::size_t(3));
        const auto &patch = std::get<Patch>(host.drawing().items[0]);
        QCOMPARE(patch.fill, rgb(216, 191, 216));
        QCOMPARE(patch.rect.x1, 0.35);
        QCOMPARE(patch.rect.y2, 2.6);
        const auto &legend = std::get<Legend>(host.drawing().items[1]);
        QCOMPARE(legend.bands.size(), std::size_t(3));
        QVERIFY(!legend.bands[2]); // symbol 3 is not defined
        QCOMPARE(std::get<Label>(host.drawing().items[2]).text, QStringLiteral("my shades"));

        runAll(host, {"clear"});
        QVERIFY(host.drawing().items.empty());
    }

    void shouldSaveAndLoadRoundTrip()
    {
        Host host(m_dir->path());
        const QString shades = m_dir->filePath("new folder/shades");
        runAll(host, {"&wo " + shades, "shadecolorramp 1 500 \"blue\" \"yellow\"",
                      "shadecolorramp 500 500 \"yellow\" \"red\"", "shadesave my relief"});
        const QString path = shades + "/my relief.shd";
        QVERIFY(QFile::exists(path));
        const ShadeTable saved = host.shadeTable();

        runAll(host,
               {"shadedelete ALL", "shadeset my relief.shd", "&s n = [show shadesymbol total]"});
        QVERIFY(host.shadeTable() == saved);
        QCOMPARE(host.shadesetName(), QStringLiteral("my relief"));
        QCOMPARE(host.GetVariable("n"), QStringLiteral("999"));

        runAll(host, {"shadedelete ALL", "shadeset " + path});
        QVERIFY(host.shadeTable() == saved);
    }

    void shouldLookUpRelativeShadesetsInTheWorkingFolderThenItsOwn()
    {
        QVERIFY(QDir(m_dir->path()).mkpath("own"));
        QVERIFY(QDir(m_dir->path()).mkpath("work"));
        Host maker(m_dir->path());
        runAll(maker, {"&wo " + m_dir->filePath("own"), "shadecolorramp 1 1 \"red\" \"red\"",
                       "shadesave palette", "&wo " + m_dir->filePath("work"),
                       "shadecolorramp 1 1 \"blue\" \"blue\"", "shadesave both",
                       "&wo " + m_dir->filePath("own"), "shadesave both"});

        Host host(m_dir->filePath("own"));
        runAll(host, {"&wo " + m_dir->filePath("work"), "shadeset palette.shd"});
        QCOMPARE(host.shadeTable().color(1), std::optional<Rgb>(rgb(255, 0, 0)));
        runAll(host, {"shadeset both.shd"});
        QCOMPARE(host.shadeTable().color(1), std::optional<Rgb>(rgb(0, 0, 255)));
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
        QCOMPARE(QDir(shades).entryList(QDir::Files), QStringList{"relief.shd"});

        // A save whose target cannot be replaced leaves it as it was.
        QVERIFY(QDir(shades).mkpath("taken.shd/inside"));
        runAll(host, {"&wo " + shades});
        QCOMPARE(host.RunCommand("shadesave taken", messages), StatusFileError);
        QVERIFY(QFileInfo(shades + "/taken.shd/inside").isDir());

        // A working folder that cannot be made.
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
        QFile trace(tracePath);
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QCOMPARE(trace.readAll(), QByteArray("run\t0\t&s symb = 7\nrun\t1\tbogus\nget\tsymb\t7\n"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TesselHostTest)
#include "tst_tessel_host.moc"

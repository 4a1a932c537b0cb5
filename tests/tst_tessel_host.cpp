// The Tessel host: its commands and scripts, each one's effect, where files go, arguments
// bound from the right, that a failure changes nothing; the .shd reader and writer and the
// colour names.
#include "TesselRun.h"
#include "TestFiles.h"
#include "tessel/colour/Check.h"
#include "tessel/colour/Perceptual.h"
#include "tessel/language/Host.h"
#include "tessel/language/Script.h"
#include "tessel/table/ColorNames.h"
#include "tessel/table/ShdFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tessel;

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
        QCOMPARE(run(host,
                     "shadecolorramp 1 5 \"black\" \"white\";shadecolorramp 5 5 \"white\" "
                     "\"#ff0000\";shadecolorramp 20 1 \"Royal Blue\" \"red\";shadesave ramps"),
                 QString());
        // Symbol 5 takes the later ramp's first colour.
        QCOMPARE(describe(host.shadeTable()),
                 QStringLiteral("1:0,0,0 2:64,64,64 3:128,128,128 4:191,191,191 5:255,255,255 "
                                "6:255,191,191 7:255,128,128 8:255,64,64 9:255,0,0 20:65,105,225"));
        QCOMPARE(run(host, "&s n = [show shadesymbol total] [show shadeset name]"), QString());
        QCOMPARE(host.GetVariable("n"), QStringLiteral("20 ramps"));
        QCOMPARE(run(host, "shadedelete ALL;&s n = [show shadesymbol total] [show shadeset name]"),
                 QString());
        QCOMPARE(host.GetVariable("n"), QStringLiteral("0 ")); // a new table has no name
    }

    // .rampspace picks the space of the ramps that follow: the middle of red to blue.
    void shouldRampInTheSpaceNamed_data()
    {
        QTest::addColumn<QString>("space");
        QTest::addColumn<QString>("ramp"); // or the refusal
        // clang-format off
        QTest::newRow("unset") << "" << "1:255,0,0 2:128,0,128 3:0,0,255";
        QTest::newRow("rgb") << "RGB" << "1:255,0,0 2:128,0,128 3:0,0,255";
        QTest::newRow("lab") << "lab" << "1:255,0,0 2:202,0,136 3:0,0,255";
        QTest::newRow("oklab") << "Oklab" << "1:255,0,0 2:140,83,162 3:0,0,255";
        QTest::newRow("unknown") << "hsv" << "&s .rampspace = hsv -> &s: .rampspace must be rgb, lab or oklab, not \"hsv\"";
        // clang-format on
    }

    void shouldRampInTheSpaceNamed()
    {
        QFETCH(QString, space);
        Host host(m_dir->path());
        const QString refused =
            run(host, "&s .rampspace = " + space + ";shadecolorramp 1 3 \"red\" \"blue\"");
        QTEST(refused.isEmpty() ? describe(host.shadeTable()) : refused, "ramp");
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("unknown") << "shadeit 1" << "shadeit: unknown command";
        QTest::newRow("ramp missing args") << "shadecolorramp 1 5 \"red\"" << "shadecolorramp: expected 4 arguments but got 3";
        QTest::newRow("ramp bad number") << "shadecolorramp 1x 5 \"red\" \"blue\"" << "shadecolorramp: bad number \"1x\"";
        QTest::newRow("ramp unknown colour") << "shadecolorramp 1 5 \"red\" \"bleu\"" << "shadecolorramp: unknown colour \"bleu\"";
        QTest::newRow("ramp blank colour") << "shadecolorramp 1 5 \"   \" \"red\"" << "shadecolorramp: unknown colour \"   \"";
        QTest::newRow("ramp open quote") << "shadecolorramp 1 5 \"red\" \"blue" << "shadecolorramp: unbalanced quotes";
        QTest::newRow("ramp past the top") << "shadecolorramp 32760 10 \"red\" \"blue\"" << "shadecolorramp: symbols 32760 to 32769 are out of range 1 to 32767";
        QTest::newRow("symbol 0") << "shadesymbol 0" << "shadesymbol: symbol 0 is out of range 1 to 32767";
        QTest::newRow("symbol undefined") << "shadesymbol 400" << "shadesymbol: symbol 400 is not defined in the current shadeset";
        QTest::newRow("patch without a symbol") << "patch 0 0 1 1" << "patch: no symbol selected (shadesymbol comes first)";
        QTest::newRow("patch short") << "patch .35 2.45 1.35" << "patch: expected 4 arguments but got 3";
        QTest::newRow("patch bad number") << "patch .35 2,45 1.35 2.6" << "patch: bad number \"2,45\"";
        QTest::newRow("clear args") << "clear all" << "clear: takes no arguments";
        QTest::newRow("delete some") << "shadedelete 5" << "shadedelete: expected ALL";
        QTest::newRow("legend reversed") << "shadelegend 0 0 1 1 9 2" << "shadelegend: symbols 9 to 2 are not a range within 1 to 32767";
        QTest::newRow("label no text") << "label 1 2" << "label: expected X Y TEXT";
        QTest::newRow("set no equals") << "&s symb 5" << "&s: expected NAME = VALUE";
        QTest::newRow("set bad name") << "&s my var = 5" << "&s: bad variable name \"my var\"";
        QTest::newRow("set misspelt") << "&s .importsymbls = 5" << "&s: unknown variable .importsymbls (did you mean .importsymbols?)";
        QTest::newRow("set in capitals") << "&s .RAMPSPACE = lab" << "&s: unknown variable .RAMPSPACE (did you mean .rampspace?)";
        QTest::newRow("wo empty") << "&wo" << "&wo: missing folder";
        QTest::newRow("wo missing") << "&wo /no/typo/deep" << "&wo: the folder /no/typo/deep does not exist";
        QTest::newRow("wo file") << "&wo " HUEWRIGHT_STAGE "/tools/dispshd.zeb" << "&wo: " HUEWRIGHT_STAGE "/tools/dispshd.zeb is not a folder";
        QTest::newRow("rampspace") << "&s .rampspace = bogus" << "&s: .rampspace must be rgb, lab or oklab, not \"bogus\"";
        QTest::newRow("importsymbols") << "&s .importsymbols = 40000" << "&s: .importsymbols must be a whole number from 1 to 32767, not \"40000\"";
        QTest::newRow("importdata") << "&s .importdata = 1 0" << "&s: .importdata must be two numbers, ZMIN ZMAX, the first below the second, not \"1 0\"";
        QTest::newRow("symbol, one argument") << "shadesymbol" << "shadesymbol: expected 1 argument but got 0";
        QTest::newRow("equalize how") << "shadeequalize even" << "shadeequalize: expected perceptual or lightness, not \"even\"";
        QTest::newRow("equalize a turn") << "shadeequalize lightness" << "shadeequalize: the lightness turns back by 2.5 L*, from symbol 3 on: a straight lightness cannot be made from it without changing its colours' order";
        QTest::newRow("reverse what") << "shadereverse all" << "shadereverse: takes no arguments";
        QTest::newRow("importcut") << "&s .importcut = 5 1" << "&s: .importcut must be ZLO ZHI, each a number or - for the palette's own end, ZLO below ZHI, not \"5 1\"";
        QTest::newRow("importhinge") << "&s .importhinge = 0" << "&s: .importhinge must be a symbol number from 1 to 32767, not \"0\"";
        QTest::newRow("export into a folder") << "shadeexport cpt out/" << "shadeexport: out/ names a folder, not a file";
        QTest::newRow("load nothing") << "shadeset " << "shadeset: missing file name";
        QTest::newRow("run no script") << "&r dispshd 1 2" << "&r: expected a .zeb script";
        QTest::newRow("export unknown") << "shadeexport png x.png" << "shadeexport: unknown format \"png\" (cpt, gdal, grass, ncl, qgis, paraview, svg, ggr, gnuplot, qgiscolormap, qml or maplibre)";
        QTest::newRow("export no file") << "shadeexport cpt" << "shadeexport: missing file name";
        QTest::newRow("save nothing") << "shadesave" << "shadesave: missing shadeset name";
        QTest::newRow("save path") << "shadesave ../x" << "shadesave: the shadeset name cannot hold the character \"/\"";
        // clang-format on
    }

    void shouldRejectBadCommandsWithOneMessageAndNoChange()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Host host(m_dir->path());
        QCOMPARE(run(host, "shadecolorramp 1 3 \"red\" \"blue\";shadelegend 0 0 1 1;&s keep = 1"),
                 QString());
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

    // shadeequalize moves the colours between the ends, which stay, as do the symbol count
    // and the name; a gap inside the table is refused, and neither it nor shadereverse takes
    // an empty table. (How even it makes the steps: the
    // colour-science check, by lcms2.)
    void shouldEqualizeBetweenTheEnds()
    {
        Host host(m_dir->path());
        QCOMPARE(refusal(host, "shadereverse"), "shadereverse: the shade table is empty");
        QCOMPARE(run(host, "shadecolorramp 1 40 \"navy\" \"white\";shadecolorramp 40 60 "
                           "\"white\" \"red\";shadesave t;shadeequalize perceptual"),
                 QString());
        const ShadeTable even = host.shadeTable();
        QCOMPARE(even.total(), 99);
        QCOMPARE(describe(even).section(' ', 0, 0), QStringLiteral("1:0,0,128"));
        QCOMPARE(describe(even).section(' ', -1), QStringLiteral("99:255,0,0"));
        QVERIFY(even.color(40) != (Rgb{255, 255, 255})); // white has moved towards navy
        QCOMPARE(host.shadesetName(), QStringLiteral("t"));
        // Even to within a tenth on a three-colour Create of 999 symbols (three rounds; two
        // leave 1.14).
        Host create(m_dir->path());
        QCOMPARE(run(create, "shadecolorramp 1 500 \"white\" \"magenta\";shadecolorramp 500 500 "
                             "\"magenta\" \"yellow\";shadeequalize perceptual"),
                 QString());
        const std::optional<double> evenness =
            checkTable("create", create.shadeTable())->figures[0].evenness;
        QVERIFY2(evenness && *evenness <= 1.1, qPrintable(QString::number(evenness.value_or(0))));
        QCOMPARE(run(host, "shadecolorramp 120 1 \"red\" \"red\""), QString());
        QCOMPARE(refusal(host, "shadeequalize perceptual"),
                 "shadeequalize: symbol 100 is undefined between symbols 1 and 120: only a table "
                 "without gaps can be equalized");
    }

    // Figures that colorspacious gives (CIELAB of sRGB, D65; Machado's simulation at
    // severity 1, in linear light), kept here so that a machine without it still checks them;
    // and the colours the equaliser gives a table that ends in a flat run, whose steps of
    // nothing are floored (recorded once; without the floor they turn black).
    void shouldAgreeWithTheOraclesFigures()
    {
        const auto near = [](const Vec3 &a, const Vec3 &b, double room) {
            return std::abs(a[0] - b[0]) <= room && std::abs(a[1] - b[1]) <= room &&
                   std::abs(a[2] - b[2]) <= room;
        };
        const Rgb green{0x1f, 0x6b, 0x34};
        const Rgb gold{0xff, 0xd7, 0x00};
        QVERIFY(near(linearToLab(toLinear(Rgb{255, 255, 255})), {100, 0, 0}, 0.02));
        QVERIFY(near(linearToLab(toLinear(green)), {39.6716, -36.1008, 24.1621}, 0.02));
        QVERIFY(near(linearToLab(toLinear(gold)), {86.9269, -1.9205, 87.1384}, 0.02));
        QVERIFY(near(simulate(Deficiency::Protanopia, toLinear(green)), {0.14981, 0.12058, 0.02900},
                     1e-3));
        QVERIFY(
            near(simulate(Deficiency::Protanopia, toLinear(gold)), {0.86756, 0.64881, 0}, 1e-3));
        QVERIFY(near(simulate(Deficiency::Deuteranopia, toLinear(green)),
                     {0.12374, 0.10434, 0.03942}, 1e-3));
        QVERIFY(near(simulate(Deficiency::Deuteranopia, toLinear(gold)),
                     {0.95217, 0.73708, 0.01736}, 1e-3));
        Host host(m_dir->path());
        QCOMPARE(run(host, "shadecolorramp 1 6 \"red\" \"blue\";shadecolorramp 6 4 \"blue\" "
                           "\"blue\";shadeequalize perceptual"),
                 QString());
        QCOMPARE(describe(host.shadeTable()),
                 QStringLiteral("1:255,0,0 2:226,0,36 3:200,0,55 4:182,0,75 5:162,0,95 "
                                "6:142,0,118 7:115,0,143 8:82,0,183 9:0,0,255"));
    }

    // The backtrack is of L*, grey against grey: white, then mid grey, falls by 50.
    void shouldFindWhereLightnessTurnsBack()
    {
        ShadeTable table;
        for (const auto &[symbol, level] : {std::pair{1, 0}, {2, 255}, {3, 119}, {4, 255}}) {
            table.set(symbol, Rgb{std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)});
        }
        const core::Result<CheckReport> report = checkTable("dip", table);
        QVERIFY(report);
        QVERIFY(std::abs(report->figures[0].backtrack - 50) < 0.1);
        QCOMPARE(report->figures[0].turnsBackAt, 3);
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
        QCOMPARE(run(host, "&wo work;shadeset palette.shd"), QString());
        QCOMPARE(host.workingFolder(), work);
        QCOMPARE(describe(host.shadeTable()), QStringLiteral("1:255,0,0"));
        QVERIFY(writeFile(work + "/sub dir/t.zeb", "&s quoted = yes\n"));
        QCOMPARE(run(host, "shadeset :both.shd;&r s.zeb;&r \"sub dir/t.zeb\";shadeexport cpt "
                           ":out.cpt;shadesave relief"),
                 QString());
        QCOMPARE(host.GetVariable("quoted"), QStringLiteral("yes"));
        QCOMPARE(describe(host.shadeTable()), QStringLiteral("1:0,0,255"));
        QCOMPARE(host.GetVariable("ran"), QStringLiteral("yes"));
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(entries(work),
                 (QStringList{":both.shd", ":out.cpt", "relief.shd", "s.zeb", "sub dir"}));
        QCOMPARE(entries(current), QStringList{});
    }

    // A save that cannot be made keeps what is there. (Failing disks: tst_saves.)
    void shouldKeepTheEarlierFileWhenASaveFails()
    {
        const QString shades = m_dir->filePath("shades");
        QVERIFY(QDir().mkpath(shades));
        Host host(m_dir->path());
        QCOMPARE(
            run(host, "&wo " + shades + ";shadecolorramp 1 2 \"red\" \"blue\";shadesave relief"),
            QString());
        const QString path = shades + "/relief.shd";
        const QByteArray before = readFile(path);
        // An empty table, say after a failed import, never wipes a good file.
        QCOMPARE(run(host, "shadedelete ALL"), QString());
        QCOMPARE(refusal(host, "shadesave relief"),
                 "shadesave: the shade table is empty; nothing to save");
        QCOMPARE(readFile(path), before);
        // A target that cannot be replaced, and a working folder that cannot be made.
        QVERIFY(QDir(shades).mkpath("taken.shd/inside"));
        QCOMPARE(run(host, "shadecolorramp 1 9 \"green\" \"white\""), QString());
        QCOMPARE(refusal(host, "shadesave taken"),
                 "shadesave: cannot write " + shades + "/taken.shd: Is a directory");
        QVERIFY(QFileInfo(shades + "/taken.shd/inside").isDir());
        // A read-only file stays, also for root.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        QCOMPARE(refusal(host, "shadesave relief"),
                 "shadesave: cannot write " + path + ": Permission denied");
        QCOMPARE(readFile(path), before);
        QCOMPARE(entries(shades), (QStringList{"relief.shd", "taken.shd"}));
    }

    void shouldBindArgumentsFromTheRight_data()
    {
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("values");
        // clang-format off
        QTest::newRow("one each") << QStringList{"a", "b", "c"} << " x y z" << QStringList{"x", "y", "z"};
        QTest::newRow("first takes the rest") << QStringList{"base", "name", "count"} << " /my  maps/base dir relief 999" << QStringList{"/my maps/base dir", "relief", "999"};
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
        const core::Result<QStringList> bound = bindArguments(parameters, arguments);
        QVERIFY2(bound, qPrintable(bound.error()));
        QCOMPARE(*bound, values);
    }

    // One pass: a value that holds %NAME% is left as it is.
    void shouldSubstituteInOnePass()
    {
        QCOMPARE(substitute("a %x% %y% %%z %x%", {"x", "y"}, {"1", "%x%"}),
                 QStringLiteral("a 1 %x% %%z 1"));
    }

    void shouldStopAtTheFirstFailingLine()
    {
        QVERIFY(writeFile(m_dir->filePath("s.zeb"),
                          "&args n\n! comment\n&s a = %n%\nshadesymbol 5\n&s b = 2\n"));
        Host host(m_dir->path());
        QCOMPARE(refusal(host, "&r s.zeb 7"),
                 m_dir->filePath("s.zeb") +
                     " line 4: shadesymbol: symbol 5 is not defined in the current shadeset");
        QCOMPARE(host.GetVariable("a"), QStringLiteral("7"));
        QCOMPARE(host.GetVariable("b"), QString());
    }

    void shouldRefuseSelfCallsDeepNestingAndMissingScripts()
    {
        const QString dir = m_dir->path() + '/';
        QVERIFY(writeFile(dir + "self.zeb", "&r self.zeb\n"));
        for (int i = 0; i < 9; ++i) {
            QVERIFY(writeFile(dir + QStringLiteral("n%1.zeb").arg(i),
                              QStringLiteral("&r n%1.zeb\n").arg(i + 1).toUtf8()));
        }
        QVERIFY(writeFile(dir + "n9.zeb", "&s deep = yes\n"));
        Host host(m_dir->path());
        QCOMPARE(refusal(host, "&r self.zeb"),
                 dir + "self.zeb line 1: &r: " + dir + "self.zeb calls itself");
        QCOMPARE(run(host, "&r n2.zeb"), QString()); // 8 scripts deep
        QCOMPARE(host.GetVariable("deep"), QStringLiteral("yes"));
        QVERIFY(
            refusal(host, "&r n1.zeb").endsWith("n9.zeb: scripts nested more than 8 deep")); // 9
        // However shallow, scripts that call scripts many times over stop at a bound on
        // their work: here 3 levels of 10 lines would run 1110 commands.
        for (const auto &[name, line] :
             {std::pair{"wide.zeb", "&r wider.zeb\n"}, std::pair{"wider.zeb", "&r widest.zeb\n"},
              std::pair{"widest.zeb", "clear\n"}}) {
            QVERIFY(writeFile(dir + name, QByteArray(line).repeated(10)));
        }
        Host busy(m_dir->path(), HostOptions{{}, {}, 1000});
        QVERIFY(refusal(busy, "&r wide.zeb")
                    .endsWith("&r: scripts ran more than 1000 commands; stopped"));
        QCOMPARE(run(busy, "&r wider.zeb"), QString()); // 110: a new call starts afresh
        QCOMPARE(refusal(host, "&r gone.zeb 1"),
                 "&r: cannot open " + dir + "gone.zeb: No such file or directory");
        QCOMPARE(refusal(host, "&r n9.zeb extra"),
                 "&r: " + dir + "n9.zeb expects no arguments but got 1");
    }

    // The shipped scripts draw a shadeset whole or leave the drawing as it was. (They draw
    // in the window's tests too, from a base folder with a blank in its name.)
    void shouldDisplayOrKeepTheDrawing()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath("base");
        QVERIFY(copyInstallTree(base));
        Host host(base + "/tools");
        const QString script = "&r " + base + "/tools/disp_old_shd.zeb ";
        QCOMPARE(run(host, script + base + "/shades/elev999.shd 57"), QString());
        QCOMPARE(std::get<Legend>(host.drawing().items[0]).bands.size(), std::size_t(57));
        for (const QString &bad : {script + base + "/shades/none.shd 57", script + " 0",
                                   "&r " + base + "/tools/dispshd.zeb " + base + " none 9"}) {
            QVERIFY(refusal(host, bad) != "succeeded");
            QCOMPARE(host.drawing().items.size(), std::size_t(2));
        }
    }

    void shouldReadWhatItWrites()
    {
        ShadeTable table;
        table.set(1, Rgb{0, 0, 255});
        table.set(2, Rgb{1, 2, 253});
        table.set(999, Rgb{255, 255, 255});
        const QByteArray text = formatShd("relief", table);
        QVERIFY(text.startsWith("TESSEL SHADESET 1\nname relief\nsymbols 999\n1 0 0 255\n2 1 2 "
                                "253\n999 255 255 255\n"));
        const core::Result<Shadeset> read = parseShd(text, "relief.shd");
        QVERIFY2(read && read->name == "relief" && read->table == table, qPrintable(read.error()));
        // Comments, blank lines and CRLF are read past.
        const core::Result<Shadeset> crlf =
            parseShd("# made by hand\r\nTESSEL SHADESET 1\r\n\r\nname my shades\r\nsymbols 3\r\n"
                     "# the top one\r\n3 10 20 30\r\n",
                     "x.shd");
        QVERIFY2(crlf, qPrintable(crlf.error()));
        QCOMPARE(crlf->name + ' ' + describe(crlf->table), QStringLiteral("my shades 3:10,20,30"));
    }

    void shouldRejectMalformedFilesNamingTheLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        const QByteArray head = "TESSEL SHADESET 1\nname n\nsymbols 5\n";
        // clang-format off
        QTest::newRow("no header") << QByteArray("name n\n") << "f.shd line 1: not a shadeset file (expected \"TESSEL SHADESET 1\")";
        QTest::newRow("version") << QByteArray("TESSEL SHADESET 2\n") << "f.shd line 1: unsupported version \"2\"";
        QTest::newRow("no name") << QByteArray("TESSEL SHADESET 1\nsymbols 5\n") << "f.shd line 2: expected the \"name\" line";
        QTest::newRow("bad total") << QByteArray("TESSEL SHADESET 1\nname n\nsymbols 40000\n") << "f.shd line 3: bad symbol total \"40000\"";
        QTest::newRow("short entry") << head + "1 2 3\n" << "f.shd line 4: expected \"number red green blue\"";
        QTest::newRow("red") << head + "1 256 3 4\n" << "f.shd line 4: bad colour channel \"256\"";
        QTest::newRow("blue") << head + "1 2 3 999\n" << "f.shd line 4: bad colour channel \"999\"";
        QTest::newRow("long entry") << head + "1 2 3 4 5\n" << "f.shd line 4: expected \"number red green blue\"";
        QTest::newRow("negative") << head + "1 -2 3 4\n" << "f.shd line 4: bad colour channel \"-2\"";
        QTest::newRow("symbol zero") << head + "0 2 3 4\n" << "f.shd line 4: bad symbol number \"0\"";
        QTest::newRow("duplicate") << head + "1 2 3 4\n\n1 2 3 4\n" << "f.shd line 6: symbol 1 is out of order or repeated";
        QTest::newRow("unordered") << head + "3 2 3 4\n2 2 3 4\n" << "f.shd line 5: symbol 2 is out of order or repeated";
        QTest::newRow("above total") << head + "6 2 3 4\n" << "f.shd line 4: symbol 6 is above the total 5";
        QTest::newRow("total too high") << head + "4 2 3 4\n" << "f.shd: the total says 5 symbols but the highest symbol is 4";
        QTest::newRow("empty") << QByteArray() << "f.shd: incomplete shadeset file";
        QTest::newRow("oversized") << QByteArray(kMaxShdBytes + 1, '#') << "f.shd: larger than 1 MiB";
        QTest::newRow("escape in the name") << QByteArray("TESSEL SHADESET 1\nname a\x1b[31mb\nsymbols 1\n") << "f.shd line 2: the name holds the control character U+001B";
        // clang-format on
    }

    void shouldRejectMalformedFilesNamingTheLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QCOMPARE(parseShd(text, "f.shd").error(), error);
    }

    // A missing file, a folder and a pipe (refused without waiting for a writer; scripts are
    // read alike) load as nothing; a bad file's refusals are tst_tessel_formats'.
    void shouldKeepTheCurrentShadesetWhenALoadFails()
    {
        QTemporaryDir dir;
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.shd")).constData(), 0600), 0);
        Host host(dir.path());
        QCOMPARE(run(host, "shadecolorramp 1 4 \"red\" \"blue\""), QString());
        const ShadeTable before = host.shadeTable();
        const QString path = dir.path() + '/';
        // clang-format off
        for (const auto &[command, message] : std::initializer_list<std::pair<QString, QString>>{
                 {"shadeset missing.shd", "shadeset: cannot open " + path + "missing.shd: No such file or directory"},
                 {"shadeset .", "shadeset: cannot open " + dir.path() + ": not a file"},
                 {"shadeset pipe.shd", "shadeset: cannot open " + path + "pipe.shd: not a file"}}) {
            // clang-format on
            QCOMPARE(refusal(host, command), message);
        }
        QVERIFY(host.shadeTable() == before);
    }

    void shouldKnowTheClassicColourNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rgb");
        // clang-format off
        QTest::newRow("X11 gray is not web gray") << "gray" << 0xbebebe;
        QTest::newRow("grey") << "light grey" << 0xd3d3d3;
        QTest::newRow("blanks and case") << "  Light GoldenRod " << 0xeedd82;
        QTest::newRow("run together") << "lightgoldenrod" << 0xeedd82;
        QTest::newRow("second form") << "corn silk" << 0xfff8dc;
        QTest::newRow("grayo") << "grayo" << 0x000000;
        QTest::newRow("hex") << "#1F6b34" << 0x1f6b34;
        QTest::newRow("navy blue") << "navy blue" << 0x000080;
        QTest::newRow("NavyBlue") << "NavyBlue" << 0x000080;
        QTest::newRow("a shade X11 rounds by hand") << "HotPink3" << 0xcd6090;
        // clang-format on
    }

    void shouldKnowTheClassicColourNames()
    {
        QFETCH(QString, text);
        QFETCH(int, rgb);
        const auto color = lookupColor(text);
        QVERIFY(color);
        QCOMPARE((color->red << 16) | (color->green << 8) | color->blue, rgb);
    }

    // Every name of X11's own list, as it stands there and run together in lower case.
    void shouldKnowEveryNameOfX11()
    {
        QFile list("/usr/share/X11/rgb.txt");
        if (!list.open(QIODevice::ReadOnly)) {
            QSKIP("X11's colour list is not installed (Debian package x11-common)");
        }
        int names = 0;
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QList<QByteArray> w = line.simplified().split(' ');
            if (w.size() < 4 || line.startsWith('!')) {
                continue;
            }
            const QString name = QString::fromLatin1(w.mid(3).join(' '));
            for (const QString &text : {name, name.toLower().remove(' ')}) {
                const auto c = lookupColor(text);
                QVERIFY2(c && c->red == w[0].toInt() && c->green == w[1].toInt() &&
                             c->blue == w[2].toInt(),
                         qPrintable(text));
            }
            ++names;
        }
        QVERIFY(names > 700);
    }

    void shouldRejectWhatIsNoColour()
    {
        for (const char *text :
             {"", "   ", "bleu", "#12345", "#1234567", "#12345g", "#+12345", "grayish"}) {
            QVERIFY2(!lookupColor(QString::fromUtf8(text)), text);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TesselHostTest)
#include "tst_tessel_host.moc"

// Palettes of other mapping programs, in both directions: what Tessel writes for each (the
// exact texts, what a format cannot carry), what it reads (its own exports back as they
// were, other palettes sampled as their programs colour them, a bad file refused with one
// message and no change), and tesselcmd. The programs themselves check the files in
// tests/programs.
#include "TesselRun.h"
#include "TestFiles.h"
#include "tessel/grid/Grid.h"
#include "tessel/language/Host.h"

#include <QImage>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

class TesselFormatsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        HostOptions options;
        options.gridLibrary = tesselGridLibrary();
        m_host = std::make_unique<Host>(m_dir->path(), options);
    }

    // Symbols 1 and 2, then 5: a run of two undefined symbols between.
    void shouldWriteEachFormat_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        // The data tag is the format.
        // clang-format off
        QTest::newRow("cpt") << "small.cpt" << QByteArray("# NAME = small\n# A Tessel shadeset as a GMT colour palette table\n# COLOR_MODEL = RGB\n" "1\t0/0/0\t2\t0/0/0\n2\t255/255/255\t3\t255/255/255\n3\t-\t5\t-\n5\t255/0/0\t6\t255/0/0\nB\t0/0/0\nF\t255/0/0\nN\t128/128/128\n");
        QTest::newRow("gdal") << "small.txt" << QByteArray("# NAME = small\n1 0 0 0 255\n2 255 255 255 255\n3 255 255 255 0\n4 255 255 255 0\n5 255 0 0 255\nnv 0 0 0 0\n");
        QTest::newRow("qgis") << "small.xml" << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE qgis_style>\n<qgis_style version=\"2\">\n    <symbols/>\n    <colorramps>\n" "        <colorramp type=\"gradient\" name=\"small\">\n            <prop k=\"color1\" v=\"0,0,0,255\"/>\n            <prop k=\"color2\" v=\"255,0,0,255\"/>\n" "            <prop k=\"discrete\" v=\"0\"/>\n            <prop k=\"rampType\" v=\"gradient\"/>\n" "            <prop k=\"stops\" v=\"0.25;255,255,255,255:0.5;255,255,255,0:0.75;255,255,255,0\"/>\n" "            <prop k=\"info_tessel_first\" v=\"1\"/>\n            <prop k=\"info_tessel_last\" v=\"5\"/>\n        </colorramp>\n    </colorramps>\n</qgis_style>\n");
        QTest::newRow("paraview") << "small.json" << QByteArray("[{\"ColorSpace\":\"RGB\",\"Discretize\":1,\"Name\":\"small\",\"NanColor\":[0.5,0.5,0.5],\"NumberOfTableValues\":5," "\"RGBPoints\":[0,0,0,0,0.25,1,1,1,0.875,1,1,1,1,1,0,0],\"TesselSymbols\":[1,5]}]\n");
        QTest::newRow("grass") << "small.rules" << QByteArray("# NAME = small\n1 0:0:0\n2 255:255:255\n4.5 255:255:255\n5 255:0:0\n");
        QTest::newRow("ggr") << "small.ggr" << QByteArray("GIMP Gradient\nName: small\n4\n0 0.125 0.25 0 0 0 1 1 1 1 1 0 0\n0.25 0.375 0.5 1 1 1 1 1 1 1 0 0 0\n0.5 0.625 0.75 1 1 1 0 1 1 1 0 0 0\n0.75 0.875 1 1 1 1 0 1 0 0 1 0 0\n# Tessel symbols 1 5\n");
        QTest::newRow("gnuplot") << "small.gpf" << QByteArray("# NAME = small\n# A Tessel shadeset as a gnuplot palette\n1 0 0 0\n2 1 1 1\n4.5 1 1 1\n5 1 0 0\n");
        QTest::newRow("qgiscolormap") << "small.txt" << QByteArray("# QGIS Generated Color Map Export File\n# NAME = small\nINTERPOLATION:INTERPOLATED\n1,0,0,0,255,1\n2,255,255,255,255,2\n3,255,255,255,0,3\n4,255,255,255,0,4\n5,255,0,0,255,5\n");
        QTest::newRow("maplibre") << "small.json" << QByteArray("{\n  \"id\": \"small\",\n  \"type\": \"color-relief\",\n  \"source\": \"dem\",\n  \"paint\": {\n    \"color-relief-color\": [\n      \"interpolate\", [\"linear\"], [\"elevation\"],\n      1, \"#000000\",\n      2, \"#ffffff\",\n      3, \"rgba(255, 255, 255, 0)\",\n      4, \"rgba(255, 255, 255, 0)\",\n      5, \"#ff0000\"\n    ]\n  }\n}\n");
        QTest::newRow("svg") << "small.svg" << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:tessel=\"http://tessel.invalid/shadeset\" version=\"1.1\" width=\"300\" height=\"45\" viewBox=\"0 0 300 45\">\n    <title>small</title>\n" "    <linearGradient id=\"shadeset\" tessel:first=\"1\" tessel:last=\"5\">\n        <stop offset=\"0\" stop-color=\"#000000\"/>\n        <stop offset=\"0.25\" stop-color=\"#ffffff\"/>\n" "        <stop offset=\"0.5\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n        <stop offset=\"0.75\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n        <stop offset=\"1\" stop-color=\"#ff0000\"/>\n    </linearGradient>\n" "    <rect width=\"300\" height=\"45\" fill=\"url(#shadeset)\"/>\n</svg>\n");
        // clang-format on
    }

    void shouldWriteEachFormat()
    {
        QFETCH(QString, file);
        QCOMPARE(run(*m_host, "shadecolorramp 1 2 \"black\" \"white\";shadecolorramp 5 1 \"red\" "
                              "\"red\";shadesave small"),
                 QString());
        QCOMPARE(run(*m_host, "shadeexport " + QLatin1String(QTest::currentDataTag()) + " " + file),
                 QString());
        QTEST(readFile(m_dir->filePath(file)), "text");
    }

    // QGIS and SVG place a stop by its offset alone: each must be its symbol's own place to
    // the last bit a double holds, or a long table drifts off its symbols.
    void shouldPlaceGradientStopsExactly()
    {
        QCOMPARE(run(*m_host, "shadecolorramp 5 995 \"navy\" \"snow\""), QString());
        for (const auto &[format, offsets] :
             {std::pair{"qgis", "[\":]([^\":;]+);"}, std::pair{"svg", "offset=\"([^\"]+)\""}}) {
            QCOMPARE(run(*m_host, QStringLiteral("shadeexport %1 s").arg(format)), QString());
            const QString text = QString::fromUtf8(readFile(m_dir->filePath("s")));
            int count = 0;
            for (auto it = QRegularExpression(offsets).globalMatch(text); it.hasNext(); ++count) {
                const double offset = it.next().captured(1).toDouble(); // of symbols 5 to 999
                QVERIFY2(std::abs(offset - std::round(offset * 994) / 994) <= 1e-15,
                         qPrintable(QString::number(offset, 'g', 17)));
            }
            QVERIFY(count >= 993);
        }
    }

    // Help and the version go to standard output with status 0; a usage error goes to
    // standard error with the usage and status 2. (A failing command gives 1: above.)
    void shouldAnswerOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        // clang-format off
        QTest::newRow("help") << QStringList{"--help"} << 0 << "usage: tesselcmd [--set NAME=VALUE ...] [--png FILE --size WxH] [COMMANDFILE ...]\n";
        QTest::newRow("h") << QStringList{"x.tsl", "-h"} << 0 << "usage: tesselcmd [--set NAME=VALUE ...] [--png FILE --size WxH] [COMMANDFILE ...]\n";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "tesselcmd " HUEWRIGHT_VERSION "\n";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "tesselcmd: unknown option --frobnicate\nusage: tesselcmd";
        QTest::newRow("json alone") << QStringList{"--json", "a.shd"} << 2 << "tesselcmd: --json goes with --check\nusage: tesselcmd";
        QTest::newRow("unknown format") << QStringList{"--export", "xyz", "a", "b"} << 2 << "tesselcmd: unknown format \"xyz\" (cpt, gdal, grass, ncl, qgis, paraview, svg, ggr, gnuplot, qgiscolormap, qml or maplibre)\nusage: tesselcmd";
        QTest::newRow("malformed set") << QStringList{"--set", "x", "--check", "a"} << 2 << "tesselcmd: bad --set \"x\" (expected NAME=VALUE)\nusage: tesselcmd";
        QTest::newRow("refused set") << QStringList{"--set", ".importsymbols=0", "--check", "a"} << 2 << "tesselcmd: --set .importsymbols=0: &s: .importsymbols must be a whole number from 1 to 32767, not \"0\"\nusage: tesselcmd";
        QTest::newRow("equalize how") << QStringList{"--equalize", "even", "--check", "a"} << 2 << "tesselcmd: --equalize takes perceptual or lightness, not \"even\"\nusage: tesselcmd";
        QTest::newRow("equalize what") << QStringList{"--equalize", "lightness", "a.tsl"} << 2 << "tesselcmd: --equalize goes with --export, --check or --relief\nusage: tesselcmd";
        QTest::newRow("too big") << QStringList{"--png", "a.png", "--size", "20000x20000"} << 2 << "tesselcmd: bad size \"20000x20000\" (expected WxH, each from 1 to 10000)\n";
        QTest::newRow("a palette as commands") << QStringList{HUEWRIGHT_STAGE "/shades/elev999.shd"} << 1 << HUEWRIGHT_STAGE "/shades/elev999.shd: this looks like a palette: use --export, --check or shadeset\n";
        QTest::newRow("a program as commands") << QStringList{TESSELCMD} << 1 << TESSELCMD ": this is not a file of commands: it holds bytes that are not text\n";
        QTest::newRow("check, then export") << QStringList{"--check", "a", "--export", "cpt", "a", "b"} << 2 << "tesselcmd: --check and --export do not go together\nusage: tesselcmd";
        QTest::newRow("export, then check") << QStringList{"--export", "cpt", "a", "b", "--check", "a"} << 2 << "tesselcmd: --export and --check do not go together\nusage: tesselcmd";
        QTest::newRow("misspelt set") << QStringList{"--set", ".importsymbls=5", "--check", "a"} << 2 << "tesselcmd: --set .importsymbls=5: &s: unknown variable .importsymbls (did you mean .importsymbols?)\nusage: tesselcmd";
        // clang-format on
    }

    void shouldAnswerOnTheCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        const Finished run = tesselcmd(args);
        QCOMPARE(run.status, status);
        QVERIFY2(status == 1 ? run.errors == output.toUtf8()
                             : (status == 0 ? run.out : run.errors).startsWith(output.toUtf8()),
                 (run.out + run.errors).constData());
    }

    // A hand-written shadeset can carry any name; each format takes what it can carry whole
    // and refuses the rest, writing nothing.
    void shouldRefuseWhatAFormatCannotCarry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("message"); // empty: written
        // clang-format off
        QTest::newRow("JSON, a whole emoji") << "a \"b\\ \U0001F600" << "paraview" << "";
        QTest::newRow("XML, a whole emoji") << "a <&> \U0001F600" << "qgis" << "";
        QTest::newRow("SVG, a whole emoji") << "\U0001F600 relief" << "svg" << "";
        QTest::newRow("XML has no U+FFFE") << "a\uFFFEb" << "qgis" << "shadeexport: the name holds U+FFFE, which this format cannot carry";
        for (const char *format : {"cpt", "gdal", "grass", "ncl", "qgis", "paraview", "svg"}) {
            QTest::newRow(format) << "a\x1b[31mb" << format << "shadeexport: the name holds the control character U+001B, which no file of another program may carry";
        }
        QTest::newRow("a tab") << "a\tb" << "gdal" << "shadeexport: the name holds the control character U+0009, which no file of another program may carry";
        // clang-format on
    }

    void shouldRefuseWhatAFormatCannotCarry()
    {
        QFETCH(QString, name);
        QFETCH(QString, format);
        QFETCH(QString, message);
        // A GMT table keyed by symbol 1, as Tessel writes one.
        QVERIFY(writeFile(m_dir->filePath("hand.cpt"),
                          "# NAME = " + name.toUtf8() + "\n1 1/2/3 2 1/2/3\n"));
        QCOMPARE(run(*m_host, "shadeset hand.cpt"), QString());
        const QString refused = refusal(*m_host, "shadeexport " + format + " out");
        const bool written = refused == "succeeded";
        QCOMPARE(written ? QString() : refused, message);
        QCOMPARE(QFile::exists(m_dir->filePath("out")), written);
        if (written) { // and reads back whole
            QCOMPARE(run(*m_host, "shadeset out"), QString());
            QCOMPARE(m_host->shadesetName(), name);
        }
    }

    // NCL reads 0 to 255 only where some channel is above 1, at most 256 colours, and has no
    // "no colour".
    void shouldWriteNclColourMapsAsNclReadsThem()
    {
        QCOMPARE(run(*m_host, "shadecolorramp 1 3 \"#000000\" \"#010101\";shadesave dark;"
                              "shadeexport ncl dark.rgb"),
                 QString());
        QCOMPARE(readFile(m_dir->filePath("dark.rgb")),
                 QByteArray("ncolors= 3\n# NAME = dark\n# r g b\n0 0 0\n0.00392156863 "
                            "0.00392156863 0.00392156863\n0.00392156863 0.00392156863 "
                            "0.00392156863\n"));
        QCOMPARE(run(*m_host, "shadecolorramp 5 1 \"red\" \"red\""), QString());
        QCOMPARE(refusal(*m_host, "shadeexport ncl gap.rgb"),
                 "shadeexport: NCL colour maps have no \"no colour\", and symbols from 1 to 5 are "
                 "not all defined");
        QCOMPARE(run(*m_host, "shadecolorramp 1 300 \"red\" \"blue\""), QString());
        QCOMPARE(refusal(*m_host, "shadeexport ncl big.rgb"),
                 "shadeexport: NCL reads at most 256 colours from a file, and the shadeset has 300 "
                 "symbols");
    }

    void shouldNameATableAfterItsFileOnlyWhenItHasNone()
    {
        QCOMPARE(run(*m_host, "shadecolorramp 1 2 \"red\" \"blue\";shadesave relief;shadeexport "
                              "paraview a.json;shadedelete ALL;shadecolorramp 1 2 \"red\" "
                              "\"blue\";shadeexport paraview mine.json"),
                 QString());
        QVERIFY(readFile(m_dir->filePath("a.json")).contains("\"Name\":\"relief\""));
        QVERIFY(readFile(m_dir->filePath("mine.json")).contains("\"Name\":\"mine\""));
        QCOMPARE(run(*m_host, "shadedelete ALL"), QString());
        QCOMPARE(refusal(*m_host, "shadeexport cpt empty.cpt"),
                 "shadeexport: the current shadeset is empty");
        QVERIFY(!QFile::exists(m_dir->filePath("empty.cpt")));
    }

    void shouldRunLinesReportFailuresAndRender()
    {
        QVERIFY(writeFile(m_dir->filePath("c.tsl"),
                          "! a comment\nshadecolorramp 1 3 \"red\" \"blue\"\n\nshadesymbol "
                          "9\nshadesymbol 3\npatch 0 0 .5 .5\nnonsense\n"));
        // No word from Qt either, also where the session has no runtime folder.
        const Finished run = tesselcmd({"--png", "out.png", "--size", "96x96", "c.tsl"}, {},
                                       m_dir->path(), {"XDG_RUNTIME_DIR"});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.errors, "c.tsl:4: shadesymbol: symbol 9 is not defined in the current "
                             "shadeset\nc.tsl:7: nonsense: unknown command\n");
        const QImage image(m_dir->filePath("out.png"));
        QCOMPARE(image.size(), QSize(96, 96));
        QCOMPARE(image.pixelColor(24, 72), QColor(0, 0, 255)); // the patch, in inches from the foot
        QCOMPARE(image.pixelColor(72, 24), QColor(Qt::white));
    }

    // The check's picture, shared alone, says what it shows in a title line, and its
    // undefined symbols are hatched, not the ground's white.
    void shouldDrawTheCheckToBeReadAlone()
    {
        QCOMPARE(run(*m_host, "shadecolorramp 1 9 \"red\" \"blue\";shadecolorramp 30 9 "
                              "\"red\" \"blue\";shadesave gap"),
                 QString());
        QCOMPARE(tesselcmd({"--check", "gap.shd", "--png", "c.png", "--size", "480x300"}, {},
                           m_dir->path())
                     .status,
                 0);
        const QImage image(m_dir->filePath("c.png"));
        int title = 0;
        int hatch = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                title += y < 16 && qGray(image.pixel(x, y)) < 128;
                hatch += image.pixelColor(x, y) == QColor(Qt::gray);
            }
        }
        QVERIFY(title > 100 && hatch > 100);
    }

    void shouldLoadAnExportBackAsItWas_data()
    {
        QTest::addColumn<QString>("format");
        // clang-format off
        QTest::newRow("cpt") << "cpt";
        QTest::newRow("gdal") << "gdal";
        QTest::newRow("qgis") << "qgis";
        QTest::newRow("paraview") << "paraview";
        QTest::newRow("svg") << "svg";
        QTest::newRow("grass") << "grass";
        QTest::newRow("ncl") << "ncl";
        QTest::newRow("ggr") << "ggr";
        QTest::newRow("gnuplot") << "gnuplot";
        QTest::newRow("qgiscolormap") << "qgiscolormap";
        QTest::newRow("qml") << "qml";
        QTest::newRow("maplibre") << "maplibre";
        // clang-format on
    }

    void shouldLoadAnExportBackAsItWas()
    {
        QFETCH(QString, format);
        // An NCL colour map holds symbols 1 to N, at most 256, all defined: the first only.
        const QStringList tables = {
            QStringLiteral("shadecolorramp 1 3 \"#000000\" \"#010101\";shadesave dark"),
            QStringLiteral("shadecolorramp 2 3 \"blue\" \"cyan\";shadecolorramp 7 2 \"yellow\" "
                           "\"red\";shadecolorramp 10 1 \"green\" \"green\";shadesave gaps"),
            QStringLiteral("shadecolorramp 5 1 \"tan\" \"tan\";shadesave one"),
            QStringLiteral("shadeset " HUEWRIGHT_STAGE "/shades/elev999.shd")};
        for (const QString &commands : tables.mid(0, format == "ncl" ? 1 : tables.size())) {
            QCOMPARE(run(*m_host, commands + ";shadeexport " + format + " export"), QString());
            const ShadeTable table = m_host->shadeTable();
            const QString name = m_host->shadesetName();
            QCOMPARE(run(*m_host, "shadedelete ALL;shadeset export"), QString());
            QCOMPARE(describe(m_host->shadeTable()), describe(table));
            QCOMPARE(m_host->shadesetName(), name);
        }
    }

    // Hand-written palettes, sampled into N symbols from the lowest z to the highest.
    void shouldSampleAsTheirProgramsColour_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("symbols");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("cpt hinge") << QByteArray("# HARD_HINGE\n# RANGE = -8000/6000\n-1\t0/0/255\t0\t255/255/255\n0 0/255/0 1 255/0/0 L\n") << 5 << "in" << "1:0,0,255 2:128,128,255 3:0,255,0 4:128,128,0 5:255,0,0";
        QTest::newRow("cpt hsv, no wrap") << QByteArray("#\tCOLOR_MODEL = hsv\n0 0-1-1 1 240-1-1\nB 0-0-1\nF - \nN 0-0-.5\n") << 3 << "in" << "1:255,0,0 2:0,255,0 3:0,0,255";
        QTest::newRow("cpt colour forms") << QByteArray("0 gray50 1 IVORY2 ;a label\n1 #ff0000 2 0/100/100/0@50\n2 128 3 darkorange3\n") << 7 << "in" << "1:127,127,127 2:183,183,176 3:255,0,0 4:255,0,0 5:128,128,128 6:167,115,64 7:205,102,0";
        QTest::newRow("cpt cmyk with black") << QByteArray("0 20/40/60/10 1 20/40/60/10\n") << 1 << "in" << "1:184,138,92";
        QTest::newRow("cpt skipped slice") << QByteArray("0 red 1 red\n1 - 2 -\n2 blue 3 blue\n") << 4 << "in" << "1:255,0,0 3:0,0,255 4:0,0,255";
        QTest::newRow("cpt categorical from 0") << QByteArray("0\tred\n2\t0/0/255\t;water\n") << 3 << "in" << "1:255,0,0 3:0,0,255";
        QTest::newRow("cpt huge keys") << QByteArray("2 red\n1e300 blue\n") << 2 << "in" << "1:255,0,0 2:0,0,255";
        QTest::newRow("cpt range past a double") << QByteArray("-1e308 red 1e308 blue\n") << 3 << "in" << "1:255,0,0 2:128,0,128 3:0,0,255";
        QTest::newRow("gdal steps past a double") << QByteArray("0 255 0 0\n1e308 0 0 255\n") << 3 << "in" << "1:255,0,0 2:128,0,128 3:0,0,255";
        QTest::newRow("cpt keyed by symbols") << QByteArray("# NAME = my keys\n# COLOR_MODEL = RGB\n1 red\n2 blue\n4 green\n") << 9 << "my keys" << "1:255,0,0 2:0,0,255 4:0,255,0";
        QTest::newRow("cpt old form") << QByteArray("0 0 0 0 10 255 255 255\n") << 3 << "in" << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("gdal percent") << QByteArray("0% black\n100% white\nnv 0 0 0 0\n") << 3 << "in" << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("gdal separators") << QByteArray("0,0,0,0\n10:255:255:255\n") << 3 << "in" << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("gdal no opacity") << QByteArray("0 255 0 0\n1 0 0 0 0\n2 0 0 0 0\n3 0 0 255\n") << 7 << "in" << "1:255,0,0 2:128,0,0 6:0,0,128 7:0,0,255";
        QTest::newRow("qgis continuous") << QByteArray("<qgis_style><colorramps><colorramp type=\"random\" name=\"r\"/><colorramp type=\"gradient\" name=\"ramp\"><prop k=\"color1\" v=\"255,0,0,255\"/><prop k=\"color2\" v=\"0,0,255,255\"/><prop k=\"stops\" v=\"0.5;0,255,0,255\"/></colorramp></colorramps></qgis_style>") << 5 << "ramp" << "1:255,0,0 2:128,128,0 3:0,255,0 4:0,128,128 5:0,0,255";
        QTest::newRow("qgis discrete, options") << QByteArray("<qgis_style><colorramps><colorramp type=\"gradient\" name=\"steps\"><Option type=\"Map\"><Option name=\"color1\" value=\"255,0,0,255,rgb:1,0,0,1\"/><Option name=\"color2\" value=\"0,0,255,255\"/><Option name=\"discrete\" value=\"1\"/><Option name=\"stops\" value=\"0.5;0,255,0,255\"/></Option></colorramp></colorramps></qgis_style>") << 5 << "steps" << "1:255,0,0 2:255,0,0 3:0,255,0 4:0,255,0 5:0,0,255";
        QTest::newRow("paraview lab") << QByteArray("[{\"Name\":\"Mine\",\"ColorSpace\":\"Lab\",\"RGBPoints\":[0,1,0,0,1,0,0,1]}]") << 5 << "Mine" << "1:255,0,0 2:232,0,80 3:202,0,136 4:154,0,195 5:0,0,255";
        QTest::newRow("paraview diverging") << QByteArray("[{\"Name\":\"a\",\"IndexedColors\":[1,0,0]},{\"Name\":\"Cool\",\"ColorSpace\":\"Diverging\",\"RGBPoints\":[0,0.23,0.299,0.754,1,0.706,0.016,0.150]}]") << 5 << "Cool" << "1:59,76,192 2:141,176,254 3:221,221,221 4:244,154,123 5:180,4,38";
        QTest::newRow("paraview hsv") << QByteArray("{\"Name\":\"h\",\"ColorSpace\":\"HSV\",\"RGBPoints\":[0,1,0,0,1,0,0,1]}") << 5 << "h" << "1:255,0,0 2:255,255,0 3:0,255,0 4:0,255,255 5:0,0,255";
        QTest::newRow("svg stops") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><title>Mine</title><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"#f00\"/><stop offset=\"50%\" style=\"stop-color: rgb(0, 255, 0)\"/><stop offset=\"1\" stop-color=\"blue\" stop-opacity=\"0\"/></linearGradient></svg>") << 5 << "Mine" << "1:255,0,0 2:128,128,0 3:0,255,0 4:0,128,128";
        QTest::newRow("svg steps") << QByteArray("<svg><linearGradient><stop offset=\"0\" stop-color=\"red\"/><stop offset=\".5\" stop-color=\"red\"/><stop offset=\".5\" stop-color=\"blue\"/><stop offset=\"1\" stop-color=\"blue\"/></linearGradient></svg>") << 5 << "in" << "1:255,0,0 2:255,0,0 3:0,0,255 4:0,0,255 5:0,0,255";
        QTest::newRow("ncl spread") << QByteArray("ncolors=3\n# r g b\n255 0 0\n0 255 0 # green\n-1 0 0\n0,0,255\n") << 5 << "in" << "1:255,0,0 2:0,255,0 3:0,255,0 4:0,0,255 5:0,0,255";
        QTest::newRow("ncl fractions") << QByteArray("0 0 0\n0.5 1 1. 0\n1 1 1\n") << 3 << "in" << "1:0,0,0 3:255,255,255";
        QTest::newRow("paraview step") << QByteArray("[{\"Name\":\"s\",\"ColorSpace\":\"Step\",\"RGBPoints\":[1,0,1,0,0,1,0,0,0.5,0,0,1]}]") << 5 << "s" << "1:255,0,0 2:0,0,255 3:0,0,255 4:0,255,0 5:0,255,0";
        QTest::newRow("a byte order mark") << QByteArray("\xef\xbb\xbf" "0 red 1 blue\n") << 2 << "in" << "1:255,0,0 2:0,0,255";
        QTest::newRow(".shd with a byte order mark") << QByteArray("\xef\xbb\xbfTESSEL SHADESET 1\nname bom\nsymbols 1\n1 1 2 3\n") << 2 << "bom" << "1:1,2,3";
        QTest::newRow("UTF-16") << "\xff\xfe" + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(u"# NAME = é\n0 red 1 blue\n")) << 2 << "é" << "1:255,0,0 2:0,0,255";
        QTest::newRow("a name not UTF-8") << QByteArray("# NAME = caf\xe9 \x80\n0 red 1 blue\n") << 2 << "café €" << "1:255,0,0 2:0,0,255";
        // clang-format on
    }

    void shouldSampleAsTheirProgramsColour()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, symbols);
        QVERIFY(writeFile(m_dir->filePath("in.x"), file));
        QCOMPARE(run(*m_host, QStringLiteral("&s .importsymbols = %1;shadeset in.x").arg(symbols)),
                 QString());
        QTEST(m_host->shadesetName(), "name");
        QTEST(describe(m_host->shadeTable()), "expected");
    }

    // A part of a palette (.importcut, in its own z or, for a ramp placed from 0 to 1, in
    // shares of it; "-" keeps its end), a hinge placed (.importhinge), a table turned round;
    // and what cannot be done, refused at the load. FILE stands for the file's path.
    void shouldCutHingeAndReverse_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("commands"); // before "shadeset FILE", and after
        QTest::addColumn<QString>("expected");
        const QByteArray grey = "0 black 10 white\n";
        const QByteArray hinged = "# HARD_HINGE\n-1 0/0/0 0 0/0/255\n0 255/0/0 1 255/255/255\n";
        // clang-format off
        QTest::newRow("cut to the top of a slice") << grey << "&s .importsymbols = 3;&s .importcut = - 5" << "1:0,0,0 2:64,64,64 3:127,127,127";
        QTest::newRow("cut in shares") << QByteArray("[{\"ColorSpace\":\"RGB\",\"RGBPoints\":[-10,0,0,0,10,1,1,1]}]") << "&s .importsymbols = 3;&s .importcut = 0.5 -" << "1:128,128,128 2:191,191,191 3:255,255,255";
        QTest::newRow("hinge") << hinged << "&s .importsymbols = 4;&s .importhinge = 2" << "1:0,0,0 2:255,0,0 3:255,128,128 4:255,255,255";
        QTest::newRow("reverse") << grey << "&s .importsymbols = 3;;shadereverse" << "1:255,255,255 2:128,128,128 3:0,0,0";
        QTest::newRow("cut outside") << grey << "&s .importcut = 5 11" << "shadeset: FILE: the cut from 5 to 11 is not a part of the palette, which runs from 0 to 10";
        QTest::newRow("cut upside down") << grey << "&s .importcut = 11 -" << "shadeset: FILE: the cut from 11 to 10 is not a part of the palette, which runs from 0 to 10";
        QTest::newRow("no hinge") << grey << "&s .importhinge = 2" << "shadeset: FILE: the palette has no hinge for .importhinge (# HARD_HINGE or # SOFT_HINGE)";
        QTest::newRow("hinge beyond") << hinged << "&s .importsymbols = 4;&s .importhinge = 5" << "shadeset: FILE: .importhinge 5 lies beyond the 4 symbols";
        QTest::newRow("both") << hinged << "&s .importcut = 0 1;&s .importhinge = 2" << "shadeset: FILE: .importcut and .importhinge cannot both be set; empty one of them";
        // clang-format on
    }

    void shouldCutHingeAndReverse()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, commands);
        const QString path = m_dir->filePath("in.cpt");
        QVERIFY(writeFile(path, file));
        const QStringList parts = commands.split(";;");
        QCOMPARE(run(*m_host, parts[0]), QString());
        const QString refused =
            run(*m_host, "shadeset in.cpt" + (parts.size() > 1 ? ";" + parts[1] : QString()));
        QTEST(refused.isEmpty() ? describe(m_host->shadeTable())
                                : refused.section(" -> ", 1).replace(path, "FILE"),
              "expected");
    }

    // --set gives --export Tessel's variables, a value with blanks too.
    void shouldExportWithTheVariablesSet()
    {
        QVERIFY(writeFile(m_dir->filePath("grey.cpt"), "0 black 10 white\n"));
        QCOMPARE(tesselcmd({"--set", ".importcut=- 5", "--set", ".importsymbols = 3", "--export",
                            "gdal", "grey.cpt", "part.txt"},
                           {}, m_dir->path())
                     .status,
                 0);
        QCOMPARE(
            readFile(m_dir->filePath("part.txt")),
            QByteArray(
                "# NAME = grey\n1 0 0 0 255\n2 64 64 64 255\n3 127 127 127 255\nnv 0 0 0 0\n"));
        // To standard output, as "-" or by its name.
        for (const char *out : {"-", "/dev/stdout"}) {
            QCOMPARE(tesselcmd({"--set", ".importcut=- 5", "--set", ".importsymbols=3", "--export",
                                "gdal", "grey.cpt", out},
                               {}, m_dir->path())
                         .out,
                     readFile(m_dir->filePath("part.txt")));
        }
    }

    // A file that fits two formats equally is read by its extension: a table of four
    // numbers a line is GMT's grey levels in a .cpt, gdaldem's z r g b elsewhere.
    void shouldReadATieByItsExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        const QByteArray grey = "0 0 10 255\n10 255 20 128\n";
        const QByteArray names = "0 black\n255 white\n";
        // clang-format off
        QTest::newRow("cpt") << "grey.cpt" << grey << "1:0,0,0 2:255,255,255 3:128,128,128";
        QTest::newRow("txt") << "grey.txt" << grey << "1:0,10,255 2:128,15,192 3:255,20,128";
        QTest::newRow("other") << "grey.dat" << grey << "1:0,10,255 2:128,15,192 3:255,20,128";
        QTest::newRow("none") << "grey" << grey << "1:0,10,255 2:127,15,192 3:255,20,128";
        QTest::newRow("B/F/N say GMT") << "grey.txt" << grey + "B 0\nF 128\n" << "1:0,0,0 2:255,255,255 3:128,128,128";
        QTest::newRow("names, txt") << "g.txt" << names << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("names, none") << "g" << names << "1:0,0,0 2:127,127,127 3:255,255,255";
        QTest::newRow("names, cpt") << "g.cpt" << names << "1:0,0,0 3:255,255,255";
        QTest::newRow("r:g:b, txt") << "g.txt" << QByteArray("0 0:0:0\n255 255:255:255\n") << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("r:g:b, none") << "g" << QByteArray("0 0:0:0\n255 255:255:255\n") << "1:0,0,0 2:127,127,127 3:255,255,255";
        QTest::newRow("a name gdaldem lacks") << "g.txt" << QByteArray("0 black\n255 lavender\n") << "1:0,0,0 3:230,230,250";
        QTest::newRow("B") << "g.txt" << names + "B red\n" << "1:0,0,0 3:255,255,255";
        QTest::newRow("model") << "g.txt" << "# COLOR_MODEL = RGB\n" + names << "1:0,0,0 3:255,255,255";
        QTest::newRow("hinge") << "g.txt" << "# SOFT_HINGE\n" + names << "1:0,0,0 3:255,255,255";
        QTest::newRow("slice") << "g.txt" << QByteArray("0 black 255 white\n") << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("r/g/b") << "g.txt" << names + "256 0/0/0\n" << "1:0,0,0 3:0,0,0";
        QTest::newRow("h-s-v") << "g.txt" << names + "256 0-0-0\n" << "1:0,0,0 3:0,0,0";
        QTest::newRow("label") << "g.txt" << QByteArray("0 black ;low\n255 white\n") << "1:0,0,0 3:255,255,255";
        QTest::newRow("grass stretches, the later wins") << "g" << QByteArray("0 black\n0.5 white\n0.2 red\n") << "1:0,0,0 2:255,42,42 3:255,255,255";
        QTest::newRow("grass older pairs give the first") << "g" << QByteArray("0 0:0:0 1 255:255:255\n1 red\n") << "1:0,0,0 2:127,0,0 3:255,0,0";
        QTest::newRow("grass nv is outside the table") << "g" << QByteArray("nv 255:0:0\n0 0:0:0\n255 255:255:255\n") << "1:0,0,0 2:127,127,127 3:255,255,255";
        QTest::newRow("gnuplot by its extension") << "g.gpf" << QByteArray("0 0 0.5 1\n1 1 0.5 0\n") << "1:0,128,255 2:128,128,128 3:255,128,0";
        QTest::newRow("gnuplot by Tessel's comment") << "g.txt" << QByteArray("# A Tessel shadeset as a gnuplot palette\n0 0 0.5 1\n1 1 0.5 0\n") << "1:0,128,255 2:128,128,128 3:255,128,0";
        QTest::newRow("QGIS colour map, txt") << "g.txt" << QByteArray("# QGIS Generated Color Map Export File\nINTERPOLATION:DISCRETE\n0,255,0,0,255,a\n5,0,0,255,255,b\n10,0,255,0,255,c\n") << "1:255,0,0 2:0,0,255 3:0,255,0";
        QTest::newRow("GIMP, no extension") << "g" << QByteArray("GIMP Gradient\nName: g\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n") << "1:0,0,0 2:128,128,128 3:255,255,255";
        QTest::newRow("QGIS style, xml") << "g.xml" << QByteArray("<!DOCTYPE qgis>\n<qgis><pipe><rasterrenderer type=\"singlebandpseudocolor\"><rastershader><colorrampshader colorRampType=\"EXACT\" clip=\"0\">\n<item value=\"0\" color=\"#ff0000\" alpha=\"255\"/><item value=\"10\" color=\"#0000ff\" alpha=\"255\"/>\n</colorrampshader></rastershader></rasterrenderer></pipe></qgis>\n") << "1:255,0,0 3:0,0,255";
        QTest::newRow("MapLibre layer, json") << "g.json" << QByteArray("{\"id\": \"g\", \"type\": \"color-relief\", \"paint\": {\"color-relief-color\": [\"step\", [\"elevation\"], \"red\", 5, \"#00f\"]}}") << "1:255,0,0 2:0,0,255 3:0,0,255";
        QTest::newRow("a one-line cpt GMT refuses") << "one.cpt" << QByteArray("0 255 0 0 1 0 0\n") << "shadeset: FILE line 1: expected \"z0 colour z1 colour\" or \"key colour\"";
        // clang-format on
    }

    void shouldReadATieByItsExtension()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QVERIFY(writeFile(m_dir->filePath(file), text));
        const QString refused = run(*m_host, "&s .importsymbols = 3;shadeset " + file);
        QTEST(refused.isEmpty() ? describe(m_host->shadeTable())
                                : refused.section(" -> ", 1).replace(m_dir->filePath(file), "FILE"),
              "expected");
    }

    void shouldTakeTheRampOrPresetNamed()
    {
        QVERIFY(writeFile(m_dir->filePath("two.json"),
                          "[{\"Name\":\"a\",\"RGBPoints\":[0,1,0,0,1,1,0,0]},{\"Name\":\"b\","
                          "\"RGBPoints\":[0,0,0,1,1,0,0,1]}]"));
        QCOMPARE(run(*m_host, "&s .importsymbols = 1;&s .importramp = b;shadeset two.json"),
                 QString());
        QCOMPARE(describe(m_host->shadeTable()), QStringLiteral("1:0,0,255"));
    }

    // FILE stands for the file's path.
    void shouldRefuseABadFileAndKeepTheShadeset_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("truncated slice") << QByteArray("0 red 1 blue\n1 red 2") << "FILE line 2: expected \"z0 colour z1 colour\" or \"key colour\"";
        QTest::newRow("background line") << QByteArray("0 red 1 blue\nB 0-0-1 = hsv\n") << "FILE line 2: expected \"B colour\"";
        QTest::newRow("z1 below z0") << QByteArray("2 red 1 blue\n") << "FILE line 1: z1 1 is below z0 2";
        QTest::newRow("gap between slices") << QByteArray("0 red 1 red\n2 blue 3 blue\n") << "FILE line 2: the slice starts at 2, where the one before ends at 1";
        QTest::newRow("colour out of range") << QByteArray("0 300/0/0 1 red\n") << "FILE line 1: out-of-range colour \"300/0/0\"";
        QTest::newRow("unknown colour name") << QByteArray("0 reddish 1 red\n") << "FILE line 1: unknown colour \"reddish\"";
        QTest::newRow("not a number") << QByteArray("nan red inf blue\n") << "FILE line 1: bad z value \"nan\"";
        QTest::newRow("hue out of range") << QByteArray("0 400-1-1 1 0-1-1\n") << "FILE line 1: out-of-range colour \"400-1-1\"";
        QTest::newRow("gdal channel") << QByteArray("0 0 0 0\n1 0 256 0\nnv 0 0 0 0\n") << "FILE line 2: bad colour channel \"256\"";
        QTest::newRow("gdal mixed") << QByteArray("0% black\n10 white\n") << "FILE line 2: percentages mixed with values; set .importdata = ZMIN ZMAX to the range of the data they are shares of";
        QTest::newRow("grass name and more") << QByteArray("0 0:0:0\n1 red foo\n") << "FILE line 2: bad colour \"red foo\" (expected r:g:b, r g b or a name)";
        QTest::newRow("gdal name") << QByteArray("nv 0 0 0\n0 lavender\n") << "FILE line 2: unknown colour \"lavender\"";
        QTest::newRow("xml without a gradient") << QByteArray("<qgis_style><colorramps><colorramp type=\"random\" name=\"r\"/></colorramps></qgis_style>") << "FILE: no gradient colour ramp";
        QTest::newRow("xml broken") << QByteArray("<qgis_style>\n<colorramps>\n</qgis_style>") << "FILE line 3: Opening and ending tag mismatch.";
        QTest::newRow("xml bad stop") << QByteArray("<qgis_style><colorramp type=\"gradient\" name=\"g\"><prop k=\"color1\" v=\"0,0,0,255\"/><prop k=\"color2\" v=\"0,0,0,255\"/><prop k=\"stops\" v=\"2;0,0,0,255\"/></colorramp></qgis_style>") << "FILE: colour ramp \"g\": bad stop \"2;0,0,0,255\"";
        QTest::newRow("json without points") << QByteArray("[{\"Name\":\"x\",\"IndexedColors\":[1,0,0]}]") << "FILE: no preset with RGBPoints";
        QTest::newRow("json odd points") << QByteArray("[{\"Name\":\"x\",\"RGBPoints\":[0,1,0]}]") << "FILE: preset \"x\": RGBPoints holds 3 numbers, not a multiple of 4";
        QTest::newRow("json infinite") << QByteArray("[{\"Name\":\"x\",\"RGBPoints\":[1e999,1,0,0]}]") << "FILE line 1: not JSON: illegal number";
        QTest::newRow("json not a number") << QByteArray("[{\"Name\":\"x\",\"RGBPoints\":[\"NaN\",1,0,0]}]") << "FILE: preset \"x\": RGBPoints number 1 is no finite number";
        QTest::newRow("json channel") << QByteArray("[{\"Name\":\"x\",\"RGBPoints\":[0,1,0,2]}]") << "FILE: preset \"x\": RGBPoints number 4 is no channel from 0 to 1";
        QTest::newRow("json space") << QByteArray("[{\"Name\":\"x\",\"ColorSpace\":\"Lab/CIEDE2000\",\"RGBPoints\":[0,1,0,0]}]") << "FILE: preset \"x\": unsupported ColorSpace \"Lab/CIEDE2000\"";
        QTest::newRow("svg without a gradient") << QByteArray("<svg/>") << "FILE: no linearGradient";
        QTest::newRow("svg bad offset") << QByteArray("<svg><linearGradient>\n<stop offset=\"x\"/></linearGradient></svg>") << "FILE line 2: bad offset \"x\"";
        QTest::newRow("json broken") << QByteArray("[{\"Name\":\n\"x\",}]") << "FILE line 2: not JSON: object is missing after a comma";
        QTest::newRow("empty") << QByteArray(" \n\n") << "FILE: the file is empty";
        QTest::newRow("no colour at all") << QByteArray("0 - 1 -\n") << "FILE: the palette gives no colour to any symbol";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "FILE: neither a shadeset nor a palette of GMT, gdaldem, GRASS, NCL, QGIS, ParaView, SVG, GIMP, gnuplot or MapLibre";
        QTest::newRow("fits no format") << QByteArray("hello world\n") << "FILE: neither a shadeset nor a palette of GMT, gdaldem, GRASS, NCL, QGIS, ParaView, SVG, GIMP, gnuplot or MapLibre";
        // clang-format on
    }

    void shouldRefuseABadFileAndKeepTheShadeset()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const QString path = m_dir->filePath("bad");
        QVERIFY(writeFile(path, file));
        expectRefusal("shadeset bad", "shadeset: " + message.replace("FILE", path));
    }

    // A grid GDAL cannot read, or that holds nothing to draw, is refused naming the file; the
    // grid before it stays. FILE stands for the file's path.
    void shouldRefuseAGridWithNothingToDraw_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("file"); // the file's text, or a path
        QTest::addColumn<QString>("message");
        const QString ice = "/usr/share/ncarg/data/cdf/ice5g_21k_1deg.nc";
        const QString header =
            "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9\n";
        // clang-format off
        QTest::newRow("not a raster") << "" << "hello\n" << "grid: FILE: `FILE' not recognized as a supported file format.";
        QTest::newRow("no value at all") << "" << header + "-9 -9\n" << "grid: FILE: the grid holds no value";
        QTest::newRow("no such band") << "&s .gridband = 2" << header + "1 2\n" << "grid: FILE: it has no band 2, only 1 (&s .gridband)";
        QTest::newRow("a virtual file system") << "" << "/vsicurl/http://example.org/dem.tif" << "grid: FILE: a grid is a file; GDAL's virtual file systems (/vsi...) are not read";
        QTest::newRow("several variables") << "" << ice << "grid: FILE: it holds several variables (Topo, Icemask): name one with &s .gridvariable = NAME";
        QTest::newRow("no such variable") << "&s .gridvariable = Ice" << ice << "grid: FILE: it holds no variable Ice, only Topo, Icemask";
        // clang-format on
    }

    void shouldRefuseAGridWithNothingToDraw()
    {
        QFETCH(QString, settings);
        QFETCH(QString, file);
        const bool named = file.startsWith('/');
        if (named && !file.startsWith("/vsi") && !QFile::exists(file)) {
            QSKIP("NCL's grids are not installed (Debian package ncl-ncarg)");
        }
        const QString path = named ? file : m_dir->filePath("grid.asc");
        QVERIFY(named || writeFile(path, file.toUtf8()));
        QVERIFY(writeFile(m_dir->filePath("ramp.asc"), "ncols 2\nnrows 1\nxllcorner 0\nyllcorner "
                                                       "0\ncellsize 1\n1 2\n"));
        QCOMPARE(run(*m_host, "grid ramp.asc;shadecolorramp 1 2 \"red\" \"blue\"" +
                                  (settings.isEmpty() ? QString() : ";" + settings)),
                 QString());
        QTEST(refusal(*m_host, "grid " + path).replace(path, "FILE"), "message");
        QCOMPARE(run(*m_host, "shadegrid 0 0 1 1"), QString()); // the one before
    }

    // A ramp grid of eight columns drawn in eight symbols: each column in its symbol's colour,
    // the grid's cells square in the middle of the rectangle; and its scale, the symbols in
    // order along it.
    void shouldDrawAGridInItsSymbolsColours()
    {
        QVERIFY(writeFile(m_dir->filePath("ramp.asc"), "ncols 8\nnrows 2\nxllcorner 0\nyllcorner "
                                                       "0\ncellsize 1\n0 1 2 3 4 5 6 7\n0 1 2 3 4 "
                                                       "5 6 7\n"));
        QVERIFY(writeFile(m_dir->filePath("map.tsl"), "grid ramp.asc\nshadecolorramp 1 8 \"black\" "
                                                      "\"#e0e0e0\"\nshadegrid 0 0 1 1\nshadescale "
                                                      "0 1.1 1 1.5\n"));
        QCOMPARE(tesselcmd({"--png", "map.png", "--size", "96x150", "map.tsl"}, {}, m_dir->path())
                     .status,
                 0);
        const QImage image(m_dir->filePath("map.png"));
        QCOMPARE(run(*m_host, "shadecolorramp 1 8 \"black\" \"#e0e0e0\""), QString());
        for (int symbol = 1; symbol <= 8; ++symbol) {
            const Rgb colour = *m_host->shadeTable().color(symbol);
            const QColor want(colour.red, colour.green, colour.blue);
            const int x = 12 * (symbol - 1) + 6;
            QCOMPARE(image.pixelColor(x, 150 - 48), want);              // the grid, 96 by 24
            QCOMPARE(image.pixelColor(x, 150 - 61), QColor(Qt::white)); // nothing above it
            // The bar from 0 to 7, the first and last symbols half as wide as the others.
            QCOMPARE(image.pixelColor(std::clamp(int((symbol - 1) * 96 / 7.0), 2, 93), 150 - 140),
                     want);
        }
    }

    void shouldRefuseTooManySymbolsAndHugeFiles()
    {
        QVERIFY(writeFile(m_dir->filePath("ok.cpt"), "0 red 1 blue\n"));
        // Refused when set, and the value before stays.
        QCOMPARE(run(*m_host, "&s .importsymbols = 3"), QString());
        for (const char *bad : {"0", "32768", "abc"}) {
            QCOMPARE(refusal(*m_host, QStringLiteral("&s .importsymbols = ") + bad),
                     QStringLiteral("&s: .importsymbols must be a whole number from 1 to 32767, "
                                    "not \"%1\"")
                         .arg(bad));
        }
        QCOMPARE(m_host->GetVariable(".importsymbols"), QStringLiteral("3"));
        QCOMPARE(run(*m_host, "&s .importsymbols = 32767;shadeset ok.cpt"), QString());
        QCOMPARE(m_host->shadeTable().total(), 32767);
        QFile huge(m_dir->filePath("huge.cpt"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
        expectRefusal("shadeset huge.cpt", "shadeset: " + huge.fileName() + ": larger than 16 MiB");
    }

private:
    void expectRefusal(const QString &command, const QString &message)
    {
        QCOMPARE(
            run(*m_host, "shadedelete ALL;shadecolorramp 1 2 \"red\" \"blue\";shadesave before"),
            QString());
        QCOMPARE(refusal(*m_host, command), message);
        QCOMPARE(describe(m_host->shadeTable()), QStringLiteral("1:255,0,0 2:0,0,255"));
        QCOMPARE(m_host->shadesetName(), QStringLiteral("before"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Host> m_host;
};

QTEST_GUILESS_MAIN(TesselFormatsTest)
#include "tst_tessel_formats.moc"

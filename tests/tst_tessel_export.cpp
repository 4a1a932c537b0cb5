// tesselcmd, and shadesets written for other mapping programs: the exact texts, and what a
// format cannot carry. The programs themselves check the files in tests/programs.
#include "TesselRun.h"
#include "TestFiles.h"
#include "tessel/Formats.h"
#include "tessel/Host.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

class TesselExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_host = std::make_unique<Host>(m_dir->path());
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
    void shouldPlaceGradientStopsExactly_data()
    {
        QTest::addColumn<QString>("offsets"); // where the file writes them
        // clang-format off
        QTest::newRow("qgis") << "[\":]([^\":;]+);";
        QTest::newRow("svg") << "offset=\"([^\"]+)\"";
        // clang-format on
    }

    void shouldPlaceGradientStopsExactly()
    {
        QFETCH(QString, offsets);
        const QString format = QTest::currentDataTag();
        QCOMPARE(
            run(*m_host, "shadecolorramp 5 995 \"navy\" \"snow\";shadeexport " + format + " s"),
            QString());
        const QString text = QString::fromUtf8(readFile(m_dir->filePath("s")));
        int count = 0;
        for (auto it = QRegularExpression(offsets).globalMatch(text); it.hasNext(); ++count) {
            const double offset = it.next().captured(1).toDouble(); // of symbols 5 to 999
            QVERIFY2(std::abs(offset - std::round(offset * 994) / 994) <= 1e-15,
                     qPrintable(QString::number(offset, 'g', 17)));
        }
        QVERIFY(count >= 993);
    }

    // Help and the version go to standard output with status 0; a usage error goes to
    // standard error with the usage and status 2. (A failing command gives 1: above.)
    void shouldAnswerOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        // clang-format off
        QTest::newRow("help") << QStringList{"--help"} << 0 << "usage: tesselcmd [--png FILE --size WxH] [COMMANDFILE ...]\n";
        QTest::newRow("h") << QStringList{"x.tsl", "-h"} << 0 << "usage: tesselcmd [--png FILE --size WxH] [COMMANDFILE ...]\n";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "tesselcmd " HUEWRIGHT_VERSION "\n";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "tesselcmd: unknown option --frobnicate\nusage: tesselcmd";
        QTest::newRow("json alone") << QStringList{"--json", "a.shd"} << 2 << "tesselcmd: --json goes with --check\nusage: tesselcmd";
        // clang-format on
    }

    void shouldAnswerOnTheCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        QProcess run;
        run.start(TESSELCMD, args);
        QVERIFY(run.waitForFinished());
        QCOMPARE(run.exitCode(), status);
        const QByteArray out =
            status == 0 ? run.readAllStandardOutput() : run.readAllStandardError();
        QVERIFY2(out.startsWith(output.toUtf8()), out.constData());
    }

    // The README's table of formats names every format there is.
    void shouldDocumentEveryFormat()
    {
        const QByteArray readme = readFile(README);
        for (const Format &format : formats()) {
            QVERIFY2(readme.contains("| `" + QByteArray(format.key) + "` |"), format.key);
        }
    }

    // A hand-written shadeset can carry any name; each format takes what it can carry whole
    // and refuses the rest, writing nothing.
    void shouldRefuseWhatAFormatCannotCarry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("message"); // empty: written
        // clang-format off
        QTest::newRow("JSON escapes all") << "a\x01\t\"b\\" << "paraview" << "";
        QTest::newRow("XML keeps a tab") << "a\tb <&>" << "qgis" << "";
        QTest::newRow("XML has no U+0001") << "a\x01" "b" << "qgis" << "shadeexport: the name holds U+0001, which this format cannot carry";
        QTest::newRow("a comment line has no line break") << "a\rb" << "cpt" << "shadeexport: the name holds U+000D, which this format cannot carry";
        QTest::newRow("gdal neither") << "a\rb" << "gdal" << "shadeexport: the name holds U+000D, which this format cannot carry";
        // clang-format on
    }

    void shouldRefuseWhatAFormatCannotCarry()
    {
        QFETCH(QString, name);
        QFETCH(QString, format);
        QFETCH(QString, message);
        QVERIFY(writeFile(m_dir->filePath("hand.shd"),
                          "TESSEL SHADESET 1\nname " + name.toUtf8() + "\nsymbols 1\n1 1 2 3\n"));
        QCOMPARE(run(*m_host, "shadeset hand.shd"), QString());
        const QString refused = refusal(*m_host, "shadeexport " + format + " out");
        const bool written = refused == "succeeded";
        QCOMPARE(written ? QString() : refused, message);
        QCOMPARE(QFile::exists(m_dir->filePath("out")), written);
        if (format == "paraview") {
            QCOMPARE(QJsonDocument::fromJson(readFile(m_dir->filePath("out")))
                         .array()[0]
                         .toObject()["Name"]
                         .toString(),
                     name);
        }
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
        QProcess run;
        run.setWorkingDirectory(m_dir->path());
        run.start(TESSELCMD, {"--png", "out.png", "--size", "96x96", "c.tsl"});
        QVERIFY(run.waitForFinished());
        QCOMPARE(run.exitCode(), 1);
        QVERIFY(run.readAllStandardError().endsWith( // after whatever Qt says of itself
            "c.tsl:4: shadesymbol: symbol 9 is not defined in the current shadeset\nc.tsl:7: "
            "nonsense: unknown command\n"));
        const QImage image(m_dir->filePath("out.png"));
        QCOMPARE(image.size(), QSize(96, 96));
        QCOMPARE(image.pixelColor(24, 72), QColor(0, 0, 255)); // the patch, in inches from the foot
        QCOMPARE(image.pixelColor(72, 24), QColor(Qt::white));
        run.start(TESSELCMD, {});
        run.write(
            "shadecolorramp 1 2 \"red\" \"blue\"\nshadesave here\n"); // saves in the current folder
        run.closeWriteChannel();
        QVERIFY(run.waitForFinished());
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(QFile::exists(m_dir->filePath("here.shd")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Host> m_host;
};

QTEST_GUILESS_MAIN(TesselExportTest)
#include "tst_tessel_export.moc"

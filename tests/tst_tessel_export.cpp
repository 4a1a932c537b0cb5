// Shadesets exported for other mapping tools: each format read back against the shade
// table, and, where Debian has the program, the program itself reading the file.
#include "tessel/Host.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace tessel;

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString rgbText(Rgb c, const char *separator)
{
    return QStringList{QString::number(c.red), QString::number(c.green), QString::number(c.blue)}
        .join(QLatin1String(separator));
}

// Runs a program of another package; empty when it is not installed.
QString runTool(const QString &program, const QStringList &args, int *exitCode)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        return QString();
    }
    QProcess run;
    run.start(program, args);
    run.waitForFinished(60000);
    *exitCode = run.exitCode();
    return QString::fromUtf8(run.readAllStandardOutput() + run.readAllStandardError());
}

} // namespace

class TesselExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_host = std::make_unique<Host>(m_dir->path());
        // Symbols 1 to 3 and 7: 4 to 6 are undefined and must be skipped.
        run("&wo " + m_dir->path());
        run("shadecolorramp 1 3 \"black\" \"white\"");
        run("shadecolorramp 7 1 \"red\" \"red\"");
        run("shadesave relief");
        m_entries = {{1, {0, 0, 0}}, {2, {128, 128, 128}}, {3, {255, 255, 255}}, {7, {255, 0, 0}}};
    }

    void shouldWriteAGmtPaletteTable()
    {
        run("shadeexport cpt relief.cpt");
        QStringList slices;
        QStringList ends;
        for (const QString &line :
             readText(m_dir->filePath("relief.cpt")).split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith('#')) {
                (line.at(0).isDigit() ? slices : ends).append(line);
            }
        }
        // One slice per defined symbol; the undefined 4 to 6 are one slice GMT skips.
        QCOMPARE(slices.size(), 5);
        QCOMPARE(slices.takeAt(3), QStringLiteral("4\t-\t7\t-"));
        for (int i = 0; i < 4; ++i) {
            const auto &[symbol, rgb] = m_entries[i];
            QCOMPARE(slices[i].split('\t'),
                     (QStringList{QString::number(symbol), rgbText(rgb, "/"),
                                  QString::number(symbol + 1), rgbText(rgb, "/")}));
        }
        QCOMPARE(ends, (QStringList{"B\t0/0/0", "F\t255/0/0", "N\t128/128/128"}));
    }

    void shouldWriteAGdalColorReliefFile()
    {
        run("shadeexport gdal relief.txt");
        QStringList expected;
        for (const auto &[symbol, rgb] : m_entries) {
            expected << QString::number(symbol) + ' ' + rgbText(rgb, " ");
        }
        expected << "nv 0 0 0 0";
        QCOMPARE(readText(m_dir->filePath("relief.txt")).split('\n', Qt::SkipEmptyParts), expected);
    }

    void shouldWriteAQgisGradientRamp()
    {
        run("shadeexport qgis relief.xml");
        QXmlStreamReader xml(readText(m_dir->filePath("relief.xml")));
        QMap<QString, QString> props;
        QString rampName;
        int ramps = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("colorramp")) {
                ++ramps;
                rampName = xml.attributes().value("name").toString();
                QCOMPARE(xml.attributes().value("type"), QLatin1String("gradient"));
            }
            if (xml.isStartElement() && xml.name() == QLatin1String("prop")) {
                props[xml.attributes().value("k").toString()] =
                    xml.attributes().value("v").toString();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(ramps, 1);
        QCOMPARE(rampName, QStringLiteral("relief"));
        QCOMPARE(props["color1"], QStringLiteral("0,0,0,255"));
        QCOMPARE(props["color2"], QStringLiteral("255,0,0,255"));
        QCOMPARE(props["stops"],
                 QStringLiteral("0.3333333333;128,128,128,255:0.6666666667;255,255,255,255"));
    }

    void shouldWriteAParaviewPreset()
    {
        run("shadeexport paraview relief.json");
        QJsonParseError error;
        const QJsonDocument doc =
            QJsonDocument::fromJson(readText(m_dir->filePath("relief.json")).toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        const QJsonObject preset = doc.array().at(0).toObject();
        QCOMPARE(preset["Name"].toString(), QStringLiteral("relief"));
        QCOMPARE(preset["ColorSpace"].toString(), QStringLiteral("RGB"));
        const QJsonArray points = preset["RGBPoints"].toArray();
        QCOMPARE(points.size(), 16);
        for (int i = 0; i < 4; ++i) {
            const Rgb c = m_entries[i].second;
            QVERIFY(qAbs(points[4 * i].toDouble() - i / 3.0) < 1e-12);
            QVERIFY(qAbs(points[4 * i + 1].toDouble() - c.red / 255.0) < 1e-5);
            QVERIFY(qAbs(points[4 * i + 2].toDouble() - c.green / 255.0) < 1e-5);
            QVERIFY(qAbs(points[4 * i + 3].toDouble() - c.blue / 255.0) < 1e-5);
        }
    }

    void shouldRefuseAnEmptyTableAndBadArguments()
    {
        Messages messages;
        QCOMPARE(m_host->RunCommand("shadeexport svg x.svg", messages), qint32(StatusBadArguments));
        QCOMPARE(
            messages.last(),
            QStringLiteral("shadeexport: unknown format \"svg\" (cpt, gdal, qgis or paraview)"));
        QCOMPARE(m_host->RunCommand("shadeexport cpt", messages), qint32(StatusBadArguments));
        QCOMPARE(
            m_host->RunCommand("shadeexport cpt " + m_dir->filePath("missing/x.cpt"), messages),
            qint32(StatusFileError));
        run("shadedelete ALL");
        QCOMPARE(m_host->RunCommand("shadeexport cpt empty.cpt", messages),
                 qint32(StatusBadArguments));
        QCOMPARE(messages.last(), QStringLiteral("shadeexport: the current shadeset is empty"));
        QVERIFY(!QFile::exists(m_dir->filePath("empty.cpt")));
    }

    void shouldExportManyFilesFromTheCommandLine()
    {
        run("shadecolorramp 1 2 \"navy\" \"gold\"");
        run("shadesave second");
        const QString out = m_dir->filePath("out");
        QDir().mkpath(out);
        QProcess tesselcmd;
        tesselcmd.start(QStringLiteral(TESSELCMD),
                        {"--export", "gdal", m_dir->filePath("relief.shd"),
                         m_dir->filePath("second.shd"), out});
        QVERIFY(tesselcmd.waitForFinished());
        QCOMPARE(tesselcmd.exitCode(), 0);
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{"relief.txt", "second.txt"}));
        QVERIFY(readText(out + "/second.txt").startsWith("1 0 0 128\n2 255 215 0\n"));

        tesselcmd.start(
            QStringLiteral(TESSELCMD),
            {"--export", "cpt", m_dir->filePath("relief.shd"), m_dir->filePath("none.shd"), out});
        QVERIFY(tesselcmd.waitForFinished());
        QCOMPARE(tesselcmd.exitCode(), 1);
        QVERIFY(QFile::exists(out + "/relief.cpt"));
        QVERIFY(QString::fromUtf8(tesselcmd.readAllStandardError())
                    .contains("none.shd: shadeset: cannot open"));
    }

    // gdal-bin: gdaldem colours a tiny raster of symbol numbers with the exported file.
    void shouldColourARasterWithGdaldem()
    {
        run("shadeexport gdal relief.txt");
        QFile grid(m_dir->filePath("in.asc"));
        QVERIFY(grid.open(QIODevice::WriteOnly));
        grid.write("ncols 4\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 "
                   "2 3 7\n");
        grid.close();
        int code = -1;
        const QString output =
            runTool("gdaldem",
                    {"color-relief", grid.fileName(), m_dir->filePath("relief.txt"),
                     m_dir->filePath("out.ppm"), "-of", "PNM"},
                    &code);
        if (code == -1) {
            QSKIP("gdaldem is not installed (Debian package gdal-bin): not tested");
        }
        QVERIFY2(code == 0, qPrintable(output));
        const QImage image(m_dir->filePath("out.ppm"));
        QCOMPARE(image.size(), QSize(4, 1));
        for (int i = 0; i < 4; ++i) {
            const Rgb c = m_entries[i].second;
            QCOMPARE(image.pixelColor(i, 0), QColor(c.red, c.green, c.blue));
        }
    }

    // gmt: GMT reads the palette table and writes it back with the same colours.
    void shouldBeReadByGmt()
    {
        run("shadeexport cpt relief.cpt");
        int code = -1;
        const QString output =
            runTool("gmt", {"makecpt", "-C" + m_dir->filePath("relief.cpt"), "-Fr"}, &code);
        if (code == -1) {
            QSKIP("gmt is not installed (Debian package gmt): not tested");
        }
        QVERIFY2(code == 0, qPrintable(output));
        QStringList slices;
        for (const QString &line : output.split('\n', Qt::SkipEmptyParts)) {
            if (line.at(0).isDigit()) {
                slices << line.section('\t', 0, 3);
            }
        }
        // GMT writes the skipped slice back in its page colour.
        QCOMPARE(slices, (QStringList{"1\t0/0/0\t2\t0/0/0", "2\t128/128/128\t3\t128/128/128",
                                      "3\t255/255/255\t4\t255/255/255",
                                      "4\t255/255/255\t7\t255/255/255", "7\t255/0/0\t8\t255/0/0"}));
        QVERIFY2(!output.contains("ERROR"), qPrintable(output));
    }

private:
    void run(const QString &command)
    {
        Messages messages;
        QVERIFY2(m_host->RunCommand(command, messages) == StatusOk,
                 qPrintable(command + " -> " + messages.last()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Host> m_host;
    QList<std::pair<int, Rgb>> m_entries;
};

QTEST_GUILESS_MAIN(TesselExportTest)
#include "tst_tessel_export.moc"

// The .shd reader and writer, and Tessel's colour names.
#include "tessel/ColorNames.h"
#include "tessel/Host.h"
#include "tessel/ShdFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tessel;

class TesselFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldReadWhatItWrites()
    {
        ShadeTable table;
        table.set(1, Rgb{0, 0, 255});
        table.set(2, Rgb{1, 2, 253});
        table.set(999, Rgb{255, 255, 255});
        const QByteArray text = formatShd("relief", table);
        QVERIFY(text.startsWith("TESSEL SHADESET 1\nname relief\nsymbols 999\n1 0 0 255\n2 1 2 "
                                "253\n999 255 255 255\n"));
        const ShdReadResult read = parseShd(text, "relief.shd");
        QVERIFY2(read.shadeset, qPrintable(read.error));
        QCOMPARE(read.shadeset->name, QStringLiteral("relief"));
        QVERIFY(read.shadeset->table == table);
    }

    void shouldAcceptCommentsBlankLinesAndCrlf()
    {
        const ShdReadResult read =
            parseShd("# made by hand\r\nTESSEL SHADESET 1\r\n\r\nname my shades\r\nsymbols 3\r\n"
                     "# the top one\r\n3 10 20 30\r\n",
                     "x.shd");
        QVERIFY2(read.shadeset, qPrintable(read.error));
        QCOMPARE(read.shadeset->name, QStringLiteral("my shades"));
        QCOMPARE(read.shadeset->table.total(), 3);
        QVERIFY(!read.shadeset->table.color(1));
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
        QTest::newRow("channel") << head + "1 2 3 256\n" << "f.shd line 4: bad colour channel \"256\"";
        QTest::newRow("negative") << head + "1 -2 3 4\n" << "f.shd line 4: bad colour channel \"-2\"";
        QTest::newRow("symbol zero") << head + "0 2 3 4\n" << "f.shd line 4: bad symbol number \"0\"";
        QTest::newRow("duplicate") << head + "1 2 3 4\n\n1 2 3 4\n" << "f.shd line 6: symbol 1 is out of order or repeated";
        QTest::newRow("unordered") << head + "3 2 3 4\n2 2 3 4\n" << "f.shd line 5: symbol 2 is out of order or repeated";
        QTest::newRow("above total") << head + "6 2 3 4\n" << "f.shd line 4: symbol 6 is above the total 5";
        QTest::newRow("total too high") << head + "4 2 3 4\n" << "f.shd: the total says 5 symbols but the highest symbol is 4";
        QTest::newRow("empty") << QByteArray() << "f.shd: incomplete shadeset file";
        QTest::newRow("oversized") << QByteArray(kMaxShdBytes + 1, '#') << "f.shd: larger than 1 MiB";
        // clang-format on
    }

    void shouldRejectMalformedFilesNamingTheLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const ShdReadResult read = parseShd(text, "f.shd");
        QVERIFY(!read.shadeset);
        QCOMPARE(read.error, error);
    }

    // A missing file, a folder and a pipe (refused without waiting for a writer) load as
    // nothing; a bad file's refusals are the import test's.
    void shouldKeepTheCurrentShadesetWhenALoadFails()
    {
        QTemporaryDir dir;
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.shd")).constData(), 0600), 0);
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.zeb")).constData(), 0600), 0);
        Host host(dir.path());
        Messages messages;
        QCOMPARE(host.RunCommand("shadecolorramp 1 4 \"red\" \"blue\"", messages), StatusOk);
        const ShadeTable before = host.shadeTable();
        const QString path = dir.path() + '/';
        // clang-format off
        for (const auto &[command, message] : std::initializer_list<std::pair<QString, QString>>{
                 {"shadeset missing.shd", "shadeset: cannot open " + path + "missing.shd: No such file or directory"},
                 {"shadeset .", "shadeset: cannot open " + dir.path() + ": not a file"},
                 {"shadeset pipe.shd", "shadeset: cannot open " + path + "pipe.shd: not a file"},
                 {"&r pipe.zeb", "&r: cannot open " + path + "pipe.zeb: not a file"}}) {
            // clang-format on
            QCOMPARE(host.RunCommand(command, messages), StatusFileError);
            QCOMPARE(messages.last(), message);
        }
        QVERIFY(host.shadeTable() == before);
    }

    void shouldKnowTheClassicColourNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rgb");
        // clang-format off
        QTest::newRow("snow") << "snow" << 0xfffafa;
        QTest::newRow("thistle") << "thistle" << 0xd8bfd8;
        QTest::newRow("X11 gray is not web gray") << "gray" << 0xbebebe;
        QTest::newRow("grey") << "light grey" << 0xd3d3d3;
        QTest::newRow("blanks and case") << "  Light GoldenRod " << 0xeedd82;
        QTest::newRow("run together") << "lightgoldenrod" << 0xeedd82;
        QTest::newRow("second form") << "corn silk" << 0xfff8dc;
        QTest::newRow("grayo") << "grayo" << 0x000000;
        QTest::newRow("maroon X11") << "maroon" << 0xb03060;
        QTest::newRow("purple X11") << "purple" << 0xa020f0;
        QTest::newRow("hex") << "#1F6b34" << 0x1f6b34;
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

    void shouldRejectWhatIsNoColour()
    {
        for (const char *text :
             {"", "   ", "bleu", "#12345", "#1234567", "#12345g", "#+12345", "grayish"}) {
            QVERIFY2(!lookupColor(QString::fromUtf8(text)), text);
        }
    }
};

QTEST_GUILESS_MAIN(TesselFilesTest)
#include "tst_tessel_files.moc"

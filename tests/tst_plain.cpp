// The plain rules behind the window: number readings, folders, picked paths, shadeset
// names and colour names.
#include "app/basMain.h"
#include "app/zeb_func.h"
#include "core/ShadesetName.h"
#include "palette/ColorNameTable.h"
#include "shadeset/PickedPath.h"
#include "shadeset/SymbolCount.h"
#include "tessel/ColorNames.h"
#include "tessel/ShdFile.h"

#include <QTest>

class PlainTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldReadTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        // clang-format off
        QTest::newRow("plain") << "999" << 999.0;
        QTest::newRow("fraction") << "999.5" << 999.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("capital exponent") << "2E+2x" << 200.0;
        QTest::newRow("exponent without digits") << "12e" << 12.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("blanks inside") << "4 5" << 45.0;
        QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
        QTest::newRow("negative") << "-20" << -20.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        // clang-format on
    }

    void shouldReadTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void shouldConvertTheWholeTextHalvesToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -99999: refused
        // clang-format off
        QTest::newRow("12.5") << "12.5" << 12;
        QTest::newRow("13.5") << "13.5" << 14;
        QTest::newRow("12.6") << "12.6" << 13;
        QTest::newRow("-2.5") << "-2.5" << -2;
        QTest::newRow("blanks around") << " 40 " << 40;
        QTest::newRow("1e3") << "1e3" << 1000;
        QTest::newRow("top") << "32767" << 32767;
        QTest::newRow("bottom") << "-32768.5" << -32768;
        QTest::newRow("too big") << "32767.5" << -99999;
        QTest::newRow("12abc") << "12abc" << -99999;
        QTest::newRow("blank inside") << "4 5" << -99999;
        QTest::newRow("empty") << "" << -99999;
        QTest::newRow("huge exponent") << "1e999" << -99999;
        // clang-format on
    }

    void shouldConvertTheWholeTextHalvesToEven()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto converted = wholeNumber16(text);
        QCOMPARE(converted ? int(*converted) : -99999, value);
    }

    void shouldFindPositionsExactly()
    {
        QCOMPARE(FindPos("abc\\tools", "\\tools"), qint16(4));
        QCOMPARE(FindPos("ABC", "b"), qint16(0));
        QCOMPARE(FindPos("", ".shd"), qint16(0));
        QCOMPARE(FindPos("a.shd.shd", ".shd"), qint16(2));
        QVERIFY(EndsWith("relief.shd", ".shd"));
        QVERIFY(!EndsWith("relief.SHD", ".shd"));
        QVERIFY(!EndsWith("shd", ".shd"));
    }

    void shouldDeriveTheFolders_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("lowerCase"); // where the file system ignores case
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("tools");
        QTest::addColumn<QString>("shades");
        // clang-format off
        QTest::newRow("windows tools") << "C:\\Apps\\Shade\\Tools" << true << "c:\\apps\\shade" << "c:\\apps\\shade\\tools" << "c:\\apps\\shade\\shades";
        QTest::newRow("windows base") << "D:\\Shade" << true << "d:\\shade" << "d:\\shade\\tools" << "d:\\shade\\shades";
        QTest::newRow("windows capitals") << "C:\\SHADE\\TOOLS" << true << "c:\\shade" << "c:\\shade\\tools" << "c:\\shade\\shades";
        QTest::newRow("tools in the middle") << "c:\\tools\\apps\\shade" << true << "c:\\tools\\apps\\shade" << "c:\\tools\\apps\\shade\\tools" << "c:\\tools\\apps\\shade\\shades";
        QTest::newRow("drive root") << "C:\\" << true << "c:" << "c:\\tools" << "c:\\shades";
        QTest::newRow("unix tools keeps case") << "/opt/Shade/TOOLS" << false << "/opt/Shade" << "/opt/Shade/tools" << "/opt/Shade/shades";
        QTest::newRow("unix blanks") << "/home/Ann/My Maps" << false << "/home/Ann/My Maps" << "/home/Ann/My Maps/tools" << "/home/Ann/My Maps/shades";
        QTest::newRow("unix toolsx") << "/opt/mytools" << false << "/opt/mytools" << "/opt/mytools/tools" << "/opt/mytools/shades";
        QTest::newRow("root") << "/" << false << "" << "/tools" << "/shades";
        // clang-format on
    }

    void shouldDeriveTheFolders()
    {
        QFETCH(QString, program);
        QFETCH(bool, lowerCase);
        const bool windows = program.contains('\\');
        const Folders folders = deriveFolders(program, lowerCase, windows ? '\\' : '/');
        QTEST(folders.startPath, "start");
        QTEST(folders.toolsDir, "tools");
        QTEST(folders.shadeDir, "shades");
        QCOMPARE(folders.tesselDir, program);
    }

    void shouldSplitAPickedPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("shadeset") << "/data/shades/elev9.shd" << "elev9.shd" << "elev9";
        QTest::newRow("windows path") << "c:\\data\\elev9.shd" << "elev9.shd" << "elev9";
        QTest::newRow("all files") << "/data/notes.txt" << "notes.txt" << "notes";
        QTest::newRow("no separator") << "relief.shd" << "relief.shd" << "relief";
        QTest::newRow("short file part") << "/data/a.b" << "a.b" << "a.b";
        QTest::newRow("blanks") << "/my maps/my relief.shd" << "my relief.shd" << "my relief";
        // clang-format on
    }

    void shouldSplitAPickedPath()
    {
        QFETCH(QString, path);
        const PickedPath parts = splitPickedPath(path);
        QTEST(parts.file, "file");
        QTEST(parts.name, "name");
        QCOMPARE(parts.folder + parts.file, path);
    }

    void shouldRefuseWhatCannotBeAShadesetName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem"); // empty: a good name
        // clang-format off
        QTest::newRow("blanks inside") << "my relief 2" << "";
        QTest::newRow("dots inside") << "relief.v2" << "";
        QTest::newRow("device-like") << "console" << "";
        QTest::newRow("palette-like") << "colornames2" << "";
        QTest::newRow("empty") << "" << "is empty";
        QTest::newRow("dot") << "." << "cannot be \".\"";
        QTest::newRow("dotdot") << ".." << "cannot be \"..\"";
        QTest::newRow("slash") << "../relief" << "cannot hold the character \"/\"";
        QTest::newRow("backslash") << "a\\b" << "cannot hold the character \"\\\"";
        QTest::newRow("colon") << ":relief" << "cannot hold the character \":\"";
        QTest::newRow("star") << "re*" << "cannot hold the character \"*\"";
        QTest::newRow("angle") << "a<b" << "cannot hold the character \"<\"";
        QTest::newRow("bar") << "a|b" << "cannot hold the character \"|\"";
        QTest::newRow("question") << "a?" << "cannot hold the character \"?\"";
        QTest::newRow("quote") << "a\"b" << "cannot hold a double quote";
        QTest::newRow("tab") << "a\tb" << "cannot hold the control character U+0009";
        QTest::newRow("nul") << QString("a") + QChar(0) << "cannot hold the control character U+0000";
        QTest::newRow("delete") << "a\x7f" << "cannot hold the control character U+007F";
        QTest::newRow("trailing blank") << "relief " << "cannot end in a blank";
        QTest::newRow("trailing full stop") << "relief." << "cannot end in a full stop";
        QTest::newRow("device") << "CON" << "\"CON\" is reserved for a device on Windows";
        QTest::newRow("device, any case and extension") << "lpt9.txt" << "\"lpt9.txt\" is reserved for a device on Windows";
        QTest::newRow("com") << "Com1" << "\"Com1\" is reserved for a device on Windows";
        QTest::newRow("palette") << "ColorNames" << "\"ColorNames\" is reserved for the palette";
        // clang-format on
    }

    void shouldRefuseWhatCannotBeAShadesetName()
    {
        QFETCH(QString, name);
        QTEST(core::shadesetNameProblem(name), "problem");
    }

    void shouldFindTheSymbolOfEveryAcceptedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("symbol"); // 0: not recognised
        // clang-format off
        QTest::newRow("first") << "snow" << 1;
        QTest::newRow("last") << "thistle" << 129;
        QTest::newRow("dark violet") << "dark violet" << 115;
        QTest::newRow("after the gap") << "blue violet" << 126;
        QTest::newRow("before the gap") << "dark orchid" << 124;
        QTest::newRow("corn silk") << "corn silk" << 15;
        QTest::newRow("sea shell") << "sea shell" << 18;
        QTest::newRow("honey dew") << "honey dew" << 19;
        QTest::newRow("grayo") << "grayo" << 27;
        QTest::newRow("gray") << "gray" << 32;
        QTest::newRow("light grey") << "light grey" << 33;
        QTest::newRow("grey alone") << "grey" << 0;
        QTest::newRow("dim grey") << "dim grey" << 0;
        QTest::newRow("capital") << "Snow" << 0;
        QTest::newRow("blank before") << " snow" << 0;
        QTest::newRow("two blanks") << "ghost  white" << 0;
        QTest::newRow("run together") << "lightgray" << 0;
        QTest::newRow("empty") << "" << 0;
        // clang-format on
    }

    void shouldFindTheSymbolOfEveryAcceptedText()
    {
        QFETCH(QString, text);
        QFETCH(int, symbol);
        QCOMPARE(int(FindColorIndex(text).value_or(0)), symbol);
    }

    // The palette is what the previews show: every accepted text's symbol there must hold the
    // colour Tessel itself gives that text; the lists offer each entry's first text once.
    void shouldAgreeWithThePaletteAndTessel()
    {
        const tessel::ShdReadResult palette =
            tessel::readShdFile(QStringLiteral(HUEWRIGHT_STAGE "/tools/colornames.shd"));
        QVERIFY2(palette.shadeset, qPrintable(palette.error));
        QCOMPARE(palette.shadeset->table.total(), 129);
        QVERIFY(palette.shadeset->table.color(125)); // neutral, not a hole
        int texts = 0;
        for (const ColorEntry &entry : ColorNameTable) {
            for (const char *text : {entry.text, entry.secondText}) {
                if (text) {
                    ++texts;
                    QCOMPARE(FindColorIndex(QLatin1String(text)), entry.symbol);
                    QVERIFY2(palette.shadeset->table.color(entry.symbol) ==
                                 tessel::lookupColor(QLatin1String(text)),
                             text);
                }
            }
        }
        QCOMPARE(texts, 133);
        QStringList names = colorListNames();
        QCOMPARE(names.size(), 128);
        QCOMPARE(names.removeDuplicates(), 0);
    }
};

QTEST_GUILESS_MAIN(PlainTest)
#include "tst_plain.moc"

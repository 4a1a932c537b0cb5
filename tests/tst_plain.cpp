// The plain rules behind the window, with no window: every action's command texts in the
// order sent, number readings, folders, picked paths, shadeset names and colour names.
#include "TestFiles.h"
#include "core/ShadesetName.h"
#include "palette/ColorNameTable.h"
#include "palette/Preview.h"
#include "shadeset/Commands.h"
#include "shadeset/Folders.h"
#include "shadeset/PickedPath.h"
#include "shadeset/RampPlan.h"
#include "shadeset/SymbolCount.h"
#include "tessel/table/ShdFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <limits>

namespace {

const Folders kFolders{"/maps", "/maps/tools", "/maps/shades", "/maps/tools"};
const Folders kBlanks{"/my maps", "/my maps/tools", "/my maps/shades", "/my maps/tools"};
const QString kRelief = QStringLiteral("shadesave relief");

QStringList colors(std::initializer_list<const char *> texts)
{
    QStringList boxes(7);
    int i = 0;
    for (const char *text : texts) {
        boxes[i++] = QString::fromUtf8(text);
    }
    return boxes;
}

QStringList display(const Folders &folders, const char *typed, qint16 nSymbs)
{
    const DisplayPlan plan = planDisplay(folders, QString::fromUtf8(typed), nSymbs);
    return {plan.ShdName, plan.command};
}

QStringList browse(const QString &picked, qint16 count)
{
    return browseLoadCommands(picked) << browseDisplayCommand(kFolders, picked, count);
}

QStringList preview(int row, const char *text)
{
    const PreviewPlan plan = planPreview(row, QString::fromUtf8(text));
    return QStringList{QString::number(plan.recognised)} + plan.commands;
}

} // namespace

class PlainTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The two readings of a typed count: the leading number (the bounds of the count box)
    // and the whole text as a 16-bit integer, halves to even (the count a shadeset is made
    // with); "no" where the whole text is refused.
    void shouldReadTypedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<QString>("whole");
        // clang-format off
        QTest::newRow("plain") << "999" << 999.0 << "999";
        QTest::newRow("12.5") << "12.5" << 12.5 << "12";
        QTest::newRow("13.5") << "13.5" << 13.5 << "14";
        QTest::newRow("-2.5") << "-2.5" << -2.5 << "-2";
        QTest::newRow("exponent") << "1e3" << 1000.0 << "1000";
        QTest::newRow("capital exponent") << "2E+2x" << 200.0 << "no";
        QTest::newRow("exponent without digits") << "12e" << 12.0 << "no";
        QTest::newRow("trailing letters") << "12abc" << 12.0 << "no";
        QTest::newRow("blanks inside") << "4 5" << 45.0 << "no";
        QTest::newRow("blanks around") << " 40 " << 40.0 << "40";
        QTest::newRow("tab and line feed") << "\t1\n2" << 12.0 << "no";
        QTest::newRow("letters") << "abc" << 0.0 << "no";
        QTest::newRow("leading point") << ".5" << 0.5 << "0";
        QTest::newRow("top") << "32767" << 32767.0 << "32767";
        QTest::newRow("bottom") << "-32768.5" << -32768.5 << "-32768";
        QTest::newRow("too big") << "32767.5" << 32767.5 << "no";
        QTest::newRow("huge exponent") << "1e999" << std::numeric_limits<double>::infinity() << "no";
        // clang-format on
    }

    void shouldReadTypedNumbers()
    {
        QFETCH(QString, text);
        QTEST(leadingNumber(text), "leading");
        const std::optional<qint16> whole = wholeNumber16(text);
        QTEST(whole ? QString::number(*whole) : QStringLiteral("no"), "whole");
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
        QTest::newRow("capital extension") << "/data/ELEV9.SHD" << "ELEV9.SHD" << "ELEV9";
        QTest::newRow("all files") << "/data/notes.txt" << "notes.txt" << "notes";
        QTest::newRow("no separator") << "relief.shd" << "relief.shd" << "relief";
        QTest::newRow("four characters") << "/data/a.sh" << "a.sh" << "a.sh";
        QTest::newRow("four, no extension") << "/data/elev" << "elev" << "elev";
        QTest::newRow("a palette's longer extension") << "/data/cool warm.json" << "cool warm.json" << "cool warm";
        QTest::newRow("no extension") << "/data/README" << "README" << "RE";
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
        QTest::newRow("empty") << "" << "is empty";
        QTest::newRow("dot") << "." << "cannot be \".\"";
        QTest::newRow("dotdot") << ".." << "cannot be \"..\"";
        QTest::newRow("slash") << "../relief" << "cannot hold the character \"/\"";
        QTest::newRow("backslash") << "a\\b" << "cannot hold the character \"\\\"";
        QTest::newRow("colon") << ":relief" << "cannot hold the character \":\"";
        QTest::newRow("star") << "re*" << "cannot hold the character \"*\"";
        QTest::newRow("less") << "a<b" << "cannot hold the character \"<\"";
        QTest::newRow("greater") << "a>b" << "cannot hold the character \">\"";
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
        QTest::newRow("com0") << "COM0" << "\"COM0\" is reserved for a device on Windows";
        QTest::newRow("lpt0") << "lpt0.shd" << "\"lpt0.shd\" is reserved for a device on Windows";
        QTest::newRow("superscript one") << "COM\u00b9" << "\"COM\u00b9\" is reserved for a device on Windows";
        QTest::newRow("superscript three") << "LPT\u00b3" << "\"LPT\u00b3\" is reserved for a device on Windows";
        QTest::newRow("com10 is fine") << "COM10" << "";
        QTest::newRow("override") << "abc\u202Egpj" << "cannot hold the bidirectional control U+202E";
        QTest::newRow("isolate") << "a\u2066b" << "cannot hold the bidirectional control U+2066";
        QTest::newRow("not utf-8") << QString::fromUtf8("caf\xe9") << "cannot hold bytes that are not UTF-8 (U+FFFD)";
        QTest::newRow("lone surrogate") << QString(QChar(0xd800)) + "x" << "cannot hold bytes that are not UTF-8 (U+FFFD)";
        QTest::newRow("beyond the first plane") << QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x97\xba") << "";
        QTest::newRow("palette") << "ColorNames" << "\"ColorNames\" is reserved for the palette";
        // clang-format on
    }

    void shouldRefuseWhatCannotBeAShadesetName()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const core::Status checked = core::checkShadesetName(name);
        QCOMPARE(checked.error(), problem.isEmpty() ? problem : "the shadeset name " + problem);
    }

    void shouldFindTheSymbolOfEveryAcceptedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("symbol"); // 0: not recognised
        // clang-format off
        QTest::newRow("dark violet") << "dark violet" << 115;
        QTest::newRow("corn silk") << "corn silk" << 15;
        QTest::newRow("grayo") << "grayo" << 27;
        QTest::newRow("light grey") << "light grey" << 33;
        QTest::newRow("grey alone") << "grey" << 0;
        QTest::newRow("dim grey") << "dim grey" << 0;
        QTest::newRow("capital") << "Snow" << 0;
        QTest::newRow("blank before") << " snow" << 0;
        QTest::newRow("empty") << "" << 0;
        // clang-format on
    }

    void shouldFindTheSymbolOfEveryAcceptedText()
    {
        QFETCH(QString, text);
        QFETCH(int, symbol);
        QCOMPARE(int(FindColorIndex(text).value_or(0)), symbol);
    }

    // The lists offer each name once; the palette has 129 symbols, without a hole at 125.
    void shouldHoldTheWholeVocabulary()
    {
        QStringList names = colorListNames();
        QCOMPARE(names.size(), 128);
        QCOMPARE(names.removeDuplicates(), 0);
        const auto palette = tessel::readShdFile(HUEWRIGHT_STAGE "/tools/colornames.shd");
        QVERIFY2(palette, qPrintable(palette.error()));
        QCOMPARE(palette->table.total(), 129);
        QVERIFY(palette->table.color(125));
    }

    void shouldSendEachActionsCommands_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("preview 1") << preview(1, "snow") << QStringList{"1", "shadeset colornames.shd", "shadesymbol 1", "patch .35 2.45 1.35 2.6"};
        QTest::newRow("preview 2, unknown") << preview(2, "Red") << QStringList{"0", "shadeset colornames.shd", "shadesymbol 27", "patch .35 2.75 1.35 2.9"};
        QTest::newRow("preview 3, blanks") << preview(3, "   ") << QStringList{"0", "shadeset colornames.shd", "shadesymbol 27", "patch .35 3.05 1.35 3.2"};
        QTest::newRow("worked example 1") << planRamps(colors({"blue", "yellow", "red"}), 999, "c:\\maps\\shades", "relief") << QStringList{"&wo c:\\maps\\shades", "shadedelete ALL", "shadecolorramp 1 500 \"blue\" \"yellow\"", "shadecolorramp 500 500 \"yellow\" \"red\"", kRelief};
        QTest::newRow("worked example 2") << planRamps(colors({"navy", "royal blue", "sky blue", "pale green", "yellow", "orange", "firebrick"}), 100, "c:\\maps\\shades", "relief") << QStringList{"&wo c:\\maps\\shades", "shadedelete ALL", "shadecolorramp 1 17 \"navy\" \"royal blue\"", "shadecolorramp 17 17 \"royal blue\" \"sky blue\"", "shadecolorramp 34 17 \"sky blue\" \"pale green\"", "shadecolorramp 51 17 \"pale green\" \"yellow\"", "shadecolorramp 68 17 \"yellow\" \"orange\"", "shadecolorramp 85 17 \"orange\" \"firebrick\"", kRelief};
        QTest::newRow("worked example 3") << planRamps(colors({"dark green", "khaki", "sienna", "snow"}), 999, "/s", "relief") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 334 \"dark green\" \"khaki\"", "shadecolorramp 334 334 \"khaki\" \"sienna\"", "shadecolorramp 668 334 \"sienna\" \"snow\"", kRelief};
        QTest::newRow("3 colours of 9: ramps from 1 and 5, to 9") << planRamps(colors({"a", "b", "c"}), 9, "/s", "n") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 5 \"a\" \"b\"", "shadecolorramp 5 5 \"b\" \"c\"", "shadesave n"};
        QTest::newRow("6 of 9: from 1, 2, 4, 6 and 8, to 9") << planRamps(colors({"a", "b", "c", "d", "e", "f"}), 9, "/s", "n") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 2 \"a\" \"b\"", "shadecolorramp 2 2 \"b\" \"c\"", "shadecolorramp 4 2 \"c\" \"d\"", "shadecolorramp 6 2 \"d\" \"e\"", "shadecolorramp 8 2 \"e\" \"f\"", "shadesave n"};
        QTest::newRow("7 of 999: to 1001") << planRamps(colors({"a", "b", "c", "d", "e", "f", "g"}), 999, "/s", "n") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 167 \"a\" \"b\"", "shadecolorramp 167 167 \"b\" \"c\"", "shadecolorramp 334 167 \"c\" \"d\"", "shadecolorramp 501 167 \"d\" \"e\"", "shadecolorramp 668 167 \"e\" \"f\"", "shadecolorramp 835 167 \"f\" \"g\"", "shadesave n"};
        QTest::newRow("6 of 10: to 14") << planRamps(colors({"a", "b", "c", "d", "e", "f"}), 10, "/s", "n") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 3 \"a\" \"b\"", "shadecolorramp 3 3 \"b\" \"c\"", "shadecolorramp 6 3 \"c\" \"d\"", "shadecolorramp 9 3 \"d\" \"e\"", "shadecolorramp 12 3 \"e\" \"f\"", "shadesave n"};
        QTest::newRow("gap ends the count; blanks, quotes and names as typed") << planRamps(colors({"   ", "a\"b", "red", "tan", "", "blue"}), 9, "/s", "my hills") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 4 \"   \" \"a\"b\"", "shadecolorramp 4 4 \"a\"b\" \"red\"", "shadecolorramp 8 4 \"red\" \"tan\"", "shadesave my hills"};
        QTest::newRow("display cuts .shd") << display(kFolders, "elev2.shd", 120) << QStringList{"elev2", "&r /maps/tools/dispshd.zeb /maps elev2 120"};
        QTest::newRow("display, capitals not cut") << display(kFolders, "ELEV2.SHD", 9) << QStringList{"ELEV2.SHD", "&r /maps/tools/dispshd.zeb /maps ELEV2.SHD 9"};
        QTest::newRow("display, .shd inside") << display(kFolders, "my.shdfile", 9) << QStringList{"my.shdfile", "&r /maps/tools/dispshd.zeb /maps my.shdfile 9"};
        QTest::newRow("display, empty") << display(kBlanks, "", 0) << QStringList{"", "&r /my maps/tools/dispshd.zeb /my maps  0"};
        QTest::newRow("display, blanks quoted") << display(kBlanks, "my relief.shd", 99) << QStringList{"my relief", "&r /my maps/tools/dispshd.zeb /my maps \"my relief\" 99"};
        QTest::newRow("browse") << browse("c:\\data\\shades\\elev9.shd", 57) << QStringList{"shadeset c:\\data\\shades\\elev9.shd", "&s symb = [show shadesymbol total]", "&r /maps/tools/disp_old_shd.zeb c:\\data\\shades\\elev9.shd 57"};
        QTest::newRow("browse, cancelled") << browse("", 999) << QStringList{"shadeset ", "&s symb = [show shadesymbol total]", "&r /maps/tools/disp_old_shd.zeb  999"};
        // clang-format on
    }

    void shouldSendEachActionsCommands()
    {
        QFETCH(QStringList, sent);
        QFETCH(QStringList, expected);
        QCOMPARE(sent, expected);
    }

    // The README's map names every folder, and Tessel's layers use only those before them.
    void shouldKeepTheMapOfTheSourceTrue()
    {
        const QString readme = QString::fromUtf8(readFile(HUEWRIGHT_SOURCE "/README.md"));
        QStringList folders;
        for (const QString &top :
             QDir(HUEWRIGHT_SOURCE).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!top.startsWith("build")) {
                folders << top;
            }
        }
        const QStringList layers = {"table",    "colour", "formats",  "grid",
                                    "language", "draw",   "tesselcmd"};
        for (const QString &sub :
             QDir(HUEWRIGHT_SOURCE "/tessel").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            folders << "tessel/" + sub;
        }
        for (const QString &folder : folders) {
            QVERIFY2(readme.contains('`' + folder + "/`"), qPrintable(folder));
        }
        const QRegularExpression include("#include \"tessel/([a-z]+)/");
        for (const QString &layer : layers) {
            const QDir dir(HUEWRIGHT_SOURCE "/tessel/" + layer);
            for (const QString &file : dir.entryList(QDir::Files)) {
                const QString text = QString::fromUtf8(readFile(dir.filePath(file)));
                for (auto it = include.globalMatch(text); it.hasNext();) {
                    const QString used = it.next().captured(1);
                    QVERIFY2(layers.indexOf(used) < layers.indexOf(layer),
                             qPrintable(layer + "/" + file + " uses " + used));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(PlainTest)
#include "tst_plain.moc"

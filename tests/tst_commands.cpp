// The command texts of every action, in order, as the host receives them.
#include "palette/Preview.h"
#include "shadeset/Commands.h"
#include "shadeset/RampPlan.h"

#include <QTest>

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

class CommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldSendEachActionsCommands_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("load") << loadCommands(kFolders) << QStringList{"&r /maps/tools/dispshd.zeb /maps elev999 999", "shadeset colornames.shd"};
        QTest::newRow("load, blanks") << loadCommands(kBlanks) << QStringList{"&r /my maps/tools/dispshd.zeb /my maps elev999 999", "shadeset colornames.shd"};
        QTest::newRow("start path") << QStringList{startPathCommand(kBlanks)} << QStringList{"&s .startpath = /my maps"};
        QTest::newRow("clear") << QStringList{clearCommand()} << QStringList{"clear"};
        QTest::newRow("preview 1") << preview(1, "snow") << QStringList{"1", "shadeset colornames.shd", "shadesymbol 1", "patch .35 2.45 1.35 2.6"};
        QTest::newRow("preview 2, unknown") << preview(2, "Red") << QStringList{"0", "shadeset colornames.shd", "shadesymbol 27", "patch .35 2.75 1.35 2.9"};
        QTest::newRow("preview 3, blanks") << preview(3, "   ") << QStringList{"0", "shadeset colornames.shd", "shadesymbol 27", "patch .35 3.05 1.35 3.2"};
        QTest::newRow("preview 4") << preview(4, "thistle") << QStringList{"1", "shadesymbol 129", "patch .35 3.35 1.35 3.5"};
        QTest::newRow("preview 5, grayo") << preview(5, "grayo") << QStringList{"1", "shadesymbol 27", "patch .35 3.65 1.35 3.8"};
        QTest::newRow("preview 6") << preview(6, "blue violet") << QStringList{"1", "shadesymbol 126", "patch .35 3.95 1.35 4.1"};
        QTest::newRow("preview 7") << preview(7, "light grey") << QStringList{"1", "shadesymbol 33", "patch .35 4.25 1.35 4.4"};
        QTest::newRow("worked example 1") << planRamps(colors({"blue", "yellow", "red"}), 999, "c:\\maps\\shades", "relief") << QStringList{"&wo c:\\maps\\shades", "shadedelete ALL", "shadecolorramp 1 500 \"blue\" \"yellow\"", "shadecolorramp 500 500 \"yellow\" \"red\"", kRelief};
        QTest::newRow("worked example 2") << planRamps(colors({"navy", "royal blue", "sky blue", "pale green", "yellow", "orange", "firebrick"}), 100, "c:\\maps\\shades", "relief") << QStringList{"&wo c:\\maps\\shades", "shadedelete ALL", "shadecolorramp 1 17 \"navy\" \"royal blue\"", "shadecolorramp 17 17 \"royal blue\" \"sky blue\"", "shadecolorramp 34 17 \"sky blue\" \"pale green\"", "shadecolorramp 51 17 \"pale green\" \"yellow\"", "shadecolorramp 68 17 \"yellow\" \"orange\"", "shadecolorramp 85 17 \"orange\" \"firebrick\"", kRelief};
        QTest::newRow("worked example 3") << planRamps(colors({"dark green", "khaki", "sienna", "snow"}), 999, "/s", "relief") << QStringList{"&wo /s", "shadedelete ALL", "shadecolorramp 1 334 \"dark green\" \"khaki\"", "shadecolorramp 334 334 \"khaki\" \"sienna\"", "shadecolorramp 668 334 \"sienna\" \"snow\"", kRelief};
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

    // The last ramp names the highest symbol: ColorRange is floor(count / (colours - 1)) + 1.
    void shouldSplitTheSymbolsIntoRamps_data()
    {
        QTest::addColumn<int>("nColors");
        QTest::addColumn<int>("nSymbs");
        QTest::addColumn<QString>("lastRamp"); // start and count: the highest is their sum - 1
        // clang-format off
        QTest::newRow("3 of 9") << 3 << 9 << "shadecolorramp 5 5";
        QTest::newRow("4 of 9") << 4 << 9 << "shadecolorramp 8 4";
        QTest::newRow("5 of 9") << 5 << 9 << "shadecolorramp 9 3";
        QTest::newRow("6 of 9") << 6 << 9 << "shadecolorramp 8 2";
        QTest::newRow("7 of 9") << 7 << 9 << "shadecolorramp 10 2";
        QTest::newRow("4 of 999") << 4 << 999 << "shadecolorramp 668 334";
        QTest::newRow("5 of 999") << 5 << 999 << "shadecolorramp 750 250";
        QTest::newRow("6 of 999") << 6 << 999 << "shadecolorramp 800 200";
        QTest::newRow("7 of 999") << 7 << 999 << "shadecolorramp 835 167";
        QTest::newRow("6 of 10") << 6 << 10 << "shadecolorramp 12 3";
        // clang-format on
    }

    void shouldSplitTheSymbolsIntoRamps()
    {
        QFETCH(int, nColors);
        QFETCH(int, nSymbs);
        QFETCH(QString, lastRamp);
        QStringList boxes(7);
        for (int i = 0; i < nColors; ++i) {
            boxes[i] = QStringLiteral("red");
        }
        const QStringList commands = planRamps(boxes, nSymbs, "/s", "n");
        QCOMPARE(commands.size(), nColors + 2);
        QCOMPARE(commands[nColors], lastRamp + " \"red\" \"red\"");
    }
};

QTEST_GUILESS_MAIN(CommandsTest)
#include "tst_commands.moc"

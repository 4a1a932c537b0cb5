// The symbol count, the existence check and the construction of a shadeset.
#include "FormFixture.h"
#include "TestFiles.h"
#include "app/basMain.h"
#include "shadeset/RampPlan.h"
#include "shadeset/SymbolCount.h"
#include "tessel/ShdFile.h"

#include <QFile>
#include <QTest>

namespace {

const QStringList kSevenColors = {"navy",   "royal blue", "sky blue", "pale green",
                                  "yellow", "orange",     "firebrick"};

} // namespace

class ConstructionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldReadTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
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
    }

    void shouldConvertTheWholeTextHalvesToEven()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto converted = wholeNumber16(text);
        QCOMPARE(converted ? int(*converted) : -99999, value);
    }

    void shouldPlanTheWorkedExamples_data()
    {
        QTest::addColumn<QStringList>("colors");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("three colours")
            << QStringList{"blue", "yellow", "red", "", "", "", ""} << 999
            << QStringList{"&wo c:\\maps\\shades", "shadedelete ALL",
                           "shadecolorramp 1 500 \"blue\" \"yellow\"",
                           "shadecolorramp 500 500 \"yellow\" \"red\"", "shadesave relief"};
        QTest::newRow("seven colours")
            << kSevenColors << 100
            << QStringList{"&wo c:\\maps\\shades",
                           "shadedelete ALL",
                           "shadecolorramp 1 17 \"navy\" \"royal blue\"",
                           "shadecolorramp 17 17 \"royal blue\" \"sky blue\"",
                           "shadecolorramp 34 17 \"sky blue\" \"pale green\"",
                           "shadecolorramp 51 17 \"pale green\" \"yellow\"",
                           "shadecolorramp 68 17 \"yellow\" \"orange\"",
                           "shadecolorramp 85 17 \"orange\" \"firebrick\"",
                           "shadesave relief"};
        QTest::newRow("four colours")
            << QStringList{"dark green", "khaki", "sienna", "snow", "", "", ""} << 999
            << QStringList{"&wo c:\\maps\\shades",
                           "shadedelete ALL",
                           "shadecolorramp 1 334 \"dark green\" \"khaki\"",
                           "shadecolorramp 334 334 \"khaki\" \"sienna\"",
                           "shadecolorramp 668 334 \"sienna\" \"snow\"",
                           "shadesave relief"};
        QTest::newRow("gap ends the count, blanks and quotes travel as typed")
            << QStringList{"   ", "a\"b", "red", "tan", "", "blue", "gold"} << 9
            << QStringList{"&wo c:\\maps\\shades",
                           "shadedelete ALL",
                           "shadecolorramp 1 4 \"   \" \"a\"b\"",
                           "shadecolorramp 4 4 \"a\"b\" \"red\"",
                           "shadecolorramp 8 4 \"red\" \"tan\"",
                           "shadesave relief"};
    }

    void shouldPlanTheWorkedExamples()
    {
        QFETCH(QStringList, colors);
        QFETCH(int, count);
        QFETCH(QStringList, commands);
        QCOMPARE(planRamps(colors, count, "c:\\maps\\shades", "relief").commands, commands);
    }

    void shouldReachTheHighestSymbols_data()
    {
        QTest::addColumn<int>("nColors");
        QTest::addColumn<int>("nSymbs");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("highest");
        QTest::newRow("3 of 9") << 3 << 9 << 5 << 9;
        QTest::newRow("4 of 9") << 4 << 9 << 4 << 11;
        QTest::newRow("5 of 9") << 5 << 9 << 3 << 11;
        QTest::newRow("6 of 9") << 6 << 9 << 2 << 9;
        QTest::newRow("7 of 9") << 7 << 9 << 2 << 11;
        QTest::newRow("3 of 999") << 3 << 999 << 500 << 999;
        QTest::newRow("4 of 999") << 4 << 999 << 334 << 1001;
        QTest::newRow("5 of 999") << 5 << 999 << 250 << 999;
        QTest::newRow("6 of 999") << 6 << 999 << 200 << 999;
        QTest::newRow("7 of 999") << 7 << 999 << 167 << 1001;
        QTest::newRow("6 of 10") << 6 << 10 << 3 << 14;
    }

    void shouldReachTheHighestSymbols()
    {
        QFETCH(int, nColors);
        QFETCH(int, nSymbs);
        QFETCH(int, range);
        QFETCH(int, highest);
        QStringList colors(7);
        for (int i = 0; i < nColors; ++i) {
            colors[i] = "red";
        }
        const RampPlan plan = planRamps(colors, nSymbs, "/s", "n");
        QCOMPARE(plan.nColors, nColors);
        QCOMPARE(plan.ColorRange, range);
        // The last ramp command names its start and count.
        const QStringList last = plan.commands[plan.commands.size() - 2].split(' ');
        QCOMPARE(last[1].toInt() + last[2].toInt() - 1, highest);
    }

    void shouldHoldTheCountBetweenTheBounds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("title"); // empty: no box
        const QString over = "Only 999 symbols per shadeset, please...";
        const QString under = "Minimum of 9 symbols, please...";
        QTest::newRow("1000") << "1000"
                              << "999" << over;
        QTest::newRow("999.5") << "999.5"
                               << "999" << over;
        QTest::newRow("1e3") << "1e3"
                             << "999" << over;
        QTest::newRow("999") << "999"
                             << "999"
                             << "";
        QTest::newRow("9") << "9"
                           << "9"
                           << "";
        QTest::newRow("12.6") << "12.6"
                              << "12.6"
                              << "";
        QTest::newRow("8.99") << "8.99"
                              << "9" << under;
        QTest::newRow("empty") << ""
                               << "9" << under;
        QTest::newRow("abc") << "abc"
                             << "9" << under;
        QTest::newRow("-20") << "-20"
                             << "9" << under;
        QTest::newRow("12abc") << "12abc"
                               << "12abc"
                               << "";
        QTest::newRow("4 5") << "4 5"
                             << "4 5"
                             << "";
    }

    void shouldHoldTheCountBetweenTheBounds()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, title);
        FormFixture f;
        QLineEdit *count = f.edit("txtNSymb");
        f.clearAndType(count, typed);
        QTest::mouseClick(f.edit("txtShdName"), Qt::LeftButton); // focus moves on
        QCOMPARE(count->text(), kept);
        if (title.isEmpty()) {
            QVERIFY(f.prompt().shown.isEmpty());
            QCOMPARE(QApplication::focusWidget(), f.edit("txtShdName"));
            return;
        }
        QCOMPARE(f.prompt().shown.size(), 1); // one box only, also for 1000
        const MessageRequest &box = f.prompt().shown.first();
        QCOMPARE(box.title, title);
        QCOMPARE(
            box.text,
            kept == "999"
                ? QStringLiteral(
                      "The total number of symbols within a shadeset can NOT exceed 999...")
                : QStringLiteral("The total number of symbols within the shadeset\r\ncan NOT be "
                                 "smaller than 9..."));
        QCOMPARE(box.icon, PromptIcon::Stop);
        QCOMPARE(QApplication::focusWidget(), count); // given back
        QVERIFY(f.takeCommands().isEmpty());
    }

    void shouldCheckTheCountOnTabButNotOnDeactivation()
    {
        FormFixture f;
        QLineEdit *count = f.edit("txtNSymb");
        f.clearAndType(count, "5");
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(other.isActiveWindow());
        QCOMPARE(count->text(), QStringLiteral("5"));
        QVERIFY(f.prompt().shown.isEmpty());

        QApplication::setActiveWindow(&f.form());
        QTRY_VERIFY(f.form().isActiveWindow());
        QTRY_COMPARE(QApplication::focusWidget(), count);
        QTest::keyClick(count, Qt::Key_Tab);
        QCOMPARE(count->text(), QStringLiteral("9"));
        QCOMPARE(f.prompt().shown.size(), 1);
    }

    void shouldBuildTheFirstWorkedExampleFromTheWindow()
    {
        FormFixture f;
        f.type(f.color(1), "blue");
        f.type(f.color(2), "yellow");
        f.type(f.color(3), "red");
        f.clearAndType(f.edit("txtShdName"), "relief.SHD");
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.takeCommands(),
                 (QStringList{"&wo " + f.base() + "/shades", "shadedelete ALL",
                              "shadecolorramp 1 500 \"blue\" \"yellow\"",
                              "shadecolorramp 500 500 \"yellow\" \"red\"", "shadesave relief"}));
        QVERIFY(!f.button("cmdCreateShd")->isEnabled());
        QVERIFY(f.button("cmdDisplayShd")->isEnabled());
        QCOMPARE(f.form().statusText(), QStringLiteral("You may DISPLAY the shadeset now..."));
        QCOMPARE(f.form().shdName(), QStringLiteral("relief"));
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("relief.SHD"));
        QCOMPARE(f.form().nSymbs, qint16(999));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("999")); // not written back
    }

    void shouldCutOneShdAndKeepBlanksInTheName()
    {
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.clearAndType(f.edit("txtShdName"), "my hills.shd.shd");
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.takeCommands().last(), QStringLiteral("shadesave my hills.shd"));
    }

    void shouldAskBeforeOverwritingAndKeepTheFileOnNo()
    {
        FormFixture f;
        const QString path = f.base() + "/shades/relief.shd";
        QVERIFY(writeFile(path, "old"));
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.clearAndType(f.edit("txtShdName"), "relief.shd");
        f.prompt().answers.enqueue(PromptAnswer::No);
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.prompt().shown.size(), 1);
        const MessageRequest &question = f.prompt().shown.first();
        QCOMPARE(question.title, QStringLiteral("Shadeset Exists !!!"));
        QCOMPARE(question.text,
                 QStringLiteral("Shadeset relief already exists. Do you want to overwrite it?"));
        QCOMPARE(question.buttons, PromptButtons::YesNo);
        QCOMPARE(question.icon, PromptIcon::None);
        QCOMPARE(question.defaultAnswer, PromptAnswer::Yes);
        QVERIFY(f.takeCommands().isEmpty());
        QCOMPARE(f.edit("txtShdName")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), f.edit("txtShdName"));
        QCOMPARE(f.form().statusText(), QStringLiteral("Enter a new name for the shadeset..."));
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QCOMPARE(readFile(path), QByteArray("old"));
    }

    void shouldOverwriteOnYesThroughTessel()
    {
        FormFixture f(true);
        const QString path = f.base() + "/shades/relief.shd";
        QVERIFY(writeFile(path, "old"));
        f.type(f.color(1), "black");
        f.type(f.color(2), "white");
        f.type(f.color(3), "red");
        f.clearAndType(f.edit("txtNSymb"), "9");
        f.clearAndType(f.edit("txtShdName"), "relief");
        f.prompt().answers.enqueue(PromptAnswer::Yes);
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.prompt().shown.size(), 1);
        QCOMPARE(f.takeCommands().size(), 5);
        const tessel::ShdReadResult saved = tessel::readShdFile(path);
        QVERIFY2(saved.shadeset, qPrintable(saved.error));
        const tessel::ShadeTable &t = saved.shadeset->table;
        QCOMPARE(t.total(), 9);
        QVERIFY(t.color(1) == (tessel::Rgb{0, 0, 0}));
        QVERIFY(t.color(5) == (tessel::Rgb{255, 255, 255})); // ColorRange: ramp 2 begins here
        QVERIFY(t.color(9) == (tessel::Rgb{255, 0, 0}));
    }

    void shouldSaveNothingAndKeepTheOldFileWhenTesselRefusesAColour()
    {
        FormFixture f(true);
        const QString path = f.base() + "/shades/relief.shd";
        QVERIFY(writeFile(path, "TESSEL SHADESET 1\nname relief\nsymbols 1\n1 1 2 3\n"));
        const QByteArray before = readFile(path);
        f.type(f.color(1), "red");
        f.type(f.color(2), "bleu"); // never previewed
        f.type(f.color(3), "tan");
        f.clearAndType(f.edit("txtShdName"), "relief");
        f.prompt().answers.enqueue(PromptAnswer::Yes);
        f.click(f.button("cmdCreateShd"));
        const QStringList sent = f.takeCommands();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent.last(), QStringLiteral("shadecolorramp 1 500 \"red\" \"bleu\""));
        QCOMPARE(f.form().statusText(), QStringLiteral("shadecolorramp: unknown colour \"bleu\""));
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(!f.button("cmdDisplayShd")->isEnabled());
        QCOMPARE(readFile(path), before);
    }

    void shouldRefuseACountThatIsNoWholeNumber_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("12abc") << "12abc";
        QTest::newRow("4 5") << "4 5";
    }

    void shouldRefuseACountThatIsNoWholeNumber()
    {
        QFETCH(QString, count);
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.clearAndType(f.edit("txtNSymb"), count);
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.prompt().shown.size(), 1);
        QCOMPARE(f.prompt().shown.first().text,
                 QStringLiteral("The number of symbols must be a whole number from 9 to 999."));
        QCOMPARE(f.prompt().shown.first().icon, PromptIcon::Stop);
        QCOMPARE(QApplication::focusWidget(), f.edit("txtNSymb"));
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(f.takeCommands().isEmpty());
    }

    void shouldRefuseANameThatIsNoFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow(".shd") << ".shd";
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dotdot") << "..";
        QTest::newRow("slash") << "../relief";
        QTest::newRow("backslash") << "a\\b";
    }

    void shouldRefuseANameThatIsNoFileName()
    {
        QFETCH(QString, name);
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.clearAndType(f.edit("txtShdName"), name);
        f.click(f.button("cmdCreateShd"));
        QCOMPARE(f.prompt().shown.size(), 1);
        QCOMPARE(f.prompt().shown.first().title, QStringLiteral("Shadeset name"));
        QCOMPARE(QApplication::focusWidget(), f.edit("txtShdName"));
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(f.takeCommands().isEmpty());
    }

    void shouldTellWhetherAShadesetExists()
    {
        FormFixture f;
        QVERIFY(writeFile(g_shadeDir + "/hills.shd.shd", "x"));
        QVERIFY(writeFile(g_shadeDir + "/.shd", "x"));
        QDir().mkpath(g_shadeDir + "/folder.shd");
        QString name = "hills.shd.shd";
        QVERIFY(f.form().CheckIfExists(name));
        QCOMPARE(name, QStringLiteral("hills.shd"));
        name = ".shd";
        QVERIFY(f.form().CheckIfExists(name));
        QCOMPARE(name, QString());
        name = "folder";
        QVERIFY(!f.form().CheckIfExists(name));
        name = "Missing.SHD";
        QVERIFY(!f.form().CheckIfExists(name));
        QCOMPARE(name, QStringLiteral("Missing"));
    }
};

QTEST_MAIN(ConstructionTest)
#include "tst_construction.moc"

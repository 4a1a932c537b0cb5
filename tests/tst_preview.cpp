// The colour previews: commands per row, the unknown-colour box, and what each opens.
#include "FormFixture.h"
#include "tessel/Render.h"

#include <QTest>

class PreviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldPreviewRowsOneToThreeInThePalette()
    {
        FormFixture f;
        f.type(f.color(1), "snow");
        f.click(f.patch(1));
        QCOMPARE(f.takeCommands(), (QStringList{"shadeset colornames.shd", "shadesymbol 1",
                                                "patch .35 2.45 1.35 2.6"}));
        QCOMPARE(f.form().lastColorIndex(), qint16(1));
        QVERIFY(f.prompt().shown.isEmpty());
        // Boxes 2 and 3 are empty: nothing opens.
        QVERIFY(!f.color(4)->isEnabled());
        QVERIFY(!f.button("cmdReset")->isEnabled());
        QVERIFY(!f.form().isColorsReady());
        QVERIFY(!f.button("cmdCreateShd")->isEnabled());
    }

    void shouldPreviewAnUnknownColourAsBlackAfterTheBox()
    {
        FormFixture f;
        f.type(f.color(2), "Red");
        f.click(f.patch(2));
        QCOMPARE(f.prompt().shown.size(), 1);
        const MessageRequest &box = f.prompt().shown.first();
        QCOMPARE(box.title, QStringLiteral("Color problem"));
        QCOMPARE(box.text, QStringLiteral("Color name not recognized... Typo? Try another one."));
        QCOMPARE(box.icon, PromptIcon::Stop);
        QCOMPARE(box.buttons, PromptButtons::Ok);
        QCOMPARE(f.takeCommands(), (QStringList{"shadeset colornames.shd", "shadesymbol 27",
                                                "patch .35 2.75 1.35 2.9"}));
        QCOMPARE(f.color(2)->currentText(), QStringLiteral("Red"));
    }

    void shouldSendEachRowsPatch_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("patch");
        QTest::newRow("3") << 3 << "patch .35 3.05 1.35 3.2";
        QTest::newRow("4") << 4 << "patch .35 3.35 1.35 3.5";
        QTest::newRow("5") << 5 << "patch .35 3.65 1.35 3.8";
        QTest::newRow("6") << 6 << "patch .35 3.95 1.35 4.1";
        QTest::newRow("7") << 7 << "patch .35 4.25 1.35 4.4";
    }

    void shouldSendEachRowsPatch()
    {
        QFETCH(int, row);
        QFETCH(QString, patch);
        FormFixture f;
        for (int n = 1; n <= row; ++n) {
            f.type(f.color(n), n == row ? "thistle" : "tan");
        }
        f.takeCommands();
        f.click(f.patch(row));
        QStringList expected = {"shadesymbol 129", patch};
        if (row <= 3) {
            expected.prepend("shadeset colornames.shd");
        }
        QCOMPARE(f.takeCommands(), expected);
        if (row >= 4 && row < 7) {
            QVERIFY(f.color(row + 1)->isEnabled());
        }
    }

    void shouldOpenTheNextBoxFromRowsFourToSixWhateverTheReadiness()
    {
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "tan");
        }
        f.type(f.color(4), "no such colour");
        // colorsReady is still 0: box 5 opens, Create gets no hint.
        f.click(f.patch(4));
        QCOMPARE(f.prompt().shown.size(), 1);
        QVERIFY(f.color(5)->isEnabled());
        QVERIFY(!f.form().isColorsReady());
        QVERIFY(!f.frame("Frame2")->font().italic());
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
    }

    void shouldOpenCreateOnceColoursNameAndCountStand()
    {
        FormFixture f;
        f.type(f.color(1), "red");
        f.type(f.color(2), "ab");  // too short for the rules, yet non-empty for a preview
        f.type(f.color(3), "   "); // blanks count as a text
        f.click(f.patch(1));
        QVERIFY(f.color(4)->isEnabled());
        QVERIFY(f.button("cmdClear")->isEnabled());
        QVERIFY(f.button("cmdReset")->isEnabled());
        QVERIFY(f.form().isColorsReady());
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(f.frame("Frame2")->font().italic());
        QVERIFY(!f.button("cmdCreateShd")->font().italic());
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("Specify a minimum of 3 colors...")); // rows 1-3 keep it

        f.type(f.color(4), "grayo");
        f.click(f.patch(4));
        QVERIFY(f.prompt().shown.size() == 0);
        QCOMPARE(f.form().lastColorIndex(), qint16(27));
        QCOMPARE(f.form().statusText(), QStringLiteral("You may create the shadeset now..."));
    }

    // An empty count cannot survive leaving its box (it becomes 9), so only the name is
    // emptied here.
    void shouldNotOpenCreateWithoutAName()
    {
        FormFixture f;
        f.clearAndType(f.edit("txtShdName"), "");
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "tan");
        }
        f.click(f.patch(1));
        QVERIFY(f.form().isColorsReady());
        QVERIFY(!f.frame("Frame2")->font().italic());
        f.type(f.color(4), "tan");
        f.click(f.patch(4));
        QVERIFY(!f.frame("Frame2")->font().italic());
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
    }

    void shouldDrawThePatchInTheColourAtItsPlace()
    {
        FormFixture f(true);
        f.click(f.button("cmdClear"));
        f.type(f.color(1), "royal blue");
        f.click(f.patch(1));
        f.type(f.color(2), "black");
        f.type(f.color(3), "red");
        f.type(f.color(4), "gold");
        f.click(f.patch(4));
        const QImage shown = f.form().tesselControl().grab().toImage();
        const auto at = [&](double x, double y) {
            return shown.pixelColor(int(x * tessel::kDotsPerInch),
                                    501 - int(y * tessel::kDotsPerInch));
        };
        QCOMPARE(at(0.85, 2.52), QColor(65, 105, 225)); // row 1
        QCOMPARE(at(0.85, 3.42), QColor(255, 215, 0));  // row 4
        QCOMPARE(at(0.85, 2.82), QColor(Qt::white));    // row 2 not previewed
        QCOMPARE(f.form().lastHostStatus(), 0);
    }

    void shouldNotDrawAPatchWhenTheSymbolFails()
    {
        FormFixture f;
        f.host().failWhen("shadesymbol",
                          "shadesymbol: symbol 1 is not defined in the current shadeset");
        f.type(f.color(1), "snow");
        f.click(f.patch(1));
        QCOMPARE(f.takeCommands(), (QStringList{"shadeset colornames.shd", "shadesymbol 1"}));
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("shadesymbol: symbol 1 is not defined in the current shadeset"));
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"

// The colour name table, and the palette shadeset built from it.
#include "palette/ColorNameTable.h"
#include "tessel/ColorNames.h"
#include "tessel/ShdFile.h"

#include <QTest>

class PaletteTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldFindTheSymbolOfEveryAcceptedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("symbol");
        QTest::newRow("first") << "snow" << 1;
        QTest::newRow("last") << "thistle" << 129;
        QTest::newRow("dark violet") << "dark violet" << 115;
        QTest::newRow("blue violet after the gap") << "blue violet" << 126;
        QTest::newRow("orchid before the gap") << "dark orchid" << 124;
        QTest::newRow("cornsilk") << "cornsilk" << 15;
        QTest::newRow("corn silk") << "corn silk" << 15;
        QTest::newRow("sea shell") << "sea shell" << 18;
        QTest::newRow("seashell") << "seashell" << 18;
        QTest::newRow("honey dew") << "honey dew" << 19;
        QTest::newRow("black") << "black" << 27;
        QTest::newRow("grayo") << "grayo" << 27;
        QTest::newRow("gray") << "gray" << 32;
        QTest::newRow("light gray") << "light gray" << 33;
        QTest::newRow("light grey") << "light grey" << 33;
    }

    void shouldFindTheSymbolOfEveryAcceptedText()
    {
        QFETCH(QString, text);
        QFETCH(int, symbol);
        QCOMPARE(FindColorIndex(text), std::optional<qint16>(qint16(symbol)));
    }

    void shouldRecogniseNothingElse()
    {
        for (const char *text : {"grey", "dark slate grey", "dim grey", "Snow", "SNOW", " snow",
                                 "snow ", "ghost  white", "", "gray0", "lightgray"}) {
            QVERIFY2(!FindColorIndex(QString::fromLatin1(text)), text);
        }
    }

    void shouldHoldOneEntryPerSymbolButOneTwentyFive()
    {
        int texts = 0;
        int expected = 1;
        for (const ColorEntry &entry : ColorNameTable) {
            if (expected == 125) {
                ++expected;
            }
            QCOMPARE(int(entry.symbol), expected++);
            texts += entry.secondText ? 2 : 1;
            QCOMPARE(FindColorIndex(QLatin1String(entry.text)),
                     std::optional<qint16>(entry.symbol));
        }
        QCOMPARE(texts, 133);
        QStringList names = colorListNames();
        QCOMPARE(names.size(), 128);
        QCOMPARE(names.removeDuplicates(), 0);
    }

    // The palette is what the previews show: every accepted text's symbol there must hold
    // the colour Tessel itself gives that text.
    void shouldAgreeWithTesselForEveryAcceptedText()
    {
        const tessel::ShdReadResult palette =
            tessel::readShdFile(QStringLiteral(HUEWRIGHT_STAGE "/tools/colornames.shd"));
        QVERIFY2(palette.shadeset, qPrintable(palette.error));
        QCOMPARE(palette.shadeset->table.total(), 129);
        QVERIFY(palette.shadeset->table.color(125)); // neutral, not a hole
        for (const ColorEntry &entry : ColorNameTable) {
            for (const char *text : {entry.text, entry.secondText}) {
                if (!text) {
                    continue;
                }
                const auto tesselColor = tessel::lookupColor(QLatin1String(text));
                QVERIFY2(tesselColor, text);
                QVERIFY2(palette.shadeset->table.color(entry.symbol) == tesselColor, text);
            }
        }
    }
};

QTEST_GUILESS_MAIN(PaletteTest)
#include "tst_palette.moc"

// The check's verdicts on the tables that used to get them wrong, and its picture's panels at
// sizes from roomy to cramped.
#include "TesselRun.h"
#include "tessel/colour/Check.h"
#include "tessel/draw/CheckPicture.h"
#include "tessel/language/Host.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

namespace {

// Single-symbol ramps, one colour each.
QString classes(const QStringList &colours)
{
    QStringList commands;
    for (int k = 0; k < colours.size(); ++k) {
        commands << QStringLiteral("shadecolorramp %1 1 \"%2\" \"%2\"").arg(k + 1).arg(colours[k]);
    }
    return commands.join(QLatin1Char(';'));
}

} // namespace

class CheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldGiveTheVerdictThatFitsTheTable_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QStringList>("says");
        QTest::addColumn<QStringList>("never");
        const QStringList tab10 = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                   "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
        QStringList many;
        for (int k = 0; k < 40; ++k) {
            many << (k % 2 ? "navy" : "gold");
        }
        // clang-format off
        QTest::newRow("constant") << "shadecolorramp 1 50 \"red\" \"red\"" << QStringList{"Every defined symbol has the same colour.", "normal        - one colour                - a span of one colour", "choose colours that differ"} << QStringList{"reads in order", "shadeequalize", "keeps the least"};
        QTest::newRow("one symbol") << "shadecolorramp 7 1 \"red\" \"red\"" << QStringList{"normal        - one symbol                - one symbol"} << QStringList{"reads in order", "shadeequalize"};
        QTest::newRow("three greys") << "shadecolorramp 1 3 \"black\" \"white\"" << QStringList{"Every vision keeps all of it."} << QStringList{"keeps the least"};
        QTest::newRow("tab10") << classes(tab10) << QStringList{"Read as classes", "To mend it, give the classes 2 and 3 (in protanopia) colours further apart."} << QStringList{"lightness goes one way", "shadeequalize"};
        QTest::newRow("40 far apart") << classes(many) << QStringList{"Read as classes", "It needs no mending."} << QStringList{"lightness goes one way", "- a scale"};
        QTest::newRow("a span of one colour") << "shadecolorramp 1 40 \"navy\" \"gold\";shadecolorramp 40 9 \"gold\" \"gold\"" << QStringList{"- a span of one colour", "- a scale"} << QStringList{"Read as classes"};
        QTest::newRow("gaps") << "shadecolorramp 1 20 \"navy\" \"gold\";shadecolorramp 25 40 \"gold\" \"red\"" << QStringList{"- undefined symbols inside"} << QStringList{"Read as classes"};
        QTest::newRow("a scale") << "shadecolorramp 1 64 \"navy\" \"gold\"" << QStringList{"reads in order", "- a scale", "Greyscale keeps the least of it"} << QStringList{"Read as classes"};
        // clang-format on
    }

    void shouldGiveTheVerdictThatFitsTheTable()
    {
        QFETCH(QString, commands);
        QTemporaryDir dir;
        Host host(dir.path());
        QCOMPARE(run(host, commands), QString());
        const core::Result<CheckReport> report = checkTable(QStringLiteral("t"), host.shadeTable());
        QVERIFY(report);
        const QString text = checkText(*report);
        QFETCH(QStringList, says);
        for (const QString &words : says) {
            QVERIFY2(text.contains(words), qPrintable(words + " is not in\n" + text));
        }
        QFETCH(QStringList, never);
        for (const QString &words : never) {
            QVERIFY2(!text.contains(words), qPrintable(words + " is in\n" + text));
        }
    }

    // A table of one colour cannot be made even, and says so; JSON gives each absent figure's
    // reason.
    void shouldRefuseToEqualizeOneColour()
    {
        QTemporaryDir dir;
        Host host(dir.path());
        QCOMPARE(run(host, "shadecolorramp 1 50 \"red\" \"red\""), QString());
        QCOMPARE(refusal(host, "shadeequalize perceptual"),
                 "shadeequalize: every defined symbol has the same colour: there are no steps to "
                 "make even");
        const QByteArray json = checkJson(*checkTable(QStringLiteral("t"), host.shadeTable()));
        QVERIFY2(json.contains("\"order\": {\"ok\": null, \"at\": null, \"why\": \"one colour\"}, "
                               "\"evenness\": null, \"evenness_why\": \"a span of one colour\", "
                               "\"distinct\": null, \"distinct_why\": \"a scale\""),
                 json.constData());
    }

    // Each panel keeps to a box of its own, the boxes never meet, and nothing is drawn
    // outside them; a small picture leaves panels out, steps first.
    void shouldKeepEachPanelToItsOwnBox_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("panels"); // title, bands, light, legend, steps, ends, sine
        QTest::newRow("roomy") << QSize(512, 600) << "tblgsez";
        QTest::newRow("wide and low") << QSize(300, 200) << "tb----z";
        QTest::newRow("tiny") << QSize(100, 100) << "tb----z";
        QTest::newRow("narrow") << QSize(60, 400) << "tbl---z";
    }

    void shouldKeepEachPanelToItsOwnBox()
    {
        QFETCH(QSize, size);
        QTemporaryDir dir;
        Host host(dir.path());
        QCOMPARE(run(host, "shadecolorramp 1 128 \"navy\" \"gold\";shadecolorramp 128 129 "
                           "\"gold\" \"firebrick\""),
                 QString());
        const CheckReport report =
            *checkTable(QStringLiteral("a long name, to wrap"), host.shadeTable());
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        paintCheck(painter, size, report, CheckFrame::Alone);
        const CheckLayout layout =
            checkLayout(size, QFontMetrics(painter.font()), report, CheckFrame::Alone);
        painter.end();
        const QList<QRect> boxes = layout.boxes();
        QString panels;
        for (int i = 0; i < boxes.size(); ++i) {
            panels += boxes[i].isEmpty() ? QChar('-') : QString("tblgsez")[i];
            QVERIFY(boxes[i].isEmpty() || QRect(QPoint(), size).contains(boxes[i]));
            for (int j = 0; j < i; ++j) {
                QVERIFY2(!boxes[i].intersects(boxes[j]),
                         qPrintable(QString("%1 meets %2").arg(i).arg(j)));
            }
        }
        QTEST(panels, "panels");
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const bool inside = std::any_of(boxes.begin(), boxes.end(),
                                                [&](const QRect &b) { return b.contains(x, y); });
                QVERIFY2(inside || image.pixel(x, y) == qRgb(255, 255, 255),
                         qPrintable(QString("drawn at %1, %2, outside every box").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(CheckTest)
#include "tst_check.moc"

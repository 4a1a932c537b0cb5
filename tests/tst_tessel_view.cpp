// The Tessel widget and tesselcmd: what is drawn, where, and what the runner reports.
#include "tessel/TesselWidget.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;

class TesselViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldPaintWhiteThenThePatchAtItsPlace()
    {
        QTemporaryDir dir;
        TesselWidget widget(dir.path());
        widget.resize(135, 501);
        QImage before = widget.grab().toImage();
        QCOMPARE(before.pixelColor(10, 10), QColor(Qt::white));
        QCOMPARE(before.pixelColor(130, 490), QColor(Qt::white));

        Messages messages;
        for (const char *command : {"shadecolorramp 1 1 \"royal blue\" \"royal blue\"",
                                    "shadesymbol 1", "patch .35 2.45 1.35 2.6"}) {
            QCOMPARE(widget.host().RunCommand(command, messages), 0);
        }
        widget.update();
        const QImage after = widget.grab().toImage();
        // Inches from the bottom-left corner at 96 dpi: x 34..130, y 501-250..501-235.
        QCOMPARE(after.pixelColor(80, 501 - 243), QColor(65, 105, 225));
        QCOMPARE(after.pixelColor(80, 501 - 255), QColor(Qt::white));
        QCOMPARE(after.pixelColor(20, 501 - 243), QColor(Qt::white));
        QCOMPARE(widget.host().RunCommand("clear", messages), 0);
        widget.update();
        QCOMPARE(widget.grab().toImage().pixelColor(80, 501 - 243), QColor(Qt::white));
    }

    void shouldRunLinesReportFailuresAndRender()
    {
        QTemporaryDir dir;
        QFile commands(dir.filePath("c.tsl"));
        QVERIFY(commands.open(QIODevice::WriteOnly));
        commands.write("! a comment\nshadecolorramp 1 3 \"red\" \"blue\"\n\nshadesymbol 9\n"
                       "shadesymbol 3\npatch 0 0 1 1\nnonsense\n");
        commands.close();
        QProcess run;
        run.start(QStringLiteral(TESSELCMD),
                  {"--png", dir.filePath("out.png"), "--size", "96x96", commands.fileName()});
        QVERIFY(run.waitForFinished());
        QCOMPARE(run.exitCode(), 1);
        const QString errors = QString::fromUtf8(run.readAllStandardError());
        QVERIFY2(
            errors.contains(commands.fileName() +
                            ":4: shadesymbol: symbol 9 is not defined in the current shadeset\n"),
            qPrintable(errors));
        QVERIFY(errors.contains(commands.fileName() + ":7: nonsense: unknown command\n"));
        const QImage image(dir.filePath("out.png"));
        QCOMPARE(image.size(), QSize(96, 96));
        QCOMPARE(image.pixelColor(48, 48), QColor(0, 0, 255));

        QProcess fromStdin;
        fromStdin.start(QStringLiteral(TESSELCMD), {});
        fromStdin.write("&s a = 1\nclear\n");
        fromStdin.closeWriteChannel();
        QVERIFY(fromStdin.waitForFinished());
        QCOMPARE(fromStdin.exitCode(), 0);
    }
};

QTEST_MAIN(TesselViewTest)
#include "tst_tessel_view.moc"

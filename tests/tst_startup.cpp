// Start-up: the folders derived from the program's folder, and the first commands of a run.
#include "FormFixture.h"
#include "app/basMain.h"
#include "app/zeb_func.h"
#include "tessel/TesselWidget.h"

#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldFindPositionsExactly()
    {
        QCOMPARE(FindPos("abc\\tools", "\\tools"), qint16(4));
        QCOMPARE(FindPos("ABC", "b"), qint16(0));
        QCOMPARE(FindPos("", ".shd"), qint16(0));
        QCOMPARE(FindPos("a.shd.shd", ".shd"), qint16(2));
        QVERIFY(EndsWith("relief.shd", ".shd"));
        QVERIFY(!EndsWith("relief.SHD", ".shd"));
        QVERIFY(!EndsWith("my.shdfile", ".shd"));
        QVERIFY(!EndsWith("shd", ".shd"));
    }

    void shouldDeriveTheFolders_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("lowerCase");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("tools");
        QTest::addColumn<QString>("shades");
        // Where the file system ignores case, everything is lower-cased.
        QTest::newRow("windows tools") << "C:\\Apps\\Shade\\Tools" << true << "\\"
                                       << "c:\\apps\\shade"
                                       << "c:\\apps\\shade\\tools"
                                       << "c:\\apps\\shade\\shades";
        QTest::newRow("windows base") << "D:\\Shade" << true << "\\"
                                      << "d:\\shade"
                                      << "d:\\shade\\tools"
                                      << "d:\\shade\\shades";
        QTest::newRow("windows capitals") << "C:\\SHADE\\TOOLS" << true << "\\"
                                          << "c:\\shade"
                                          << "c:\\shade\\tools"
                                          << "c:\\shade\\shades";
        QTest::newRow("tools in the middle") << "c:\\tools\\apps\\shade" << true << "\\"
                                             << "c:\\tools\\apps\\shade"
                                             << "c:\\tools\\apps\\shade\\tools"
                                             << "c:\\tools\\apps\\shade\\shades";
        // Where case counts, the folders keep it; the tools test stays case-blind.
        QTest::newRow("unix tools") << "/opt/Shade/TOOLS" << false << "/"
                                    << "/opt/Shade"
                                    << "/opt/Shade/tools"
                                    << "/opt/Shade/shades";
        QTest::newRow("unix base") << "/home/Ann/My Maps" << false << "/"
                                   << "/home/Ann/My Maps"
                                   << "/home/Ann/My Maps/tools"
                                   << "/home/Ann/My Maps/shades";
        QTest::newRow("unix toolsx") << "/opt/mytools" << false << "/"
                                     << "/opt/mytools"
                                     << "/opt/mytools/tools"
                                     << "/opt/mytools/shades";
        QTest::newRow("root") << "/" << false << "/"
                              << ""
                              << "/tools"
                              << "/shades";
        QTest::newRow("drive root") << "C:\\" << true << "\\"
                                    << "c:"
                                    << "c:\\tools"
                                    << "c:\\shades";
    }

    void shouldDeriveTheFolders()
    {
        QFETCH(QString, program);
        QFETCH(bool, lowerCase);
        QFETCH(QString, separator);
        const Folders folders = deriveFolders(program, lowerCase, separator.at(0));
        QTEST(folders.startPath, "start");
        QTEST(folders.toolsDir, "tools");
        QTEST(folders.shadeDir, "shades");
    }

    void shouldSendTheLoadCommandsThenTheStartPath_data()
    {
        QTest::addColumn<QString>("baseName");
        QTest::newRow("plain") << "base";
        QTest::newRow("blanks") << "my base folder";
    }

    void shouldSendTheLoadCommandsThenTheStartPath()
    {
        QFETCH(QString, baseName);
        FormFixture f(false, baseName);
        const QString base = f.base();
        QCOMPARE(g_startPath, base);
        QCOMPARE(g_ToolsDir, base + "/tools");
        QCOMPARE(g_shadeDir, base + "/shades");
        QCOMPARE(f.startupCommands,
                 (QStringList{"&r " + base + "/tools/dispshd.zeb " + base + " elev999 999",
                              "shadeset colornames.shd", "&s .startpath = " + base}));
        QVERIFY(f.form().isVisible());
    }

    void shouldUseTheProgramFolderItselfWhenItIsNoToolsFolder()
    {
        ScriptedPrompt prompt;
        frmHuewright form(prompt, "/srv/shade");
        auto recording = std::make_unique<RecordingChannel>();
        RecordingChannel &host = *recording;
        form.setChannel(std::move(recording));
        Main(form, "/srv/shade");
        QCOMPARE(host.commands,
                 (QStringList{"&r /srv/shade/tools/dispshd.zeb /srv/shade elev999 999",
                              "shadeset colornames.shd", "&s .startpath = /srv/shade"}));
    }

    void shouldLoadIntoTheStartStateWhenTheHostFails()
    {
        ScriptedPrompt prompt;
        frmHuewright form(prompt, "/nowhere/tools");
        Main(form, "/nowhere/tools"); // the real Tessel, with no scripts or shadesets at all
        QVERIFY(form.isVisible());
        QCOMPARE(form.statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
        QVERIFY(form.lastHostStatus() != 0);
        QVERIFY(form.tesselControl().host().drawing().items.empty());
    }

    void shouldDrawTheStartupShadesetWithTheRealTessel()
    {
        FormFixture f(true, "my base");
        const tessel::Host &host = f.form().tesselControl().host();
        QCOMPARE(f.form().lastHostStatus(), 0);
        QCOMPARE(host.shadesetName(), QStringLiteral("colornames"));
        QCOMPARE(f.form().tesselControl().GetVariable(".startpath"), f.base());
        const QImage shown = f.form().tesselControl().grab().toImage();
        QCOMPARE(shown.size(), QSize(135, 501));
        // The legend's low end shows the elevation ramp's first colours (the table now holds
        // the palette, so they are read from the file).
        tessel::Host reader(f.base() + "/shades");
        tessel::Messages messages;
        QCOMPARE(reader.RunCommand("shadeset elev999.shd", messages), 0);
        const QColor low = shown.pixelColor(60, 501 - 56);
        bool found = false;
        for (int symbol = 1; symbol <= 20; ++symbol) {
            const tessel::Rgb rgb = *reader.shadeTable().color(symbol);
            found = found || low == QColor(rgb.red, rgb.green, rgb.blue);
        }
        QVERIFY2(found, qPrintable(low.name()));
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::white));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

// Display, the Shadeset Browser and Delete.
#include "FormFixture.h"
#include "TestFiles.h"
#include "app/basMain.h"

#include <QFile>
#include <QTest>

namespace {} // namespace

class ViewingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldDisplayTheNamedShadeset_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("cut") << "elev2.shd"
                             << "elev2";
        QTest::newRow("capitals are not cut") << "ELEV2.SHD"
                                              << "ELEV2.SHD";
        QTest::newRow("inside only") << "my.shdfile"
                                     << "my.shdfile";
        QTest::newRow("empty") << ""
                               << "";
    }

    void shouldDisplayTheNamedShadeset()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        FormFixture f;
        f.form().nSymbs = 120;
        f.form().findChild<QPushButton *>("cmdDisplayShd")->setEnabled(true);
        f.clearAndType(f.edit("txtShdName"), typed);
        f.click(f.button("cmdDisplayShd"));
        QCOMPARE(f.takeCommands(), QStringList{"&r " + f.base() + "/tools/dispshd.zeb " + f.base() +
                                               " " + name + " 120"});
        QCOMPARE(f.form().shdName(), name);
        QVERIFY(f.button("cmdDeleteShd")->isEnabled());
        QVERIFY(f.button("cmdDisplayShd")->isEnabled());
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("Before you create a new shadeset press the RESET button"));
    }

    void shouldBrowseToAShadesetCommandForCommand()
    {
        FormFixture f;
        f.host().setVariable("symb", "57");
        const QString picked = f.base() + "/data/shades/elev9.shd";
        f.prompt().files.enqueue(picked);
        f.click(f.button("cmdNavDispShd"));
        QCOMPARE(f.prompt().dialogs.size(), 1);
        const OpenFileRequest &dialog = f.prompt().dialogs.first();
        QCOMPARE(dialog.title, QStringLiteral("Shadeset Browser"));
        QCOMPARE(dialog.filters.size(), 2);
        QCOMPARE(dialog.filters[0].description, QStringLiteral("Tessel Shadesets (*.shd)"));
        QCOMPARE(dialog.filters[0].pattern, QStringLiteral("*.shd"));
        QCOMPARE(dialog.filters[1].description, QStringLiteral("All Files (*.*)"));
        QCOMPARE(dialog.filters[1].pattern, QStringLiteral("*.*"));
        QCOMPARE(dialog.defaultExtension, QStringLiteral("shd"));
        QVERIFY(dialog.mustExist);
        QVERIFY(dialog.hideReadOnly);
        QCOMPARE(dialog.folder, g_shadeDir);

        QCOMPARE(f.takeCommands(),
                 (QStringList{"shadeset " + picked, "&s symb = [show shadesymbol total]",
                              "&r " + f.base() + "/tools/disp_old_shd.zeb " + picked + " 57"}));
        QCOMPARE(f.host().variablesRead, QStringList{"symb"});
        QCOMPARE(g_browsePath, picked);
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("elev9"));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("57"));
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("Displayed is elev9.shd selected by Shadeset Browser"));
        QVERIFY(f.button("cmdClear")->isEnabled());
        QVERIFY(!f.button("cmdDeleteShd")->isEnabled());
        QVERIFY(!f.button("cmdDisplayShd")->isEnabled());
        QCOMPARE(f.form().shdName(), QString());
    }

    void shouldTakeOverNamesAndCountsAsTheyCome_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("symb");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("count");
        QTest::newRow("all files") << "/data/notes.txt"
                                   << "12"
                                   << "notes"
                                   << "12";
        QTest::newRow("count above 999") << "/data/big.shd"
                                         << "5000"
                                         << "big"
                                         << "5000";
        QTest::newRow("count rounded") << "/data/odd.shd"
                                       << "12.5"
                                       << "odd"
                                       << "12";
        QTest::newRow("no separator") << "relief.shd"
                                      << "9"
                                      << "relief"
                                      << "9";
        QTest::newRow("short file part") << "/data/a.b"
                                         << "9"
                                         << "a.b"
                                         << "9";
        QTest::newRow("windows path") << "c:\\data\\shades\\elev9.shd"
                                      << "57"
                                      << "elev9"
                                      << "57";
    }

    void shouldTakeOverNamesAndCountsAsTheyCome()
    {
        QFETCH(QString, picked);
        QFETCH(QString, symb);
        FormFixture f;
        f.host().setVariable("symb", symb);
        f.prompt().files.enqueue(picked);
        f.click(f.button("cmdNavDispShd"));
        QTEST(f.edit("txtShdName")->text(), "name");
        QTEST(f.edit("txtNSymb")->text(), "count");
        QVERIFY(f.prompt().shown.isEmpty());
    }

    void shouldSendTheCommandsAndKeepTheBoxesOnCancel()
    {
        FormFixture f;
        f.host().setVariable("symb", "999");
        f.host().failWhen("shadeset ", "shadeset: missing file name");
        f.click(f.button("cmdNavDispShd"));
        QCOMPARE(f.takeCommands(),
                 (QStringList{"shadeset ", "&s symb = [show shadesymbol total]",
                              "&r " + f.base() + "/tools/disp_old_shd.zeb  999"}));
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("elev1"));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("999"));
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("Navigate to where your shadesets are located..."));
        QVERIFY(f.button("cmdClear")->isEnabled());
        QVERIFY(f.prompt().shown.isEmpty());
        QCOMPARE(g_browsePath, QString());
    }

    void shouldNotShowAFileTesselCannotLoad()
    {
        FormFixture f;
        f.host().failWhen("shadeset /x/broken.shd",
                          "shadeset: /x/broken.shd line 4: bad colour channel \"300\"");
        f.prompt().files.enqueue("/x/broken.shd");
        f.click(f.button("cmdNavDispShd"));
        QCOMPARE(f.takeCommands(), QStringList{"shadeset /x/broken.shd"});
        QCOMPARE(f.prompt().shown.size(), 1);
        QCOMPARE(f.prompt().shown.first().icon, PromptIcon::Stop);
        QCOMPARE(f.prompt().shown.first().text,
                 QStringLiteral("Cannot show /x/broken.shd:\nshadeset: /x/broken.shd line 4: bad "
                                "colour channel \"300\""));
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("elev1"));
        QVERIFY(!f.form().statusText().startsWith("Displayed is "));
    }

    void shouldNotShowAFileWhoseCountIsNoNumber_data()
    {
        QTest::addColumn<QString>("symb");
        QTest::newRow("text") << "many";
        QTest::newRow("too big") << "40000";
        QTest::newRow("empty") << "";
    }

    void shouldNotShowAFileWhoseCountIsNoNumber()
    {
        QFETCH(QString, symb);
        FormFixture f;
        f.host().setVariable("symb", symb);
        f.prompt().files.enqueue("/x/odd.shd");
        f.click(f.button("cmdNavDispShd"));
        QCOMPARE(f.takeCommands().size(), 2); // no display script
        QCOMPARE(f.prompt().shown.size(), 1);
        QVERIFY(f.prompt().shown.first().text.startsWith(
            "Cannot show /x/odd.shd:\nTessel reports \"" + symb));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("999"));
    }

    void shouldDeleteExactlyTheDisplayedFile()
    {
        FormFixture f;
        QVERIFY(writeFile(g_shadeDir + "/elev2.shd", "x"));
        QVERIFY(writeFile(g_shadeDir + "/elev2.shd.bak", "x"));
        QVERIFY(writeFile(g_shadeDir + "/elev22.shd", "x"));
        f.form().findChild<QPushButton *>("cmdDisplayShd")->setEnabled(true);
        f.clearAndType(f.edit("txtShdName"), "elev2");
        f.click(f.button("cmdDisplayShd"));
        f.takeCommands();
        f.click(f.button("cmdDeleteShd"));
        QVERIFY(f.takeCommands().isEmpty());
        QCOMPARE(QDir(g_shadeDir).entryList(QDir::Files),
                 (QStringList{"elev2.shd.bak", "elev22.shd"}));
        QVERIFY(!f.button("cmdDeleteShd")->isEnabled());
        f.click(f.button("cmdDeleteShd")); // disabled: nothing happens
        QCOMPARE(QDir(g_shadeDir).entryList(QDir::Files).size(), 2);
    }

    void shouldSayWhyADeleteFailed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("stillEnabled");
        QTest::newRow("missing") << "gone"
                                 << "no such file" << false;
        QTest::newRow("folder") << "folder"
                                << "it is a folder" << true;
        QTest::newRow("wildcard") << "*"
                                  << "no such file" << false;
        QTest::newRow("path") << "../base"
                              << "\"../base\" is not a shadeset name" << false;
        QTest::newRow("dotdot") << ".."
                                << "\"..\" is not a shadeset name" << false;
    }

    void shouldSayWhyADeleteFailed()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QFETCH(bool, stillEnabled);
        FormFixture f;
        QVERIFY(writeFile(g_shadeDir + "/keep.shd", "x"));
        QVERIFY(writeFile(f.base() + "/base.shd", "x"));
        QDir().mkpath(g_shadeDir + "/folder.shd");
        f.form().findChild<QPushButton *>("cmdDisplayShd")->setEnabled(true);
        f.clearAndType(f.edit("txtShdName"), name);
        f.click(f.button("cmdDisplayShd"));
        f.click(f.button("cmdDeleteShd"));
        QCOMPARE(f.form().statusText(),
                 "Cannot delete " + g_shadeDir + "/" + name + ".shd: " + reason);
        QCOMPARE(f.button("cmdDeleteShd")->isEnabled(), stillEnabled);
        QVERIFY(QFile::exists(g_shadeDir + "/keep.shd"));
        QVERIFY(QFile::exists(f.base() + "/base.shd"));
    }

    void shouldCreateDisplayBrowseAndDeleteWithTheRealTessel()
    {
        FormFixture f(true, "my maps");
        const tessel::Host &host = f.form().tesselControl().host();
        for (int n = 1; n <= 7; ++n) {
            f.type(f.color(n), kColors[n - 1]);
            f.click(f.patch(n));
        }
        QVERIFY(f.prompt().shown.isEmpty());
        f.clearAndType(f.edit("txtNSymb"), "100");
        f.clearAndType(f.edit("txtShdName"), "my relief");
        f.click(f.button("cmdCreateShd"));
        const QString file = f.base() + "/shades/my relief.shd";
        QVERIFY(QFile::exists(file));
        QCOMPARE(host.shadeTable().total(), 101);

        f.click(f.button("cmdDisplayShd"));
        QCOMPARE(f.form().lastHostStatus(), 0);
        QCOMPARE(std::get<tessel::Legend>(host.drawing().items[0]).bands.size(), std::size_t(100));
        QCOMPARE(std::get<tessel::Label>(host.drawing().items[1]).text,
                 QStringLiteral("my relief"));

        f.click(f.button("cmdClear"));
        f.prompt().files.enqueue(file);
        f.click(f.button("cmdNavDispShd"));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("101"));
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("my relief"));
        QCOMPARE(std::get<tessel::Legend>(host.drawing().items[0]).bands.size(), std::size_t(101));
        QCOMPARE(f.form().statusText(),
                 QStringLiteral("Displayed is my relief.shd selected by Shadeset Browser"));
        const QImage shown = f.form().tesselControl().grab().toImage();
        QCOMPARE(shown.pixelColor(60, 501 - 54), QColor(0, 0, 128)); // navy at the bottom

        f.click(f.button("cmdDeleteShd"));
        QVERIFY(!QFile::exists(file));
        QVERIFY(QFile::exists(f.base() + "/shades/elev999.shd"));
        QVERIFY(!f.button("cmdDeleteShd")->isEnabled());

        // The palette is still found after the construction moved Tessel's working folder.
        f.click(f.button("cmdReset"));
        QCOMPARE(f.form().lastHostStatus(), 0);
    }

private:
    const QStringList kColors = {"navy",   "royal blue", "sky blue", "pale green",
                                 "yellow", "orange",     "firebrick"};
};

QTEST_MAIN(ViewingTest)
#include "tst_viewing.moc"

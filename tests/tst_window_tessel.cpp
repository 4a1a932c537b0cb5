// The window with the real Tessel behind it, in a copy of the install tree: start-up, what
// is drawn, and shadeset files made, shown, browsed, replaced and deleted.
#include "FormFixture.h"
#include "TestFiles.h"
#include "app/basMain.h"
#include "tessel/Host.h"
#include "tessel/Render.h"
#include "tessel/ShdFile.h"
#include "tessel/TesselWidget.h"

#include <QLabel>
#include <QTest>

namespace {

QColor at(const QImage &shown, double x, double y) // inches from the bottom-left corner
{
    return shown.pixelColor(int(x * tessel::kDotsPerInch),
                            shown.height() - int(y * tessel::kDotsPerInch));
}

QColor color(const tessel::ShadeTable &table, int symbol)
{
    const tessel::Rgb rgb = table.color(symbol).value_or(tessel::Rgb{});
    return QColor(rgb.red, rgb.green, rgb.blue);
}

bool isAmongTheFirst(const tessel::ShadeTable &table, int count, const QColor &shown)
{
    for (int symbol = 1; symbol <= count; ++symbol) {
        if (color(table, symbol) == shown) {
            return true;
        }
    }
    return false;
}

} // namespace

class WindowTesselTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldSendTheLoadCommandsThenTheStartPath()
    {
        QTemporaryDir dir;
        const Folders folders = deriveFolders(dir.filePath("my maps/tools"));
        ScriptedPrompt prompt;
        frmHuewright form(prompt, folders);
        auto recording = std::make_unique<RecordingChannel>();
        const QStringList &sent = recording->commands;
        form.setChannel(std::move(recording));
        Main(form, folders);
        const QString base = dir.filePath("my maps");
        QCOMPARE(g_startPath, base);
        QCOMPARE(g_shadeDir, base + "/shades");
        QCOMPARE(sent, (QStringList{"&r " + base + "/tools/dispshd.zeb " + base + " elev999 999",
                                    "shadeset colornames.shd", "&s .startpath = " + base}));
        QVERIFY(form.isVisible());
    }

    // The real Tessel with no scripts or shadesets at all: every load command fails, and
    // the window still comes up in its start state.
    void shouldLoadWhenEveryStartupCommandFails()
    {
        QTemporaryDir dir;
        const Folders folders = deriveFolders(dir.filePath("tools"));
        ScriptedPrompt prompt;
        frmHuewright form(prompt, folders);
        Main(form, folders);
        QVERIFY(form.isVisible());
        QCOMPARE(form.findChild<QLabel *>("StatusBar1Panel1")->text(),
                 QStringLiteral("Specify a minimum of 3 colors..."));
        QVERIFY(form.findChild<tessel::TesselWidget *>("Tessel1")->host().drawing().items.empty());
    }

    void shouldDrawTheStartupShadesetAndThePatches()
    {
        FormFixture f(true, "my base");
        tessel::Host elev(f.folders().shadeDir);
        tessel::Messages messages;
        QCOMPARE(elev.RunCommand("shadeset elev999.shd", messages), 0);
        QImage shown = f.shown();
        QCOMPARE(shown.size(), QSize(135, 501));
        QVERIFY(isAmongTheFirst(elev.shadeTable(), 20, at(shown, 0.6, 0.58))); // the legend's foot
        QCOMPARE(at(shown, 0.05, 5.0), QColor(Qt::white));

        // A refused name never becomes the palette; the previews keep showing its colours.
        f.run("clear; type 1 royal_blue; type 2 black; type 3 red; name colornames; create; "
              "preview 1; type 4 gold; preview 4");
        QCOMPARE(f.prompt().shown.size(), 1);
        QVERIFY(!QFile::exists(f.folders().shadeDir + "/colornames.shd"));
        shown = f.shown();
        QCOMPARE(at(shown, 0.85, 2.52), QColor(65, 105, 225)); // row 1
        QCOMPARE(at(shown, 0.85, 3.42), QColor(255, 215, 0));  // row 4
        QCOMPARE(at(shown, 0.85, 2.82), QColor(Qt::white));    // row 2 not previewed
        QCOMPARE(f.status(), QStringLiteral("You may create the shadeset now..."));
    }

    void shouldCreateDisplayBrowseAndDelete()
    {
        FormFixture f(true, "my maps");
        const tessel::Host &host = f.tessel();
        f.run("type 1 navy; type 2 royal_blue; type 3 sky_blue; type 4 pale_green; type 5 yellow; "
              "type 6 orange; type 7 firebrick");
        f.run("count 100; name my relief; create");
        const QString file = f.folders().shadeDir + "/my relief.shd";
        QVERIFY(QFile::exists(file));
        QCOMPARE(host.shadeTable().total(), 101);

        f.run("display");
        QCOMPARE(std::get<tessel::Legend>(host.drawing().items[0]).bands.size(), std::size_t(100));
        QCOMPARE(std::get<tessel::Label>(host.drawing().items[1]).text,
                 QStringLiteral("my relief"));

        f.run("clear; file " + file + "; browse");
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("101"));
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("my relief"));
        QCOMPARE(f.status(),
                 QStringLiteral("Displayed is my relief.shd selected by Shadeset Browser"));
        QCOMPARE(at(f.shown(), 0.6, 0.57), QColor(0, 0, 128)); // navy at the foot

        // Another program's palette shows like a shadeset, sampled into 256 symbols.
        QVERIFY(writeFile(f.folders().shadeDir + "/cool warm.json",
                          "[{\"Name\":\"Cool to "
                          "Warm\",\"ColorSpace\":\"Diverging\",\"RGBPoints\":[0,0.23,0.299,0.754,1,"
                          "0.706,0.016,0.15]}]"));
        f.run("file " + f.folders().shadeDir + "/cool warm.json; browse");
        QCOMPARE(f.edit("txtShdName")->text() + '|' + f.edit("txtNSymb")->text(),
                 QStringLiteral("cool warm|256"));
        QCOMPARE(std::get<tessel::Label>(host.drawing().items[1]).text,
                 QStringLiteral("Cool to Warm"));
        QCOMPARE(at(f.shown(), 0.6, 0.57), QColor(59, 76, 192));

        f.run("delete");
        QVERIFY(!QFile::exists(file));
        QVERIFY(QFile::exists(f.folders().shadeDir + "/elev999.shd"));
        QVERIFY(!f.button("cmdDeleteShd")->isEnabled());
        // The palette is still found after the construction moved Tessel's working folder.
        f.run("reset");
        QCOMPARE(f.status(), QStringLiteral("Specify a minimum of 3 colors..."));
    }

    // The old file stays until Tessel's save replaces it: a refused colour keeps it whole.
    void shouldReplaceAShadesetOnlyByASavedOne()
    {
        FormFixture f(true);
        const QString path = f.folders().shadeDir + "/relief.shd";
        QVERIFY(writeFile(path, "TESSEL SHADESET 1\nname relief\nsymbols 1\n1 1 2 3\n"));
        const QByteArray before = readFile(path);
        f.run("type 1 black; type 2 bleu; type 3 red; count 9; name relief; answer yes; create");
        QCOMPARE(f.status(), QStringLiteral("shadecolorramp: unknown colour \"bleu\""));
        QCOMPARE(readFile(path), before);

        f.run("erase 2; type 2 white; answer yes; create");
        QCOMPARE(f.prompt().shown.size(), 2);
        const tessel::ShdReadResult saved = tessel::readShdFile(path);
        QVERIFY2(saved.shadeset, qPrintable(saved.error));
        QCOMPARE(saved.shadeset->table.total(), 9);
        QCOMPARE(color(saved.shadeset->table, 1), QColor(Qt::black));
        QCOMPARE(color(saved.shadeset->table, 5),
                 QColor(Qt::white)); // ColorRange: ramp 2 begins here
        QCOMPARE(color(saved.shadeset->table, 9), QColor(Qt::red));
    }
};

QTEST_MAIN(WindowTesselTest)
#include "tst_window_tessel.moc"

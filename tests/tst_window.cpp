// The window worked as a user works it: which controls each action opens, what it sends,
// what it refuses and how it tells the user, with the host recorded; and with the real
// Tessel, what is drawn and which shadeset files are made, shown, browsed and deleted.
#include "FormFixture.h"
#include "TesselRun.h"
#include "TestFiles.h"
#include "app/basMain.h"
#include "tessel/draw/Render.h"
#include "tessel/draw/TesselWidget.h"
#include "tessel/language/Host.h"
#include "tessel/table/ShdFile.h"
#include "ui/FormLayout.h"
#include "ui/QtPrompt.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kHint = QStringLiteral("Specify a minimum of 3 colors...");
const QString kThree = QStringLiteral("type 1 red; type 2 tan; type 3 blue");
const QString kOpenedByThree =
    QStringLiteral("cboColor4 cmdCreateShd cmdReset cmdPatch1 cmdPatch2 cmdPatch3");

QStringList sorted(const QString &names)
{
    QStringList list = names.split(' ', Qt::SkipEmptyParts);
    list.sort();
    return list;
}

QColor at(const QImage &shown, double x, double y) // inches from the bottom-left corner
{
    return shown.pixelColor(int(x * tessel::kDotsPerInch),
                            shown.height() - int(y * tessel::kDotsPerInch));
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Windows")); // as the program draws itself
        QStandardPaths::setTestModeEnabled(true);          // settings of the tests' own
    }

    // Every control at its place, and every caption, label, button text and status line
    // whole in the room its control gives it (caption italic and all), in the font the window
    // actually uses.
    void shouldShowEveryCaptionWhole()
    {
        FormFixture f;
        const auto room = [](const QWidget *w, const QString &text) {
            if (const auto *button = qobject_cast<const QPushButton *>(w)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = text;
                return w->style()
                    ->subElementRect(QStyle::SE_PushButtonContents, &option, w)
                    .width();
            }
            return qobject_cast<const QGroupBox *>(w) ? w->width() - 16 : w->contentsRect().width();
        };
        QStringList texts = {"Specify a minimum of 3 colors...",
                             "You may create the shadeset now...",
                             "You may DISPLAY the shadeset now...",
                             "Before you create a new shadeset press the RESET button",
                             "Navigate to where your shadesets are located...",
                             "Enter a new name for the shadeset..."};
        for (const ControlPlace &row : kFormLayout) {
            auto *w = f.form().findChild<QWidget *>(row.name);
            QCOMPARE(QRect(w->mapTo(&f.form(), QPoint()), w->size()), windowPixels(row));
            QFont font = w->font();
            font.setItalic(qobject_cast<QGroupBox *>(w) != nullptr);
            const QString caption = QString::fromLatin1(row.caption);
            QVERIFY2(QFontMetrics(font).horizontalAdvance(caption) <= room(w, caption), row.name);
        }
        const QLabel *panel = f.form().findChild<QLabel *>("StatusBar1Panel1");
        for (const QString &text : texts) {
            QVERIFY2(QFontMetrics(panel->font()).horizontalAdvance(text) <= room(panel, text),
                     qPrintable(text));
        }
    }

    // The cascade: what stands enabled after each road through the form. Colour boxes 1 to
    // 3, Clear Display, the browser and Quit stand in every row.
    void shouldOpenControlsStepByStep_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("status");
        const QString all =
            kOpenedByThree +
            " cboColor5 cboColor6 cboColor7 cmdPatch4 cmdPatch5 cmdPatch6 cmdPatch7";
        const QString created = "cboColor4 cmdDisplayShd cmdReset cmdPatch1 cmdPatch2 cmdPatch3";
        // clang-format off
        QTest::newRow("start") << "" << "" << false << kHint;
        QTest::newRow("two letters") << "type 1 re" << "" << false << kHint;
        QTest::newRow("third letter, kept when erased") << "type 1 red; erase 1" << "cmdPatch1" << false << kHint;
        QTest::newRow("blanks count") << "type 2 ___" << "cmdPatch2" << false << kHint;
        QTest::newRow("two colours are not enough") << "type 1 red; type 2 tan" << "cmdPatch1 cmdPatch2" << false << kHint;
        QTest::newRow("nor with a preview") << "type 1 red; type 2 tan; preview 1" << "cmdPatch1 cmdPatch2" << false << kHint;
        QTest::newRow("three colours") << kThree << kOpenedByThree << false << kHint;
        QTest::newRow("three backwards, no name") << "name ; type 3 tan; type 2 tan; type 1 tan" << kOpenedByThree << false << kHint;
        QTest::newRow("boxes open one by one") << kThree + "; type 4 tan; type 5 tan; type 6 tan; type 7 tan" << all << false << kHint;
        QTest::newRow("a lone preview opens nothing") << "type 1 snow; preview 1" << "cmdPatch1" << false << kHint;
        QTest::newRow("a preview makes ready") << "type 1 red; type 2 ab; type 3 ___; preview 1" << "cboColor4 cmdCreateShd cmdReset cmdPatch1 cmdPatch3" << true << kHint;
        QTest::newRow("preview 4 before ready") << kThree + "; type 4 zzz; preview 4" << kOpenedByThree + " cboColor5 cmdPatch4" << false << kHint;
        QTest::newRow("preview 4 when ready") << kThree + "; preview 1; type 4 grayo; preview 4" << kOpenedByThree + " cboColor5 cmdPatch4" << true << "You may create the shadeset now...";
        QTest::newRow("preview 7 opens no box") << kThree + "; preview 2; type 4 tan; type 5 tan; type 6 tan; type 7 tan; preview 7" << all << true << "You may create the shadeset now...";
        QTest::newRow("no name, no readiness") << "name ; " + kThree + "; preview 1; type 4 tan; preview 4" << kOpenedByThree + " cboColor5 cmdPatch4" << false << kHint;
        QTest::newRow("create") << kThree + "; create" << created << false << "You may DISPLAY the shadeset now...";
        QTest::newRow("one character is no name") << kThree + "; preview 1; create; name x" << created << true << "You may DISPLAY the shadeset now...";
        QTest::newRow("two are, once ready") << kThree + "; preview 1; create; name xy" << created + " cmdCreateShd" << true << " ";
        QTest::newRow("a name before any preview") << "name relief" << "" << false << kHint;
        QTest::newRow("display") << kThree + "; create; display" << created + " cmdDeleteShd" << false << "Before you create a new shadeset press the RESET button";
        QTest::newRow("reset keeps Delete and itself") << kThree + "; preview 3; type 4 tan; create; display; reset" << "cmdDeleteShd cmdReset" << false << kHint;
        QTest::newRow("browse cancelled") << "browse" << "" << false << "Navigate to where your shadesets are located...";
        // clang-format on
    }

    void shouldOpenControlsStepByStep()
    {
        QFETCH(QString, script);
        QFETCH(QString, enabled);
        FormFixture f;
        f.run(script);
        QStringList changeable = f.enabledControls();
        for (const char *always :
             {"cboColor1", "cboColor2", "cboColor3", "cmdClear", "cmdNavDispShd", "cmdQuit"}) {
            QVERIFY2(changeable.removeOne(always), always);
        }
        QCOMPARE(changeable, sorted(enabled));
        QTEST(f.isCaptionItalic(), "italic");
        QTEST(f.status(), "status");
    }

    // What one action sends, and the name, count and colour boxes after it. BASE stands for
    // the base folder.
    void shouldSendWhatTheControlsHold_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("boxes"); // name|count|the colours, as typed
        // clang-format off
        QTest::newRow("preview 4") << kThree + "; type 4 thistle" << "preview 4" << QStringList{"shadesymbol 129", "patch .35 3.35 1.35 3.5"} << "elev1|999|red,tan,blue,thistle";
        QTest::newRow("create cuts .shd, keeps the boxes") << kThree + "; name relief.SHD; count 12.5" << "create" << QStringList{"&wo BASE/shades", "shadedelete ALL", "shadecolorramp 1 7 \"red\" \"tan\"", "shadecolorramp 7 7 \"tan\" \"blue\"", "shadesave relief"} << "relief.SHD|12.5|red,tan,blue";
        QTest::newRow("display the count created") << kThree + "; count 13.5; create; name my relief.shd" << "display" << QStringList{"&r BASE/tools/dispshd.zeb BASE \"my relief\" 14"} << "my relief.shd|13.5|red,tan,blue";
        QTest::newRow("browse takes name and count") << "symb 5000; file /data/elev9.shd" << "browse" << QStringList{"shadeset /data/elev9.shd", "&s symb = [show shadesymbol total]", "&r BASE/tools/disp_old_shd.zeb /data/elev9.shd 5000"} << "elev9|5000|";
        QTest::newRow("browse cancelled keeps them") << "symb 999; fail shadeset" << "browse" << QStringList{"shadeset ", "&s symb = [show shadesymbol total]", "&r BASE/tools/disp_old_shd.zeb  999"} << "elev1|999|";
        QTest::newRow("reset") << kThree + "; name x; count 50" << "reset" << QStringList{"shadeset colornames.shd"} << "elev2|999|";
        QTest::newRow("clear") << "" << "clear" << QStringList{"clear"} << "elev1|999|";
        // clang-format on
    }

    void shouldSendWhatTheControlsHold()
    {
        QFETCH(QString, setup);
        QFETCH(QString, action);
        QFETCH(QStringList, sent);
        FormFixture f;
        f.run(setup);
        f.takeCommands();
        f.run(action);
        QCOMPARE(f.takeCommands(), sent.replaceInStrings("BASE", f.folders().startPath));
        QStringList colours;
        for (int n = 1; n <= 7; ++n) {
            colours << f.color(n)->currentText();
        }
        QTEST(f.edit("txtShdName")->text() + '|' + f.edit("txtNSymb")->text() + '|' +
                  colours.join(',').remove(QRegularExpression(",+$")),
              "boxes");
        QVERIFY(f.prompt().shown.isEmpty());
        for (const OpenFileRequest &dialog : f.prompt().dialogs) { // the browser's
            QString filters;
            for (const FileFilter &filter : dialog.filters) {
                filters += '|' + filter.description + '|' + filter.pattern;
            }
            QCOMPARE(dialog.title + '|' + dialog.folder + '|' + dialog.defaultExtension + '|' +
                         QString::number(dialog.mustExist) + filters,
                     "Shadeset Browser|" + f.folders().shadeDir +
                         "|shd|1|Tessel Shadesets (*.shd)|*.shd|All Files (*.*)|*");
        }
    }

    // Every refusal: the box (or, without one, the status line), where the focus goes, and
    // what was sent. SHADES stands for the shadeset folder.
    void shouldRefuseWithAClearMessage_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title"); // empty: no box, the text is on the status line
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus"); // empty: anywhere
        QTest::addColumn<QStringList>("sent");
        const QString count = "The number of symbols must be a whole number from 9 to 999.";
        // clang-format off
        QTest::newRow("count 12abc") << kThree + "; count 12abc" << "create" << "Number of symbols" << count << "txtNSymb" << QStringList{};
        QTest::newRow("name .shd") << kThree + "; name .shd" << "create" << "Shadeset name" << "The shadeset name is empty." << "txtShdName" << QStringList{};
        QTest::newRow("name of the palette") << kThree + "; name ColorNames.shd" << "create" << "Shadeset name" << "The shadeset name \"ColorNames\" is reserved for the palette." << "txtShdName" << QStringList{};
        QTest::newRow("overwrite declined") << kThree + "; touch relief.shd; name relief.SHD; answer no" << "create" << "Shadeset Exists !!!" << "Shadeset relief already exists. Do you want to overwrite it?" << "txtShdName" << QStringList{};
        QTest::newRow("one .shd cut") << kThree + "; touch hills.shd.shd; name hills.shd.shd; answer no" << "create" << "Shadeset Exists !!!" << "Shadeset hills.shd already exists. Do you want to overwrite it?" << "txtShdName" << QStringList{};
        QTest::newRow("unknown colour") << "type 2 Red" << "preview 2" << "Color problem" << "Color name not recognized... Typo? Try another one." << "" << QStringList{"shadeset colornames.shd", "shadesymbol 27", "patch .35 2.75 1.35 2.9"};
        QTest::newRow("Tessel refuses a colour") << kThree + "; fail shadecolorramp 1" << "create" << "" << "shadecolorramp 1: refused" << "" << QStringList{"&wo SHADES", "shadedelete ALL", "shadecolorramp 1 500 \"red\" \"tan\""};
        QTest::newRow("Tessel refuses a symbol") << "type 1 snow; fail shadesymbol" << "preview 1" << "" << "shadesymbol: refused" << "" << QStringList{"shadeset colornames.shd", "shadesymbol 1"};
        QTest::newRow("Tessel refuses the palette") << kThree + "; fail shadeset" << "reset" << "" << "shadeset: refused" << "" << QStringList{"shadeset colornames.shd"};
        QTest::newRow("Tessel cannot show it") << kThree + "; create; fail &r" << "display" << "" << "&r: refused" << "" << QStringList{"&r BASE/tools/dispshd.zeb BASE elev1 999"};
        QTest::newRow("browse, Tessel cannot load it") << "file /x/bad.shd; fail shadeset /x/bad.shd" << "browse" << "Shadeset Browser" << "Cannot show /x/bad.shd:\nshadeset /x/bad.shd: refused" << "" << QStringList{"shadeset /x/bad.shd"};
        QTest::newRow("browse, no count") << "file /x/odd.shd; symb many" << "browse" << "Shadeset Browser" << "Cannot show /x/odd.shd:\nTessel reports \"many\" as its number of symbols, which is no whole number from -32768 to 32767." << "" << QStringList{"shadeset /x/odd.shd", "&s symb = [show shadesymbol total]"};
        QTest::newRow("delete, missing") << kThree + "; create; name gone; display" << "delete" << "" << "Cannot delete SHADES/gone.shd: no such file" << "" << QStringList{};
        QTest::newRow("delete, a folder") << kThree + "; create; touch dir.shd/; name dir; display" << "delete" << "" << "Cannot delete SHADES/dir.shd: it is a folder" << "" << QStringList{};
        QTest::newRow("delete, a path") << kThree + "; create; touch ../base.shd; name ../base; display" << "delete" << "" << "Cannot delete SHADES/../base.shd: the shadeset name cannot hold the character \"/\"" << "" << QStringList{};
        // clang-format on
    }

    void shouldRefuseWithAClearMessage()
    {
        QFETCH(QString, setup);
        QFETCH(QString, action);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(QStringList, sent);
        FormFixture f;
        f.run(setup);
        f.takeCommands();
        const QStringList files = entries(f.folders().shadeDir);
        f.run(action);
        QCOMPARE(f.takeCommands(), sent.replaceInStrings("SHADES", f.folders().shadeDir)
                                       .replaceInStrings("BASE", f.folders().startPath));
        text.replace("SHADES", f.folders().shadeDir);
        if (title.isEmpty()) {
            QVERIFY(f.prompt().shown.isEmpty());
            QCOMPARE(f.status(), text);
        } else {
            QCOMPARE(f.prompt().shown.size(), 1);
            const MessageRequest &box = f.prompt().shown[0];
            QCOMPARE(box.title + '|' + box.text, title + '|' + text);
            // The overwrite question has Yes and No (Yes the default) and no icon, the rest
            // the stop icon and OK.
            const bool question = title == "Shadeset Exists !!!";
            QVERIFY(box.icon == (question ? PromptIcon::None : PromptIcon::Stop) &&
                    box.buttons == (question ? PromptButtons::YesNo : PromptButtons::Ok) &&
                    box.defaultAnswer == (question ? PromptAnswer::Yes : PromptAnswer::Ok));
            if (question) {
                QCOMPARE(f.edit("txtShdName")->text(), QString());
                QCOMPARE(f.status(), QStringLiteral("Enter a new name for the shadeset..."));
            }
        }
        if (!focus.isEmpty()) {
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        }
        if (action == "create") { // a refused construction can be tried again
            QVERIFY(f.button("cmdCreateShd")->isEnabled());
            QVERIFY(!f.button("cmdDisplayShd")->isEnabled());
        }
        // Nothing is lost: the folder is as it was, and only a file still there keeps Delete.
        QCOMPARE(entries(f.folders().shadeDir), files);
        if (action == "delete") {
            QCOMPARE(f.button("cmdDeleteShd")->isEnabled(), text.contains("folder"));
        }
    }

    // Delete removes the shadeset last displayed or created, not the one the name box holds
    // now; once the browser has shown another file, only when the user says so. Display,
    // Reset and a new Create take the old roads, without a question.
    void shouldDeleteOnlyWhatTheUserCanSeeNamed()
    {
        FormFixture f(true);
        const QString shades = f.folders().shadeDir + '/';
        QVERIFY(writeFile(shades + "geocopy.cpt", "0 red 1 blue\n"));
        f.run(kThree + "; preview 1; count 9; name keepme; create; display; file " + shades +
              "geocopy.cpt; browse; answer no; delete");
        QCOMPARE(f.prompt().shown.size(), 1);
        const MessageRequest &question = f.prompt().shown[0];
        QCOMPARE(question.title + '|' + question.text,
                 "Delete Shadeset|Delete keepme.shd? The shadeset on display is geocopy.cpt.");
        QVERIFY(question.buttons == PromptButtons::YesNo && question.icon == PromptIcon::None &&
                question.defaultAnswer == PromptAnswer::No);
        QVERIFY(QFile::exists(shades + "keepme.shd") && f.button("cmdDeleteShd")->isEnabled());
        f.run("name keepme; display; touch b.shd; name b; delete"); // the one displayed
        QVERIFY(!QFile::exists(shades + "keepme.shd"));
        QCOMPARE(readFile(shades + "b.shd"), QByteArray("old"));
        f.run("reset; " + kThree + "; preview 1; name cc; create; display; reset; delete");
        f.run(kThree + "; preview 1; name dd; create; display; name ee; create; delete");
        QCOMPARE(entries(f.folders().shadeDir),
                 (QStringList{"b.shd", "dd.shd", "elev999.shd", "geocopy.cpt"}));
        QCOMPARE(f.prompt().shown.size(), 1);
    }

    // The browser's own dialog lists every file under All Files, extension or none, and
    // opens a typed name as typed, adding .shd only where no such file is there.
    void shouldOpenAnyFileInTheBrowsersDialog()
    {
        FormFixture f;
        f.run("browse");
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("elevation"), "0 0:0:0\n100 255:255:255\n") &&
                writeFile(dir.filePath("relief.shd"),
                          "TESSEL SHADESET 1\nname r\nsymbols 1\n1 1 2 3\n"));
        OpenFileRequest request = f.prompt().dialogs[0];
        request.folder = dir.path();
        QtPrompt prompt;
        QStringList listed;
        const auto answer = [&](const QString &typed) {
            QTimer::singleShot(0, [&, typed] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
                const auto *view = dialog->findChild<QListView *>("listView");
                auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                QTest::keyClick(types, Qt::Key_Down); // All Files
                // The folder is read in the background; what it lists is checked after.
                listed.clear();
                if (QTest::qWaitFor(
                        [&] { return view->model()->rowCount(view->rootIndex()) > 1; })) {
                    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                        listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
                    }
                }
                listed.sort();
                listed.prepend(types->currentText());
                QTimer::singleShot(5000, dialog, [] { // a name it would not open: no hang
                    for (QWidget *w : QApplication::topLevelWidgets()) {
                        if (w->isModal() && w->isVisible()) {
                            w->close();
                        }
                    }
                });
                QTest::keyClicks(name, typed);
                typed.isEmpty() ? dialog->reject() : QTest::keyClick(name, Qt::Key_Return);
            });
            return prompt.openFile(request);
        };
        QCOMPARE(answer("elevation"), dir.filePath("elevation"));
        QCOMPARE(listed, (QStringList{"All Files (*.*)", "elevation", "relief.shd"}));
        QCOMPARE(answer("relief"), dir.filePath("relief.shd"));
        QCOMPARE(answer(""), QString());
    }

    void shouldHoldTheCountBetweenTheBounds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("title"); // empty: no box
        const QString over = "Only 999 symbols per shadeset, please...";
        const QString under = "Minimum of 9 symbols, please...";
        // clang-format off
        QTest::newRow("1000") << "1000" << "999" << over;
        QTest::newRow("9") << "9" << "9" << "";
        QTest::newRow("12abc") << "12abc" << "12abc" << "";
        QTest::newRow("8.99") << "8.99" << "9" << under;
        QTest::newRow("abc") << "abc" << "9" << under;
        // clang-format on
    }

    void shouldHoldTheCountBetweenTheBounds()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, title);
        FormFixture f;
        QLineEdit *count = f.edit("txtNSymb");
        f.type(count, typed, true);
        f.click(f.edit("txtShdName")); // the focus moves on
        QCOMPARE(count->text(), kept);
        QVERIFY(f.takeCommands().isEmpty());
        if (title.isEmpty()) {
            QVERIFY(f.prompt().shown.isEmpty());
            QCOMPARE(QApplication::focusWidget(), f.edit("txtShdName"));
            return;
        }
        QCOMPARE(f.prompt().shown.size(), 1); // one box only, also for 1000
        QCOMPARE(f.prompt().shown[0].title, title);
        QCOMPARE(f.prompt().shown[0].text,
                 kept == "999"
                     ? "The total number of symbols within a shadeset can NOT exceed 999..."
                     : "The total number of symbols within the shadeset\r\ncan NOT be smaller than "
                       "9...");
        QCOMPARE(f.prompt().shown[0].icon, PromptIcon::Stop);
        QCOMPARE(QApplication::focusWidget(), count); // given back
    }

    void shouldCheckTheCountOnTabButNotOnDeactivation()
    {
        FormFixture f;
        QLineEdit *count = f.edit("txtNSymb");
        f.type(count, "5", true);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(other.isActiveWindow());
        QCOMPARE(count->text(), QStringLiteral("5"));
        QApplication::setActiveWindow(&f.form());
        QTRY_COMPARE(QApplication::focusWidget(), count);
        QVERIFY(f.prompt().shown.isEmpty());
        f.run("tab");
        QCOMPARE(count->text(), QStringLiteral("9"));
        QCOMPARE(f.prompt().shown.size(), 1);
    }

    void shouldMoveFocusInTabIndexOrder()
    {
        FormFixture f;
        f.edit("txtShdName")->setFocus();
        // Disabled controls are passed over: the patches, Create, Display, Delete, Reset and
        // colour box 4 (tab index 26, between boxes 2 and 3).
        for (const char *name : {"txtNSymb", "cmdNavDispShd", "cboColor1", "cboColor2", "cboColor3",
                                 "cmdQuit", "cmdClear", "txtShdName"}) {
            f.run("tab");
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
    }

    // The box holds exactly what was typed. (Picking from a list: the acceptance test.)
    void shouldHoldWhatWasTyped()
    {
        FormFixture f;
        f.run("type 2 Sno");
        QCOMPARE(f.color(2)->currentText(), QStringLiteral("Sno")); // no completion to "snow"
        QTest::keyClick(f.color(2)->lineEdit(), Qt::Key_Return);
        f.run("type 2 w");
        QTest::keyClick(f.color(2)->lineEdit(), Qt::Key_Enter);
        f.run("type 3 new_colour");
        QTest::keyClick(f.color(3)->lineEdit(), Qt::Key_Return);
        f.run("tab");
        QCOMPARE(f.color(2)->currentText(), QStringLiteral("Snow")); // not the list's "snow"
        QCOMPARE(f.color(3)->currentText(), QStringLiteral("new colour"));
        QCOMPARE(f.color(3)->count(), 128); // nothing typed joins a list
    }

    // The drawing area's menu picks the space of new ramps, which Create tells Tessel before
    // its ramps, and even steps; RGB and uneven steps send today's commands again. The
    // choices outlive the window.
    void shouldRampInTheSpaceChosenInTheMenu()
    {
        FormFixture f;
        const QStringList ramps = {"shadecolorramp 1 5 \"red\" \"tan\"",
                                   "shadecolorramp 5 5 \"tan\" \"blue\"", "shadesave elev1"};
        const QString shades = "&wo " + f.folders().shadeDir;
        f.run(kThree + "; count 9; preview 1");
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuRamp_oklab");
        f.takeCommands();
        f.run("create");
        QCOMPARE(f.takeCommands(),
                 (QStringList{shades, "shadedelete ALL", "&s .rampspace = oklab"} + ramps));
        // Even steps equalize the table between its ramps and its save.
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuEvenSteps");
        f.run("name elev; name elev1; create");
        QCOMPARE(f.takeCommands(),
                 (QStringList{shades, "shadedelete ALL", "&s .rampspace = oklab"} +
                  ramps.mid(0, 2) + QStringList{"shadeequalize perceptual", "shadesave elev1"}));
        ScriptedPrompt prompt;
        frmHuewright again(prompt, f.folders());
        QMenu *menu = openTesselMenu(again, QContextMenuEvent::Mouse);
        QVERIFY(menu->findChild<QAction *>("mnuRamp_oklab")->isChecked());
        QVERIFY(menu->findChild<QAction *>("mnuEvenSteps")->isChecked());
        menu->close();
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Keyboard), "mnuRamp_rgb");
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Keyboard), "mnuEvenSteps");
        f.run("name elev; name elev1; create; name elev; name elev1; create");
        QCOMPARE(f.takeCommands(), (QStringList{shades, "shadedelete ALL", "&s .rampspace = rgb"} +
                                    ramps + QStringList{shades, "shadedelete ALL"} + ramps));
    }

    // "Check shadeset…" reports on the shadeset on display, here the start-up one.
    void shouldCheckTheShadesetOnDisplay()
    {
        FormFixture f(true);
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuCheck");
        QCOMPARE(f.prompt().reports.size(), 1);
        QVERIFY(f.prompt().reports[0].text.startsWith("elev999: 999 symbols defined, 1 to 999\n"));
        QCOMPARE(f.prompt().reports[0].picture.size(), QSize(512, 560));
        // Shown, the report fits the screen (CTest gives the window tests one of 1024 x 768),
        // Close within reach.
        QRect shown;
        QRect close;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            shown = dialog->frameGeometry();
            QWidget *button = dialog->findChild<QDialogButtonBox *>()->buttons().value(0);
            close = QRect(button->mapToGlobal(QPoint()), button->size());
            dialog->close();
        });
        QtPrompt().report(f.prompt().reports[0]);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(shown) && screen.contains(close),
                 qPrintable(QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())));
        f.run("clear");
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuCheck");
        QCOMPARE(f.status(), QStringLiteral("Nothing to check: no shadeset is on display."));
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

    // Start-up sends its three commands in order, and the start-up shadeset shows.
    void shouldDrawTheStartupShadesetAndThePatches()
    {
        FormFixture f(true, "my base");
        const QString base = f.folders().startPath;
        QCOMPARE(f.startupCommands(),
                 (QStringList{"&r " + base + "/tools/dispshd.zeb " + base + " elev999 999",
                              "shadeset colornames.shd", "&s .startpath = " + base}));
        tessel::Host elev(f.folders().shadeDir);
        QCOMPARE(run(elev, "shadeset elev999.shd"), QString());
        QImage shown = f.shown();
        const tessel::Rgb foot = *elev.shadeTable().color(2); // under the legend's lowest row
        QCOMPARE(at(shown, 0.6, 0.57), QColor(foot.red, foot.green, foot.blue));

        // The previews draw their patches from the palette.
        f.run("clear; type 1 royal_blue; type 2 black; type 3 red; preview 1; type 4 gold; "
              "preview 4");
        shown = f.shown();
        QCOMPARE(at(shown, 0.85, 2.52), QColor(65, 105, 225)); // row 1
        QCOMPARE(at(shown, 0.85, 3.42), QColor(255, 215, 0));  // row 4
        QCOMPARE(at(shown, 0.85, 2.82), QColor(Qt::white));    // row 2 not previewed
        QCOMPARE(f.status(), QStringLiteral("You may create the shadeset now..."));
    }

    // The old file stays until Tessel's save replaces it: a refused colour keeps it whole,
    // and so does a disk that fails as it is written, which Create reports instead of
    // inviting a display. (A save that replaces it: the acceptance test.)
    void shouldReplaceAShadesetOnlyByASavedOne_data()
    {
        QTest::addColumn<QString>("colours");
        QTest::addColumn<QByteArray>("failingCall"); // made to fail by the failio library
        QTest::addColumn<QString>("status");
        // clang-format off
        QTest::newRow("refused colour") << "type 2 bleu" << QByteArray() << "shadecolorramp: unknown colour \"bleu\"";
        QTest::newRow("full disk") << "type 2 white" << QByteArray("write") << "shadesave: cannot write SHADES/relief.shd: No space left on device";
        QTest::newRow("failing sync") << "type 2 white" << QByteArray("fsync") << "shadesave: cannot write SHADES/relief.shd: No space left on device";
        // clang-format on
    }

    void shouldReplaceAShadesetOnlyByASavedOne()
    {
        QFETCH(QString, colours);
        QFETCH(QByteArray, failingCall);
        QFETCH(QString, status);
        if (!qEnvironmentVariable("LD_PRELOAD").contains("failio")) {
            QSKIP("the failio library is not loaded: run this test through CTest");
        }
        FormFixture f(true);
        const QString path = f.folders().shadeDir + "/relief.shd";
        QVERIFY(writeFile(path, "old"));
        qputenv("FAILIO_UNDER", QFile::encodeName(f.folders().shadeDir));
        qputenv("FAILIO_CALL", failingCall);
        f.run("type 1 black; " + colours +
              "; type 3 red; count 9; name relief; answer yes; create");
        qunsetenv("FAILIO_CALL");
        QCOMPARE(f.status(), status.replace("SHADES", f.folders().shadeDir));
        // Cut at the panel's edge, the message is read whole as the panel's tooltip.
        QCOMPARE(f.form().findChild<QLabel *>("StatusBar1Panel1")->toolTip(), f.status());
        QCOMPARE(readFile(path), QByteArray("old"));
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(!f.button("cmdDisplayShd")->isEnabled());
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

// The window's layout, start state and control-state rules, worked as a user would.
#include "FormFixture.h"
#include "palette/ColorNameTable.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace {

QRect windowRect(QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

} // namespace

class WindowRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldLayOutEveryControlAtItsPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips"); // window coordinates
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1" << QRect(30, 75, 3030, 4905)
                                << "Set Shadeset Parameters ";
        QTest::newRow("Label2") << "Label2" << QRect(165, 480, 1695, 285)
                                << "Name for the Shadeset:";
        QTest::newRow("txtShdName") << "txtShdName" << QRect(1920, 420, 990, 345) << "";
        QTest::newRow("Label3") << "Label3" << QRect(150, 840, 1605, 240) << "Number of Symbols:";
        QTest::newRow("Label1") << "Label1" << QRect(165, 1455, 2265, 240)
                                << "Type in 3 to 7 Color Names.";
        QTest::newRow("Label4") << "Label4" << QRect(165, 1695, 2745, 255)
                                << "Start specifying colors from the bottom.";
        QTest::newRow("cboColor7") << "cboColor7" << QRect(150, 2100, 1800, 315) << "";
        QTest::newRow("cboColor6") << "cboColor6" << QRect(150, 2505, 1800, 315) << "";
        QTest::newRow("cboColor5") << "cboColor5" << QRect(150, 2880, 1800, 315) << "";
        QTest::newRow("cboColor1") << "cboColor1" << QRect(150, 4455, 1800, 315) << "";
        QTest::newRow("cmdPatch6") << "cmdPatch6" << QRect(2025, 2490, 870, 330) << "Color 6";
        QTest::newRow("cmdPatch1") << "cmdPatch1" << QRect(2025, 4440, 870, 330) << "Color 1";
        QTest::newRow("Frame2") << "Frame2" << QRect(30, 5025, 3030, 1290) << "New Shadeset ";
        QTest::newRow("cmdCreateShd")
            << "cmdCreateShd" << QRect(615, 5340, 1830, 405) << "Create Shadeset";
        QTest::newRow("cmdDeleteShd") << "cmdDeleteShd" << QRect(1545, 5805, 900, 375) << "Delete";
        QTest::newRow("cmdNavDispShd")
            << "cmdNavDispShd" << QRect(615, 6615, 1845, 375) << "Shadeset Browser";
        QTest::newRow("cmdQuit") << "cmdQuit" << QRect(45, 7290, 885, 375) << "Quit";
        QTest::newRow("cmdClear") << "cmdClear" << QRect(1935, 7290, 1125, 375) << "Clear Display";
        QTest::newRow("StatusBar1") << "StatusBar1" << QRect(0, 7725, 5220, 315) << "";
        QTest::newRow("Tessel1") << "Tessel1" << QRect(3135, 150, 2025, 7515) << "";
    }

    void shouldLayOutEveryControlAtItsPlace()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        FormFixture f;
        auto *w = f.form().findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(windowRect(w),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), caption);
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            QCOMPARE(label->text(), caption);
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            QCOMPARE(group->title(), caption);
        }
    }

    void shouldShowTheWindowFixedWithItsCaptionAndFonts()
    {
        FormFixture f;
        QCOMPARE(f.form().windowTitle(), QStringLiteral("Create a Continuous Shadeset"));
        QCOMPARE(f.form().size(), QSize(348, 536));
        QCOMPARE(f.form().minimumSize(), f.form().maximumSize());
        QVERIFY(f.frame("Frame1")->font().bold());
        QVERIFY(!f.edit("txtShdName")->font().bold());
        QCOMPARE(f.edit("txtShdName")->font().pointSizeF(), 8.25);
        QVERIFY(f.form().findChild<QLabel *>("StatusBar1Panel1")->font().bold());
        // Boxes 5 and 6 belong to the window and lie over the frame.
        QCOMPARE(f.color(5)->parentWidget(), &f.form());
        QCOMPARE(f.color(6)->parentWidget(), &f.form());
        QCOMPARE(f.color(4)->parentWidget(), f.frame("Frame1"));
    }

    void shouldStartInTheStartState()
    {
        FormFixture f;
        for (int n = 1; n <= 7; ++n) {
            QVERIFY(!f.patch(n)->isEnabled());
            QCOMPARE(f.color(n)->isEnabled(), n <= 3);
            QCOMPARE(f.color(n)->currentText(), QString());
            QCOMPARE(f.color(n)->count(), 128);
            for (int i = 0; i < 128; ++i) {
                QCOMPARE(f.color(n)->itemText(i), QString::fromLatin1(ColorNameTable[i].text));
            }
        }
        QCOMPARE(f.color(1)->itemText(14), QStringLiteral("cornsilk"));
        QCOMPARE(f.color(7)->findText("grayo"), -1);
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("elev1"));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("999"));
        for (const char *name : {"cmdCreateShd", "cmdDisplayShd", "cmdDeleteShd", "cmdReset"}) {
            QVERIFY2(!f.button(name)->isEnabled(), name);
        }
        for (const char *name : {"cmdNavDispShd", "cmdClear", "cmdQuit"}) {
            QVERIFY2(f.button(name)->isEnabled(), name);
        }
        QVERIFY(!f.frame("Frame2")->font().italic());
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
        QVERIFY(!f.form().isColorsReady());
        QCOMPARE(f.form().nSymbs, qint16(0));
        QCOMPARE(f.form().shdName(), QString());
    }

    void shouldMoveFocusInTabIndexOrder()
    {
        FormFixture f;
        f.edit("txtShdName")->setFocus();
        // Disabled controls are passed over: the patches, Create, Display, Delete, Reset and
        // colour box 4 (tab index 26, between boxes 2 and 3).
        const QStringList expected = {"txtNSymb",  "cmdNavDispShd", "cboColor1", "cboColor2",
                                      "cboColor3", "cmdQuit",       "cmdClear",  "txtShdName"};
        for (const QString &name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void shouldEnableAPreviewOnTheThirdCharacter()
    {
        FormFixture f;
        f.type(f.color(1), "re");
        QVERIFY(!f.patch(1)->isEnabled());
        f.type(f.color(1), "d");
        QVERIFY(f.patch(1)->isEnabled());
        QTest::keyClick(f.color(1)->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(f.color(1)->lineEdit(), Qt::Key_Backspace);
        QVERIFY(f.patch(1)->isEnabled()); // the rules only ever enable
        f.type(f.color(2), "   ");
        QVERIFY(f.patch(2)->isEnabled()); // blanks count
        QVERIFY(f.takeCommands().isEmpty());
    }

    void shouldOpenBoxFourCreateAndResetWithTheThirdColour_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("1-2-3") << QList<int>{1, 2, 3};
        QTest::newRow("3-2-1") << QList<int>{3, 2, 1};
    }

    void shouldOpenBoxFourCreateAndResetWithTheThirdColour()
    {
        QFETCH(QList<int>, order);
        FormFixture f;
        f.clearAndType(f.edit("txtShdName"), "");
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!f.color(4)->isEnabled());
            QVERIFY(!f.button("cmdCreateShd")->isEnabled());
            f.type(f.color(order[i]), "tan");
        }
        QVERIFY(f.color(4)->isEnabled());
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QVERIFY(f.button("cmdReset")->isEnabled());
        QVERIFY(!f.frame("Frame2")->font().italic()); // the three-colour rule leaves the caption
        QVERIFY(!f.color(5)->isEnabled());
    }

    void shouldOpenBoxesFourToSevenOneByOne()
    {
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.type(f.color(4), "bl");
        QVERIFY(!f.color(5)->isEnabled());
        QVERIFY(!f.patch(4)->isEnabled());
        f.type(f.color(4), "u");
        QVERIFY(f.color(5)->isEnabled());
        QVERIFY(f.patch(4)->isEnabled());
        QVERIFY(!f.color(6)->isEnabled());
        f.type(f.color(5), "tan");
        f.type(f.color(6), "tan");
        QVERIFY(f.color(7)->isEnabled());
        QVERIFY(!f.patch(7)->isEnabled());
        f.type(f.color(7), "tan");
        QVERIFY(f.patch(7)->isEnabled());
    }

    void shouldTreatPickingAnEntryAsTypingIt()
    {
        FormFixture f;
        QComboBox *box = f.color(1);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 5, box->height() / 2));
        QTRY_VERIFY(box->view()->isVisible());
        box->view()->setCurrentIndex(box->model()->index(box->findText("royal blue"), 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
        QCOMPARE(box->currentText(), QStringLiteral("royal blue"));
        QVERIFY(f.patch(1)->isEnabled());
        QCOMPARE(box->count(), 128);
    }

    void shouldHoldExactlyWhatWasTyped()
    {
        FormFixture f;
        QComboBox *box = f.color(1);
        f.type(box, "Sno");
        QCOMPARE(box->currentText(), QStringLiteral("Sno")); // no completion to "snow"
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        f.type(box, "w");
        QTest::keyClick(box->lineEdit(), Qt::Key_Enter);
        QCOMPARE(box->currentText(), QStringLiteral("Snow")); // not the list's "snow"
        QCOMPARE(box->count(), 128);
        f.type(f.color(2), "new colour");
        QTest::keyClick(f.color(2)->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.color(2)->count(), 128);
        QCOMPARE(box->currentText(), QStringLiteral("Snow")); // also after focus moved on
    }

    void shouldEnableCreateByTheNameRuleOnlyWhenReady()
    {
        FormFixture f;
        for (int n = 1; n <= 3; ++n) {
            f.type(f.color(n), "red");
        }
        f.click(f.patch(1)); // sets colorsReady and enables Create (name and count present)
        QVERIFY(f.form().isColorsReady());
        f.click(f.button("cmdCreateShd"));
        f.prompt().shown.clear();
        QVERIFY(!f.button("cmdCreateShd")->isEnabled());

        f.clearAndType(f.edit("txtShdName"), "x");
        QVERIFY(!f.button("cmdCreateShd")->isEnabled()); // one character is not a name
        f.type(f.edit("txtShdName"), "y");
        QVERIFY(f.button("cmdCreateShd")->isEnabled());
        QCOMPARE(f.form().statusText(), QStringLiteral(" "));
    }

    void shouldNotEnableCreateByTheNameRuleBeforeAPreview()
    {
        FormFixture f;
        f.clearAndType(f.edit("txtShdName"), "relief");
        QVERIFY(!f.button("cmdCreateShd")->isEnabled());
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
    }

    void shouldResetToTheStartStateWithItsDifferences()
    {
        FormFixture f(true);
        for (int n = 1; n <= 7; ++n) {
            f.type(f.color(n), n % 2 ? "red" : "blue");
            f.click(f.patch(n));
        }
        QVERIFY(f.frame("Frame2")->font().italic());
        QVERIFY(!f.button("cmdCreateShd")->font().italic()); // the caption only
        f.clearAndType(f.edit("txtNSymb"), "50");
        f.click(f.button("cmdCreateShd"));
        f.click(f.button("cmdDisplayShd"));
        QVERIFY(f.button("cmdDeleteShd")->isEnabled());
        const std::size_t drawn = f.form().tesselControl().host().drawing().items.size();
        f.takeCommands();

        f.click(f.button("cmdReset"));
        for (int n = 1; n <= 7; ++n) {
            QCOMPARE(f.color(n)->currentText(), QString());
            QCOMPARE(f.color(n)->count(), 128);
            QCOMPARE(f.color(n)->isEnabled(), n <= 3);
            QVERIFY(!f.patch(n)->isEnabled());
        }
        QVERIFY(!f.button("cmdCreateShd")->isEnabled());
        QVERIFY(!f.button("cmdDisplayShd")->isEnabled());
        QVERIFY(f.button("cmdDeleteShd")->isEnabled()); // left as it was
        QVERIFY(f.button("cmdReset")->isEnabled());
        QVERIFY(!f.frame("Frame2")->font().italic());
        QVERIFY(!f.form().isColorsReady());
        QCOMPARE(f.edit("txtShdName")->text(), QStringLiteral("elev2"));
        QCOMPARE(f.edit("txtNSymb")->text(), QStringLiteral("999"));
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
        QCOMPARE(f.takeCommands(), QStringList{"shadeset colornames.shd"});
        QCOMPARE(f.form().tesselControl().host().drawing().items.size(), drawn); // no clear
        QCOMPARE(f.form().nSymbs, qint16(50));
        QCOMPARE(f.form().shdName(), QStringLiteral("elev1"));
    }

    void shouldClearTheDrawingAtAnyTime()
    {
        FormFixture f(true);
        QVERIFY(!f.form().tesselControl().host().drawing().items.empty());
        f.click(f.button("cmdClear"));
        QCOMPARE(f.takeCommands(), QStringList{"clear"});
        QVERIFY(f.form().tesselControl().host().drawing().items.empty());
        QCOMPARE(f.form().statusText(), QStringLiteral("Specify a minimum of 3 colors..."));
        QVERIFY(!f.color(4)->isEnabled());
        QVERIFY(!f.button("cmdReset")->isEnabled());
    }

    void shouldShowAFailingClearOnTheStatusLine()
    {
        FormFixture f;
        f.host().failWhen("clear", "clear: the control is gone");
        f.click(f.button("cmdClear"));
        QCOMPARE(f.form().statusText(), QStringLiteral("clear: the control is gone"));
        QVERIFY(f.form().isVisible());
    }

    // Run under the sanitizers: closing with the focus in a colour box that holds a list
    // entry once ran the colour rule on a window already half destroyed.
    void shouldCloseWithTheFocusInAColourBox()
    {
        auto f = std::make_unique<FormFixture>();
        f->type(f->color(1), "red");
        QCOMPARE(QApplication::focusWidget(), f->color(1));
        f.reset();
    }

    void shouldQuitAtOnce()
    {
        FormFixture f;
        f.type(f.color(1), "red");
        f.click(f.button("cmdQuit"));
        QVERIFY(!f.form().isVisible());
        QVERIFY(f.prompt().shown.isEmpty());
    }
};

QTEST_MAIN(WindowRulesTest)
#include "tst_window_rules.moc"

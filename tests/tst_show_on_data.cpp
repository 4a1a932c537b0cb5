// Show on data, worked as a user works it: the shadeset on display over the sample terrain,
// shaded or not, in linear or equalized classes, over a grid the user picks; nothing of it,
// nor GDAL, made or loaded before it is first asked for.
#include "FormFixture.h"
#include "TestFiles.h"
#include "tessel/draw/TesselWidget.h"
#include "tessel/language/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace {

bool gdalLoaded()
{
    return readFile(QStringLiteral("/proc/self/maps")).contains("libgdal");
}

QDialog *openDialog(FormFixture &f)
{
    pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuShowOnData");
    return f.form().findChild<QDialog *>(QStringLiteral("dlgShowOnData"));
}

QImage map(QDialog *dialog)
{
    return dialog->findChild<tessel::TesselWidget *>(QStringLiteral("mapData"))->grab().toImage();
}

QString text(QDialog *dialog, const char *label)
{
    return dialog->findChild<QLabel *>(label)->text();
}

// The share of the map's pixels that are not the white ground.
double drawn(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) != qRgb(255, 255, 255);
        }
    }
    return double(count) / (image.width() * image.height());
}

} // namespace

class ShowOnDataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The start-up shadeset over the sample terrain, with its scale and data line, in a dialog
    // that fits the screen and redraws its map at the map's size; GDAL loaded only then.
    void shouldShowTheShadesetOnTheSampleTerrain()
    {
        FormFixture f(true);
        QVERIFY(!f.form().findChild<QDialog *>(QStringLiteral("dlgShowOnData")));
        QVERIFY(!gdalLoaded());
        QDialog *dialog = openDialog(f);
        QVERIFY(dialog && dialog->isVisible() && gdalLoaded());
        QCOMPARE(text(dialog, "lblGrid"), QStringLiteral("Grid: terrain.tif (sample terrain)"));
        QVERIFY2(text(dialog, "lblData")
                     .startsWith("Data: terrain.tif, 138632 cells from 236 "
                                 "to 1076, in linear classes"),
                 qPrintable(text(dialog, "lblData")));
        QVERIFY(drawn(map(dialog)) > 0.5);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(dialog->frameGeometry()));
        auto *widget = dialog->findChild<tessel::TesselWidget *>(QStringLiteral("mapData"));
        const QSize before = widget->size();
        dialog->resize(dialog->width() - 150, dialog->height() - 100);
        QTRY_VERIFY(widget->size() != before);
        // Redrawn to the new size: the map's right edge is in the picture, and not cut.
        QTRY_VERIFY(widget->host().drawing().items.size() == 2 &&
                    std::get<tessel::GridImage>(widget->host().drawing().items[0]).rect.x2 <=
                        widget->width() / 96.0);
        QVERIFY(drawn(map(dialog)) > 0.5);
        f.run("clear");
        pickInMenu(openTesselMenu(f.form(), QContextMenuEvent::Mouse), "mnuShowOnData");
        QCOMPARE(f.status(), QStringLiteral("Nothing to show: no shadeset is on display."));
    }

    // Shaded relief changes the picture, and is remembered.
    void shouldShadeTheMapWhenAsked()
    {
        FormFixture f(true);
        QDialog *dialog = openDialog(f);
        auto *shaded = dialog->findChild<QCheckBox *>(QStringLiteral("chkShaded"));
        QVERIFY(shaded->isChecked()); // the first time
        const QImage lit = map(dialog);
        QTest::mouseClick(shaded, Qt::LeftButton, {}, QPoint(8, shaded->height() / 2));
        QVERIFY(!shaded->isChecked());
        QVERIFY(map(dialog) != lit);
        QCOMPARE(QSettings().value("showOnData/shaded").toBool(), false);
    }

    // Equalized classes change the picture and the data line, which then finds the table
    // well used.
    void shouldEqualizeTheClassesWhenAsked()
    {
        FormFixture f(true);
        QDialog *dialog = openDialog(f);
        QVERIFY(text(dialog, "lblData").contains("equalized classes would spread them"));
        const QImage linear = map(dialog);
        auto *classes = dialog->findChild<QComboBox *>(QStringLiteral("cboClasses"));
        classes->setFocus();
        QTest::keyClick(classes, Qt::Key_Down);
        QCOMPARE(classes->currentText(), QStringLiteral("Equalized classes"));
        QVERIFY(map(dialog) != linear);
        QVERIFY2(text(dialog, "lblData").contains("in equalized classes") &&
                     text(dialog, "lblData").contains("the data uses the table well"),
                 qPrintable(text(dialog, "lblData")));
    }

    // A grid picked in the file dialog, which opens where the last one was found; one Tessel
    // cannot read leaves the one shown, saying why.
    void shouldShowAGridThatTheUserPicks()
    {
        FormFixture f(true);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("ramp.asc"), "ncols 4\nnrows 2\nxllcorner 0\nyllcorner 0\n"
                                                    "cellsize 1\n1 2 3 4\n5 6 7 8\n"));
        QVERIFY(writeFile(dir.filePath("notes.txt"), "not a grid\n"));
        QDialog *dialog = openDialog(f);
        auto *choose = dialog->findChild<QPushButton *>(QStringLiteral("cmdChooseGrid"));
        f.prompt().files.enqueue(dir.filePath("ramp.asc"));
        QTest::mouseClick(choose, Qt::LeftButton);
        QCOMPARE(text(dialog, "lblGrid"), QStringLiteral("Grid: ramp.asc"));
        QVERIFY(text(dialog, "lblData").startsWith("Data: ramp.asc, 8 cells from 1 to 8"));
        f.prompt().files.enqueue(dir.filePath("notes.txt"));
        QTest::mouseClick(choose, Qt::LeftButton);
        QCOMPARE(f.prompt().dialogs.last().folder, dir.path());
        QCOMPARE(text(dialog, "lblGrid"), QStringLiteral("Grid: ramp.asc"));
        QVERIFY2(text(dialog, "lblStatus").startsWith("grid: " + dir.filePath("notes.txt") + ": "),
                 qPrintable(text(dialog, "lblStatus")));
    }
};

QTEST_MAIN(ShowOnDataTest)
#include "tst_show_on_data.moc"

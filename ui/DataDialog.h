#pragma once

#include "core/Result.h"
#include "tessel/colour/Check.h"

#include <QDialog>
#include <QTimer>

class Prompt;
class QCheckBox;
class QComboBox;
class QLabel;

namespace tessel {
class Host;
class TesselWidget;
} // namespace tessel

// Show on data: the shadeset on display drawn over a grid with Tessel's shadegrid and
// shadescale, shaded or not, in linear or equalized classes, with how the grid's cells spread
// over the table. It has a Tessel of its own, whose own folder holds the sample terrain it
// shows first; the window makes it when it is first asked for, so that neither it nor GDAL
// costs the start-up anything. The shading, the classes and the folder of the last grid
// chosen are remembered.
class DataDialog : public QDialog
{
    Q_OBJECT

public:
    DataDialog(Prompt &prompt, const QString &tesselFolder, QWidget *parent);
    ~DataDialog() override;

    // Takes the table on display in `shown` and draws it; refused where none is on display.
    core::Status showTable(const tessel::Host &shown);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void chooseGrid();
    void loadGrid(const QString &file);
    void setShaded(bool on);
    void setClasses(const QString &classes);
    // The data line for the grid and classes in force.
    void spread();
    // The map and its scale at the map's size.
    void redraw();
    // Sends one command to the dialog's Tessel; false, with its message shown, where it fails.
    bool send(const QString &command);

    Prompt &m_prompt;
    tessel::TesselWidget *m_map = nullptr;
    QLabel *m_grid = nullptr;
    QCheckBox *m_shaded = nullptr;
    QComboBox *m_classes = nullptr;
    QLabel *m_data = nullptr;
    QLabel *m_status = nullptr;
    QTimer m_redraw; // gathers the steps of a resize into one redraw
    std::optional<tessel::CheckReport> m_report;
};

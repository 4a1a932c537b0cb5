#include "FormLayout.h"

#include <QtGlobal>

#include <cstring>

const std::array<ControlPlace, 31> kFormLayout = {{
    {"Frame1", "", 30, 75, 3030, 4905, "Set Shadeset Parameters ", 4},
    {"Label2", "Frame1", 135, 405, 1695, 285, "Name for the Shadeset:", 5},
    {"txtShdName", "Frame1", 1890, 345, 990, 345, "", 6},
    {"Label3", "Frame1", 120, 765, 1605, 240, "Number of Symbols:", 7},
    {"txtNSymb", "Frame1", 1890, 735, 990, 345, "999", 8},
    {"Label1", "Frame1", 135, 1380, 2265, 240, "Type in 3 to 7 Color Names.", 12},
    {"Label4", "Frame1", 135, 1620, 2745, 255, "Start specifying colors from the bottom.", 14},
    {"cboColor7", "Frame1", 120, 2025, 1800, 315, "", 30},
    {"cmdPatch7", "Frame1", 1995, 2025, 870, 330, "Color 7", 17},
    {"cboColor6", "", 150, 2505, 1800, 315, "", 28},
    {"cmdPatch6", "Frame1", 1995, 2415, 870, 330, "Color 6", 16},
    {"cboColor5", "", 150, 2880, 1800, 315, "", 29},
    {"cmdPatch5", "Frame1", 1995, 2805, 870, 330, "Color 5", 15},
    {"cboColor4", "Frame1", 120, 3195, 1800, 315, "", 26},
    {"cmdPatch4", "Frame1", 1995, 3195, 870, 330, "Color 4", 13},
    {"cboColor3", "Frame1", 120, 3585, 1800, 315, "", 27},
    {"cmdPatch3", "Frame1", 1995, 3585, 870, 330, "Color 3", 11},
    {"cboColor2", "Frame1", 120, 3990, 1800, 315, "", 25},
    {"cmdPatch2", "Frame1", 1995, 3975, 870, 330, "Color 2", 10},
    {"cboColor1", "Frame1", 120, 4380, 1800, 315, "", 24},
    {"cmdPatch1", "Frame1", 1995, 4365, 870, 330, "Color 1", 9},
    {"Frame2", "", 30, 5025, 3030, 1290, "New Shadeset ", 19},
    {"cmdCreateShd", "Frame2", 585, 315, 1830, 405, "Create Shadeset", 20},
    {"cmdDisplayShd", "Frame2", 585, 780, 900, 375, "Display", 21},
    {"cmdDeleteShd", "Frame2", 1515, 780, 900, 375, "Delete", 22},
    {"cmdNavDispShd", "", 615, 6615, 1845, 375, "Shadeset Browser", 18},
    {"cmdQuit", "", 45, 7290, 885, 375, "Quit", 1},
    {"cmdReset", "", 1005, 7290, 855, 375, "Reset", 23},
    {"cmdClear", "", 1935, 7290, 1125, 375, "Clear Display", 2},
    {"StatusBar1", "", 0, 7725, 5220, 315, "", 3},
    {"Tessel1", "", 3135, 150, 2025, 7515, "", 0},
}};

const ControlPlace &controlPlace(const char *name)
{
    for (const ControlPlace &place : kFormLayout) {
        if (std::strcmp(place.name, name) == 0) {
            return place;
        }
    }
    qFatal("the form has no control %s", name);
}

namespace {

QRect windowTwips(const ControlPlace &place)
{
    QRect rect(place.left, place.top, place.width, place.height);
    if (*place.container != '\0') {
        const ControlPlace &frame = controlPlace(place.container);
        // A frame's controls count from the frame's own corner.
        rect.translate(frame.left, frame.top);
    }
    return rect;
}

} // namespace

QRect windowPixels(const ControlPlace &place)
{
    const QRect twips = windowTwips(place);
    return QRect(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel,
                 twips.width() / kTwipsPerPixel, twips.height() / kTwipsPerPixel);
}

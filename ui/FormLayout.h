#pragma once

#include <QRect>

#include <array>

// The form as designed: every control's place in twips (1/1440 inch) inside its container,
// its caption and its tab index. 15 twips make one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

struct ControlPlace
{
    const char *name;
    const char *container; // "" for the window itself, else "Frame1" or "Frame2"
    int left;
    int top;
    int width;
    int height;
    const char *caption;
    int tabIndex;
};

extern const std::array<ControlPlace, 31> kFormLayout;

// The row of control `name`; the program stops on a name the form does not have.
const ControlPlace &controlPlace(const char *name);

// The control's place in the window's coordinates, in pixels.
QRect windowPixels(const ControlPlace &place);

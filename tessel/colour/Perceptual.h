#pragma once

#include "core/Result.h"
#include "tessel/table/Rgb.h"
#include "tessel/table/ShadeTable.h"

#include <QString>

#include <array>

namespace tessel {

using Vec3 = std::array<double, 3>;

// sRGB channels of 0 to 255 as linear light from 0 to 1 (IEC 61966-2-1), and back: each
// channel clipped to 0 to 255 and rounded.
Vec3 toLinear(Rgb c);
Rgb fromLinear(const Vec3 &linear);

// CIE L*a*b* of linear sRGB with the D65 white (95.047, 100, 108.883) (ISO/CIE 11664-4),
// and back. (ParaView's Lab, in ColorSpaces, keeps VTK's own rounder constants.)
Vec3 linearToLab(const Vec3 &rgb);
Vec3 labToLinear(const Vec3 &lab);

// Oklab (Ottosson 2020) of linear sRGB, and back.
Vec3 linearToOklab(const Vec3 &rgb);
Vec3 oklabToLinear(const Vec3 &lab);

// CIEDE2000 (ISO/CIE 11664-6) with kL = kC = kH = 1.
double deltaE2000(const Vec3 &lab1, const Vec3 &lab2);

enum class Deficiency
{
    Protanopia,
    Deuteranopia,
    Tritanopia
};

// Linear sRGB as it looks with a colour-vision deficiency of severity 1 (Machado, Oliveira
// and Fernandes 2009), clipped to 0 to 1.
Vec3 simulate(Deficiency deficiency, const Vec3 &linear);

// The ramp of a space that `.rampspace` names (rgb, lab or oklab, in any case; empty: rgb):
// straight in that space from one end to the other, each end exact.
core::Result<RampMix> rampSpace(const QString &name);

} // namespace tessel

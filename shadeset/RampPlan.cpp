#include "RampPlan.h"

#include <cmath>

int countColors(const QStringList &colorTexts)
{
    int nColors = 3;
    while (nColors < 7 && !colorTexts.value(nColors).isEmpty()) {
        ++nColors;
    }
    return nColors;
}

int colorRange(int nSymbs, int nColors)
{
    return static_cast<int>(std::floor(static_cast<double>(nSymbs) / (nColors - 1))) + 1;
}

RampPlan planRamps(const QStringList &colorTexts, int nSymbs, const QString &shadeDir,
                   const QString &ShdName)
{
    RampPlan plan;
    plan.nColors = countColors(colorTexts);
    plan.ColorRange = colorRange(nSymbs, plan.nColors);
    const auto quoted = [&](int box) {
        return QLatin1Char('"') + colorTexts.value(box - 1) + QLatin1Char('"');
    };
    const QString range = QString::number(plan.ColorRange);
    plan.commands << QStringLiteral("&wo ") + shadeDir << QStringLiteral("shadedelete ALL");
    // Ramp 1 starts at 1 and ramp 2 at ColorRange, so both name symbol ColorRange; from
    // ramp 3 on each starts right after the one before.
    plan.commands << QStringLiteral("shadecolorramp 1 ") + range + QLatin1Char(' ') + quoted(1) +
                         QLatin1Char(' ') + quoted(2);
    for (int k = 2; k < plan.nColors; ++k) {
        plan.commands << QStringLiteral("shadecolorramp ") +
                             QString::number((k - 1) * plan.ColorRange) + QLatin1Char(' ') + range +
                             QLatin1Char(' ') + quoted(k) + QLatin1Char(' ') + quoted(k + 1);
    }
    plan.commands << QStringLiteral("shadesave ") + ShdName;
    return plan;
}

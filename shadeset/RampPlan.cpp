#include "RampPlan.h"

#include <cmath>

QStringList planRamps(const QStringList &colorTexts, int nSymbs, const QString &shadeDir,
                      const QString &ShdName, const QString &rampSpace, bool evenSteps)
{
    int nColors = 3;
    while (nColors < 7 && !colorTexts.value(nColors).isEmpty()) {
        ++nColors;
    }
    const int ColorRange =
        static_cast<int>(std::floor(static_cast<double>(nSymbs) / (nColors - 1))) + 1;
    const auto quoted = [&](int box) {
        return QLatin1Char('"') + colorTexts.value(box - 1) + QLatin1Char('"');
    };
    const QString range = QString::number(ColorRange);
    QStringList commands{QStringLiteral("&wo ") + shadeDir, QStringLiteral("shadedelete ALL")};
    if (!rampSpace.isEmpty()) {
        commands << QStringLiteral("&s .rampspace = ") + rampSpace;
    }
    // Ramp 1 starts at 1 and ramp 2 at ColorRange, so both name symbol ColorRange; from
    // ramp 3 on each starts right after the one before.
    commands << QStringLiteral("shadecolorramp 1 ") + range + QLatin1Char(' ') + quoted(1) +
                    QLatin1Char(' ') + quoted(2);
    for (int k = 2; k < nColors; ++k) {
        commands << QStringLiteral("shadecolorramp ") + QString::number((k - 1) * ColorRange) +
                        QLatin1Char(' ') + range + QLatin1Char(' ') + quoted(k) + QLatin1Char(' ') +
                        quoted(k + 1);
    }
    if (evenSteps) {
        commands << QStringLiteral("shadeequalize perceptual");
    }
    commands << QStringLiteral("shadesave ") + ShdName;
    return commands;
}

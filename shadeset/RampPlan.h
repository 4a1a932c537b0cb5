#pragma once

#include <QString>
#include <QStringList>

// How a continuous shadeset is built: the colours in use, the symbols per ramp, and the
// host commands in the order they are sent.
struct RampPlan
{
    int nColors = 0;
    int ColorRange = 0;
    QStringList commands;
};

// Counts the colours: boxes 1 to 3 always, then up to the first empty box of 4 to 7.
// A box of blanks counts as a colour.
int countColors(const QStringList &colorTexts);

// Symbols per ramp: the quotient rounded down, plus one.
int colorRange(int nSymbs, int nColors);

// `colorTexts` are the seven boxes' texts as typed; `shadeDir` the folder to save in.
RampPlan planRamps(const QStringList &colorTexts, int nSymbs, const QString &shadeDir,
                   const QString &ShdName);

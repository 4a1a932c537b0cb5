#pragma once

#include <QString>
#include <QStringList>

// The commands that build a continuous shadeset and save it as `ShdName` in `shadeDir`.
// `colorTexts` are the seven boxes' texts as typed: boxes 1 to 3 always count, then boxes 4
// to 7 up to the first empty one (blanks count as a colour). The symbols are split into
// ramps of floor(nSymbs / (colours - 1)) + 1 symbols each. A `rampSpace` ("lab") is set in
// Tessel before the ramps; with `evenSteps` the table is equalized after them, so that its
// steps look equal.
QStringList planRamps(const QStringList &colorTexts, int nSymbs, const QString &shadeDir,
                      const QString &ShdName, const QString &rampSpace = {},
                      bool evenSteps = false);

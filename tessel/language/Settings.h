#pragma once

#include "core/Result.h"
#include "tessel/formats/Import.h"

#include <QHash>
#include <QString>

namespace tessel {

// Tessel's own variables, the ones that commands read, whose names start with a full stop.
// Each value is checked when it is set, so that a bad one is refused at its cause and no
// later command meets it; a name that starts with a full stop and is not one of them (case
// matters, as for every variable) is refused, naming the nearest.
core::Status checkSetting(const QString &name, const QString &value);

// What the variables ask of shadeset.
ImportOptions importOptions(const QHash<QString, QString> &variables);

// What the variables ask of a grid and of its drawing.
struct GridOptions
{
    QString variable;       // .gridvariable: of a file that holds several
    int band = 1;           // .gridband
    bool equalized = false; // .gridclasses
    enum class Range
    {
        Own,  // the table's own values where it has them, else the grid's minimum and maximum
        Data, // stretched over the grid's minimum and maximum
        Given,
    };
    Range range = Range::Own; // .gridrange
    double lo = 0;
    double hi = 0;
    std::optional<double> azimuth; // .gridshade: the light's; none: unshaded
};
GridOptions gridOptions(const QHash<QString, QString> &variables);

} // namespace tessel

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

} // namespace tessel

#pragma once

#include <QString>

// `name` less one trailing ".shd", matched in any case ("Relief.SHD" gives "Relief").
QString withoutShdSuffix(const QString &name);

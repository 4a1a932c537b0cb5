#include "ShadesetName.h"

QString withoutShdSuffix(const QString &name)
{
    if (name.size() >= 4 && name.right(4).toLower() == QLatin1String(".shd")) {
        return name.chopped(4);
    }
    return name;
}

#include "ShadesetName.h"

QString withoutShdSuffix(const QString &name)
{
    if (name.size() >= 4 && name.right(4).toLower() == QLatin1String(".shd")) {
        return name.left(name.size() - 4);
    }
    return name;
}

bool isShadesetFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

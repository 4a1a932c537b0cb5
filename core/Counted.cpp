#include "Counted.h"

namespace core {

QString counted(qint64 count, const char *singular, const char *plural)
{
    return QString::number(count) + QLatin1Char(' ') +
           QLatin1String(count == 1 ? singular : plural);
}

} // namespace core

// Loading the grid library: GDAL costs more to load than the window's whole start-up, so the
// window reaches it only when a grid is first used.
#include "Grid.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace tessel {

double GridInfo::latitude(double row, int rows) const
{
    // Cell centres, at `rows` rows over the grid's height.
    return transform[3] + (row + 0.5) * transform[5] * double(height) / double(rows);
}

core::Result<const GridLibrary *> loadGridLibrary()
{
    static QLibrary library;
    static QString why;
    static const GridLibrary *loaded = [] {
        // Beside the program (an install tree), or in lib/huewright beside its bin (a package).
        const QString own = QCoreApplication::applicationDirPath();
        for (const QString &path : {own + QStringLiteral("/tesselgrid"),
                                    own + QStringLiteral("/../lib/huewright/tesselgrid")}) {
            library.setFileName(path);
            using Entry = const GridLibrary *(*)();
            if (const auto entry = reinterpret_cast<Entry>(library.resolve("tesselGridLibrary"))) {
                return entry();
            }
            why = library.errorString();
        }
        return static_cast<const GridLibrary *>(nullptr);
    }();
    if (!loaded) {
        return core::fail(QStringLiteral("grids need the grid library, which cannot be loaded: ") +
                          why);
    }
    return loaded;
}

} // namespace tessel

#include "PickedPath.h"

#include <algorithm>

PickedPath splitPickedPath(const QString &path)
{
    const auto cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    PickedPath parts;
    parts.folder = path.left(cut + 1);
    parts.file = path.mid(cut + 1);
    // The name is the file part less a three-letter extension (".shd", ".cpt", ".txt") or,
    // for a palette with a longer or shorter one (".json"), less that; a file part of four
    // characters or fewer has no extension to cut: it is the name.
    const auto dot = parts.file.lastIndexOf(QLatin1Char('.'));
    const bool otherExtension = dot > 0 && parts.file.size() - dot - 1 != 3;
    parts.name = parts.file.size() <= 4 ? parts.file
                 : otherExtension       ? parts.file.left(dot)
                                        : parts.file.chopped(4);
    return parts;
}

#include "PickedPath.h"

#include <algorithm>

PickedPath splitPickedPath(const QString &path)
{
    const auto cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    PickedPath parts;
    parts.folder = path.left(cut + 1);
    parts.file = path.mid(cut + 1);
    // A file part of four characters or fewer has no extension to cut: it is the name.
    parts.name = parts.file.size() > 4 ? parts.file.left(parts.file.size() - 4) : parts.file;
    return parts;
}

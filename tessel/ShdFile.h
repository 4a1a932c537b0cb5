#pragma once

#include "ShadeTable.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessel {

// A shadeset as a .shd file holds it.
struct Shadeset
{
    QString name;
    ShadeTable table;
};

struct ShdReadResult
{
    std::optional<Shadeset> shadeset; // absent on failure
    QString error;                    // names the file and, where there is one, the line
};

constexpr qint64 kMaxShdBytes = 1024 * 1024;

// Parses the text of a .shd file; `fileLabel` names the file in error messages.
ShdReadResult parseShd(const QByteArray &bytes, const QString &fileLabel);
ShdReadResult readShdFile(const QString &path);

struct FileBytes
{
    std::optional<QByteArray> bytes; // absent on failure
    QString error;
};

// The whole file, when it is one of at most `limit` bytes; a folder, pipe or device is
// refused (opening a pipe would wait for a writer).
FileBytes readFileBytes(const QString &path, qint64 limit);

QByteArray formatShd(const QString &name, const ShadeTable &table);

// Writes atomically: on failure any earlier file at `path` is left as it was. Returns the
// error, empty on success.
QString writeShdFile(const QString &path, const QString &name, const ShadeTable &table);

} // namespace tessel

#pragma once

#include "ShadeTable.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace tessel {

// A shadeset as a .shd file holds it; read from a palette of data values, also the value each
// symbol stands for (symbol k: values[k - 1], in the palette's own units) and where its hinge
// is among them.
struct Shadeset
{
    QString name;
    ShadeTable table;
    std::vector<double> values;
    std::optional<double> hinge;
};

constexpr qint64 kMaxShdBytes = 1024 * 1024;

// Parses the text of a .shd file; `fileLabel` names the file in failures, with the line.
core::Result<Shadeset> parseShd(const QByteArray &bytes, const QString &fileLabel);
core::Result<Shadeset> readShdFile(const QString &path);

QByteArray formatShd(const QString &name, const ShadeTable &table);

// Writes the file whole or not at all (core::saveFile).
core::Status writeShdFile(const QString &path, const QString &name, const ShadeTable &table);

} // namespace tessel

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes `bytes` to `path`, making its folder; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);
// The whole file, or "<unreadable>".
QByteArray readFile(const QString &path);
// The names in `folder`, hidden ones too, sorted.
QStringList entries(const QString &folder);
// Copies the built install tree (scripts, palette, sample terrain, start-up shadeset; no
// program) to `base`.
bool copyInstallTree(const QString &base);

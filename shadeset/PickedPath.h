#pragma once

#include <QString>

// The parts of a path picked in the shadeset browser.
struct PickedPath
{
    QString folder; // up to and including the last separator; empty when there is none
    QString file;   // everything after it, extension included
    QString name;   // the file part less its extension (its last four characters)
};

// Splits at the last separator of any platform ("/" or "\").
PickedPath splitPickedPath(const QString &path);

#pragma once

#include <QString>
#include <QStringList>

constexpr int kColorRows = 7;

// Makes the palette shadeset current: sent at load, by Reset and by previews of rows 1 to 3.
QString paletteCommand();

// What the preview of one colour row does.
struct PreviewPlan
{
    bool recognised = false; // false: the text is no colour name and is shown as black
    qint16 colorIndex = 0;   // the palette symbol drawn
    QStringList commands;    // in the order sent
};

// The preview of colour row `row` (1 to 7) whose box holds `text`: rows 1 to 3 select the
// palette first, rows 4 to 7 rely on it still being current; then the symbol and the patch,
// whose place rises 0.3 inch a row from row 1 at the bottom.
PreviewPlan planPreview(int row, const QString &text);

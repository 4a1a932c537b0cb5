#pragma once

#include <QByteArrayView>

namespace tessel {

// The lines of a text, one at a time, read in place: the readers walk big files without a
// copy of each line. A line is given without its line feed and without blanks around it
// (ASCII white space, so a CRLF file reads as its LF twin).
class TextLines
{
public:
    explicit TextLines(QByteArrayView text);

    // Moves to the next line; false after the last.
    bool next();
    // Moves past the lines that follow which are byte for byte the line last given, and
    // returns how many: a run of equal lines (a block of "#") costs a comparison each.
    int skipRepeats();
    QByteArrayView line() const { return m_line; }
    int number() const { return m_number; } // from 1

private:
    const char *m_next; // the rest of the text
    const char *m_end;
    const char *m_start = nullptr; // of the line last given, blanks and all
    QByteArrayView m_line;
    int m_number = 0;
    bool m_done = false;
};

// The first line that is neither blank nor a "#" comment: where a file shows what it is.
QByteArrayView firstLine(QByteArrayView text);

// The blank-separated words of `line`, at most `max` of them: the last holds the rest.
// Returns how many were found.
int byteWords(QByteArrayView line, QByteArrayView *words, int max);

} // namespace tessel

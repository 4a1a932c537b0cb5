#pragma once

#include <QByteArrayView>

namespace tessel {

// The lines of a text, one at a time, read in place: the readers walk big files without a
// copy of each line. A line is given without its line feed and without blanks around it
// (ASCII white space, so a CRLF file reads as its LF twin).
class TextLines
{
public:
    explicit TextLines(QByteArrayView text) : m_rest(text) {}

    // Moves to the next line; false after the last.
    bool next();
    QByteArrayView line() const { return m_line; }
    int number() const { return m_number; } // from 1

private:
    QByteArrayView m_rest;
    QByteArrayView m_line;
    int m_number = 0;
    bool m_done = false;
};

// The blank-separated words of `line`, at most `max` of them: the last holds the rest.
// Returns how many were found.
int byteWords(QByteArrayView line, QByteArrayView *words, int max);

} // namespace tessel

#include "TextLines.h"

#include <algorithm>
#include <cstring>

namespace tessel {
namespace {

bool isBlank(char c)
{
    // Most bytes are above the blanks: one comparison rules them out.
    return c <= ' ' && (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f');
}

} // namespace

TextLines::TextLines(QByteArrayView text) : m_next(text.data()), m_end(text.data() + text.size()) {}

bool TextLines::next()
{
    if (m_done) {
        return false;
    }
    // By hand, not through indexOf and trimmed: a big file of short lines spends its time
    // here. Most lines are short, and a few bytes are looked at sooner than memchr is called.
    const char *feed = m_next;
    const char *near = m_next + std::min<std::ptrdiff_t>(m_end - m_next, 16);
    while (feed < near && *feed != '\n') {
        ++feed;
    }
    if (feed == near) {
        feed = near == m_end
                   ? m_end
                   : static_cast<const char *>(std::memchr(near, '\n', std::size_t(m_end - near)));
        feed = feed ? feed : m_end;
    }
    const char *from = m_next;
    while (from < feed && isBlank(*from)) {
        ++from;
    }
    const char *to = feed;
    while (to > from && isBlank(to[-1])) {
        --to;
    }
    m_line = QByteArrayView(from, to - from);
    m_start = m_next;
    m_done = feed == m_end;
    m_next = feed + !m_done;
    ++m_number;
    return true;
}

int TextLines::skipRepeats()
{
    // The line with its line feed, which a repeat must match whole; the last line has none.
    const std::ptrdiff_t size = m_next - m_start;
    if (m_done || size == 0 || m_start[size - 1] != '\n') {
        return 0;
    }
    // What is read since the line began repeats it: the next stretch of whole lines is
    // compared with the stretch before, twice as long after each match and half as long
    // after each miss, so a million short lines cost a few dozen comparisons.
    const char *from = m_next;
    std::ptrdiff_t stretch = size;
    while (stretch >= size) {
        if (m_end - m_next >= stretch &&
            std::memcmp(m_next, m_next - stretch, std::size_t(stretch)) == 0) {
            m_next += stretch;
            stretch = std::min(2 * stretch, m_next - m_start);
        } else {
            stretch = stretch / size / 2 * size;
        }
    }
    const int skipped = int((m_next - from) / size);
    m_number += skipped;
    return skipped;
}

QByteArrayView firstLine(QByteArrayView text)
{
    TextLines lines(text);
    while (lines.next()) {
        if (!lines.line().isEmpty() && !lines.line().startsWith('#')) {
            return lines.line();
        }
        lines.skipRepeats();
    }
    return {};
}

int byteWords(QByteArrayView line, QByteArrayView *words, int max)
{
    int count = 0;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (count < max) {
        while (i < n && isBlank(line[i])) {
            ++i;
        }
        if (i == n) {
            break;
        }
        qsizetype end = i;
        while (end < n && (count == max - 1 || !isBlank(line[end]))) {
            ++end;
        }
        words[count++] = line.sliced(i, end - i).trimmed();
        i = end;
    }
    return count;
}

} // namespace tessel

#include "TextLines.h"

#include <cstring>

namespace tessel {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

bool TextLines::next()
{
    if (m_done) {
        return false;
    }
    // By hand, not through indexOf and trimmed: a big file of short lines spends its time
    // here.
    const char *begin = m_rest.data();
    const char *end = begin + m_rest.size();
    const char *feed =
        m_rest.isEmpty()
            ? nullptr
            : static_cast<const char *>(std::memchr(begin, '\n', std::size_t(m_rest.size())));
    m_done = feed == nullptr;
    const char *stop = m_done ? end : feed;
    const char *from = begin;
    while (from < stop && isBlank(*from)) {
        ++from;
    }
    const char *to = stop;
    while (to > from && isBlank(to[-1])) {
        --to;
    }
    m_line = QByteArrayView(from, to - from);
    m_rest = m_done ? QByteArrayView() : QByteArrayView(feed + 1, end - feed - 1);
    ++m_number;
    return true;
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

#include "TextLines.h"

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
    const qsizetype end = m_rest.indexOf('\n');
    m_line = (end < 0 ? m_rest : m_rest.first(end)).trimmed();
    m_rest = end < 0 ? QByteArrayView() : m_rest.sliced(end + 1);
    m_done = end < 0;
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

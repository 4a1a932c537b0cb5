#include "Messages.h"

namespace tessel {

void Messages::add(const QString &message)
{
    m_items.append(message);
}

int Messages::count() const
{
    return static_cast<int>(m_items.size());
}

QString Messages::last() const
{
    return m_items.isEmpty() ? QString() : m_items.last();
}

const QStringList &Messages::items() const
{
    return m_items;
}

void Messages::clear()
{
    m_items.clear();
}

} // namespace tessel

#pragma once

#include <QString>
#include <QStringList>

namespace tessel {

// The control's message collection: every failing command appends one readable line.
class Messages
{
public:
    void add(const QString &message);
    int count() const;
    QString last() const;
    const QStringList &items() const;
    void clear();

private:
    QStringList m_items;
};

} // namespace tessel

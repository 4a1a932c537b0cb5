#pragma once

#include <QString>
#include <QStringList>

namespace tessel {

// "1 symbol", "2 symbols": a count and its noun, singular or plural as the count asks.
QString counted(qint64 count, const char *singular, const char *plural);

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

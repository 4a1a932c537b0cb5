#include "Trace.h"

#include <QFile>

namespace tessel {

void Trace::run(qint32 status, const QString &text) const
{
    append(QStringLiteral("run\t%1\t%2").arg(status).arg(text));
}

void Trace::get(const QString &name, const QString &value) const
{
    append(QStringLiteral("get\t%1\t%2").arg(name, value));
}

void Trace::append(const QString &line) const
{
    if (m_path.isEmpty()) {
        return;
    }
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QString oneLine = line;
        oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
        file.write(oneLine.toUtf8() + '\n');
    }
}

} // namespace tessel

#include "ReadFile.h"

#include <QFile>
#include <QFileInfo>

namespace core {

Result<QByteArray> readFileBytes(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return fail(QStringLiteral("cannot open %1: not a file").arg(path));
    }
    const auto tooLarge = [&] {
        return fail(QStringLiteral("%1: larger than %2 MiB").arg(path).arg(limit / (1024 * 1024)));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    }
    if (file.size() > limit) {
        return tooLarge();
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    if (bytes.size() > limit) { // it grew while being read
        return tooLarge();
    }
    return bytes;
}

} // namespace core

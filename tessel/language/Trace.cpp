#include "Trace.h"

#include "core/Text.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessel {

Trace::Trace(const QString &path) : m_path(path)
{
    if (path.isEmpty()) {
        return;
    }
    m_file.setFileName(path);
#ifdef Q_OS_WIN
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        stop(m_file.errorString());
    }
#else
    // Opened without waiting: a pipe with no reader fails at once instead of blocking.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat info
    {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        stop(fd < 0 ? qt_error_string(error) : QStringLiteral("not a regular file"));
        return;
    }
    m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                QFileDevice::AutoCloseHandle);
#endif
}

// Each field is shown printable: no control character may break a line of the trace.
void Trace::run(qint32 status, const QString &text)
{
    append(QStringLiteral("run\t%1\t%2").arg(status).arg(core::printable(text)));
}

void Trace::get(const QString &name, const QString &value)
{
    append(QStringLiteral("get\t%1\t%2").arg(core::printable(name), core::printable(value)));
}

void Trace::append(const QString &line)
{
    if (!m_file.isOpen()) {
        return;
    }
    const QByteArray bytes = line.toUtf8() + '\n';
    if (m_file.write(bytes) != bytes.size()) {
        stop(m_file.errorString());
    }
}

void Trace::stop(const QString &why)
{
    qWarning("Tessel: cannot trace to %s (TESSEL_TRACE): %s; tracing is off", qPrintable(m_path),
             qPrintable(why));
    m_file.close();
}

} // namespace tessel

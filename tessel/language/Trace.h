#pragma once

#include <QFile>
#include <QString>

namespace tessel {

// Appends one line per call from the tool to a file, written through at once so other
// programs can follow it: "run<TAB>status<TAB>text" and "get<TAB>name<TAB>value". Only a
// regular file, or one not there yet, is traced: anything else (a pipe would block the
// control until someone read it) is refused with one warning and tracing is off. A trace
// that cannot be written warns once and stops.
class Trace
{
public:
    explicit Trace(const QString &path = {});

    void run(qint32 status, const QString &text);
    void get(const QString &name, const QString &value);

private:
    void append(const QString &line);
    void stop(const QString &why);

    QString m_path;
    QFile m_file;
};

} // namespace tessel

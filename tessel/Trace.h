#pragma once

#include <QString>

namespace tessel {

// Appends one line per call from the tool to a file, written through at once so other
// programs can follow it: "run<TAB>status<TAB>text" and "get<TAB>name<TAB>value".
class Trace
{
public:
    explicit Trace(QString path = {}) : m_path(std::move(path)) {}

    void run(qint32 status, const QString &text) const;
    void get(const QString &name, const QString &value) const;

private:
    void append(const QString &line) const;

    QString m_path;
};

} // namespace tessel

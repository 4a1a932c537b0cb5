#pragma once

#include "host/Channel.h"

#include <QHash>
#include <QStringList>

#include <memory>

// Records every command the window sends, in order. Forwards to a real channel when given
// one; otherwise every command succeeds unless a failure is scripted for it.
class RecordingChannel : public host::Channel
{
public:
    explicit RecordingChannel(std::unique_ptr<host::Channel> inner = nullptr)
        : m_inner(std::move(inner))
    {}

    qint32 RunCommand(const QString &text, host::Messages &messages) override;
    QString GetVariable(const QString &name) override;

    // Commands starting with `prefix` fail with `message`.
    void failWhen(const QString &prefix, const QString &message);
    void setVariable(const QString &name, const QString &value) { m_variables[name] = value; }

    QStringList commands;
    QStringList variablesRead;

private:
    std::unique_ptr<host::Channel> m_inner;
    QHash<QString, QString> m_failures;
    QHash<QString, QString> m_variables;
};

#include "RecordingChannel.h"

qint32 RecordingChannel::RunCommand(const QString &text, host::Messages &messages)
{
    commands.append(text);
    for (auto it = m_failures.cbegin(); it != m_failures.cend(); ++it) {
        if (text.startsWith(it.key())) {
            messages.add(it.value());
            return 2;
        }
    }
    return m_inner ? m_inner->RunCommand(text, messages) : 0;
}

QString RecordingChannel::GetVariable(const QString &name)
{
    variablesRead.append(name);
    if (m_variables.contains(name) || !m_inner) {
        return m_variables.value(name);
    }
    return m_inner->GetVariable(name);
}

void RecordingChannel::failWhen(const QString &prefix, const QString &message)
{
    m_failures.insert(prefix, message);
}

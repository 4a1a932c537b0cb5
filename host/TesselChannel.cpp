#include "TesselChannel.h"

#include "tessel/language/Host.h"

namespace host {

qint32 TesselChannel::RunCommand(const QString &text, Messages &messages)
{
    const qint32 status = m_host.RunCommand(text, messages);
    m_repaint();
    return status;
}

QString TesselChannel::GetVariable(const QString &name)
{
    return m_host.GetVariable(name);
}

} // namespace host

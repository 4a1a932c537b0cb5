#include "TesselChannel.h"

#include "tessel/TesselWidget.h"

namespace host {

qint32 TesselChannel::RunCommand(const QString &text, Messages &messages)
{
    return m_control.RunCommand(text, messages);
}

QString TesselChannel::GetVariable(const QString &name)
{
    return m_control.GetVariable(name);
}

} // namespace host

#pragma once

#include "Channel.h"

namespace tessel {
class TesselWidget;
}

namespace host {

// The channel to a Tessel control on the window.
class TesselChannel : public Channel
{
public:
    explicit TesselChannel(tessel::TesselWidget &control) : m_control(control) {}

    qint32 RunCommand(const QString &text, Messages &messages) override;
    QString GetVariable(const QString &name) override;

private:
    tessel::TesselWidget &m_control;
};

} // namespace host

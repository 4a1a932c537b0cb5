#pragma once

#include "Channel.h"

#include <functional>

namespace tessel {
class Host;
}

namespace host {

// The channel to a Tessel host. After every command it asks for a repaint, since the
// drawing may have changed; how to repaint is the owner's business.
class TesselChannel : public Channel
{
public:
    TesselChannel(tessel::Host &host, std::function<void()> repaint)
        : m_host(host), m_repaint(std::move(repaint))
    {}

    qint32 RunCommand(const QString &text, Messages &messages) override;
    QString GetVariable(const QString &name) override;

private:
    tessel::Host &m_host;
    std::function<void()> m_repaint;
};

} // namespace host

#pragma once

#include "Host.h"

#include <QWidget>

namespace tessel {

// The Tessel control: a host and a view of its drawing, repainted after every command.
class TesselWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TesselWidget(const QString &ownFolder, QWidget *parent = nullptr);

    qint32 RunCommand(const QString &text, Messages &messages);
    QString GetVariable(const QString &name);

    const Host &host() const { return m_host; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Host m_host;
};

} // namespace tessel

#pragma once

#include "tessel/language/Host.h"

#include <QWidget>

namespace tessel {

// The Tessel control on a window: it owns a host and paints the host's drawing. Whoever
// sends the host commands asks the widget to repaint afterwards.
class TesselWidget : public QWidget
{
    Q_OBJECT

public:
    // `traceFile`: where the host traces the calls made to it; empty: nowhere.
    TesselWidget(const QString &ownFolder, const QString &traceFile, QWidget *parent = nullptr);

    Host &host() { return m_host; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Host m_host;
};

} // namespace tessel

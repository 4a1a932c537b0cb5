// The drawing area's menu: the colour space new ramps are made in and whether their steps are
// made even, both remembered between runs, the check of how the shadeset on display reads
// to every eye, and the shadeset shown on data.
#include "DataDialog.h"
#include "Prompt.h"
#include "frmHuewright.h"
#include "tessel/draw/CheckPicture.h"
#include "tessel/draw/TesselWidget.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QSettings>

namespace {

const QString kRampSetting = QStringLiteral("rampSpace");
const QString kEvenSetting = QStringLiteral("evenSteps");

} // namespace

void frmHuewright::connectTesselMenu()
{
    m_tessel->setToolTip(QStringLiteral(
        "Right-click for the colour space of new ramps and a check of the shadeset shown"));
    m_tessel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tessel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { tesselMenu()->popup(m_tessel->mapToGlobal(at)); });
}

QMenu *frmHuewright::tesselMenu()
{
    if (m_tesselMenu) {
        return m_tesselMenu;
    }
    m_tesselMenu = new QMenu(this);
    m_tesselMenu->setObjectName(QStringLiteral("mnuTessel"));
    auto *spaces = new QActionGroup(m_tesselMenu);
    for (const auto &[space, text] :
         {std::pair{"rgb", "Ramps in RGB (classic)"}, std::pair{"lab", "Ramps in CIELAB"},
          std::pair{"oklab", "Ramps in Oklab"}}) {
        QAction *action = m_tesselMenu->addAction(QLatin1String(text));
        action->setObjectName(QStringLiteral("mnuRamp_") + QLatin1String(space));
        action->setCheckable(true);
        action->setChecked(rampSpace() == QLatin1String(space));
        spaces->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, space = QString::fromLatin1(space)] { mnuRampSpace_Click(space); });
    }
    m_tesselMenu->addSeparator();
    QAction *even = m_tesselMenu->addAction(QStringLiteral("Even steps"));
    even->setObjectName(QStringLiteral("mnuEvenSteps"));
    even->setCheckable(true);
    even->setChecked(evenSteps());
    connect(even, &QAction::toggled, this, [this](bool on) { mnuEvenSteps_Click(on); });
    m_tesselMenu->addSeparator();
    QAction *check = m_tesselMenu->addAction(QStringLiteral("Check shadeset…"));
    check->setObjectName(QStringLiteral("mnuCheck"));
    connect(check, &QAction::triggered, this, [this] { mnuCheck_Click(); });
    QAction *data = m_tesselMenu->addAction(QStringLiteral("Show on data…"));
    data->setObjectName(QStringLiteral("mnuShowOnData"));
    connect(data, &QAction::triggered, this, [this] { mnuShowOnData_Click(); });
    return m_tesselMenu;
}

const QString &frmHuewright::rampSpace()
{
    if (m_rampSpace.isEmpty()) {
        m_rampSpace = QSettings().value(kRampSetting, QStringLiteral("rgb")).toString();
    }
    return m_rampSpace;
}

bool frmHuewright::evenSteps()
{
    if (!m_evenSteps) {
        m_evenSteps = QSettings().value(kEvenSetting, false).toBool();
    }
    return *m_evenSteps;
}

void frmHuewright::mnuEvenSteps_Click(bool on)
{
    m_evenSteps = on;
    QSettings().setValue(kEvenSetting, on);
}

void frmHuewright::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        QWidget::contextMenuEvent(event); // the drawing area has its own
        return;
    }
    tesselMenu()->popup(m_tessel->mapToGlobal(m_tessel->rect().center()));
}

void frmHuewright::mnuRampSpace_Click(const QString &space)
{
    m_rampSpace = space;
    QSettings().setValue(kRampSetting, space);
}

void frmHuewright::mnuCheck_Click()
{
    const core::Result<tessel::CheckReport> report = tessel::checkShown(m_tessel->host().drawing());
    if (!report) {
        setStatus(QStringLiteral("Nothing to check: ") + report.error() + QLatin1Char('.'));
        return;
    }
    QImage picture(512, 560, QImage::Format_RGB32);
    QPainter painter(&picture);
    tessel::paintCheck(painter, picture.size(), *report);
    painter.end();
    m_prompt.report({QStringLiteral("Check Shadeset"), picture, tessel::checkText(*report)});
}

void frmHuewright::mnuShowOnData_Click()
{
    const tessel::Host &shown = m_tessel->host();
    if (const auto report = tessel::checkShown(shown.drawing()); !report) {
        setStatus(QStringLiteral("Nothing to show: ") + report.error() + QLatin1Char('.'));
        return;
    }
    if (!m_dataDialog) {
        m_dataDialog = new DataDialog(m_prompt, m_folders.tesselDir, this);
    }
    if (const core::Status taken = m_dataDialog->showTable(shown); !taken) {
        setStatus(QStringLiteral("Nothing to show: ") + taken.error() + QLatin1Char('.'));
        return;
    }
    m_dataDialog->show();
    m_dataDialog->raise();
    m_dataDialog->activateWindow();
}

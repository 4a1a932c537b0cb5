// The seven colour previews: look the colour up, draw its patch, open the next controls.
#include "Prompt.h"
#include "frmHuewright.h"
#include "palette/Preview.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void frmHuewright::PreviewColor(int N)
{
    const PreviewPlan plan = planPreview(N, cboColor[N - 1]->currentText());
    if (!plan.recognised) {
        m_prompt.message(
            stopBox(QStringLiteral("Color problem"),
                    QStringLiteral("Color name not recognized... Typo? Try another one.")));
    }
    colorIndex = plan.colorIndex;
    // A patch is drawn only when its colour was selected, never in the colour before.
    const bool drawn = sendAll(plan.commands);

    if (N <= 3) {
        if (!cboColor[0]->currentText().isEmpty() && !cboColor[1]->currentText().isEmpty() &&
            !cboColor[2]->currentText().isEmpty()) {
            cboColor[3]->setEnabled(true);
            cmdClear->setEnabled(true);
            cmdReset->setEnabled(true);
            colorsReady = 1;
        }
    } else if (N < 7) {
        cboColor[N]->setEnabled(true);
    }
    if (!txtShdName->text().isEmpty() && !txtNSymb->text().isEmpty() && colorsReady == 1) {
        cmdCreateShd->setEnabled(true);
        setCreateCaptionItalic(true);
        if (N >= 4) {
            setStatus(QStringLiteral("You may create the shadeset now..."));
        }
    }
    if (!drawn) {
        setStatus(lastHostMessage()); // the hint above must not hide why nothing was drawn
    }
}

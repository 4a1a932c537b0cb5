// The seven colour previews: look the colour up, draw its patch, open the next controls.
#include "Prompt.h"
#include "frmHuewright.h"
#include "palette/ColorNameTable.h"
#include "palette/PreviewRows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qint16 kBlackSymbol = 27;

} // namespace

bool frmHuewright::readinessTest() const
{
    return !txtShdName->text().isEmpty() && !txtNSymb->text().isEmpty() && colorsReady == 1;
}

void frmHuewright::PreviewColor(int N)
{
    const QString text = cboColor[N - 1]->currentText();
    const std::optional<qint16> found = FindColorIndex(text);
    if (!found) {
        m_prompt.message(
            stopBox(QStringLiteral("Color problem"),
                    QStringLiteral("Color name not recognized... Typo? Try another one.")));
    }
    colorIndex = found.value_or(kBlackSymbol);

    // Rows 4 to 7 rely on the palette still being current. A patch is drawn only when its
    // colour was selected, never in the colour before.
    QStringList commands;
    if (N <= 3) {
        commands << QStringLiteral("shadeset colornames.shd");
    }
    commands << QStringLiteral("shadesymbol ") + QString::number(colorIndex) << patchCommand(N);
    bool failed = false;
    for (const QString &command : commands) {
        if (send(command) != 0) {
            failed = true;
            break;
        }
    }

    if (N <= 3) {
        if (!cboColor[0]->currentText().isEmpty() && !cboColor[1]->currentText().isEmpty() &&
            !cboColor[2]->currentText().isEmpty()) {
            cboColor[3]->setEnabled(true);
            cmdClear->setEnabled(true);
            cmdReset->setEnabled(true);
            colorsReady = 1;
        }
        if (readinessTest()) {
            cmdCreateShd->setEnabled(true);
            setCreateCaptionItalic(true);
        }
    } else {
        if (N < 7) {
            cboColor[N]->setEnabled(true);
        }
        if (readinessTest()) {
            cmdCreateShd->setEnabled(true);
            setCreateCaptionItalic(true);
            setStatus(QStringLiteral("You may create the shadeset now..."));
        }
    }
    if (failed) {
        setStatus(lastHostMessage());
    }
}

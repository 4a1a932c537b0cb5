// The symbol-count bounds, the existence check and the construction of a shadeset.
#include "Prompt.h"
#include "core/ShadesetName.h"
#include "frmHuewright.h"
#include "shadeset/RampPlan.h"
#include "shadeset/ShadesetFile.h"
#include "shadeset/SymbolCount.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

void frmHuewright::txtNSymb_LostFocus()
{
    if (m_inLostFocus) {
        return;
    }
    m_inLostFocus = true;
    if (leadingNumber(txtNSymb->text()) > 999) {
        txtNSymb->setText(QStringLiteral("999"));
        m_prompt.message(stopBox(
            QStringLiteral("Only 999 symbols per shadeset, please..."),
            QStringLiteral("The total number of symbols within a shadeset can NOT exceed 999...")));
        txtNSymb->setFocus(Qt::OtherFocusReason);
    }
    if (leadingNumber(txtNSymb->text()) < 9) {
        txtNSymb->setText(QStringLiteral("9"));
        m_prompt.message(
            stopBox(QStringLiteral("Minimum of 9 symbols, please..."),
                    QStringLiteral("The total number of symbols within the shadeset\r\n"
                                   "can NOT be smaller than 9...")));
        txtNSymb->setFocus(Qt::OtherFocusReason);
    }
    m_inLostFocus = false;
}

bool frmHuewright::CheckIfExists(QString &FileName)
{
    FileName = core::withoutShdSuffix(FileName);
    // The folder the construction saves into, so the question speaks of the file it replaces.
    return shadesetFileExists(m_folders.shadeDir, FileName);
}

void frmHuewright::refuseCreate(const QString &title, const QString &text, QWidget *field)
{
    m_prompt.message(stopBox(title, text));
    field->setFocus(Qt::OtherFocusReason);
    cmdCreateShd->setEnabled(true);
}

void frmHuewright::cmdCreateShd_Click()
{
    cmdCreateShd->setEnabled(false);
    ShdName = txtShdName->text();
    m_browsedPath.clear(); // Delete's target is set again
    const std::optional<qint16> count = wholeNumber16(txtNSymb->text());
    if (!count) {
        refuseCreate(QStringLiteral("Number of symbols"),
                     QStringLiteral("The number of symbols must be a whole number from 9 to 999."),
                     txtNSymb);
        return;
    }
    nSymbs = *count;
    const core::Status named = core::checkShadesetName(core::withoutShdSuffix(ShdName));
    if (!named) {
        QString text = named.error() + QLatin1Char('.');
        text[0] = text[0].toUpper();
        refuseCreate(QStringLiteral("Shadeset name"), text, txtShdName);
        return;
    }
    if (CheckIfExists(ShdName)) {
        const MessageRequest question{
            QStringLiteral("Shadeset Exists !!!"),
            QStringLiteral("Shadeset ") + ShdName +
                QStringLiteral(" already exists. Do you want to overwrite it?"),
            PromptIcon::None, PromptButtons::YesNo, PromptAnswer::Yes};
        if (m_prompt.message(question) != PromptAnswer::Yes) {
            txtShdName->setText(QString());
            txtShdName->setFocus(Qt::OtherFocusReason);
            setStatus(QStringLiteral("Enter a new name for the shadeset..."));
            cmdCreateShd->setEnabled(true);
            return;
        }
        // The old file stays until the host's save replaces it, so a failed run keeps it.
    }

    QStringList colors;
    for (const QComboBox *box : cboColor) {
        colors.append(box->currentText());
    }
    // Nothing half-built is saved: the run ends at the first command Tessel refuses.
    // Classic ramps send what they always have, unless Tessel was told another space before.
    const QString space = rampSpace();
    const bool tell = space != QLatin1String("rgb") || m_toldRampSpace != space;
    const bool sent = sendAll(
        planRamps(colors, nSymbs, m_folders.shadeDir, ShdName, tell ? space : "", evenSteps()));
    m_toldRampSpace = space;
    if (!sent) {
        cmdCreateShd->setEnabled(true);
        return;
    }
    cmdDisplayShd->setEnabled(true);
    setStatus(QStringLiteral("You may DISPLAY the shadeset now..."));
}

// Loading the window and the control-state rules: colours, name, Reset, Clear, Quit.
#include "frmHuewright.h"
#include "palette/ColorNameTable.h"
#include "palette/Preview.h"
#include "shadeset/Commands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

const QString kStartHint = QStringLiteral("Specify a minimum of 3 colors...");

bool isColorText(const QComboBox *box)
{
    return box->currentText().size() >= 3;
}

} // namespace

qint32 frmHuewright::send(const QString &text)
{
    if (!hostMsgs) {
        hostMsgs = std::make_unique<host::Messages>();
    }
    hostStatus = m_channel->RunCommand(text, *hostMsgs);
    return hostStatus;
}

bool frmHuewright::sendAll(const QStringList &commands)
{
    for (const QString &command : commands) {
        if (send(command) != 0) {
            setStatus(lastHostMessage());
            return false;
        }
    }
    return true;
}

QString frmHuewright::lastHostMessage() const
{
    return hostMsgs ? hostMsgs->last() : QString();
}

void frmHuewright::setCreateCaptionItalic(bool italic)
{
    QFont font = Frame2->font();
    font.setItalic(italic);
    Frame2->setFont(font);
}

void frmHuewright::closePreparation()
{
    for (QPushButton *patch : cmdPatch) {
        patch->setEnabled(false);
    }
    for (int i = 3; i < 7; ++i) {
        cboColor[i]->setEnabled(false);
    }
    cmdCreateShd->setEnabled(false);
    cmdDisplayShd->setEnabled(false);
}

void frmHuewright::Form_Load()
{
    // A failing command here is seen in the drawing only; the window still loads.
    for (const QString &command : loadCommands(m_folders)) {
        send(command);
    }

    closePreparation();
    cmdDeleteShd->setEnabled(false);
    cmdReset->setEnabled(false);

    txtShdName->setText(QStringLiteral("elev1"));
    colorsReady = 0;

    // One list of the names serves all seven boxes. Filling a list must leave its field
    // empty and run no colour rule.
    auto *names = new QStringListModel(colorListNames(), this);
    for (QComboBox *box : cboColor) {
        const QSignalBlocker blocker(box);
        box->setModel(names);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    setStatus(kStartHint);
}

void frmHuewright::cboColor_Change(int n)
{
    QComboBox *box = cboColor[n - 1];
    if (n <= 3) {
        if (isColorText(box)) {
            cmdPatch[n - 1]->setEnabled(true);
        }
        if (isColorText(cboColor[0]) && isColorText(cboColor[1]) && isColorText(cboColor[2])) {
            cboColor[3]->setEnabled(true);
            cmdCreateShd->setEnabled(true);
            cmdReset->setEnabled(true);
        }
    } else if (isColorText(box)) {
        if (n < 7) {
            cboColor[n]->setEnabled(true);
        }
        cmdPatch[n - 1]->setEnabled(true);
    }
}

void frmHuewright::cboColor_Click(int n)
{
    cboColor_Change(n);
}

void frmHuewright::txtShdName_Change()
{
    if (txtShdName->text().size() > 1 && colorsReady == 1) {
        cmdCreateShd->setEnabled(true);
        setStatus(QStringLiteral(" "));
    }
}

void frmHuewright::cmdReset_Click()
{
    for (QComboBox *box : cboColor) {
        box->setEditText(QString());
    }
    txtShdName->setText(QString());
    closePreparation();
    setCreateCaptionItalic(false);
    colorsReady = 0;
    txtNSymb->setText(QString::number(999));
    txtShdName->setText(QStringLiteral("elev2"));
    setStatus(kStartHint);
    sendAll({paletteCommand()});
}

void frmHuewright::cmdClear_Click()
{
    sendAll({clearCommand()});
}

void frmHuewright::cmdQuit_Click()
{
    close();
    QCoreApplication::quit();
}

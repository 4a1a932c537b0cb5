// Display, the Shadeset Browser and Delete.
#include "Prompt.h"
#include "core/Paths.h"
#include "core/ShadesetName.h"
#include "frmHuewright.h"
#include "shadeset/Commands.h"
#include "shadeset/PickedPath.h"
#include "shadeset/ShadesetFile.h"
#include "shadeset/SymbolCount.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

void frmHuewright::cmdDisplayShd_Click()
{
    const DisplayPlan plan = planDisplay(m_folders, txtShdName->text(), nSymbs);
    ShdName = plan.ShdName;
    m_browsedPath.clear();
    const bool shown = sendAll({plan.command});
    cmdDeleteShd->setEnabled(true);
    if (shown) {
        setStatus(QStringLiteral("Before you create a new shadeset press the RESET button"));
    }
}

void frmHuewright::cmdNavDispShd_Click()
{
    setStatus(QStringLiteral("Navigate to where your shadesets are located..."));
    OpenFileRequest request;
    request.title = QStringLiteral("Shadeset Browser");
    request.filters = {{QStringLiteral("Tessel Shadesets (*.shd)"), QStringLiteral("*.shd")},
                       {QStringLiteral("All Files (*.*)"), QStringLiteral("*")}};
    request.defaultExtension = QStringLiteral("shd");
    request.folder = m_folders.shadeDir;
    const QString F = m_prompt.openFile(request);

    const QStringList load = browseLoadCommands(F);
    const qint32 loaded = send(load[0]);
    if (!F.isEmpty() && loaded != 0) {
        // Nothing else makes sense for a file Tessel cannot read: say so and keep the boxes.
        m_prompt.message(stopBox(QStringLiteral("Shadeset Browser"),
                                 QStringLiteral("Cannot show ") + F + QStringLiteral(":\n") +
                                     lastHostMessage()));
        cmdClear->setEnabled(true);
        return;
    }
    send(load[1]);
    const QString symb = m_channel->GetVariable(QStringLiteral("symb"));
    const std::optional<qint16> C = wholeNumber16(symb);
    browsePath = F;
    if (!F.isEmpty() && !C) {
        m_prompt.message(stopBox(QStringLiteral("Shadeset Browser"),
                                 QStringLiteral("Cannot show ") + F +
                                     QStringLiteral(":\nTessel reports \"%1\" as its number of "
                                                    "symbols, which is no whole number from "
                                                    "-32768 to 32767.")
                                         .arg(symb)));
        cmdClear->setEnabled(true);
        return;
    }
    // A cancel sends the display too, with an empty path, and keeps the status line.
    const qint32 shown = send(browseDisplayCommand(m_folders, browsePath, C.value_or(0)));
    if (!browsePath.isEmpty()) {
        m_browsedPath = browsePath;
        const PickedPath parts = splitPickedPath(browsePath);
        txtShdName->setText(parts.name);
        txtNSymb->setText(QString::number(*C));
        setStatus(shown == 0 ? QStringLiteral("Displayed is ") + parts.file +
                                   QStringLiteral(" selected by Shadeset Browser")
                             : lastHostMessage());
    }
    cmdClear->setEnabled(true);
}

void frmHuewright::cmdDeleteShd_Click()
{
    const QString path = shadesetPath(m_folders.shadeDir, ShdName);
    // The browser has since shown another file: the user is asked, so that a file they
    // cannot see named is not lost.
    if (!m_browsedPath.isEmpty() && !core::isSameFile(m_browsedPath, path)) {
        const MessageRequest question{
            QStringLiteral("Delete Shadeset"),
            QStringLiteral("Delete %1.shd? The shadeset on display is %2.")
                .arg(ShdName, splitPickedPath(m_browsedPath).file),
            PromptIcon::None, PromptButtons::YesNo, PromptAnswer::No};
        if (m_prompt.message(question) != PromptAnswer::Yes) {
            return;
        }
    }
    const core::Status deleted = deleteShadesetFile(m_folders.shadeDir, ShdName);
    if (!deleted) {
        setStatus(QStringLiteral("Cannot delete ") + path + QStringLiteral(": ") + deleted.error());
    }
    // Delete stays available only while there is still a file it may delete.
    cmdDeleteShd->setEnabled(!deleted && core::checkShadesetName(ShdName) &&
                             QFileInfo::exists(path));
}

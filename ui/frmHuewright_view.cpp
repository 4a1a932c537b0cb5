// Display, the Shadeset Browser and Delete.
#include "Prompt.h"
#include "app/basMain.h"
#include "app/zeb_func.h"
#include "frmHuewright.h"
#include "shadeset/PickedPath.h"
#include "shadeset/ShadesetFile.h"
#include "shadeset/ShadesetName.h"
#include "shadeset/SymbolCount.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString scriptCommand(const QString &script)
{
    return QStringLiteral("&r ") + g_ToolsDir + QDir::separator() + script + QLatin1Char(' ');
}

} // namespace

void frmHuewright::cmdDisplayShd_Click()
{
    const QString T = txtShdName->text();
    ShdName = EndsWith(T, QStringLiteral(".shd")) ? T.left(T.size() - 4) : T;
    // A name with blanks goes in quotes: unquoted, the script would take its first words for
    // the end of the base folder.
    const QString name = ShdName.contains(QLatin1Char(' '))
                             ? QLatin1Char('"') + ShdName + QLatin1Char('"')
                             : ShdName;
    const qint32 status =
        send(scriptCommand(QStringLiteral("dispshd.zeb")) + g_startPath + QLatin1Char(' ') + name +
             QLatin1Char(' ') + QString::number(nSymbs));
    cmdDeleteShd->setEnabled(true);
    setStatus(status == 0
                  ? QStringLiteral("Before you create a new shadeset press the RESET button")
                  : lastHostMessage());
}

void frmHuewright::cmdNavDispShd_Click()
{
    setStatus(QStringLiteral("Navigate to where your shadesets are located..."));
    OpenFileRequest request;
    request.title = QStringLiteral("Shadeset Browser");
    request.filters = {{QStringLiteral("Tessel Shadesets (*.shd)"), QStringLiteral("*.shd")},
                       {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
    request.defaultExtension = QStringLiteral("shd");
    request.mustExist = true;
    request.hideReadOnly = true;
    request.folder = g_shadeDir;
    const QString F = m_prompt.openFile(request);

    const qint32 loaded = send(QStringLiteral("shadeset ") + F);
    if (!F.isEmpty() && loaded != 0) {
        // Nothing else makes sense for a file Tessel cannot read: say so and keep the boxes.
        m_prompt.message(stopBox(QStringLiteral("Shadeset Browser"),
                                 QStringLiteral("Cannot show ") + F + QStringLiteral(":\n") +
                                     lastHostMessage()));
        cmdClear->setEnabled(true);
        return;
    }
    send(QStringLiteral("&s symb = [show shadesymbol total]"));
    const QString symb = m_channel->GetVariable(QStringLiteral("symb"));
    const std::optional<qint16> C = wholeNumber16(symb);
    g_browsePath = F;
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
    const qint32 shown = send(scriptCommand(QStringLiteral("disp_old_shd.zeb")) + g_browsePath +
                              QLatin1Char(' ') + QString::number(C.value_or(0)));
    if (!g_browsePath.isEmpty()) {
        const PickedPath parts = splitPickedPath(g_browsePath);
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
    const QString path = shadesetPath(g_shadeDir, ShdName);
    const QString error = deleteShadesetFile(g_shadeDir, ShdName);
    if (!error.isEmpty()) {
        setStatus(QStringLiteral("Cannot delete ") + path + QStringLiteral(": ") + error);
    }
    // Delete stays available only while there is still a file to delete.
    const bool plainName = ShdName.isEmpty() || isShadesetFileName(ShdName);
    cmdDeleteShd->setEnabled(!error.isEmpty() && plainName && QFileInfo::exists(path));
}

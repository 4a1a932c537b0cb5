#include "QtPrompt.h"

#include <QFileDialog>
#include <QMessageBox>

PromptAnswer QtPrompt::message(const MessageRequest &request)
{
    const bool yesNo = request.buttons == PromptButtons::YesNo;
    QMessageBox box(request.icon == PromptIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    request.title, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, m_parent);
    if (yesNo) {
        box.setDefaultButton(request.defaultAnswer == PromptAnswer::No ? QMessageBox::No
                                                                       : QMessageBox::Yes);
    }
    const int pressed = box.exec();
    if (!yesNo) {
        return PromptAnswer::Ok;
    }
    return pressed == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

QString QtPrompt::openFile(const OpenFileRequest &request)
{
    QFileDialog dialog(m_parent, request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Qt's own dialog: the same on every desktop, and drivable from the keyboard alone.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    QStringList filters;
    for (const FileFilter &filter : request.filters) {
        filters.append(filter.description);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

#include "QtPrompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

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

void QtPrompt::report(const ReportRequest &request)
{
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("dlgReport"));
    dialog.setWindowTitle(request.title);
    auto *layout = new QVBoxLayout(&dialog);
    auto *picture = new QLabel(&dialog);
    picture->setPixmap(QPixmap::fromImage(request.picture));
    auto *text = new QLabel(request.text, &dialog);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.exec();
}

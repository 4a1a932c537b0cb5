#include "QtPrompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

namespace {

// Qt's own file dialog, which opens a typed name as typed where that file exists, and with
// the default extension added only where it does not.
class OpenDialog : public QFileDialog
{
public:
    OpenDialog(QWidget *parent, const OpenFileRequest &request)
        : QFileDialog(parent, request.title, request.folder), m_request(request)
    {
        setAcceptMode(QFileDialog::AcceptOpen);
        // Any name may be typed: accept() decides, since Qt's own test for a file that must
        // exist would add the extension to every name without one.
        setFileMode(QFileDialog::AnyFile);
        // The same on every desktop, and drivable from the keyboard alone.
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ReadOnly, false);
        // Qt takes a filter's patterns from the last parentheses of its text, and shows the
        // text without them: so each entry reads as its description and lists by its pattern
        // ("All Files (*.*)" lists files without a dot too).
        setOption(QFileDialog::HideNameFilterDetails);
        QStringList filters;
        for (const FileFilter &filter : request.filters) {
            filters.append(filter.description + QStringLiteral(" (") + filter.pattern +
                           QLatin1Char(')'));
        }
        setNameFilters(filters);
    }

    const QString &chosen() const { return m_chosen; }

    void accept() override
    {
        const QStringList typed = selectedFiles();
        if (typed.size() != 1 || QFileInfo(typed[0]).isDir()) {
            QFileDialog::accept(); // into the folder
            return;
        }
        // As typed where that file is there; else with the extension added to a name
        // without one.
        const QFileInfo as(typed[0]);
        const QFileInfo extended(typed[0] + QLatin1Char('.') + m_request.defaultExtension);
        const bool extend = !as.exists() && as.suffix().isEmpty() &&
                            !m_request.defaultExtension.isEmpty() && extended.isFile();
        const QFileInfo file = extend ? extended : as;
        if (m_request.mustExist && !file.isFile()) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("%1\nFile not found.\nPlease verify the correct file name "
                                    "was given.")
                                     .arg(as.fileName()));
            return;
        }
        m_chosen = file.filePath();
        QDialog::accept();
    }

private:
    OpenFileRequest m_request;
    QString m_chosen;
};

} // namespace

QString QtPrompt::openFile(const OpenFileRequest &request)
{
    OpenDialog dialog(m_parent, request);
    dialog.setObjectName(QStringLiteral("dlgOpenFile"));
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty()) {
        return QString();
    }
    return QDir::toNativeSeparators(dialog.chosen());
}

void QtPrompt::report(const ReportRequest &request)
{
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("dlgReport"));
    dialog.setWindowTitle(request.title);
    auto *content = new QWidget;
    auto *inner = new QVBoxLayout(content);
    auto *picture = new QLabel(content);
    picture->setPixmap(QPixmap::fromImage(request.picture));
    auto *text = new QLabel(request.text, content);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    inner->addWidget(picture);
    inner->addWidget(text);
    // The report scrolls where the screen is shorter than it; Close stays in reach below.
    auto *scroll = new QScrollArea(&dialog);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    const QScreen *screen = m_parent ? m_parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen->availableGeometry().size() * 9 / 10; // the frame's share aside
    const QSize whole =
        content->sizeHint() +
        QSize(scroll->verticalScrollBar()->sizeHint().width() + 2 * scroll->frameWidth(),
              buttons->sizeHint().height() + 2 * scroll->frameWidth()) +
        QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
              layout->contentsMargins().top() + layout->contentsMargins().bottom() +
                  layout->spacing());
    dialog.resize(whole.boundedTo(room));
    dialog.exec();
}

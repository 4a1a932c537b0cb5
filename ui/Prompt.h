#pragma once

#include <QImage>
#include <QList>
#include <QString>

// What the window asks the user, in its own terms, so logic and tests need no dialogs.
enum class PromptIcon
{
    None,
    Stop
};
enum class PromptButtons
{
    Ok,
    YesNo
};
enum class PromptAnswer
{
    Ok,
    Yes,
    No
};

struct MessageRequest
{
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    PromptAnswer defaultAnswer = PromptAnswer::Ok;
};

// A stop-icon box with one OK button.
MessageRequest stopBox(const QString &title, const QString &text);

struct FileFilter
{
    QString description; // as shown, e.g. "Tessel Shadesets (*.shd)"
    QString pattern;     // e.g. "*.shd"
};

struct OpenFileRequest
{
    QString title;
    QList<FileFilter> filters;
    QString defaultExtension; // added to a typed name without one that names no file
    QString folder;           // where the dialog opens
    bool mustExist = true;
};

// A report to read: a picture above a text of fixed-width lines.
struct ReportRequest
{
    QString title;
    QImage picture;
    QString text;
};

class Prompt
{
public:
    virtual ~Prompt() = default;

    // Shows a modal message box and returns the button pressed.
    virtual PromptAnswer message(const MessageRequest &request) = 0;
    // Shows a modal file-open dialog; the empty text when the user cancelled.
    virtual QString openFile(const OpenFileRequest &request) = 0;
    // Shows a report in a modal dialog, until the user closes it.
    virtual void report(const ReportRequest &request) = 0;
};

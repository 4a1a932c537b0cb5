#pragma once

#include "host/Channel.h"
#include "tessel/draw/TesselWidget.h"
#include "ui/Prompt.h"
#include "ui/frmHuewright.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>

#include <memory>

// Records every command the window sends, in order. Forwards to a real channel when given
// one; otherwise every command succeeds unless one that starts with a prefix in `failures`
// fails, with the message "PREFIX: refused".
class RecordingChannel : public host::Channel
{
public:
    explicit RecordingChannel(std::unique_ptr<host::Channel> inner) : m_inner(std::move(inner)) {}

    qint32 RunCommand(const QString &text, host::Messages &messages) override;
    QString GetVariable(const QString &name) override;

    QStringList commands;
    QStringList failures;
    QHash<QString, QString> variables; // answered instead of the real channel's

private:
    std::unique_ptr<host::Channel> m_inner;
};

// Answers message boxes and the file dialog from queues, and records what was asked.
// An unscripted box is answered with its default button; an unscripted dialog is cancelled.
class ScriptedPrompt : public Prompt
{
public:
    PromptAnswer message(const MessageRequest &request) override;
    QString openFile(const OpenFileRequest &request) override;
    void report(const ReportRequest &request) override;

    QQueue<PromptAnswer> answers;
    QQueue<QString> files;
    QList<MessageRequest> shown;
    QList<OpenFileRequest> dialogs;
    QList<ReportRequest> reports;
};

// Opens the drawing area's menu of `form` as the platform opens it: by a right click on the
// drawing (Mouse), or by the menu key where the focus is, on Quit (Keyboard). The menu shown.
QMenu *openTesselMenu(QWidget &form, QContextMenuEvent::Reason reason);
// Picks `action` in that menu with the mouse.
void pickInMenu(QMenu *menu, const char *action);

// A window started by Main, shown and active, for a base folder in a temporary folder, with its
// host recorded: behind the recording a real Tessel in a copy of the install tree, or nothing
// (every command then succeeds unless a failure is scripted).
class FormFixture
{
public:
    explicit FormFixture(bool realTessel = false, const QString &baseName = QStringLiteral("base"));

    const Folders &folders() const { return m_folders; }
    frmHuewright &form() { return *m_form; }
    RecordingChannel &host() { return *m_recording; }
    ScriptedPrompt &prompt() { return m_prompt; }

    template <typename W = QWidget> W *child(const QString &name) const
    {
        return m_form->findChild<W *>(name);
    }
    QComboBox *color(int n) const { return child<QComboBox>(QStringLiteral("cboColor%1").arg(n)); }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QString status() const { return child<QLabel>("StatusBar1Panel1")->text(); }
    bool isCaptionItalic() const { return child<QGroupBox>("Frame2")->font().italic(); }
    // The names of the enabled controls that the rules may change, in form order.
    QStringList enabledControls() const;
    // The Tessel control as shown.
    QImage shown() const { return child<tessel::TesselWidget>("Tessel1")->grab().toImage(); }

    // Works the window as a user would, one step after another, separated by ";":
    //   type N TEXT | erase N | name TEXT | count TEXT   typing ("_" stands for a blank)
    //   preview N | create | display | delete | reset | clear | browse | tab    clicks and keys
    //   answer yes|no | file PATH | symb VALUE | fail PREFIX   what the user or host will answer
    //   touch NAME | touch NAME/   a file or folder in the shadeset folder
    void run(const QString &script);
    // The commands recorded since the window started or the last call.
    QStringList takeCommands();
    // The commands the window sent as it started.
    const QStringList &startupCommands() const { return m_startup; }

    // Types into the field, by mouse and keys; `replace` selects what is there first.
    void type(QWidget *field, const QString &text, bool replace = false);
    void click(QWidget *button);

private:
    QTemporaryDir m_dir;
    Folders m_folders;
    ScriptedPrompt m_prompt;
    std::unique_ptr<frmHuewright> m_form;
    RecordingChannel *m_recording = nullptr;
    QStringList m_startup;
};

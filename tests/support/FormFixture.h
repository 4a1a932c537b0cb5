#pragma once

#include "RecordingChannel.h"
#include "ScriptedPrompt.h"
#include "ui/frmHuewright.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace tessel {
class Host;
}

// A loaded, shown and active window for a base folder in a temporary folder, with its host
// recorded: behind the recording a real Tessel in a copy of the install tree, or nothing
// (every command then succeeds unless a failure is scripted).
class FormFixture
{
public:
    explicit FormFixture(bool realTessel = false, const QString &baseName = QStringLiteral("base"));

    const Folders &folders() const { return m_folders; }
    frmHuewright &form() { return *m_form; }
    RecordingChannel &host() { return *m_recording; }
    ScriptedPrompt &prompt() { return m_prompt; }
    tessel::Host &tessel() const; // the real one

    QComboBox *color(int n) const;
    QLineEdit *edit(const char *name) const;
    QPushButton *button(const char *name) const;
    QString status() const;
    bool isCaptionItalic() const;
    // The names of the enabled controls that the rules may change, in form order.
    QStringList enabledControls() const;
    // The Tessel control as shown.
    QImage shown() const;

    // Works the window as a user would, one step after another, separated by ";":
    //   type N TEXT | erase N | name TEXT | count TEXT   typing ("_" stands for a blank)
    //   preview N | create | display | delete | reset | clear | browse | tab    clicks and keys
    //   answer yes|no | file PATH | symb VALUE | fail PREFIX   what the user or host will answer
    //   touch NAME | touch NAME/   a file or folder in the shadeset folder
    void run(const QString &script);
    // The commands recorded since the window loaded or the last call.
    QStringList takeCommands();

    void type(QWidget *field, const QString &text);
    void clearAndType(QWidget *field, const QString &text);
    void click(QWidget *button);

private:
    QTemporaryDir m_dir;
    Folders m_folders;
    ScriptedPrompt m_prompt;
    std::unique_ptr<frmHuewright> m_form;
    RecordingChannel *m_recording = nullptr;
};

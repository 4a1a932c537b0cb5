#pragma once

#include "RecordingChannel.h"
#include "ScriptedPrompt.h"
#include "tessel/TesselWidget.h"
#include "ui/frmHuewright.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

// A started window: Main has run for a program folder <base>/tools, with the host recorded
// (and, when `realTessel`, a real Tessel behind the recording, in a copy of the install tree).
class FormFixture
{
public:
    explicit FormFixture(bool realTessel = false, const QString &baseName = QStringLiteral("base"));

    QString base() const { return m_base; }
    frmHuewright &form() { return *m_form; }
    RecordingChannel &host() { return *m_recording; }
    ScriptedPrompt &prompt() { return m_prompt; }

    QComboBox *color(int n) const;
    QPushButton *patch(int n) const;
    QLineEdit *edit(const char *name) const;
    QPushButton *button(const char *name) const;
    QGroupBox *frame(const char *name) const;

    // Types into a control as a user would: focus by mouse, then keys.
    void type(QWidget *field, const QString &text);
    void clearAndType(QWidget *field, const QString &text);
    void click(QPushButton *button);
    // The commands Main sent: the load handler's two and the start path.
    QStringList startupCommands;
    // The commands recorded since start-up or the last call.
    QStringList takeCommands();

private:
    QTemporaryDir m_dir;
    QString m_base;
    ScriptedPrompt m_prompt;
    std::unique_ptr<frmHuewright> m_form;
    RecordingChannel *m_recording = nullptr;
};

// Copies the built install tree into `base` (tools and shades folders, no program).
bool copyInstallTree(const QString &base);

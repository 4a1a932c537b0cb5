#include "FormFixture.h"

#include "TestFiles.h"
#include "app/basMain.h"
#include "host/TesselChannel.h"
#include "tessel/draw/TesselWidget.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QTest>

qint32 RecordingChannel::RunCommand(const QString &text, host::Messages &messages)
{
    commands.append(text);
    for (const QString &prefix : failures) {
        if (text.startsWith(prefix)) {
            messages.add(prefix + ": refused");
            return 2;
        }
    }
    return m_inner ? m_inner->RunCommand(text, messages) : 0;
}

QString RecordingChannel::GetVariable(const QString &name)
{
    return variables.contains(name) || !m_inner ? variables.value(name)
                                                : m_inner->GetVariable(name);
}

PromptAnswer ScriptedPrompt::message(const MessageRequest &request)
{
    shown.append(request);
    return answers.isEmpty() ? request.defaultAnswer : answers.dequeue();
}

QString ScriptedPrompt::openFile(const OpenFileRequest &request)
{
    dialogs.append(request);
    return files.isEmpty() ? QString() : files.dequeue();
}

void ScriptedPrompt::report(const ReportRequest &request)
{
    reports.append(request);
}

QMenu *openTesselMenu(QWidget &form, QContextMenuEvent::Reason reason)
{
    QWidget *on =
        form.findChild<QWidget *>(reason == QContextMenuEvent::Mouse ? "Tessel1" : "cmdQuit");
    QContextMenuEvent open(reason, on->rect().center(), on->mapToGlobal(on->rect().center()));
    QApplication::sendEvent(on, &open);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

void pickInMenu(QMenu *menu, const char *action)
{
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(menu->findChild<QAction *>(action)).center());
}

FormFixture::FormFixture(bool realTessel, const QString &baseName)
{
    QSettings().clear(); // every window starts as a new user's
    const QString base = m_dir.filePath(baseName);
    m_folders = {base, base + "/tools", base + "/shades", base + "/tools"};
    QDir().mkpath(m_folders.toolsDir);
    if (realTessel && !copyInstallTree(base)) {
        qFatal("cannot copy the install tree");
    }
    m_form = std::make_unique<frmHuewright>(m_prompt, m_folders);
    auto *control = m_form->findChild<tessel::TesselWidget *>("Tessel1");
    auto recording = std::make_unique<RecordingChannel>(
        realTessel ? std::make_unique<host::TesselChannel>(control->host(),
                                                           [control] { control->update(); })
                   : nullptr);
    m_recording = recording.get();
    m_form->setChannel(std::move(recording));
    Main(*m_form, m_folders);
    QApplication::setActiveWindow(m_form.get());
    if (!QTest::qWaitForWindowActive(m_form.get())) {
        qWarning("the window did not become active");
    }
    m_startup = takeCommands();
}

QStringList FormFixture::enabledControls() const
{
    QStringList names;
    for (QWidget *w : m_form->findChildren<QWidget *>()) {
        if (w->isEnabled() && (qobject_cast<QComboBox *>(w) || qobject_cast<QPushButton *>(w))) {
            names << w->objectName();
        }
    }
    names.sort();
    return names;
}

void FormFixture::run(const QString &script)
{
    for (const QString &step : script.split(';', Qt::SkipEmptyParts)) {
        const QString verb = step.trimmed().section(' ', 0, 0);
        QString arg = step.trimmed().section(' ', 1);
        const int n = arg.section(' ', 0, 0).toInt();
        const QString text = arg.section(' ', 1).replace('_', ' ');
        const QHash<QString, const char *> buttons = {
            {"create", "cmdCreateShd"}, {"display", "cmdDisplayShd"}, {"delete", "cmdDeleteShd"},
            {"reset", "cmdReset"},      {"clear", "cmdClear"},        {"browse", "cmdNavDispShd"}};
        if (verb == "type") {
            type(color(n), text);
        } else if (verb == "erase") {
            type(color(n), QString(), true);
        } else if (verb == "name" || verb == "count") {
            type(edit(verb == "name" ? "txtShdName" : "txtNSymb"), arg.replace('_', ' '), true);
        } else if (verb == "preview") {
            click(m_form->findChild<QPushButton *>(QStringLiteral("cmdPatch%1").arg(n)));
        } else if (buttons.contains(verb)) {
            click(button(buttons[verb]));
        } else if (verb == "tab") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } else if (verb == "answer") {
            m_prompt.answers.enqueue(arg == "yes" ? PromptAnswer::Yes : PromptAnswer::No);
        } else if (verb == "file") {
            m_prompt.files.enqueue(arg);
        } else if (verb == "symb") {
            m_recording->variables["symb"] = arg;
        } else if (verb == "fail") {
            m_recording->failures << arg;
        } else if (verb == "touch") { // a file, or with a trailing "/" a folder, in shades
            const QString path = m_folders.shadeDir + '/' + arg;
            arg.endsWith('/') ? QDir().mkpath(path) : writeFile(path, "old");
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
    }
}

QStringList FormFixture::takeCommands()
{
    QStringList taken = m_recording->commands;
    m_recording->commands.clear();
    return taken;
}

void FormFixture::type(QWidget *field, const QString &text, bool replace)
{
    auto *box = qobject_cast<QComboBox *>(field);
    QWidget *target = box ? box->lineEdit() : field;
    QTest::mouseClick(target, Qt::LeftButton);
    if (replace) {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
    }
    QTest::keyClicks(target, text);
}

void FormFixture::click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

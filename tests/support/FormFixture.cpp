#include "FormFixture.h"

#include "TestFiles.h"
#include "host/TesselChannel.h"
#include "tessel/TesselWidget.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

FormFixture::FormFixture(bool realTessel, const QString &baseName)
{
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
    m_form->Tessel1();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    if (!QTest::qWaitForWindowActive(m_form.get())) {
        qWarning("the window did not become active");
    }
    takeCommands();
}

tessel::Host &FormFixture::tessel() const
{
    return m_form->findChild<tessel::TesselWidget *>("Tessel1")->host();
}

QComboBox *FormFixture::color(int n) const
{
    return m_form->findChild<QComboBox *>(QStringLiteral("cboColor%1").arg(n));
}

QLineEdit *FormFixture::edit(const char *name) const
{
    return m_form->findChild<QLineEdit *>(QLatin1String(name));
}

QPushButton *FormFixture::button(const char *name) const
{
    return m_form->findChild<QPushButton *>(QLatin1String(name));
}

QString FormFixture::status() const
{
    return m_form->findChild<QLabel *>("StatusBar1Panel1")->text();
}

bool FormFixture::isCaptionItalic() const
{
    return m_form->findChild<QGroupBox *>("Frame2")->font().italic();
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

QImage FormFixture::shown() const
{
    return m_form->findChild<tessel::TesselWidget *>("Tessel1")->grab().toImage();
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
            clearAndType(color(n), QString());
        } else if (verb == "name" || verb == "count") {
            clearAndType(edit(verb == "name" ? "txtShdName" : "txtNSymb"), arg.replace('_', ' '));
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
            m_recording->setVariable("symb", arg);
        } else if (verb == "fail") {
            m_recording->failWhen(arg, arg + ": refused");
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

void FormFixture::type(QWidget *field, const QString &text)
{
    auto *box = qobject_cast<QComboBox *>(field);
    QWidget *target = box ? box->lineEdit() : field;
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClicks(target, text);
}

void FormFixture::clearAndType(QWidget *field, const QString &text)
{
    auto *box = qobject_cast<QComboBox *>(field);
    QWidget *target = box ? box->lineEdit() : field;
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
}

void FormFixture::click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

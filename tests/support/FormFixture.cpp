#include "FormFixture.h"

#include "app/basMain.h"
#include "host/TesselChannel.h"
#include "tessel/TesselWidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

bool copyInstallTree(const QString &base)
{
    const QString stage = QStringLiteral(HUEWRIGHT_STAGE);
    for (const char *file : {"tools/dispshd.zeb", "tools/disp_old_shd.zeb", "tools/colornames.shd",
                             "shades/elev999.shd"}) {
        const QString target = base + QLatin1Char('/') + QLatin1String(file);
        if (!QDir().mkpath(QFileInfo(target).path()) ||
            !QFile::copy(stage + QLatin1Char('/') + QLatin1String(file), target)) {
            return false;
        }
    }
    return true;
}

FormFixture::FormFixture(bool realTessel, const QString &baseName)
    : m_base(m_dir.filePath(baseName))
{
    QDir().mkpath(m_base + QStringLiteral("/tools"));
    if (realTessel) {
        copyInstallTree(m_base);
    }
    g_browsePath.clear();
    m_form = std::make_unique<frmHuewright>(m_prompt, m_base + QStringLiteral("/tools"));
    auto recording = std::make_unique<RecordingChannel>(
        realTessel ? std::make_unique<host::TesselChannel>(m_form->tesselControl()) : nullptr);
    m_recording = recording.get();
    m_form->setChannel(std::move(recording));
    Main(*m_form, m_base + QStringLiteral("/tools"));
    startupCommands = takeCommands();
    QApplication::setActiveWindow(m_form.get());
    if (!QTest::qWaitForWindowActive(m_form.get())) {
        qWarning("the window did not become active");
    }
}

QComboBox *FormFixture::color(int n) const
{
    return m_form->findChild<QComboBox *>(QStringLiteral("cboColor%1").arg(n));
}

QPushButton *FormFixture::patch(int n) const
{
    return m_form->findChild<QPushButton *>(QStringLiteral("cmdPatch%1").arg(n));
}

QLineEdit *FormFixture::edit(const char *name) const
{
    return m_form->findChild<QLineEdit *>(QLatin1String(name));
}

QPushButton *FormFixture::button(const char *name) const
{
    return m_form->findChild<QPushButton *>(QLatin1String(name));
}

QGroupBox *FormFixture::frame(const char *name) const
{
    return m_form->findChild<QGroupBox *>(QLatin1String(name));
}

void FormFixture::type(QWidget *field, const QString &text)
{
    QWidget *target = field;
    if (auto *box = qobject_cast<QComboBox *>(field)) {
        target = box->lineEdit();
    }
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClicks(target, text);
}

void FormFixture::clearAndType(QWidget *field, const QString &text)
{
    QWidget *target = field;
    if (auto *box = qobject_cast<QComboBox *>(field)) {
        target = box->lineEdit();
    }
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
}

void FormFixture::click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList FormFixture::takeCommands()
{
    QStringList taken = m_recording->commands;
    m_recording->commands.clear();
    return taken;
}

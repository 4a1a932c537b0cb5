#include "app/FontConfigWarmup.h"
#include "app/Installed.h"
#include "app/basMain.h"
#include "ui/QtPrompt.h"
#include "ui/frmHuewright.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const std::optional<int> answered = answerCommandLine(argc, argv)) {
        return *answered;
    }
#ifdef Q_OS_LINUX
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("huewright: no display server (DISPLAY is not set); cannot open a window\n",
                   stderr);
        return 1;
    }
#endif
    FontConfigWarmup fonts;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Huewright"));
    QCoreApplication::setApplicationName(QStringLiteral("huewright"));
    fonts.wait();
    // The plain classic look suits the form, and it draws faster than Fusion.
    QApplication::setStyle(QStringLiteral("Windows"));
    const Folders folders =
        startupFolders(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                       QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/huewright"));
    QtPrompt prompt;
    frmHuewright form(prompt, folders, qEnvironmentVariable("TESSEL_TRACE"));
    prompt.setParent(&form);
    Main(form, folders);
    return QApplication::exec();
}

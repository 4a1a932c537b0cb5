// The program as it starts, ending itself once Tessel has painted the start-up shadeset:
// what the start-up benchmark times. The tools folder is its one argument.
#include "QuitAfterPaint.h"
#include "app/basMain.h"
#include "tessel/TesselWidget.h"
#include "ui/QtPrompt.h"
#include "ui/frmHuewright.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The plain classic look suits the form, and it draws faster than Fusion.
    QApplication::setStyle(QStringLiteral("Windows"));
    const Folders folders = deriveFolders(QCoreApplication::arguments().value(1));
    QtPrompt prompt;
    frmHuewright form(prompt, folders);
    QuitAfterPaint quit(*form.findChild<tessel::TesselWidget *>(QStringLiteral("Tessel1")));
    Main(form, folders);
    return QApplication::exec();
}

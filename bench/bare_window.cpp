// A bare Qt window of the program's size holding one widget, ending itself once the widget
// has painted: the yardstick for the start-up benchmark.
#include "QuitAfterPaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(348, 536);
    QLabel label(QStringLiteral("Create a Continuous Shadeset"), &window);
    QuitAfterPaint quit(label);
    window.show();
    return QApplication::exec();
}

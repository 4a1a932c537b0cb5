// The yardstick for start-up: a bare Qt window of the program's size, titled "bare", holding
// one button at a fixed place.
#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(348, 536);
    QPushButton quit(QStringLiteral("Quit"), &window);
    quit.setGeometry(3, 486, 59, 25);
    QObject::connect(&quit, &QPushButton::clicked, &app, &QApplication::quit);
    window.show();
    return QApplication::exec();
}

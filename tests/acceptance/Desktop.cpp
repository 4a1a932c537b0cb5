#include "Desktop.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Xlib's display, opened per call: the test's own process stays off the server otherwise.
struct XConnection
{
    explicit XConnection(const QString &name) : display(XOpenDisplay(name.toLatin1().constData()))
    {}
    ~XConnection()
    {
        if (display) {
            XCloseDisplay(display);
        }
    }
    Display *display;
};

} // namespace

Desktop::Desktop()
{
    // Xvfb picks a free display and writes its number to the given descriptor; a pipe to
    // standard output is simplest with QProcess.
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                           QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp")});
    m_server.start();
    if (!m_server.waitForStarted(5000)) {
        m_error = QStringLiteral("cannot start Xvfb: ") + m_server.errorString();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    QByteArray out;
    while (!out.contains('\n') && timer.elapsed() < 10000 &&
           m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(200);
        out += m_server.readAllStandardOutput();
    }
    if (!out.contains('\n')) {
        m_error = QStringLiteral("Xvfb did not report its display: ") +
                  QString::fromLocal8Bit(m_server.readAllStandardError());
        return;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
}

Desktop::~Desktop()
{
    m_server.terminate();
    if (!m_server.waitForFinished(3000)) {
        m_server.kill();
        m_server.waitForFinished(1000);
    }
}

QString Desktop::xdotool(const QStringList &args, int *exitCode) const
{
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    run.setProcessEnvironment(env);
    run.start(QStringLiteral("xdotool"), args);
    run.waitForFinished(10000);
    if (exitCode) {
        *exitCode = run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
    }
    return QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed();
}

QString Desktop::waitForWindow(const QString &name, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(name) + QLatin1Char('$');
    do {
        int code = 0;
        const QString ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--name"), pattern},
                                    &code);
        if (code == 0 && !ids.isEmpty()) {
            return ids.split(QLatin1Char('\n')).last();
        }
        QThread::msleep(50);
    } while (timer.elapsed() < timeoutMs);
    return QString();
}

QString Desktop::waitForOtherWindow(const QString &windowClass, const QString &except,
                                    int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    const QString pattern =
        QLatin1Char('^') + QRegularExpression::escape(windowClass) + QLatin1Char('$');
    do {
        const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--class"), pattern})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            if (id != except) {
                return id;
            }
        }
        QThread::msleep(50);
    } while (timer.elapsed() < timeoutMs);
    return QString();
}

QString Desktop::windowName(const QString &id) const
{
    return xdotool({QStringLiteral("getwindowname"), id});
}

QRect Desktop::windowGeometry(const QString &id) const
{
    const QString out =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
    QRect rect;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const QStringList kv = line.split(QLatin1Char('='));
        if (kv.size() != 2) {
            continue;
        }
        const int value = kv[1].toInt();
        if (kv[0] == QLatin1String("X")) {
            rect.moveLeft(value);
        } else if (kv[0] == QLatin1String("Y")) {
            rect.moveTop(value);
        } else if (kv[0] == QLatin1String("WIDTH")) {
            rect.setWidth(value);
        } else if (kv[0] == QLatin1String("HEIGHT")) {
            rect.setHeight(value);
        }
    }
    return rect;
}

void Desktop::clickAt(const QString &window, QPoint point, int button) const
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
             QString::number(point.x()), QString::number(point.y()), QStringLiteral("click"),
             QString::number(button)});
}

void Desktop::type(const QString &text) const
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("8"), text});
}

void Desktop::key(const QString &keys) const
{
    xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20"), keys});
}

void Desktop::requestClose(const QString &window) const
{
    XConnection x(m_display);
    if (!x.display) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.toULong();
    event.xclient.message_type = XInternAtom(x.display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x.display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x.display, window.toULong(), False, NoEventMask, &event);
    XFlush(x.display);
}

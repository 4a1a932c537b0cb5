#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

// A private X server (Xvfb) driven as a user drives a desktop: the mouse and the keyboard
// through xdotool, window names read back, and the window manager's close request sent
// through Xlib.
class Desktop
{
public:
    Desktop();
    ~Desktop();

    bool isRunning() const { return !m_display.isEmpty(); }
    QString error() const { return m_error; }
    QString display() const { return m_display; }

    // The id of a visible window named `name`, waiting up to `timeoutMs` for one to appear;
    // empty when none did.
    QString waitForWindow(const QString &name, int timeoutMs = 5000) const;
    // A visible window of the program's class other than `except`: an open list, say, which
    // has no title of its own.
    QString waitForOtherWindow(const QString &windowClass, const QString &except,
                               int timeoutMs = 5000) const;
    QString windowName(const QString &id) const;
    QRect windowGeometry(const QString &id) const;

    void clickAt(const QString &window, QPoint point, int button = 1) const;
    void type(const QString &text) const;
    void key(const QString &keys) const;

    // Asks the window to close, as a window manager's close button does.
    void requestClose(const QString &window) const;

private:
    QString xdotool(const QStringList &args, int *exitCode = nullptr) const;

    QProcess m_server;
    QString m_display;
    QString m_error;
};

// Acceptance: the installed program in a private X server (Xvfb), worked with the mouse and
// the keyboard through xdotool as a user works it, checked through Tessel's trace, the
// shades folder and the window names; and the Debian package, checked by Debian's own tools
// and run unpacked as a user runs it.
#include "TesselRun.h"
#include "ui/FormLayout.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>

namespace {

const QString kMainTitle = QStringLiteral("Create a Continuous Shadeset");

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QTest::qWait(25);
    }
    return done();
}

QString run(const QString &command)
{
    return QStringLiteral("run\t0\t") + command;
}

// A private X server; it picks a free display and writes its number to the descriptor given.
class Desktop
{
public:
    Desktop()
    {
        m_server.setStandardErrorFile(QProcess::nullDevice()); // unread, it would fill and stall
        // Without -noreset the server resets whenever its last client leaves, and a program
        // that connects during the reset fails at once.
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten",
                                "tcp", "-noreset"});
        m_server.waitForStarted(5000);
        QByteArray out;
        waitUntil(
            [&] {
                return m_server.waitForReadyRead(100),
                       (out += m_server.readAllStandardOutput()).contains('\n');
            },
            10000);
        display = out.contains('\n') ? ':' + QString::fromLatin1(out.trimmed()) : QString();
    }

    ~Desktop()
    {
        m_server.terminate();
        m_server.waitForFinished(3000);
    }

    QString xdotool(const QStringList &args) const
    {
        return QString::fromLocal8Bit(
            runProgram("xdotool", args, {}, {}, {"DISPLAY=" + display}, 10000).out.trimmed());
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.remove("QT_QPA_PLATFORM");
        return env;
    }

    // The id of a visible window named `name`, once there is one.
    QString waitForWindow(const QString &name, int timeoutMs = 5000) const
    {
        QString id;
        waitUntil(
            [&] {
                return !(id = xdotool({"search", "--onlyvisible", "--name",
                                       '^' + QRegularExpression::escape(name) + '$'}))
                            .isEmpty();
            },
            timeoutMs);
        return id.section('\n', -1);
    }

    // Asks the window to close, as a window manager's close button does.
    void requestClose(const QString &window) const
    {
        Display *x = XOpenDisplay(display.toLatin1().constData());
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window.toULong();
        event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
        XSendEvent(x, window.toULong(), False, NoEventMask, &event);
        XCloseDisplay(x);
    }

    QString display;

private:
    QProcess m_server;
};

// One run of the program, its calls to Tessel traced; `settings` are added to its
// environment ("NAME=value").
class Program
{
public:
    Program(const Desktop &desktop, const QString &path, const QStringList &settings = {})
        : m_desktop(desktop)
    {
        QProcessEnvironment env = desktop.environment();
        env.insert("TESSEL_TRACE", m_dir.filePath("trace.txt"));
        for (const QString &setting : settings) {
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        }
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(path, {});
        m_window = desktop.waitForWindow(kMainTitle, 10000);
        waitUntil([this] { return trace().size() >= 3; }); // up once the start path is sent
    }

    ~Program()
    {
        m_process.kill();
        m_process.waitForFinished(2000);
    }

    QString window() const { return m_window; }

    QStringList trace() const
    {
        QFile file(m_dir.filePath("trace.txt"));
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                   : QStringList();
    }

    // The trace lines after the first `from`, once there are `count` of them.
    QStringList traceAfter(int from, int count) const
    {
        waitUntil([&] { return trace().size() >= from + count; });
        return trace().mid(from);
    }

    void clickAt(QPoint point) const
    {
        m_desktop.xdotool({"mousemove", "--window", m_window, QString::number(point.x()),
                           QString::number(point.y()), "click", "1"});
    }
    void click(const char *control) const { clickAt(windowPixels(controlPlace(control)).center()); }
    void type(const QString &text) const { m_desktop.xdotool({"type", "--delay", "8", text}); }
    void key(const QString &keys) const { m_desktop.xdotool({"key", "--delay", "20", keys}); }

    void typeInto(const char *control, const QString &text) const
    {
        const QRect r = windowPixels(controlPlace(control));
        clickAt(QPoint(r.left() + 20, r.center().y()));
        key("ctrl+a"); // the typing replaces what is there
        type(text);
    }

    // Opens a colour box's list with the mouse, finds the entry by typing its name, as in
    // any list, and picks it. The open list is a second window of the program's.
    void pickColor(const char *box, const QString &color) const
    {
        const auto windows = [this] {
            return m_desktop.xdotool({"search", "--onlyvisible", "--class", "huewright"})
                       .count('\n') +
                   1;
        };
        const QRect r = windowPixels(controlPlace(box));
        clickAt(QPoint(r.right() - 6, r.center().y()));
        waitUntil([&] { return windows() > 1; });
        type(color);
        key("Return");
        waitUntil([&] { return windows() == 1; });
    }

    // Waits for the box or dialog titled `title`, types `typed` and answers it with `keys`.
    bool answer(const QString &title, const QString &keys, const QString &typed = {}) const
    {
        if (m_desktop.waitForWindow(title).isEmpty()) {
            return false;
        }
        type(typed);
        key(keys);
        return waitUntil([&] { return m_desktop.waitForWindow(title, 0).isEmpty(); });
    }

    int waitForExit()
    {
        const bool ended = m_process.waitForFinished(10000);
        return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    const Desktop &m_desktop;
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_window;
};

// Every file and folder under `root`, with its size and time of change.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                       info.lastModified().toString(Qt::ISODateWithMs);
    }
    entries.sort();
    return entries;
}

} // namespace

class AcceptanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldWalkTheMainRoad()
    {
        Desktop desktop;
        QVERIFY2(!desktop.display.isEmpty(), "Xvfb did not start");
        QTemporaryDir install;
        const QString base = install.filePath("shade maps");
        QCOMPARE(runProgram(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", base}).status, 0);
        const QString shades = base + "/shades";
        const QString file = shades + "/my relief.shd";
        QVERIFY(QFile::copy(shades + "/elev999.shd", file)); // to be overwritten

        Program p(desktop, base + "/tools/huewright");
        QCOMPARE(p.trace(),
                 (QStringList{run("&r " + base + "/tools/dispshd.zeb " + base + " elev999 999"),
                              run("shadeset colornames.shd"), run("&s .startpath = " + base)}));
        p.typeInto("cboColor1", "navy");
        p.click("cmdPatch1");
        p.pickColor("cboColor2", "gold");
        p.pickColor("cboColor3", "firebrick");
        p.typeInto("txtShdName", "my relief");
        p.typeInto("txtNSymb", "99");
        p.key("Tab"); // leaving the count box: 99 is within bounds
        p.click("cmdCreateShd");
        QVERIFY(p.answer("Shadeset Exists !!!", "Escape")); // No: the name box is emptied
        p.type("my relief");                                // and has the focus
        p.click("cmdCreateShd");
        QVERIFY(p.answer("Shadeset Exists !!!", "Return")); // Yes, the default
        QCOMPARE(p.traceAfter(3, 8),
                 (QStringList{run("shadeset colornames.shd"), run("shadesymbol 35"),
                              run("patch .35 2.45 1.35 2.6"), run("&wo " + shades),
                              run("shadedelete ALL"), run("shadecolorramp 1 50 \"navy\" \"gold\""),
                              run("shadecolorramp 50 50 \"gold\" \"firebrick\""),
                              run("shadesave my relief")}));
        QVERIFY(
            waitUntil([&] { return QFile(file).size() < QFile(shades + "/elev999.shd").size(); }));

        p.click("cmdDisplayShd");
        p.click("cmdNavDispShd");
        QVERIFY(p.answer("Shadeset Browser", "Return", file));
        QCOMPARE(
            p.traceAfter(11, 5),
            (QStringList{run("&r " + base + "/tools/dispshd.zeb " + base + " \"my relief\" 99"),
                         run("shadeset " + file), run("&s symb = [show shadesymbol total]"),
                         "get\tsymb\t99",
                         run("&r " + base + "/tools/disp_old_shd.zeb " + file + " 99")}));
        p.click("cmdDeleteShd");
        QVERIFY(waitUntil([&] { return !QFile::exists(file); }));
        QVERIFY(QFile::exists(shades + "/elev999.shd"));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);

        Program again(desktop, base + "/tools/huewright");
        desktop.requestClose(again.window());
        QCOMPARE(again.waitForExit(), 0);
    }

    // The Debian package builds, Debian's tools find no error in it, and unpacked it runs
    // for a user: the start-up shadeset seeded and a Create saved in the user's own folder,
    // nothing written where it was installed.
    void shouldInstallAsAPackage()
    {
        const QString deb = SOURCE_DIR "/build/huewright_" HUEWRIGHT_VERSION "_amd64.deb";
        QTemporaryDir root;
        const QString share = root.filePath("usr/share/");
        const QString id = "io.github.huewright.Huewright";
        const QString huewright = root.filePath("usr/bin/huewright");
        for (const QStringList &check : std::initializer_list<QStringList>{
                 {"bash", SOURCE_DIR "/scripts/package.sh"},
                 {"lintian", deb},
                 {"dpkg-deb", "-x", deb, root.path()},
                 {"desktop-file-validate", share + "applications/" + id + ".desktop"},
                 {"appstreamcli", "validate", "--no-net",
                  share + "metainfo/" + id + ".metainfo.xml"}}) {
            const Finished run = runProgram(check[0], check.mid(1), {}, {}, {}, 1200000);
            QVERIFY2(run.status == 0, qPrintable(check.join(' ') + ": " + run.out + run.errors));
        }
        for (const char *page : {"huewright", "tesselcmd"}) {
            const Finished man =
                runProgram("man", {"--warnings", "-l", share + "man/man1/" + page + ".1.gz"}, {},
                           {}, {"MANWIDTH=80"});
            QCOMPARE(man.errors, QByteArray());
            QVERIFY(man.out.contains(QByteArray(page).toUpper() + "(1)"));
        }
        // Help and the version need no display.
        QCOMPARE(runProgram(huewright, {"--version"}, {}, {}, {"DISPLAY"}).out,
                 QByteArray("huewright " HUEWRIGHT_VERSION "\n"));
        QVERIFY(runProgram(huewright, {"--help"}, {}, {}, {"DISPLAY"})
                    .out.startsWith("usage: huewright"));
        const Finished bogus = runProgram(huewright, {"--bogus"}, {}, {}, {"DISPLAY"});
        QCOMPARE(bogus.status, 2);
        QVERIFY(bogus.errors.startsWith("huewright: unknown argument --bogus\nusage: huewright"));

        // tesselcmd finds the grid library where the package puts it, and draws the sample.
        QTemporaryDir work;
        const Finished relief =
            runProgram(root.filePath("usr/bin/tesselcmd"),
                       {"--grid", share + "huewright/tools/terrain.tif", "--relief",
                        share + "huewright/shades/elev999.shd", "relief.tif"},
                       {}, work.path());
        QVERIFY2(relief.status == 0 && QFileInfo(work.filePath("relief.tif")).size() > 403 * 344,
                 relief.errors.constData());

        const QStringList installed = snapshot(root.path());
        QTemporaryDir home;
        Desktop desktop;
        QVERIFY2(!desktop.display.isEmpty(), "Xvfb did not start");
        Program p(desktop, huewright,
                  {"HOME=" + home.path(), "XDG_DATA_HOME=" + home.filePath("data")});
        QVERIFY(!p.window().isEmpty());
        const QString shades = home.filePath("data/huewright/shades");
        QCOMPARE(QDir(shades).entryList(QDir::Files), QStringList{"elev999.shd"});
        p.typeInto("cboColor1", "navy");
        p.typeInto("cboColor2", "gold");
        p.typeInto("cboColor3", "firebrick");
        p.typeInto("txtShdName", "mine");
        p.click("cmdCreateShd");
        QVERIFY(waitUntil([&] { return QFile::exists(shades + "/mine.shd"); }));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
        QCOMPARE(snapshot(root.path()), installed);
    }
};

QTEST_GUILESS_MAIN(AcceptanceTest)
#include "tst_acceptance.moc"

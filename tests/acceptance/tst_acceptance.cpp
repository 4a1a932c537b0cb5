// Acceptance: the installed program in a real X server, worked with mouse and keyboard as a
// user would, checked through Tessel's trace, the shades folder and the window names.
#include "Desktop.h"
#include "palette/ColorNameTable.h"
#include "ui/FormLayout.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kMainTitle = QStringLiteral("Create a Continuous Shadeset");

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(25);
    }
    return true;
}

QString run(const QString &command)
{
    return QStringLiteral("run\t0\t") + command;
}

// One run of the installed program, its calls to Tessel traced.
class Program
{
public:
    Program(const Desktop &desktop, const QString &base) : m_desktop(desktop)
    {
        m_trace = m_dir.filePath(QStringLiteral("trace.txt"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), desktop.display());
        env.insert(QStringLiteral("TESSEL_TRACE"), m_trace);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(base + QStringLiteral("/tools/huewright"), {});
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
        QFile file(m_trace);
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

    QRect place(const char *control) const { return windowPixels(controlPlace(control)); }
    void click(const char *control) const { m_desktop.clickAt(m_window, place(control).center()); }

    void typeInto(const char *control, const QString &text) const
    {
        const QRect r = place(control);
        m_desktop.clickAt(m_window, QPoint(r.left() + 20, r.center().y()));
        m_desktop.key(QStringLiteral("ctrl+a")); // the typing replaces what is there
        m_desktop.type(text);
    }

    // Opens a colour box's list with the mouse and clicks an entry, turning the wheel first
    // when the entry lies below the first page.
    void pickColor(const char *box, const char *color) const
    {
        const int index = int(colorListNames().indexOf(QLatin1String(color)));
        const QRect r = place(box);
        m_desktop.clickAt(m_window, QPoint(r.right() - 6, r.center().y()));
        const QString popup = m_desktop.waitForOtherWindow(QStringLiteral("huewright"), m_window);
        const QRect list = m_desktop.windowGeometry(popup);
        constexpr int kRows = 16;
        const int notches = index < kRows ? 0 : (index - kRows + 3) / 3;
        const int top = std::min(3 * notches, kColorEntries - kRows);
        const QPoint entry(list.width() / 3,
                           1 + int((index - top + 0.5) * (list.height() - 2) / kRows));
        for (int i = 0; i < notches; ++i) {
            m_desktop.clickAt(popup, entry, 5);
        }
        m_desktop.clickAt(popup, entry);
        waitUntil([&] { return m_desktop.waitForOtherWindow("huewright", m_window, 0).isEmpty(); });
    }

    // Waits for the box or dialog titled `title`, then answers it with `keys`.
    bool answer(const QString &title, const QString &keys, const QString &typed = {}) const
    {
        if (m_desktop.waitForWindow(title).isEmpty()) {
            return false;
        }
        if (!typed.isEmpty()) {
            m_desktop.type(typed);
        }
        m_desktop.key(keys);
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
    QString m_trace;
    QProcess m_process;
    QString m_window;
};

} // namespace

class AcceptanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldWalkTheMainRoad()
    {
        Desktop desktop;
        QVERIFY2(desktop.isRunning(), qPrintable(desktop.error()));
        QTemporaryDir install;
        const QString base = install.filePath(QStringLiteral("shade maps"));
        QProcess cmake;
        cmake.start(QStringLiteral(CMAKE_COMMAND), {"--install", BUILD_DIR, "--prefix", base});
        QVERIFY(cmake.waitForFinished(30000) && cmake.exitCode() == 0);
        const QString shades = base + "/shades";
        const QString file = shades + "/my relief.shd";
        QVERIFY(QFile::copy(shades + "/elev999.shd", file)); // to be overwritten

        Program p(desktop, base);
        QCOMPARE(desktop.windowName(p.window()), kMainTitle);
        QCOMPARE(p.trace(),
                 (QStringList{run("&r " + base + "/tools/dispshd.zeb " + base + " elev999 999"),
                              run("shadeset colornames.shd"), run("&s .startpath = " + base)}));

        p.typeInto("cboColor1", "navy");
        p.click("cmdPatch1");
        p.pickColor("cboColor2", "gold");
        p.pickColor("cboColor3", "firebrick");
        p.typeInto("txtShdName", "my relief");
        p.typeInto("txtNSymb", "99");
        desktop.key("Tab"); // leaving the count box: 99 is within bounds
        p.click("cmdCreateShd");
        QVERIFY(p.answer("Shadeset Exists !!!", "Escape")); // No: the name box is emptied
        desktop.type("my relief");                          // it has the focus
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

        Program again(desktop, base);
        desktop.requestClose(again.window()); // as a window manager's close button does
        QCOMPARE(again.waitForExit(), 0);
    }
};

QTEST_GUILESS_MAIN(AcceptanceTest)
#include "tst_acceptance.moc"

// Acceptance: the installed program in a real X server, worked with mouse and keyboard as a
// user would, checked through Tessel's trace, the shades folder and the window names.
#include "Desktop.h"
#include "palette/ColorNameTable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kMainTitle = QStringLiteral("Create a Continuous Shadeset");

// Window positions of the controls, in twips (frames' offsets added).
struct Control
{
    const char *name;
    QRect twips;
};
constexpr Control kControls[] = {
    {"txtShdName", {1920, 420, 990, 345}},    {"txtNSymb", {1920, 810, 990, 345}},
    {"cboColor1", {150, 4455, 1800, 315}},    {"cboColor2", {150, 4065, 1800, 315}},
    {"cboColor3", {150, 3660, 1800, 315}},    {"cboColor4", {150, 3270, 1800, 315}},
    {"cboColor5", {150, 2880, 1800, 315}},    {"cboColor6", {150, 2505, 1800, 315}},
    {"cboColor7", {150, 2100, 1800, 315}},    {"cmdPatch1", {2025, 4440, 870, 330}},
    {"cmdPatch2", {2025, 4050, 870, 330}},    {"cmdPatch3", {2025, 3660, 870, 330}},
    {"cmdPatch4", {2025, 3270, 870, 330}},    {"cmdPatch5", {2025, 2880, 870, 330}},
    {"cmdPatch6", {2025, 2490, 870, 330}},    {"cmdPatch7", {2025, 2100, 870, 330}},
    {"cmdCreateShd", {615, 5340, 1830, 405}}, {"cmdDisplayShd", {615, 5805, 900, 375}},
    {"cmdDeleteShd", {1545, 5805, 900, 375}}, {"cmdNavDispShd", {615, 6615, 1845, 375}},
    {"cmdQuit", {45, 7290, 885, 375}},        {"cmdReset", {1005, 7290, 855, 375}},
    {"cmdClear", {1935, 7290, 1125, 375}},    {"Tessel1", {3135, 150, 2025, 7515}},
};

QRect pixels(const QString &name)
{
    for (const Control &c : kControls) {
        if (name == QLatin1String(c.name)) {
            return QRect(c.twips.x() / 15, c.twips.y() / 15, c.twips.width() / 15,
                         c.twips.height() / 15);
        }
    }
    qFatal("no control %s", qPrintable(name));
}

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

// One run of the installed program, in a fresh copy of the install tree.
class Program
{
public:
    Program(const Desktop &desktop, const QString &base) : m_desktop(desktop), m_base(base)
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
        // The window is up once the start path has reached Tessel.
        waitUntil([this] { return trace().size() >= 3; });
    }

    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QString window() const { return m_window; }
    QString shades() const { return m_base + QStringLiteral("/shades"); }

    QStringList trace() const
    {
        QFile file(m_trace);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        lines.removeAll(QString());
        return lines;
    }

    // Trace lines that came after the first `from` lines, once there are at least `count`.
    QStringList traceAfter(int from, int count) const
    {
        waitUntil([&] { return trace().size() >= from + count; });
        return trace().mid(from);
    }

    void click(const QString &control) const
    {
        m_desktop.clickAt(m_window, pixels(control).center());
    }

    void typeInto(const QString &control, const QString &text) const
    {
        // Select what is there, so the typing replaces it.
        const QRect r = pixels(control);
        m_desktop.clickAt(m_window, QPoint(r.left() + 20, r.center().y()));
        m_desktop.key(QStringLiteral("ctrl+a"));
        m_desktop.type(text);
    }

    // Opens colour box `n`'s list with the mouse and clicks entry `index`, scrolling the
    // list with the wheel when the entry is below the first page.
    void pickColor(int n, int index) const
    {
        const QRect box = pixels(QStringLiteral("cboColor%1").arg(n));
        m_desktop.clickAt(m_window, QPoint(box.right() - 6, box.center().y()));
        const QString popup = m_desktop.waitForOtherWindow(QStringLiteral("huewright"), m_window);
        const QRect list = m_desktop.windowGeometry(popup);
        constexpr int kRows = 16;
        const double row = (list.height() - 2) / double(kRows);
        const int notches = index < kRows ? 0 : (index - kRows + 3) / 3;
        const int top = std::min(3 * notches, kColorEntries - kRows);
        const QPoint inList(list.width() / 3, 1 + int((index - top + 0.5) * row));
        for (int i = 0; i < notches; ++i) {
            m_desktop.clickAt(popup, inList, 5);
        }
        m_desktop.clickAt(popup, inList);
        waitUntil([&] {
            return m_desktop.waitForOtherWindow(QStringLiteral("huewright"), m_window, 0).isEmpty();
        });
    }

    // Waits for the message box or dialog `title` and answers it with `keys`.
    bool answer(const QString &title, const QString &keys) const
    {
        const QString box = m_desktop.waitForWindow(title);
        if (box.isEmpty()) {
            return false;
        }
        m_desktop.key(keys);
        return waitUntil([&] { return !m_desktop.hasWindow(title); });
    }

    int waitForExit()
    {
        if (!m_process.waitForFinished(10000)) {
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

private:
    const Desktop &m_desktop;
    QString m_base;
    QTemporaryDir m_dir;
    QString m_trace;
    QProcess m_process;
    QString m_window;
};

QString run(int status, const QString &command)
{
    return QStringLiteral("run\t%1\t%2").arg(status).arg(command);
}

int colorIndex(const char *name)
{
    return static_cast<int>(colorListNames().indexOf(QLatin1String(name)));
}

bool isAllWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != 0xffffffffu) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class AcceptanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_desktop = std::make_unique<Desktop>();
        QVERIFY2(m_desktop->isRunning(), qPrintable(m_desktop->error()));
    }

    void init()
    {
        m_install = std::make_unique<QTemporaryDir>();
        m_base = m_install->filePath(QStringLiteral("shade maps"));
        QProcess install;
        install.start(QStringLiteral(CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                       QStringLiteral("--prefix"), m_base});
        QVERIFY(install.waitForFinished(30000));
        QCOMPARE(install.exitCode(), 0);
    }

    void shouldStartDrawTheStartupShadesetAndQuit()
    {
        Program p(*m_desktop, m_base);
        QVERIFY(!p.window().isEmpty());
        QCOMPARE(m_desktop->windowName(p.window()), kMainTitle);
        QCOMPARE(
            p.trace(),
            (QStringList{run(0, "&r " + m_base + "/tools/dispshd.zeb " + m_base + " elev999 999"),
                         run(0, "shadeset colornames.shd"), run(0, "&s .startpath = " + m_base)}));
        QVERIFY(waitUntil(
            [&] { return !isAllWhite(m_desktop->grab(p.window()).copy(pixels("Tessel1"))); }));
        QTest::qWait(200);
        m_desktop->grab(p.window()).save(QStringLiteral(BUILD_DIR "/acceptance-startup.png"));

        // A disabled button does nothing: the next command traced is Clear Display's.
        p.click("cmdCreateShd");
        p.click("cmdDeleteShd");
        p.click("cmdClear");
        QCOMPARE(p.traceAfter(3, 1), QStringList{run(0, "clear")});
        QVERIFY(waitUntil(
            [&] { return isAllWhite(m_desktop->grab(p.window()).copy(pixels("Tessel1"))); }));

        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldCreateDisplayAndDeleteATypedShadeset()
    {
        Program p(*m_desktop, m_base);
        p.typeInto("cboColor1", "blue");
        p.typeInto("cboColor2", "yellow");
        p.typeInto("cboColor3", "red");
        p.typeInto("txtShdName", "typed three");
        p.typeInto("txtNSymb", "99");
        m_desktop->key("Tab"); // focus moves on: 99 is within bounds
        p.click("cmdCreateShd");
        const QString shades = p.shades();
        QCOMPARE(p.traceAfter(3, 5),
                 (QStringList{run(0, "&wo " + shades), run(0, "shadedelete ALL"),
                              run(0, "shadecolorramp 1 50 \"blue\" \"yellow\""),
                              run(0, "shadecolorramp 50 50 \"yellow\" \"red\""),
                              run(0, "shadesave typed three")}));
        QVERIFY(QFile::exists(shades + "/typed three.shd"));

        p.click("cmdDisplayShd");
        QCOMPARE(p.traceAfter(8, 1), QStringList{run(0, "&r " + m_base + "/tools/dispshd.zeb " +
                                                            m_base + " \"typed three\" 99")});
        p.click("cmdDeleteShd");
        QVERIFY(waitUntil([&] { return !QFile::exists(shades + "/typed three.shd"); }));
        QVERIFY(QFile::exists(shades + "/elev999.shd"));

        m_desktop->requestClose(p.window());
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldBuildASevenColourShadesetPickedWithTheMouse()
    {
        Program p(*m_desktop, m_base);
        const char *colors[] = {"navy",   "royal blue", "sky blue", "pale green",
                                "yellow", "orange",     "firebrick"};
        QStringList expected;
        for (int n = 1; n <= 7; ++n) {
            p.pickColor(n, colorIndex(colors[n - 1]));
            p.click(QStringLiteral("cmdPatch%1").arg(n));
            if (n <= 3) {
                expected << run(0, "shadeset colornames.shd");
            }
            expected << run(0, QStringLiteral("shadesymbol %1")
                                   .arg(*FindColorIndex(QLatin1String(colors[n - 1]))))
                     << run(0, QStringLiteral("patch .35 %1 1.35 %2")
                                   .arg(2.45 + 0.3 * (n - 1))
                                   .arg(2.6 + 0.3 * (n - 1)));
        }
        QCOMPARE(p.traceAfter(3, expected.size()), expected);
        p.typeInto("txtNSymb", "100");
        p.typeInto("txtShdName", "seven");
        p.click("cmdCreateShd");
        const QStringList built = p.traceAfter(3 + expected.size(), 9);
        QCOMPARE(built.value(4), run(0, "shadecolorramp 34 17 \"sky blue\" \"pale green\""));
        QCOMPARE(built.value(8), run(0, "shadesave seven"));
        p.click("cmdDisplayShd");
        p.traceAfter(3 + expected.size() + 9, 1);
        QTest::qWait(300);
        m_desktop->grab(p.window()).save(QStringLiteral(BUILD_DIR "/acceptance-seven-colours.png"));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldHoldTheCountWithinItsLimits()
    {
        Program p(*m_desktop, m_base);
        for (int n = 1; n <= 3; ++n) {
            p.typeInto(QStringLiteral("cboColor%1").arg(n), "tan");
        }
        p.typeInto("txtNSymb", "1000");
        p.click("txtShdName");
        QVERIFY(p.answer("Only 999 symbols per shadeset, please...", "Return"));
        QVERIFY(!m_desktop->hasWindow("Minimum of 9 symbols, please..."));
        p.typeInto("txtNSymb", "5");
        m_desktop->key("Tab");
        QVERIFY(p.answer("Minimum of 9 symbols, please...", "space"));
        p.typeInto("txtShdName", "limits");
        p.click("cmdCreateShd"); // the count box now reads 9
        QCOMPARE(p.traceAfter(3, 3).value(2), run(0, "shadecolorramp 1 5 \"tan\" \"tan\""));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldAskBeforeOverwritingNoThenYes()
    {
        QFile old(m_base + "/shades/relief.shd");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        Program p(*m_desktop, m_base);
        for (int n = 1; n <= 3; ++n) {
            p.typeInto(QStringLiteral("cboColor%1").arg(n), "red");
        }
        p.typeInto("txtShdName", "relief");
        p.click("cmdCreateShd");
        QVERIFY(p.answer("Shadeset Exists !!!", "Escape")); // No
        QTest::qWait(200);
        QCOMPARE(p.trace().size(), 3);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        old.close();

        m_desktop->type("relief"); // the emptied name box has the focus
        p.click("cmdCreateShd");
        QVERIFY(p.answer("Shadeset Exists !!!", "Return")); // Yes, the default
        QCOMPARE(p.traceAfter(3, 5).last(), run(0, "shadesave relief"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.readAll().startsWith("TESSEL SHADESET 1\nname relief\nsymbols 999\n"));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldReportAnUnrecognisedColour()
    {
        Program p(*m_desktop, m_base);
        p.typeInto("cboColor1", "bleu");
        p.click("cmdPatch1");
        QVERIFY(p.answer("Color problem", "Return"));
        QCOMPARE(p.traceAfter(3, 3),
                 (QStringList{run(0, "shadeset colornames.shd"), run(0, "shadesymbol 27"),
                              run(0, "patch .35 2.45 1.35 2.6")}));
        m_desktop->requestClose(p.window());
        QCOMPARE(p.waitForExit(), 0);
    }

    void shouldBrowseToASavedShadesetAndCancel()
    {
        Program p(*m_desktop, m_base);
        const QString file = m_base + "/shades/elev999.shd";
        p.click("cmdNavDispShd");
        const QString dialog = m_desktop->waitForWindow("Shadeset Browser");
        QVERIFY(!dialog.isEmpty());
        m_desktop->type(file);
        m_desktop->key("Return");
        QCOMPARE(
            p.traceAfter(3, 4),
            (QStringList{run(0, "shadeset " + file), run(0, "&s symb = [show shadesymbol total]"),
                         "get\tsymb\t999",
                         run(0, "&r " + m_base + "/tools/disp_old_shd.zeb " + file + " 999")}));
        QVERIFY(waitUntil([&] { return !m_desktop->hasWindow("Shadeset Browser"); }));

        p.click("cmdNavDispShd");
        QVERIFY(p.answer("Shadeset Browser", "Escape"));
        const QStringList cancelled = p.traceAfter(7, 4);
        QCOMPARE(cancelled.value(0).section('\t', 2), QStringLiteral("shadeset "));
        QCOMPARE(cancelled.value(1), run(0, "&s symb = [show shadesymbol total]"));
        p.click("cmdQuit");
        QCOMPARE(p.waitForExit(), 0);
    }

private:
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<QTemporaryDir> m_install;
    QString m_base;
};

QTEST_GUILESS_MAIN(AcceptanceTest)
#include "tst_acceptance.moc"

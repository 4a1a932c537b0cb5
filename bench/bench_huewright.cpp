// Benchmarks: start-up against a bare window, a seven-colour construction of 999 symbols,
// and the display of a 999-symbol shadeset. Not a test: run by scripts/bench.sh.
#include "TestFiles.h"
#include "app/basMain.h"
#include "tessel/Host.h"
#include "tessel/Render.h"
#include "ui/Prompt.h"
#include "ui/frmHuewright.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

const QString kStage = QStringLiteral(HUEWRIGHT_STAGE);

struct Run
{
    double seconds = 0; // from the spawn to the moment the program reports it has drawn
    long maxRssKiB = 0;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Starts `program`, reads the moment it reports on standard output, and waits for it.
Run spawnAndWait(const QString &program, const QStringList &args)
{
    QList<QByteArray> storage{program.toLocal8Bit()};
    for (const QString &arg : args) {
        storage.append(arg.toLocal8Bit());
    }
    std::vector<char *> argv;
    for (QByteArray &s : storage) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const long long start = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return {};
    }
    char text[64] = {};
    const ssize_t got = read(out[0], text, sizeof text - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const long long drawn = got > 0 ? std::atoll(text) : monotonicNs();
    return {static_cast<double>(drawn - start) / 1e9, usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// Start-up of the program against a bare window, alternating in one run; the ratio is
// that of the medians, which a busy moment on the machine moves least.
void BM_Startup(benchmark::State &state)
{
    // Both programs run on the benchmark's own CPU: on a virtual machine the CPUs can
    // differ in speed by a third, which would swamp the difference measured.
    cpu_set_t all;
    sched_getaffinity(0, sizeof all, &all);
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);
    const QString probe = QStringLiteral(STARTUP_PROBE);
    const QString bare = QStringLiteral(BARE_WINDOW);
    std::vector<double> program;
    std::vector<double> window;
    long programRss = 0;
    long windowRss = 0;
    for (auto _ : state) {
        const Run a = spawnAndWait(probe, {kStage + QStringLiteral("/tools")});
        const Run b = spawnAndWait(bare, {});
        program.push_back(a.seconds);
        window.push_back(b.seconds);
        programRss = std::max(programRss, a.maxRssKiB);
        windowRss = std::max(windowRss, b.maxRssKiB);
        state.SetIterationTime(a.seconds);
    }
    sched_setaffinity(0, sizeof all, &all);
    state.counters["median_ms"] = 1000 * median(program);
    state.counters["bare_median_ms"] = 1000 * median(window);
    state.counters["ratio"] = median(program) / median(window);
    state.counters["rss_KiB"] = static_cast<double>(programRss);
    state.counters["bare_rss_KiB"] = static_cast<double>(windowRss);
    state.counters["rss_ratio"] = static_cast<double>(programRss) / static_cast<double>(windowRss);
}
BENCHMARK(BM_Startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

class YesPrompt : public Prompt
{
public:
    PromptAnswer message(const MessageRequest &) override { return PromptAnswer::Yes; }
    QString openFile(const OpenFileRequest &) override { return QString(); }
};

// Create with seven colours and 999 symbols, from the click to the saved file (the file
// exists after the first run, so each run also answers the overwrite question).
void BM_CreateSevenColours(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base"));
    if (!copyInstallTree(base)) {
        state.SkipWithError("cannot copy the install tree");
        return;
    }
    YesPrompt prompt;
    const Folders folders = deriveFolders(base + QStringLiteral("/tools"));
    frmHuewright form(prompt, folders);
    Main(form, folders);
    const char *colors[] = {"navy",   "royal blue", "sky blue", "pale green",
                            "yellow", "orange",     "firebrick"};
    for (int n = 1; n <= 7; ++n) {
        auto *box = form.findChild<QComboBox *>(QStringLiteral("cboColor%1").arg(n));
        box->setEnabled(true);
        box->setEditText(QLatin1String(colors[n - 1]));
    }
    form.findChild<QLineEdit *>(QStringLiteral("txtShdName"))->setText(QStringLiteral("bench"));
    auto *create = form.findChild<QPushButton *>(QStringLiteral("cmdCreateShd"));
    for (auto _ : state) {
        create->setEnabled(true);
        const auto start = std::chrono::steady_clock::now();
        create->click();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
    if (!QFile::exists(base + QStringLiteral("/shades/bench.shd"))) {
        state.SkipWithError("the shadeset was not saved");
    }
}
BENCHMARK(BM_CreateSevenColours)->UseManualTime()->Unit(benchmark::kMillisecond);

// Loading a 999-symbol shadeset through the display script and painting it at the size of
// the Tessel control.
void BM_Display999(benchmark::State &state)
{
    tessel::Host host(kStage + QStringLiteral("/tools"));
    const QString command = QStringLiteral("&r ") + kStage + QStringLiteral("/tools/dispshd.zeb ") +
                            kStage + QStringLiteral(" elev999 999");
    QImage image(135, 501, QImage::Format_RGB32);
    for (auto _ : state) {
        tessel::Messages messages;
        if (host.RunCommand(command, messages) != 0) {
            state.SkipWithError(messages.last().toLocal8Bit().constData());
            return;
        }
        QPainter painter(&image);
        tessel::renderDrawing(painter, host.drawing(), image.size());
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Display999)->Unit(benchmark::kMillisecond);

// Loading each palette GMT ships (sampled into 256 symbols); the slowest file counts.
void BM_LoadGmtPalettes(benchmark::State &state)
{
    QStringList palettes;
    QDirIterator it(QStringLiteral("/usr/share/gmt/cpt"), {QStringLiteral("*.cpt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        palettes << it.next();
    }
    if (palettes.isEmpty()) {
        state.SkipWithError("GMT's palettes are not installed (Debian package gmt)");
        return;
    }
    tessel::Host host(kStage + QStringLiteral("/tools"));
    double slowest = 0;
    for (auto _ : state) {
        for (const QString &palette : palettes) {
            tessel::Messages messages;
            const auto start = std::chrono::steady_clock::now();
            if (host.RunCommand(QStringLiteral("shadeset ") + palette, messages) != 0) {
                state.SkipWithError(messages.last().toLocal8Bit().constData());
                return;
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
        }
    }
    state.counters["palettes"] = static_cast<double>(palettes.size());
    state.counters["slowest_ms"] = 1000 * slowest;
}
BENCHMARK(BM_LoadGmtPalettes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Benchmarks: start-up against a bare window, a seven-colour construction of 999 symbols,
// the check and the equalizing of a 999-symbol shadeset, its display, loading GMT's palettes,
// and the map of a big grid. Not a test: run by scripts/bench.sh.
#include "MapTimer.h"
#include "TestFiles.h"
#include "app/basMain.h"
#include "tessel/colour/Check.h"
#include "tessel/colour/Equalize.h"
#include "tessel/draw/CheckPicture.h"
#include "tessel/draw/Render.h"
#include "tessel/grid/Grid.h"
#include "tessel/language/Host.h"
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
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <gdal.h>
#include <gdal_utils.h>

namespace {

const QString kStage = QStringLiteral(HUEWRIGHT_STAGE);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// Start-up of the program from its install tree against a bare window of its size, timed
// to each window's map event on the X server (scripts/bench.sh starts a private one), the
// two alternating. The ratio is the median of each pair's ratio: a virtual machine's speed
// drifts over seconds, and the two runs of a pair share the same moment.
void BM_Startup(benchmark::State &state)
{
    MapTimer timer;
    if (!timer.isReady()) {
        state.SkipWithError("no X server (DISPLAY): scripts/bench.sh starts one");
        return;
    }
    std::vector<double> program, bare, ratios, programKiB, bareKiB;
    const auto timeProgram = [&timer] {
        return timer.time(HUEWRIGHT_STAGE "/tools/huewright", "Create a Continuous Shadeset");
    };
    for (auto _ : state) {
        // Each pair swaps which goes first, so neither always starts while the other ends.
        std::optional<MapTimer::Run> a, b;
        if (program.size() % 2 == 0) {
            a = timeProgram();
            b = timer.time(BARE_WINDOW, "bare");
        } else {
            b = timer.time(BARE_WINDOW, "bare");
            a = timeProgram();
        }
        if (!a || !b) {
            state.SkipWithError("a window did not appear");
            return;
        }
        program.push_back(a->seconds);
        bare.push_back(b->seconds);
        ratios.push_back(a->seconds / b->seconds);
        programKiB.push_back(double(a->residentKiB));
        bareKiB.push_back(double(b->residentKiB));
        state.SetIterationTime(a->seconds);
    }
    state.counters["median_ms"] = 1000 * median(program);
    state.counters["bare_median_ms"] = 1000 * median(bare);
    state.counters["ratio"] = median(ratios);
    state.counters["rss_KiB"] = median(programKiB);
    state.counters["bare_rss_KiB"] = median(bareKiB);
    state.counters["rss_ratio"] = median(programKiB) / median(bareKiB);
}
BENCHMARK(BM_Startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);

class YesPrompt : public Prompt
{
public:
    PromptAnswer message(const MessageRequest &) override { return PromptAnswer::Yes; }
    QString openFile(const OpenFileRequest &) override { return QString(); }
    void report(const ReportRequest &) override {}
};

// Create with seven colours and 999 symbols, from the click to the saved file (the file
// exists after the first run, so each run also answers the overwrite question), with ramps
// in the space the menu of the drawing area picks.
void BM_CreateSevenColours(benchmark::State &state, const char *space)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base"));
    if (!copyInstallTree(base)) {
        state.SkipWithError("cannot copy the install tree");
        return;
    }
    YesPrompt prompt;
    const Folders folders = deriveFolders(base + QStringLiteral("/tools"));
    QSettings().setValue(QStringLiteral("rampSpace"), QLatin1String(space)); // as the menu keeps it
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
BENCHMARK_CAPTURE(BM_CreateSevenColours, rgb, "rgb")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateSevenColours, oklab, "oklab")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The start-up shadeset of 999 symbols, loaded; none where it cannot be.
std::unique_ptr<tessel::Host> elev999(benchmark::State &state)
{
    auto host = std::make_unique<tessel::Host>(kStage + QStringLiteral("/tools"));
    tessel::Messages messages;
    if (host->RunCommand(QStringLiteral("shadeset ") + kStage +
                             QStringLiteral("/shades/elev999.shd"),
                         messages) != 0) {
        state.SkipWithError(messages.last().toLocal8Bit().constData());
        return nullptr;
    }
    return host;
}

// The check of a 999-symbol shadeset, the start-up one: every figure, the report and the
// picture with all its panels, at the window's size.
void BM_Check999(benchmark::State &state)
{
    const std::unique_ptr<tessel::Host> host = elev999(state);
    QImage picture(512, 560, QImage::Format_RGB32);
    for (auto _ : state) {
        if (!host) {
            return;
        }
        const auto report = tessel::checkTable(host->shadesetName(), host->shadeTable());
        benchmark::DoNotOptimize(tessel::checkText(*report));
        QPainter painter(&picture);
        tessel::paintCheck(painter, picture.size(), *report);
        painter.end();
        benchmark::DoNotOptimize(picture.bits());
    }
}
BENCHMARK(BM_Check999)->Unit(benchmark::kMillisecond);

// shadeequalize perceptual of the 999 symbols of the start-up shadeset.
void BM_Equalize999(benchmark::State &state)
{
    const std::unique_ptr<tessel::Host> host = elev999(state);
    for (auto _ : state) {
        if (!host) {
            return;
        }
        benchmark::DoNotOptimize(
            tessel::equalizeTable(host->shadeTable(), tessel::Equalize::Perceptual));
    }
}
BENCHMARK(BM_Equalize999)->Unit(benchmark::kMillisecond);

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

// The sample terrain enlarged to 8192 x 8192 Float32 cells, made once; empty where it cannot be.
QString bigDem()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString dem = dir.filePath(QStringLiteral("dem.tif"));
        GDALAllRegister();
        GDALDatasetH terrain = GDALOpen(HUEWRIGHT_STAGE "/tools/terrain.tif", GA_ReadOnly);
        const char *args[] = {"-ot", "Float32", "-r", "cubic", "-outsize", "8192", "8192", nullptr};
        GDALTranslateOptions *options = GDALTranslateOptionsNew(const_cast<char **>(args), nullptr);
        GDALDatasetH made =
            terrain ? GDALTranslate(QFile::encodeName(dem).constData(), terrain, options, nullptr)
                    : nullptr;
        GDALTranslateOptionsFree(options);
        const bool ok = made != nullptr;
        if (made) {
            GDALClose(made);
        }
        if (terrain) {
            GDALClose(terrain);
        }
        return ok ? dem : QString();
    }();
    return path;
}

// The map of a big grid at 512 x 512, shaded, with its scale, as the window's dialog redraws
// it when it is resized: the grid opened, drawn and painted; against reading the grid at that
// size through GDAL, which is all that gdal_translate -outsize 512 512 -of MEM does.
void BM_MapAt512(benchmark::State &state, const char *classes)
{
    if (bigDem().isEmpty()) {
        state.SkipWithError("cannot make the DEM");
        return;
    }
    tessel::HostOptions options;
    options.gridLibrary = tesselGridLibrary();
    tessel::Host host(kStage + QStringLiteral("/tools"), options);
    const QString setup = QStringLiteral("&s .gridshade = 315\n&s .gridclasses = %1\nshadeset ")
                              .arg(QLatin1String(classes)) +
                          kStage + QStringLiteral("/shades/elev999.shd");
    QImage image(512, 600, QImage::Format_RGB32);
    std::vector<double> mine, theirs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const QString &command :
             setup.split(QLatin1Char('\n')) +
                 QStringList{QStringLiteral("grid ") + bigDem(), QStringLiteral("clear"),
                             QStringLiteral("shadegrid 0 .75 5.333 5.333"),
                             QStringLiteral("shadescale .2 .1 5.1 .6")}) {
            tessel::Messages messages;
            if (host.RunCommand(command, messages) != 0) {
                state.SkipWithError(messages.last().toLocal8Bit().constData());
                return;
            }
        }
        QPainter painter(&image);
        tessel::renderDrawing(painter, host.drawing(), image.size());
        painter.end();
        const auto drawn = std::chrono::steady_clock::now();
        GDALDatasetH dem = GDALOpen(QFile::encodeName(bigDem()).constData(), GA_ReadOnly);
        std::vector<float> values(512 * 512);
        const CPLErr read = GDALRasterIO(GDALGetRasterBand(dem, 1), GF_Read, 0, 0, 8192, 8192,
                                         values.data(), 512, 512, GDT_Float32, 0, 0);
        GDALClose(dem);
        const std::chrono::duration<double> a = drawn - start;
        const std::chrono::duration<double> b = std::chrono::steady_clock::now() - drawn;
        if (read != CE_None) {
            state.SkipWithError("GDAL cannot read the DEM");
            return;
        }
        mine.push_back(a.count());
        theirs.push_back(b.count());
        state.SetIterationTime(a.count());
    }
    state.counters["map_ms"] = 1000 * median(mine);
    state.counters["gdal_read_ms"] = 1000 * median(theirs);
    state.counters["ratio"] = median(mine) / median(theirs);
}
BENCHMARK_CAPTURE(BM_MapAt512, linear, "linear")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(BM_MapAt512, equalized, "equalized")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the menu's choice is remembered: not the user's
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

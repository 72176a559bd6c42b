// Realtime drag steps of the select tool through the window's mouse handlers
// on the 1,000-path drawing: each step moves the selection, rebuilds the
// movie file, has the player draw it and draws the overlays. `ratio` = step
// CPU time / a fresh player's full render of the same movie, measured in the
// same run; on a screen of ratio 2 also against the same drag at ratio 1.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>
#include <optional>

#include "app/DrawGUI.h"
#include "bench/BenchDocument.h"
#include "bench/BenchScreens.h"
#include "bench/LargeSvg.h"

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

MouseArgs At(DrawGUI& gui, std::int32_t tx, std::int32_t ty, int button) {
    std::int32_t sx = 0, sy = 0;
    PosTwipToScr(gui.Geometry(), tx, ty, sx, sy);
    return MouseArgs{button, 0, static_cast<float>(sx), static_cast<float>(sy)};
}

// A fresh player's parse and full render of what the canvas shows of the movie.
double FullRenderSeconds(DrawGUI& gui) {
    const SwfPlayer& shown = gui.View().ShockwaveFlash1;
    const QRect stage = gui.View().Stage();
    const QRect viewport = gui.View().PlayerViewport(stage).value_or(QRect());
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const double t0 = CpuSeconds();
        auto player = std::make_unique<SwfPlayer>();
        player->Movie = shown.Movie;
        player->BackgroundColor = shown.BackgroundColor;
        player->Quality2 = shown.Quality2;
        benchmark::DoNotOptimize(
player->Render(stage.width(), stage.height(), viewport).constBits());
        best = std::min(best, CpuSeconds() - t0);
    }
    return best;
}

// A window on the screen of `ratio` whose selection is grabbed at an anchor
// and dragged a step at a time.
struct DragRun {
    DrawGUI gui;
    AnchorPoint grab;
    double full = 0;
    int step = 0;
    bool ready = false;

    DragRun(int zoomPercent, int count, qreal ratio, const QString& svg = {}) {
        gui.Form_Load({});
        gui.resize(1200, 1000);
        ready = ShowOnScreenOfRatio(gui, ratio);
        DrawCore& doc = gui.Core();
        if (svg.isEmpty()) FillBenchDocument(doc);
        else gui.LoadDocument(svg);
        doc.ZoomRate = static_cast<float>(zoomPercent) / 100;
        const int paths = static_cast<int>(doc.Paths.size()) - 1;
        std::int32_t grabbed = 0;
        for (int k = 0; k < count; ++k) {
            const std::int32_t p = count == 1 ? paths / 2 : 50 + k * (paths - 100) / (count - 1);
            doc.Paths[static_cast<std::size_t>(p)].Selected = VbTrue;
            grabbed = p;
        }
        gui.Edit().ToolMode = 2;
        gui.Edit().RealTimePreview = true;
        gui.RebuildPreview();
        gui.DispShape(0);
        full = FullRenderSeconds(gui);
        // Grab the path at its first anchor, as a hover over it would have marked it.
        grab = doc.Paths[static_cast<std::size_t>(grabbed)].Anchors[0];
        doc.SelPath = grabbed;
        gui.Gestures().Picture1_MouseDown(At(gui, grab.X, grab.Y, 1));
        for (int k = 0; k < 3; ++k) Step();  // the first moves build the player's drag cache
    }
    ~DragRun() { gui.Gestures().Picture1_MouseUp(At(gui, grab.X, grab.Y, 1)); }

    // One move of the drag; its CPU seconds.
    double Step() {
        ++step;
        const MouseArgs e = At(gui, grab.X + 20 * (step % 7), grab.Y + 20 * (step % 5), 1);
        const double t0 = CpuSeconds();
        gui.Gestures().Picture1_MouseMove(e);
        return CpuSeconds() - t0;
    }
};

// range(0): zoom in percent; range(1): selected paths, spread evenly through
// the stack (1: the middle one); range(2): the screen's device pixel ratio in
// percent. Above 100 the same drag also runs on a screen of ratio 1, and
// `vs_ratio1` is the step time against that one's.
void BM_RealtimeDragStep(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0)), count = static_cast<int>(state.range(1));
    const qreal ratio = static_cast<qreal>(state.range(2)) / 100;
    DragRun run(zoom, count, ratio);
    std::optional<DragRun> base;
    if (ratio != 1) base.emplace(zoom, count, 1.0);
    if (!run.ready || (base && !base->ready)) {
        state.SkipWithError("no screen of that device pixel ratio");
        return;
    }
    double total = 0, baseTotal = 0;
    for (auto _ : state) {
        const double s = run.Step();
        state.SetIterationTime(s);
        total += s;
        if (base) baseTotal += base->Step();
    }
    state.counters["full_ms"] = run.full * 1e3;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / run.full;
    if (base) state.counters["vs_ratio1"] = total / baseTotal;
}
BENCHMARK(BM_RealtimeDragStep)
    ->Args({100, 1, 100})
    ->Args({400, 1, 100})
    ->Args({100, 10, 100})
    ->Args({100, 1, 200})
    ->Args({100, 10, 200})
    ->Args({100, 1, 150})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same drag on the 10,000-path SVG drawing, opened as the user opens it.
void BM_RealtimeDragStepOnImportedSvg(benchmark::State& state) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("large.svg");
    if (!WriteBenchFile(svg.toStdString(), LargeSvg())) {
        state.SkipWithError("cannot write the drawing");
        return;
    }
    DragRun run(100, static_cast<int>(state.range(0)), 1.0, svg);
    double total = 0;
    for (auto _ : state) {
        const double s = run.Step();
        state.SetIterationTime(s);
        total += s;
    }
    state.counters["paths"] = static_cast<double>(run.gui.Core().Paths.size() - 1);
    state.counters["full_ms"] = run.full * 1e3;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / run.full;
}
BENCHMARK(BM_RealtimeDragStepOnImportedSvg)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseScreensOfSeveralRatios();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// Realtime drag steps of the select tool through the window's mouse handlers
// on the 1,000-path drawing: each step moves the selection, rebuilds the
// movie file, has the player draw it and draws the overlays. `ratio` = step
// CPU time / a fresh player's full render of the same movie, measured in the
// same run.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>

#include "app/DrawGUI.h"
#include "bench/BenchDocument.h"

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
    const QRect viewport = gui.View().PlayerViewport(ComputeDrawingArea(gui.Geometry())).value_or(QRect());
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const double t0 = CpuSeconds();
        auto player = std::make_unique<SwfPlayer>();
        player->Movie = shown.Movie;
        player->BackgroundColor = shown.BackgroundColor;
        player->Quality2 = shown.Quality2;
        benchmark::DoNotOptimize(
            player->Render(static_cast<int>(gui.View().PlayerWidth), static_cast<int>(gui.View().PlayerHeight), viewport)
                .constBits());
        best = std::min(best, CpuSeconds() - t0);
    }
    return best;
}

// range(0): zoom in percent; range(1): selected paths, spread evenly through
// the stack (1: the middle one).
void BM_RealtimeDragStep(benchmark::State& state) {
    DrawGUI gui;
    gui.Form_Load({});
    gui.resize(1200, 1000);
    DrawCore& doc = gui.Core();
    FillBenchDocument(doc);
    doc.ZoomRate = static_cast<float>(state.range(0)) / 100;
    const int count = static_cast<int>(state.range(1));
    std::int32_t grabbed = 0;
    for (int k = 0; k < count; ++k) {
        const std::int32_t p = count == 1 ? BenchPaths / 2 : 50 + k * (BenchPaths - 100) / (count - 1);
        doc.Paths[static_cast<std::size_t>(p)].Selected = VbTrue;
        grabbed = p;
    }
    gui.Edit().ToolMode = 2;
    gui.Edit().RealTimePreview = true;
    gui.RebuildPreview();
    gui.DispShape(0);
    const double full = FullRenderSeconds(gui);

    // Grab the path at its first anchor, as a hover over it would have marked it.
    const AnchorPoint a = doc.Paths[static_cast<std::size_t>(grabbed)].Anchors[0];
    doc.SelPath = grabbed;
    gui.Gestures().Picture1_MouseDown(At(gui, a.X, a.Y, 1));
    int step = 0;
    double total = 0;
    for (auto _ : state) {
        ++step;
        const MouseArgs e = At(gui, a.X + 20 * (step % 7), a.Y + 20 * (step % 5), 1);
        const double t0 = CpuSeconds();
        gui.Gestures().Picture1_MouseMove(e);
        const double s = CpuSeconds() - t0;
        state.SetIterationTime(s);
        total += s;
    }
    gui.Gestures().Picture1_MouseUp(At(gui, a.X, a.Y, 1));
    state.counters["full_ms"] = full * 1e3;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / full;
}
BENCHMARK(BM_RealtimeDragStep)
    ->Args({100, 1})
    ->Args({400, 1})
    ->Args({100, 10})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

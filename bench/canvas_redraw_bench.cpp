// A mode-1 canvas redraw (the player's cached image, margins and the select
// tool's overlay of 100 selected paths) and a hover move of the select and
// modify tools (hit tests, redraw, hover mark) on the 1,000-path drawing,
// against a plain copy of an image of the canvas' size.
#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>

#include "app/DrawGUI.h"
#include "bench/BenchDocument.h"
#include "core/History.h"

namespace {
struct Fixture {
    DrawGUI gui;
    Fixture() {
        gui.Form_Load({});
        gui.resize(1200, 1000);
        FillBenchDocument(gui.Core());
        for (int i = 1; i <= 100; ++i) gui.Core().Paths[static_cast<std::size_t>(i * 10)].Selected = VbTrue;
        gui.RebuildPreview();
        // The player trusts a file's time stamp once it is older than the
        // file system's time resolution; measure that steady state.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        gui.DispShape(0);
    }
};

void BM_CanvasCopyBaseline(benchmark::State& state) {
    Fixture f;
    const QImage& canvas = f.gui.View().Picture1->Image();
    QImage target(canvas.size(), canvas.format());
    for (auto _ : state) {
        QPainter p(&target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, canvas);
        p.end();
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_CanvasCopyBaseline)->Unit(benchmark::kMicrosecond);

void BM_RedrawMode1With100Selected(benchmark::State& state) {
    Fixture f;
    const std::size_t renders = f.gui.View().ShockwaveFlash1.RenderCount();
    for (auto _ : state) f.gui.DispShape(1);
    if (f.gui.View().ShockwaveFlash1.RenderCount() != renders) state.SkipWithError("the movie was rendered again");
}
BENCHMARK(BM_RedrawMode1With100Selected)->Unit(benchmark::kMicrosecond);

// Moves alternate between a point on paths and empty canvas, so every move
// tests all paths and redraws (mark on, mark off).
void BM_HoverMove(benchmark::State& state) {
    Fixture f;
    f.gui.Edit().ToolMode = static_cast<std::int16_t>(state.range(0));
    MouseArgs at[2];
    for (int k = 0; k < 2; ++k) {
        std::int32_t sx = 0, sy = 0;
        PosTwipToScr(f.gui.Geometry(), k ? 15000 : 2300, k ? 15000 : 2000, sx, sy);
        at[k] = MouseArgs{0, 0, static_cast<float>(sx), static_cast<float>(sy)};
    }
    const std::size_t renders = f.gui.View().ShockwaveFlash1.RenderCount();
    int k = 0;
    for (auto _ : state) f.gui.Gestures().Picture1_MouseMove(at[k ^= 1]);
    if (f.gui.View().ShockwaveFlash1.RenderCount() != renders) state.SkipWithError("the movie was rendered again");
}
BENCHMARK(BM_HoverMove)->Arg(2)->Arg(1)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

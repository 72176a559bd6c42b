// A mode-1 canvas redraw (the player's cached image, margins and the select
// tool's overlay of 100 selected paths) and a hover move of the select and
// modify tools (hit tests, redraw, hover mark) on the 1,000-path drawing,
// against a plain copy of an image of the canvas' size; on a screen of ratio
// 2 also against the same work at ratio 1.
#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <thread>

#include "app/DrawGUI.h"
#include "bench/BenchDocument.h"
#include "bench/BenchScreens.h"
#include "core/History.h"

namespace {
struct Fixture {
    DrawGUI gui;
    bool ready = false;
    explicit Fixture(qreal ratio = 1) {
        gui.Form_Load({});
        gui.resize(1200, 1000);
        ready = ShowOnScreenOfRatio(gui, ratio);
        FillBenchDocument(gui.Core());
        for (int i = 1; i <= 100; ++i) gui.Core().Paths[static_cast<std::size_t>(i * 10)].Selected = VbTrue;
        gui.RebuildPreview();
        // The player trusts a file's time stamp once it is older than the
        // file system's time resolution; measure that steady state.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        gui.DispShape(0);
    }
};

// The CPU seconds `work` takes: the machine may be busy with other work.
double Seconds(const std::function<void()>& work) {
    const auto cpu = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double t0 = cpu();
    work();
    return cpu() - t0;
}

// Runs `work` on a window on the screen of `ratio` (in percent) each
// iteration; above 100 also on a twin window of ratio 1, and `vs_ratio1` is
// the time against the twin's. The movie must not be rendered again.
void MeasureAtRatio(benchmark::State& state, std::int64_t ratioPercent, const std::function<void(Fixture&)>& setUp,
                    const std::function<void(Fixture&)>& work) {
    Fixture f(static_cast<qreal>(ratioPercent) / 100);
    std::optional<Fixture> base;
    if (ratioPercent != 100) base.emplace(1.0);
    if (!f.ready || (base && !base->ready)) {
        state.SkipWithError("no screen of that device pixel ratio");
        return;
    }
    setUp(f);
    if (base) setUp(*base);
    const std::size_t renders = f.gui.View().ShockwaveFlash1.RenderCount();
    double total = 0, baseTotal = 0;
    for (auto _ : state) {
        const double s = Seconds([&] { work(f); });
        state.SetIterationTime(s);
        total += s;
        if (base) baseTotal += Seconds([&] { work(*base); });
    }
    if (f.gui.View().ShockwaveFlash1.RenderCount() != renders) state.SkipWithError("the movie was rendered again");
    if (base) state.counters["vs_ratio1"] = total / baseTotal;
}

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

// range(0): the screen's device pixel ratio in percent.
void BM_RedrawMode1With100Selected(benchmark::State& state) {
    MeasureAtRatio(state, state.range(0), [](Fixture&) {}, [](Fixture& f) { f.gui.DispShape(1); });
}
BENCHMARK(BM_RedrawMode1With100Selected)->Arg(100)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Moves alternate between a point on paths and empty canvas, so every move
// tests all paths and redraws (mark on, mark off). range(0): the tool;
// range(1): the device pixel ratio in percent.
void BM_HoverMove(benchmark::State& state) {
    const auto tool = static_cast<std::int16_t>(state.range(0));
    std::map<const Fixture*, int> turn;
    MeasureAtRatio(
        state, state.range(1), [tool](Fixture& f) { f.gui.Edit().ToolMode = tool; },
        [&turn](Fixture& f) {
            const int k = turn[&f] ^= 1;
            std::int32_t sx = 0, sy = 0;
            PosTwipToScr(f.gui.Geometry(), k ? 15000 : 2300, k ? 15000 : 2000, sx, sy);
            f.gui.Gestures().Picture1_MouseMove(MouseArgs{0, 0, static_cast<float>(sx), static_cast<float>(sy)});
        });
}
BENCHMARK(BM_HoverMove)
    ->Args({2, 100})
    ->Args({1, 100})
    ->Args({2, 200})
    ->Args({1, 200})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    UseScreensOfSeveralRatios();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

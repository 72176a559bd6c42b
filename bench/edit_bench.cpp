// Path optimisation of a long freehand stroke and the hover hit tests over a
// large drawing. Baselines in the same run: the optimisation restarting from
// the beginning after every removal, and hit scans without the cheap
// per-anchor / per-segment rejection.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "edit/Geometry.h"
#include "edit/Optimize.h"
#include "edit/Selection.h"
#include "tests/edit/HitReference.h"
#include "tests/edit/OptimizeReference.h"

namespace {
// A freehand circle: 2000 samples about 30 twips apart with mouse jitter.
PathShape JitteredCircle() {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> jitter(-12, 12);
    PathShape p;
    constexpr int n = 2000;
    constexpr double radius = 9500.0;
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * Pi * i / n;
        p.Anchors.push_back(AnchorPoint{RoundHalfEven(10000 + radius * std::cos(a)) + jitter(rng),
                                        RoundHalfEven(10000 + radius * std::sin(a)) + jitter(rng), 1});
    }
    p.AnchorMax = n - 1;
    return p;
}

template <void (*Optimize)(PathShape&, float, float)>
void RunOptimize(benchmark::State& state) {
    const PathShape stroke = JitteredCircle();
    const auto t1 = static_cast<float>(state.range(0));
    const auto t2 = static_cast<float>(state.range(1));
    std::int32_t left = 0;
    for (auto _ : state) {
        PathShape p = stroke;
        Optimize(p, t1, t2);
        left = p.AnchorMax + 1;
        benchmark::DoNotOptimize(p.Anchors.data());
    }
    state.counters["anchors_left"] = left;
}

void BM_OptimizeRestarting(benchmark::State& state) { RunOptimize<OptimizePathReference>(state); }
void BM_OptimizePath(benchmark::State& state) { RunOptimize<OptimizePath>(state); }
// Weak phase alone (the automatic default) and both phases (the dialog's start).
BENCHMARK(BM_OptimizeRestarting)->Args({60, 0})->Args({60, 30})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimizePath)->Args({60, 0})->Args({60, 30})->Unit(benchmark::kMillisecond);

// 1000 scribbles of 100 anchors over a 1280 x 960 pixel area.
DrawCore BigDocument() {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> start(0, 25600), step(-300, 300);
    DrawCore doc;
    for (int k = 0; k < 1000; ++k) {
        PathShape p;
        int x = start(rng), y = start(rng) * 3 / 4;
        for (int j = 0; j < 100; ++j) {
            p.Anchors.push_back(AnchorPoint{x, y, static_cast<std::int16_t>(j % 2)});
            x += step(rng);
            y += step(rng);
        }
        p.AnchorMax = 99;
        p.Closed = k % 2 ? VbTrue : VbFalse;
        doc.AppendPath(p);
    }
    return doc;
}

template <PathHit (*Hit)(const DrawCore&, std::int32_t, std::int32_t)>
void RunHit(benchmark::State& state) {
    const DrawCore doc = BigDocument();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pos(0, 25600);
    int found = 0, calls = 0;
    for (auto _ : state) {
        const PathHit h = Hit(doc, pos(rng), pos(rng) * 3 / 4);
        found += h.Path > 0;
        ++calls;
        benchmark::DoNotOptimize(h);
    }
    state.counters["hit_ratio"] = calls ? static_cast<double>(found) / calls : 0.0;
}

void BM_HitSegmentPlain(benchmark::State& state) { RunHit<PlainHitSegment>(state); }
void BM_HitSegment(benchmark::State& state) { RunHit<HitSegment>(state); }
void BM_HitAnchorPlain(benchmark::State& state) { RunHit<PlainHitAnchor>(state); }
void BM_HitAnchor(benchmark::State& state) { RunHit<HitAnchor>(state); }
BENCHMARK(BM_HitSegmentPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitSegment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitAnchorPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitAnchor)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();

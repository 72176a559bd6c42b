// Preview rebuild of a large drawing against writing the same number of bytes
// to a file: a warm rebuild (one path changed) should cost a small multiple
// of the write alone. In memory, the rebuild after one path moved splices
// that path's bytes into the kept movie; its `ratio` is against assembling
// the whole movie after the same edit, measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "bench/BenchDocument.h"
#include "swf/Preview.h"

namespace {
// Moves path 500 of the 1,000 by one twip, back and forth, as a drag step does.
void MoveMiddlePath(DrawCore& doc, int step) {
    PathShape moved = doc.GetPath(500);
    const std::int32_t dx = (step % 2) ? 1 : -1;
    for (AnchorPoint& a : moved.Anchors) a.X += dx;
    moved.GradX += dx;
    doc.SetPath(500, moved);
}

struct Fixture {
    DrawCore doc;
    SWFMakeCore mk;
    std::string path = (std::filesystem::temp_directory_path() / ("lv_bench_" + std::to_string(::getpid()) + ".tmp")).string();

    Fixture() {
        doc.Setup.CanvasWidth = 1000;
        doc.Setup.CanvasHeight = 1000;
        doc.TempMoviePath = path;
        FillBenchDocument(doc);
    }
    ~Fixture() { std::filesystem::remove(path); }
    void Rebuild(benchmark::State& state) {
        std::string error;
        if (!RebuildPreview(mk, doc, error)) state.SkipWithError(error.c_str());
    }
};

void BM_ColdRebuild(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        for (PathShape& p : f.doc.Paths) p.ShapeCache.reset();
        f.Rebuild(state);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(f.path)));
}

void BM_WarmRebuildOnePathChanged(benchmark::State& state) {
    Fixture f;
    f.Rebuild(state);
    int step = 0;
    for (auto _ : state) {
        MoveMiddlePath(f.doc, step++);
        f.Rebuild(state);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(f.path)));
}

void BM_WarmBuildInMemory(benchmark::State& state) {
    Fixture f;
    SWFMakeCore mk;
    std::size_t size = BuildPreviewMovie(mk, f.doc).size();
    int step = 0;
    for (auto _ : state) {
        MoveMiddlePath(f.doc, step++);
        benchmark::DoNotOptimize(BuildPreviewMovie(mk, f.doc));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

// The in-memory rebuild after one path moved, which a realtime drag step
// makes, spliced; `full_us` is the same step with the kept movie dropped so
// that the whole movie is assembled, and `ratio` = spliced / full.
void BM_RebuildAfterOnePathMoved(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Fixture f;
    UpdatePreviewMovie(f.mk, f.doc);
    int step = 0;
    const auto timedStep = [&](bool whole) {
        MoveMiddlePath(f.doc, step++);
        const Clock::time_point t0 = Clock::now();
        if (whole) f.mk.LastPreview.Movie.clear();
        benchmark::DoNotOptimize(UpdatePreviewMovie(f.mk, f.doc).data());
        return std::chrono::duration<double>(Clock::now() - t0).count();
    };
    constexpr int kFullRuns = 200;
    double full = 0;
    for (int i = 0; i < kFullRuns; ++i) full += timedStep(true) / kFullRuns;
    double total = 0;
    for (auto _ : state) {
        const double s = timedStep(false);
        state.SetIterationTime(s);
        total += s;
    }
    if (!f.mk.LastPreview.Spliced) state.SkipWithError("the step was assembled whole, not spliced");
    state.counters["full_us"] = full * 1e6;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / full;
}

void BM_WriteSameSizeFile(benchmark::State& state) {
    Fixture f;
    SWFMakeCore mk;
    const std::string bytes(BuildPreviewMovie(mk, f.doc).size(), '\x5A');
    for (auto _ : state)
        if (!WriteFileReplacing(f.path, bytes)) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
}  // namespace

BENCHMARK(BM_WriteSameSizeFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColdRebuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarmRebuildOnePathChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarmBuildInMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildAfterOnePathMoved)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

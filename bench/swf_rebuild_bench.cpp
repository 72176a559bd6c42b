// Preview rebuild of a large drawing against writing the same number of bytes
// to a file: a warm rebuild (one path changed) should cost a small multiple
// of the write alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "bench/BenchDrawing.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"

namespace {
using benchdrawing::kPaths;
using benchdrawing::MakeRing;

struct Fixture {
    DrawCore doc;
    SWFMakeCore mk;
    std::string path = (std::filesystem::temp_directory_path() / ("lv_bench_" + std::to_string(::getpid()) + ".tmp")).string();

    Fixture() {
        doc.Setup.CanvasWidth = 1000;
        doc.Setup.CanvasHeight = 1000;
        doc.TempMoviePath = path;
        for (int i = 0; i < kPaths; ++i) doc.AppendPath(MakeRing(i));
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
        PathShape changed = f.doc.GetPath(500);
        changed.Anchors[3].X += (step++ % 2) ? 1 : -1;
        f.doc.SetPath(500, changed);
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
        PathShape changed = f.doc.GetPath(500);
        changed.Anchors[3].X += (step++ % 2) ? 1 : -1;
        f.doc.SetPath(500, changed);
        benchmark::DoNotOptimize(BuildPreviewMovie(mk, f.doc));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
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
BENCHMARK_MAIN();

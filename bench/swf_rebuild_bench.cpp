// Preview rebuild of a large drawing against writing the same number of bytes
// to a file: a warm rebuild (one path changed) should cost a small multiple
// of the write alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"

namespace {
constexpr int kPaths = 1000;
constexpr int kAnchors = 100;

PathShape MakeRing(int index) {
    PathShape p;
    const double cx = 2000 + (index % 40) * 150, cy = 2000 + (index / 40) * 150;
    const double radius = 300 + index % 7 * 40;
    for (int k = 0; k < kAnchors; ++k) {
        const double angle = 2 * 3.14159265358979 * k / kAnchors;
        const double r = k % 2 ? radius * 1.1 : radius;
        p.Anchors.push_back({static_cast<std::int32_t>(std::lround(cx + r * std::cos(angle))),
                             static_cast<std::int32_t>(std::lround(cy + r * std::sin(angle))),
                             static_cast<std::int16_t>((k % 3 == 1) ? 1 : 0)});
    }
    p.AnchorMax = kAnchors - 1;
    p.Closed = VbTrue;
    p.FillType = static_cast<std::int16_t>(index % 5);
    p.LineOn = static_cast<std::int16_t>(index % 3 != 0);
    p.LineWidth = 20 + index % 50;
    p.FillColor = PackColor(index, 2 * index, 3 * index, 255);
    p.FillColor2 = PackColor(255 - index, index, 100, 128);
    p.GradAngle = static_cast<float>(index % 360);
    p.GradScale = 0.05f;
    return p;
}

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

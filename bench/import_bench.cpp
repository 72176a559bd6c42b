// SVG import of a large drawing against reading the same drawing from its
// .lvd text: 10,000 filled paths of ten cubic curves each, about 5 MB of SVG.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/LargeSvg.h"
#include "core/DocumentFile.h"
#include "import/SvgImport.h"

namespace {

void BM_ImportSvg(benchmark::State& state) {
    const std::string& svg = LargeSvg();
    std::size_t paths = 0;
    for (auto _ : state) {
        const ImportResult r = ImportSvg(svg);
        paths = r.Result.Paths.size();
        benchmark::DoNotOptimize(r.Result.Paths.data());
    }
    state.counters["paths"] = static_cast<double>(paths);
    state.counters["MB"] = static_cast<double>(svg.size()) / (1 << 20);
}

void BM_ReadLvd(benchmark::State& state) {
    const ImportResult r = ImportSvg(LargeSvg());
    std::vector<PathShape> paths(1);
    paths.insert(paths.end(), r.Result.Paths.begin(), r.Result.Paths.end());
    const std::string lvd = FormatDocument(CanvasSetup{}, paths);
    for (auto _ : state) {
        CanvasSetup setup;
        std::vector<PathShape> read(1);
        benchmark::DoNotOptimize(ParseDocument(lvd, setup, read));
    }
    state.counters["MB"] = static_cast<double>(lvd.size()) / (1 << 20);
}

BENCHMARK(BM_ReadLvd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSvg)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();

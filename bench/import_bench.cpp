// SVG import of a large drawing against reading the same drawing from its
// .lvd text: 10,000 filled paths of six cubic curves each, about 5 MB of SVG.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/DocumentFile.h"
#include "import/SvgImport.h"

namespace {

std::string Number(std::mt19937& rng, int lo, int hi) {
    return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng)) + "." +
           std::to_string(std::uniform_int_distribution<int>(0, 999)(rng));
}

const std::string& LargeSvg() {
    static const std::string svg = [] {
        std::mt19937 rng(3);
        std::string s = R"(<svg xmlns="http://www.w3.org/2000/svg" width="1200" height="900">)";
        s.reserve(6u << 20);
        for (int i = 0; i < 10000; ++i) {
            s += "<path fill=\"#" + std::to_string(100000 + i % 899999) + "\" stroke=\"#222\" d=\"M" +
                 Number(rng, 0, 1200) + " " + Number(rng, 0, 900);
            for (int k = 0; k < 6; ++k) {
                s += " c";
                for (int j = 0; j < 6; ++j) s += " " + Number(rng, -40, 40);
            }
            s += "z\"/>\n";
        }
        return s + "</svg>";
    }();
    return svg;
}

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

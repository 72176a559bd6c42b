// The whole `lumivane --render` command on a 50,000-path document against
// rsvg-convert on the same drawing exported with `lumivane --export-svg`, the
// two run alternately in one run. `ratio` = the command's wall time / the SVG
// renderer's, what a user waits for; `cpu_ratio` the same for CPU time.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdlib>

#include "bench/BenchDocument.h"
#include "bench/ChildProcess.h"
#include "core/DocumentFile.h"
#include "core/FileBytes.h"

namespace {

void BM_RenderCommandAgainstSvgRenderer(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string lvd = dir.filePath("drawing.lvd").toStdString(), svg = dir.filePath("drawing.svg").toStdString();
    DrawCore doc;
    FillBenchDocument(doc, static_cast<int>(state.range(0)));
    if (!WriteFileReplacing(lvd, FormatDocument(doc.Setup, doc.Paths)) ||
        RunChild({LV_LUMIVANE, "--export-svg", lvd, svg}).Wall < 0) {
        state.SkipWithError("cannot write the drawing");
        return;
    }
    double wall = 0, cpu = 0, referenceWall = 0, referenceCpu = 0;
    for (auto _ : state) {
        const ChildTimes command = RunChild({LV_LUMIVANE, "--render", lvd, dir.filePath("lumivane.png").toStdString()});
        const ChildTimes reference = RunChild({"rsvg-convert", "-o", dir.filePath("rsvg.png").toStdString(), svg});
        if (command.Wall < 0 || reference.Wall < 0) {
            state.SkipWithError(command.Wall < 0 ? "lumivane --render failed" : "rsvg-convert did not run");
            return;
        }
        state.SetIterationTime(command.Wall);
        wall += command.Wall, cpu += command.Cpu;
        referenceWall += reference.Wall, referenceCpu += reference.Cpu;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["ratio"] = wall / referenceWall;
    state.counters["cpu_ratio"] = cpu / referenceCpu;
    state.counters["command_ms"] = wall / runs * 1e3;
    state.counters["svg_renderer_ms"] = referenceWall / runs * 1e3;
}

}  // namespace

BENCHMARK(BM_RenderCommandAgainstSvgRenderer)->Arg(50000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

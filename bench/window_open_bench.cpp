// Opening the 10,000-path SVG in the window, from the open call to the first
// painted canvas (wall time, as the user waits for it), against opening the
// same drawing from its .lvd the same way in the same run (`vs_lvd`).
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

#include "app/DrawGUI.h"
#include "bench/LargeSvg.h"
#include "core/DocumentFile.h"
#include "import/SvgImport.h"
#include "view/CanvasWidget.h"

namespace {

std::string LvdOfLargeSvg() {
    const ImportResult r = ImportSvg(LargeSvg());
    std::vector<PathShape> paths(1);
    paths.insert(paths.end(), r.Result.Paths.begin(), r.Result.Paths.end());
    CanvasSetup setup;
    setup.CanvasWidth = r.Result.CanvasWidth;
    setup.CanvasHeight = r.Result.CanvasHeight;
    return FormatDocument(setup, paths);
}

double OpenSeconds(DrawGUI& gui, const QString& path) {
    const auto t0 = std::chrono::steady_clock::now();
    gui.LoadDocument(path);
    gui.View().Picture1->repaint();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_OpenSvgToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("large.svg"), lvd = dir.filePath("large.lvd");
    if (!WriteBenchFile(svg.toStdString(), LargeSvg()) || !WriteBenchFile(lvd.toStdString(), LvdOfLargeSvg())) {
        state.SkipWithError("cannot write the drawings");
        return;
    }
    DrawGUI gui;
    gui.Form_Load({});
    gui.resize(1200, 1000);
    gui.show();
    QApplication::processEvents();
    double svgTotal = 0, lvdTotal = 0;
    for (auto _ : state) {
        const double s = OpenSeconds(gui, svg);
        state.SetIterationTime(s);
        svgTotal += s;
        lvdTotal += OpenSeconds(gui, lvd);
    }
    state.counters["paths"] = static_cast<double>(gui.Core().Paths.size() - 1);
    state.counters["lvd_ms"] = lvdTotal * 1e3 / static_cast<double>(state.iterations());
    state.counters["vs_lvd"] = svgTotal / lvdTotal;
}
BENCHMARK(BM_OpenSvgToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// The preview player on the 1000-path drawing against drawing the same paths
// straight from the document with QPainter (same size, brushes, pens and
// anti-aliasing). Each player case reports `ratio` = player CPU time / direct
// drawing CPU time measured in the same run; `fresh` parses, converts and
// rasterises a movie never seen, `OnePathChanged` the movie after one path changed.
// `AgainstSvgRenderer` renders a 50,000-path drawing and reports its CPU time
// (all threads) against rsvg-convert's on the same drawing written as SVG, the
// two run alternately in the same run; `wall_ratio` the same for wall time.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <ctime>
#include <fstream>
#include <memory>

#include "bench/BenchDocument.h"
#include "bench/ChildProcess.h"
#include "core/DrawCore.h"
#include "swf/MovieReader.h"
#include "swf/PreparedLayers.h"
#include "swf/Preview.h"
#include "swf/SvgExport.h"
#include "swf/SwfPlayer.h"

namespace {

// Process CPU time (all threads): the machine may be shared, and the ratio
// should not depend on what else runs.
struct Clock {
    using time_point = double;
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
};

// The drawing's placement composes every colour at alpha (a * 255) >> 8.
QColor DocColor(std::int32_t packed) {
    return QColor(ColorByte(packed, 0), ColorByte(packed, 1), ColorByte(packed, 2), (ColorByte(packed, 3) * 255) >> 8);
}

QPointF Pt(const AnchorPoint& a) { return QPointF(a.X, a.Y); }

QPainterPath OutlineOf(const PathShape& p) {
    QPainterPath path;
    const int n = p.AnchorMax + 1;
    if (n < 2) return path;
    const bool closed = p.Closed != 0;
    const auto mid = [](const AnchorPoint& a, const AnchorPoint& b) { return (Pt(a) + Pt(b)) / 2; };
    QPointF start = Pt(p.Anchors[0]);
    if (closed && p.Anchors[0].Kind == 1) start = p.Anchors[1].Kind != 1 ? Pt(p.Anchors[1]) : mid(p.Anchors[0], p.Anchors[1]);
    path.moveTo(start);
    for (int step = 1; step <= (closed ? n : n - 1); ++step) {
        const int i = step % n;
        const AnchorPoint& a = p.Anchors[i];
        if (a.Kind == 0 || (i == p.AnchorMax && !closed)) {
            path.lineTo(Pt(a));
        } else if (a.Kind == 1) {
            const int j = (i + 1) % n;
            const AnchorPoint& next = p.Anchors[j];
            const bool onCurve = next.Kind == 0 || (j == p.AnchorMax && !closed);
            path.quadTo(Pt(a), onCurve ? Pt(next) : mid(a, next));
        }
    }
    if (closed) path.closeSubpath();
    return path;
}

QBrush FillOf(const PathShape& p) {
    if (p.FillType == 1) return DocColor(p.FillColor);
    QGradient g = p.FillType == 4 ? QGradient(QRadialGradient(0, 0, 16384)) : QGradient(QLinearGradient(-16384, 0, 16384, 0));
    g.setInterpolationMode(QGradient::ComponentInterpolation);
    g.setColorAt(0, DocColor(p.FillColor));
    if (p.FillType == 3) {
        g.setColorAt(128 / 255.0, DocColor(p.FillColor2));
        g.setColorAt(1, DocColor(p.FillColor));
    } else {
        g.setColorAt(1, DocColor(p.FillColor2));
    }
    const double t = p.GradAngle * 3.14159265358979 / 180, s = p.GradScale;
    QBrush brush(g);
    brush.setTransform(QTransform(s * std::cos(t), s * std::sin(t), -s * std::sin(t), s * std::cos(t), p.GradX, p.GradY));
    return brush;
}

void DrawDirect(const DrawCore& doc, QImage& image, double zoom) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(QTransform::fromScale(zoom / 20, zoom / 20));
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        const PathShape& p = doc.Paths[i];
        const QPainterPath path = OutlineOf(p);
        if (p.Closed && p.FillType >= 1 && p.FillType <= 4) painter.fillPath(path, FillOf(p));
        if (p.LineOn >= 1 || !p.Closed)
            painter.strokePath(path, QPen(DocColor(p.LineColor), std::max<double>(p.LineWidth, 20 / zoom), Qt::SolidLine,
                                          Qt::RoundCap, Qt::RoundJoin));
    }
}

struct Drawing {
    QTemporaryDir dir;
    DrawCore doc;
    SWFMakeCore mk;
    Drawing() {
        doc.Setup.CanvasWidth = 1000;
        doc.Setup.CanvasHeight = 1000;
        doc.TempMoviePath = dir.filePath("_canvtemp.tmp").toStdString();
        for (int i = 0; i < BenchPaths; ++i) doc.AppendPath(MakeBenchRing(i));
        Rebuild();
    }
    void Rebuild() {
        std::string error;
        if (!RebuildPreview(mk, doc, error)) std::abort();
    }
    void NudgePath(int index, int step) {
        PathShape changed = doc.GetPath(index);
        changed.Anchors[3].X += (step % 2) ? 1 : -1;
        doc.SetPath(index, changed);
        Rebuild();
    }
};

double Seconds(double a, double b) { return b - a; }

// Mean CPU time of the direct drawing, the same statistic the player cases report.
double DirectSeconds(const Drawing& d, int zoom) {
    QImage image(1000 * zoom, 1000 * zoom, QImage::Format_ARGB32_Premultiplied);
    DrawDirect(d.doc, image, zoom);  // warm-up
    constexpr int runs = 5;
    const auto t0 = Clock::now();
    for (int i = 0; i < runs; ++i) DrawDirect(d.doc, image, zoom);
    return Seconds(t0, Clock::now()) / runs;
}

void BM_DirectQPainter(benchmark::State& state) {
    Drawing d;
    const int zoom = static_cast<int>(state.range(0));
    QImage image(1000 * zoom, 1000 * zoom, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) DrawDirect(d.doc, image, zoom);
}

void BM_PlayerFresh(benchmark::State& state) {
    Drawing d;
    const int zoom = static_cast<int>(state.range(0));
    const double direct = DirectSeconds(d, zoom);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        auto player = std::make_unique<SwfPlayer>();
        player->Movie = d.doc.TempMoviePath;
        benchmark::DoNotOptimize(player->Render(1000 * zoom, 1000 * zoom).constBits());
        const double s = Seconds(t0, Clock::now());
        state.SetIterationTime(s);
        total += s;
        player.reset();
    }
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / direct;
}

// One path changes per frame: the same one, as in a drag (range 1 = 1), or a
// different one each time, anywhere in the stack (range 1 = 0).
void BM_PlayerOnePathChanged(benchmark::State& state) {
    Drawing d;
    const int zoom = static_cast<int>(state.range(0));
    const bool sameEachTime = state.range(1) != 0;
    const double direct = DirectSeconds(d, zoom);
    SwfPlayer player;
    player.Movie = d.doc.TempMoviePath;
    player.Render(1000 * zoom, 1000 * zoom);
    double total = 0;
    int step = 0;
    const auto nextPath = [&] { return sameEachTime ? 500 : 1 + (step * 389) % BenchPaths; };
    d.NudgePath(nextPath(), step++);
    player.Render(1000 * zoom, 1000 * zoom);
    for (auto _ : state) {
        d.NudgePath(nextPath(), step++);  // the writer's part, not timed
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(player.Render(1000 * zoom, 1000 * zoom).constBits());
        const double s = Seconds(t0, Clock::now());
        state.SetIterationTime(s);
        total += s;
    }
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / direct;
}

// The player's work besides rasterising: reading the file's records and
// turning every layer into QPainter paths.
void BM_ParseAndConvert(benchmark::State& state) {
    Drawing d;
    SWFMakeCore mk;
    const std::string bytes = BuildPreviewMovie(mk, d.doc);
    const bool convert = state.range(0) != 0;
    ShapeLayerScratch scratch;
    for (auto _ : state) {
        const ParsedMovie m = ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        if (convert)
            for (const auto& [id, shape] : m.Shapes)
                for (const LayerSpan& span : shape->Layers) benchmark::DoNotOptimize(PrepareLayer(*shape, span, scratch));
    }
}

// One closed solid fill through `edges` random points of a 1600 x 1600
// canvas: long edges crossing everywhere.
struct CrossingFill {
    QTemporaryDir dir;
    DrawCore doc;
    SWFMakeCore mk;
    explicit CrossingFill(int edges) {
        doc.Setup.CanvasWidth = doc.Setup.CanvasHeight = 1600;
        doc.TempMoviePath = dir.filePath("_canvtemp.tmp").toStdString();
        PathShape p;
        std::uint32_t seed = 12345;
        const auto next = [&seed] { return static_cast<std::int32_t>((seed = seed * 1664525u + 1013904223u) >> 8) % 32000; };
        for (int i = 0; i < edges; ++i) p.Anchors.push_back({next(), next(), 0});
        p.AnchorMax = edges - 1;
        p.Closed = VbTrue;
        p.FillType = 1;
        p.FillColor = PackColor(30, 90, 200, 255);
        doc.AppendPath(p);
        std::string error;
        if (!RebuildPreview(mk, doc, error)) std::abort();
    }
    // A fresh player's parse and drawing of the movie.
    double Seconds(bool antiAlias) const {
        const auto t0 = Clock::now();
        SwfPlayer player;
        player.Movie = doc.TempMoviePath;
        player.Quality2 = antiAlias ? "high" : "low";
        benchmark::DoNotOptimize(player.Render(1600, 1600).constBits());
        return Seconds(t0, Clock::now());
    }
    static double Seconds(double a, double b) { return b - a; }
};

// The anti-aliased drawing against the same drawing aliased ("low"), which
// was never the slow part; `ratio` = anti-aliased / aliased time.
void BM_CrossingEdges(benchmark::State& state) {
    const CrossingFill fill(static_cast<int>(state.range(0)));
    const double aliased = fill.Seconds(false);
    double total = 0;
    for (auto _ : state) {
        const double s = fill.Seconds(true);
        state.SetIterationTime(s);
        total += s;
    }
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / aliased;
    state.counters["aliased_ms"] = aliased * 1e3;
}

// A fresh player's parse and drawing of a 50,000-path drawing against an SVG
// renderer drawing the same drawing's SVG to a PNG. The renderer runs once
// after each player iteration, so that both see the same load on a shared
// machine; `ratio` = player CPU time / renderer CPU time over all iterations.
void BM_AgainstSvgRenderer(benchmark::State& state) {
    QTemporaryDir dir;
    DrawCore doc;
    FillBenchDocument(doc, static_cast<int>(state.range(0)));
    doc.TempMoviePath = dir.filePath("_canvtemp.tmp").toStdString();
    SWFMakeCore mk;
    std::string error;
    if (!RebuildPreview(mk, doc, error)) std::abort();
    const std::string bytes = BuildPreviewMovie(mk, doc);
    const ParsedMovie movie = ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const std::string svg = dir.filePath("drawing.svg").toStdString();
    std::ofstream(svg, std::ios::binary) << MovieToSvg(movie, SvgOptions{1000, 1000, 0xFFFFFF});
    double total = 0, reference = 0, wall = 0, referenceWall = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const auto w0 = std::chrono::steady_clock::now();
        auto player = std::make_unique<SwfPlayer>();
        player->Movie = doc.TempMoviePath;
        benchmark::DoNotOptimize(player->Render(1000, 1000).constBits());
        player.reset();
        const double s = Seconds(t0, Clock::now());
        state.SetIterationTime(s);
        total += s;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
        const ChildTimes r = RunChild({"rsvg-convert", "-o", dir.filePath("rsvg.png").toStdString(), svg});
        if (r.Cpu <= 0) {
            state.SkipWithError("rsvg-convert did not run");
            return;
        }
        reference += r.Cpu;
        referenceWall += r.Wall;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["ratio"] = total / reference;
    state.counters["wall_ratio"] = wall / referenceWall;
    state.counters["player_ms"] = total / runs * 1e3;
    state.counters["svg_renderer_ms"] = reference / runs * 1e3;
}

}  // namespace

BENCHMARK(BM_AgainstSvgRenderer)->Arg(50000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossingEdges)->Arg(500)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseAndConvert)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectQPainter)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayerFresh)->Arg(1)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayerOnePathChanged)
    ->Args({1, 1})
    ->Args({4, 1})
    ->Args({1, 0})
    ->Args({4, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

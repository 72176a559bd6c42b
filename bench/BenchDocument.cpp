#include "bench/BenchDocument.h"

#include <cmath>

PathShape MakeBenchRing(int index, int columns, double pitch, int anchors) {
    PathShape p;
    const double cx = 2000 + (index % columns) * pitch, cy = 2000 + (index / columns) * pitch;
    const double radius = 300 + index % 7 * 40;
    for (int k = 0; k < anchors; ++k) {
        const double angle = 2 * 3.14159265358979 * k / anchors;
        const double r = k % 2 ? radius * 1.1 : radius;
        p.Anchors.push_back({static_cast<std::int32_t>(std::lround(cx + r * std::cos(angle))),
                             static_cast<std::int32_t>(std::lround(cy + r * std::sin(angle))),
                             static_cast<std::int16_t>((k % 3 == 1) ? 1 : 0)});
    }
    p.AnchorMax = anchors - 1;
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

void FillBenchDocument(DrawCore& doc, int paths) {
    doc.Setup.CanvasWidth = 1000;
    doc.Setup.CanvasHeight = 1000;
    const int columns = paths <= BenchPaths ? 40 : static_cast<int>(std::ceil(std::sqrt(double(paths))));
    const double pitch = paths <= BenchPaths ? 150 : 16000.0 / columns;
    const int anchors = paths <= BenchPaths ? BenchAnchors : 20;
    for (int i = 0; i < paths; ++i) doc.AppendPath(MakeBenchRing(i, columns, pitch, anchors));
}

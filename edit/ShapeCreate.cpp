#include "edit/ShapeCreate.h"

#include <algorithm>
#include <cmath>

#include "core/History.h"
#include "edit/Geometry.h"
#include "edit/Optimize.h"

namespace {
constexpr std::int32_t kBoxSize = 1000;
constexpr float kGradientSquare = 32768.0f;
}  // namespace

PathShape BoxShape(const DrawStyle& style, std::int32_t tx, std::int32_t ty) {
    PathShape p = StyledPath(style);
    p.Closed = VbTrue;
    p.Selected = VbTrue;
    p.GradX = tx + kBoxSize / 2;
    p.GradY = ty + kBoxSize / 2;
    p.GradScale = static_cast<float>(kBoxSize) / kGradientSquare;
    return p;
}

PathShape StyledPath(const DrawStyle& style) {
    PathShape p;
    p.LineWidth = RoundHalfEven(style.LineWidthPt * 20.0f);
    p.LineOn = style.CurLineOn;
    p.LineColor = style.CurColors[0];
    p.FillType = style.CurFillType;
    p.FillColor = style.CurColors[1];
    p.FillColor2 = style.CurColors[2];
    p.GradX = 0;
    p.GradY = 0;
    p.GradAngle = 0.0f;
    p.GradScale = 1.0f;
    p.Selected = VbFalse;
    p.Grouped = VbFalse;
    p.GroupNo = 0;
    return p;
}

std::int32_t BeginPath(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style, std::int16_t kind) {
    PathShape p = StyledPath(style);
    p.Anchors = {AnchorPoint{tx, ty, kind}};
    p.AnchorMax = 0;
    return doc.AppendPath(p);
}

void AppendAnchor(DrawCore& doc, std::int32_t tx, std::int32_t ty, std::int16_t kind) {
    if (doc.GetPathCount() < 1) return;
    PathShape& p = doc.Paths.back();
    p.Anchors.push_back(AnchorPoint{tx, ty, kind});
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.ShapeCache.reset();
}

bool FinishStroke(DrawCore& doc, PreviewHost& host, bool close) {
    if (doc.GetPathCount() < 1) return false;
    PathShape& p = doc.Paths.back();
    if (close) {
        p.Closed = VbTrue;
        if (p.AnchorMax >= 2) DeleteAnchorAt(p, p.AnchorMax);
        p.ShapeCache.reset();
    }
    if (p.AnchorMax <= 0) {
        doc.DeletePath(doc.GetPathCount());
        return false;
    }
    FitGradientToPath(p);
    const CanvasSetup& s = doc.Setup;
    const float point = (s.OptimizeFlag & 1) ? static_cast<float>(s.OptimizePoint) : 0.0f;
    const float line = (s.OptimizeFlag & 2) ? static_cast<float>(s.OptimizeLine) : 0.0f;
    OptimizePath(p, point, line);
    host.RebuildPreview();
    PushHistory(doc);
    return true;
}

void FitGradientToPath(PathShape& path) {
    if (path.Anchors.empty()) return;
    std::int32_t minX = path.Anchors[0].X, maxX = minX, minY = path.Anchors[0].Y, maxY = minY;
    for (const AnchorPoint& a : path.Anchors) {
        minX = std::min(minX, a.X);
        maxX = std::max(maxX, a.X);
        minY = std::min(minY, a.Y);
        maxY = std::max(maxY, a.Y);
    }
    path.GradX = RoundHalfEven((static_cast<double>(minX) + maxX) / 2.0);
    path.GradY = RoundHalfEven((static_cast<double>(minY) + maxY) / 2.0);
    const double w = static_cast<double>(maxX) - minX;
    const double h = static_cast<double>(maxY) - minY;
    const double extent = h > w ? h : w;
    path.GradAngle = h > w ? 90.0f : 0.0f;
    path.GradScale = static_cast<float>(extent / kGradientSquare);
    path.ShapeCache.reset();
}

std::int32_t CreateRectangle(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style) {
    PathShape p = BoxShape(style, tx, ty);
    p.Anchors = {AnchorPoint{tx, ty, 0}, AnchorPoint{tx, ty + kBoxSize, 0}, AnchorPoint{tx + kBoxSize, ty + kBoxSize, 0},
                 AnchorPoint{tx + kBoxSize, ty, 0}};
    p.AnchorMax = 3;
    return doc.AppendPath(p);
}

std::int32_t CreateEllipse(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style) {
    PathShape p = BoxShape(style, tx, ty);
    const double cx = static_cast<double>(tx) + kBoxSize / 2;
    const double cy = static_cast<double>(ty) + kBoxSize / 2;
    constexpr double radius = kBoxSize / 2;
    for (int k = 0; k < 8; ++k) {
        const auto theta = static_cast<float>(k * 45 * Pi / 180.0);
        p.Anchors.push_back(AnchorPoint{RoundHalfEven(std::sin(static_cast<double>(theta)) * radius + cx),
                                        RoundHalfEven(cy - std::cos(static_cast<double>(theta)) * radius), 1});
    }
    p.AnchorMax = 7;
    return doc.AppendPath(p);
}

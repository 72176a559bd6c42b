#include "swf/ShapeExport.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "swf/BitEncoder.h"
#include "swf/WorkerThreads.h"

namespace {
constexpr int kDeltaBits = 17;
constexpr double kPi = 3.14159265358979;

// Highest anchor index that exists; a count larger than the array is not trusted.
std::int64_t ExportedMax(const PathShape& path) {
    const auto stored = static_cast<std::int64_t>(path.Anchors.size()) - 1;
    return std::min<std::int64_t>(path.AnchorMax, stored);
}

void AppendGradRecord(BitString& out, int ratio, std::int32_t color) {
    out.append(static_cast<std::uint32_t>(ratio), 8);
    ColorBits(out, color);
}

void EncodeFillStyles(BitString& out, const PathShape& path, int fill) {
    if (fill < 1 || fill > 4) {
        out.append(0, 8);  // FillStyleCount 0
        return;
    }
    out.append(1, 8);  // FillStyleCount 1
    if (fill == 1) {
        out.append(FillSolid, 8);
        ColorBits(out, path.FillColor);
        return;
    }
    out.append(fill == 4 ? FillRadialGradient : FillLinearGradient, 8);
    EncodeGradientMatrix(out, path);
    if (fill == 3) {
        out.append(3, 8);
        AppendGradRecord(out, 0, path.FillColor);
        AppendGradRecord(out, 128, path.FillColor2);
        AppendGradRecord(out, 255, path.FillColor);
    } else {
        out.append(2, 8);
        AppendGradRecord(out, 0, path.FillColor);
        AppendGradRecord(out, 255, path.FillColor2);
    }
}

void EncodeLineStyles(BitString& out, const PathShape& path, int line) {
    if (line < 1) {
        out.append(0, 8);  // LineStyleCount 0
        return;
    }
    out.append(1, 8);
    const auto width = static_cast<std::uint32_t>(path.LineWidth);
    out.append(width & 255u, 8);  // Width, little-endian
    out.append((width >> 8) & 255u, 8);
    ColorBits(out, path.LineColor);
}

// Edge deltas are 17-bit fields; longer edges (canvases beyond 3,276 px) are
// written in pieces that fit, so that they never wrap.
constexpr std::int64_t kLongestDelta = 65535;
// Points are held within this many twips of the origin (50,000 px, six times
// the largest canvas), so that no edge needs more than a few dozen pieces.
constexpr std::int64_t kFarthest = 1'000'000;

bool Fits(std::int64_t d) { return d >= -kLongestDelta - 1 && d <= kLongestDelta; }
std::int64_t Held(std::int64_t v) { return std::clamp(v, -kFarthest, kFarthest); }

void StraightEdge(BitString& out, std::int64_t& penX, std::int64_t& penY, std::int64_t x, std::int64_t y) {
    x = Held(x);
    y = Held(y);
    const std::int64_t dx = x - penX, dy = y - penY;
    const std::int64_t longest = std::max(std::abs(dx), std::abs(dy));
    // Rounded equal pieces of at most kLongestDelta each differ by at most that much.
    const std::int64_t pieces = Fits(dx) && Fits(dy) ? 1 : (longest + kLongestDelta - 1) / kLongestDelta;
    const std::int64_t fromX = penX, fromY = penY;
    for (std::int64_t k = 1; k <= pieces; ++k) {
        const std::int64_t nx = k == pieces ? x : fromX + std::llround(double(dx) * double(k) / double(pieces));
        const std::int64_t ny = k == pieces ? y : fromY + std::llround(double(dy) * double(k) / double(pieces));
        out.append(0b1111111, 7);  // edge, straight, NumBits 15, general line
        ToBitString(out, nx - penX, kDeltaBits);
        ToBitString(out, ny - penY, kDeltaBits);
        penX = nx;
        penY = ny;
    }
}

// A quadratic edge from the pen; halved (its points rounded to whole twips)
// until its deltas fit.
void CurvedEdgeTo(BitString& out, std::int64_t& penX, std::int64_t& penY, std::int64_t cx, std::int64_t cy,
                  std::int64_t endX, std::int64_t endY) {
    if (!Fits(cx - penX) || !Fits(cy - penY) || !Fits(endX - cx) || !Fits(endY - cy)) {
        const std::int64_t lx = MidpointHalfEven(penX, cx), ly = MidpointHalfEven(penY, cy);
        const std::int64_t rx = MidpointHalfEven(cx, endX), ry = MidpointHalfEven(cy, endY);
        const std::int64_t mx = MidpointHalfEven(lx, rx), my = MidpointHalfEven(ly, ry);
        CurvedEdgeTo(out, penX, penY, lx, ly, mx, my);
        CurvedEdgeTo(out, penX, penY, rx, ry, endX, endY);
        return;
    }
    out.append(0b101111, 6);  // edge, curved, NumBits 15
    ToBitString(out, cx - penX, kDeltaBits);
    ToBitString(out, cy - penY, kDeltaBits);
    ToBitString(out, endX - cx, kDeltaBits);
    ToBitString(out, endY - cy, kDeltaBits);
    penX = endX;
    penY = endY;
}

void CurvedEdge(BitString& out, std::int64_t& penX, std::int64_t& penY, const AnchorPoint& control,
                std::int64_t endX, std::int64_t endY) {
    CurvedEdgeTo(out, penX, penY, Held(control.X), Held(control.Y), Held(endX), Held(endY));
}

// Bits of the move-to fields: 17, or as many as a far start needs.
int MoveBits(std::int64_t x, std::int64_t y) {
    int bits = kDeltaBits;
    while (bits < 30 && !(x >= -(std::int64_t{1} << (bits - 1)) && x < (std::int64_t{1} << (bits - 1)) &&
                          y >= -(std::int64_t{1} << (bits - 1)) && y < (std::int64_t{1} << (bits - 1))))
        ++bits;
    return bits;
}

}  // namespace

const BitString* CachedPathBits(PathShape& path) {
    if (!path.ShapeCache) {
        BitString bits = EncodePathRecords(path);
        if (bits.empty()) return nullptr;  // not exported; nothing worth caching
        path.ShapeCache = std::make_shared<const BitString>(std::move(bits));
    }
    return path.ShapeCache.get();
}

// Each path's bits depend on that path alone, so blocks of paths are encoded side by side.
void EncodeStalePaths(std::vector<PathShape>& paths) {
    std::vector<std::size_t> stale;
    for (std::size_t i = 1; i < paths.size(); ++i)
        if (!paths[i].ShapeCache) stale.push_back(i);
    constexpr std::size_t block = 64;
    const std::size_t blocks = (stale.size() + block - 1) / block;
    ForEachOnWorkers(blocks, blocks > 2 ? WorkerCount(0) : 1, [&](std::size_t b, int) {
        for (std::size_t k = b * block; k < std::min(stale.size(), (b + 1) * block); ++k) CachedPathBits(paths[stale[k]]);
    });
}

std::int64_t MidpointHalfEven(std::int64_t a, std::int64_t b) {
    const std::int64_t sum = a + b;
    const std::int64_t low = sum >> 1;  // floor
    if ((sum & 1) == 0 || (low & 1) == 0) return low;
    return low + 1;
}

void EncodeGradientMatrix(BitString& out, const PathShape& path) {
    const float theta = static_cast<float>(static_cast<double>(path.GradAngle) * kPi / 180.0);
    const double s = path.GradScale;
    const double cosine = s * std::cos(static_cast<double>(theta));
    const double sine = s * std::sin(static_cast<double>(theta));
    EncodeMatrix(out, static_cast<float>(cosine), static_cast<float>(cosine), static_cast<float>(sine),
                 static_cast<float>(-sine), path.GradX, path.GradY);
    out.append(0, 1);  // the fields after it start on a byte boundary
}

void EncodeEdges(BitString& out, const PathShape& path, std::int64_t& penX, std::int64_t& penY) {
    const std::int64_t last = ExportedMax(path);
    if (last < 1) return;
    const bool closed = path.Closed != VbFalse;
    const auto& anchors = path.Anchors;
    const std::int64_t stop = closed ? last + 1 : last;  // a closed path visits anchor 0 last
    for (std::int64_t step = 1; step <= stop; ++step) {
        const std::int64_t i = step % (last + 1);
        const AnchorPoint& a = anchors[static_cast<std::size_t>(i)];
        if (a.Kind == 0 || (i == last && !closed)) {
            StraightEdge(out, penX, penY, a.X, a.Y);
        } else if (a.Kind == 1) {
            const std::int64_t j = (i + 1) % (last + 1);
            const AnchorPoint& next = anchors[static_cast<std::size_t>(j)];
            if (next.Kind == 0 || (j == last && !closed))
                CurvedEdge(out, penX, penY, a, next.X, next.Y);
            else
                CurvedEdge(out, penX, penY, a, MidpointHalfEven(a.X, next.X), MidpointHalfEven(a.Y, next.Y));
        }
    }
}

BitString EncodePathRecords(const PathShape& path) {
    BitString bits;
    const std::int64_t last = ExportedMax(path);
    if (last < 1) return bits;
    const bool closed = path.Closed != VbFalse;
    // An open path is never filled and always outlined.
    const int fill = closed ? path.FillType : 0;
    const int line = closed ? path.LineOn : 1;
    bits.reserveBits(static_cast<std::size_t>(last + 1) * 75 + 1000);

    bits.append(0b010000, 6);  // style change with new styles
    EncodeFillStyles(bits, path, fill);
    EncodeLineStyles(bits, path, line);
    bits.append(0b00010001, 8);  // NumFillBits 1, NumLineBits 1

    const auto& anchors = path.Anchors;
    std::int64_t x0 = anchors[0].X;
    std::int64_t y0 = anchors[0].Y;
    if (closed && anchors[0].Kind == 1) {
        if (anchors[1].Kind != 1) {
            x0 = anchors[1].X;
            y0 = anchors[1].Y;
        } else {
            x0 = MidpointHalfEven(anchors[0].X, anchors[1].X);
            y0 = MidpointHalfEven(anchors[0].Y, anchors[1].Y);
        }
    }
    bits.append(0b001011, 6);  // style change: line style, fill style 0, move-to
    x0 = Held(x0);
    y0 = Held(y0);
    const int moveBits = MoveBits(x0, y0);
    bits.append(static_cast<std::uint32_t>(moveBits), 5);
    ToBitString(bits, x0, moveBits);
    ToBitString(bits, y0, moveBits);
    bits.append(fill >= 1 && fill <= 4 ? 1 : 0, 1);
    bits.append(line >= 1 ? 1 : 0, 1);
    EncodeEdges(bits, path, x0, y0);
    return bits;
}

BitString AlignStyleBits(const BitString& pathBits, std::size_t accumulatedLength) {
    BitString out;
    if (pathBits.empty()) return out;
    const std::size_t r = (accumulatedLength + 6) % 8;
    out.append(pathBits.bytes()[0] >> 2, 6);
    if (r > 0) out.appendZeros(8 - r);
    out.append(pathBits, 6);
    return out;
}

void AppendAlignedPath(BitString& out, const BitString& pathBits) {
    if (pathBits.empty()) return;
    out.append(pathBits.bytes()[0] >> 2, 6);
    out.padToByte();
    out.append(pathBits, 6);
}

void DefineDrawingShape(SWFMakeCore& mk, std::uint16_t characterId, std::vector<PathShape>& paths,
                        std::int32_t canvasWidth, std::int32_t canvasHeight, std::vector<std::size_t>* styleStarts) {
    const std::size_t lengthIndex = BeginLongTag(mk, TagDefineShape3);
    const auto id = WordToBytes(characterId);
    CopyToMovie(mk, GrowMovie(mk, 2), id.data(), id.size());
    BitString bounds;
    EncodeRect24(bounds, 0, std::int64_t{canvasWidth} * 20, 0, std::int64_t{canvasHeight} * 20);
    AppendBits(mk, bounds);

    EncodeStalePaths(paths);
    std::size_t totalBits = 24 + 6;
    for (std::size_t i = 1; i < paths.size(); ++i)
        if (const ShapeCacheRef& bits = paths[i].ShapeCache) totalBits += bits->size() + 8;
    BitString& shape = mk.ShapeBits;
    shape.clear();
    shape.reserveBits(totalBits);
    shape.appendZeros(24);  // no styles of its own: each path brings its own
    const std::size_t base = mk.MovieBuffer.size();
    if (styleStarts) styleStarts->assign(paths.size(), 0);
    for (std::size_t i = 1; i < paths.size(); ++i) {
        const ShapeCacheRef& bits = paths[i].ShapeCache;
        if (!bits || bits->empty()) continue;
        // Its six flag bits, then zeros up to the byte where its style arrays start.
        if (styleStarts) (*styleStarts)[i] = base + (shape.size() + 6 + 7) / 8;
        AppendAlignedPath(shape, *bits);
    }
    shape.append(0, 6);  // EndShapeRecord
    AppendBits(mk, shape);
    shape.clear();
    PatchTagLength(mk, lengthIndex);
}

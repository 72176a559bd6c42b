#include <algorithm>
#include <cmath>

#include "swf/MorphShape.h"
#include "swf/RecordReaders.h"
#include "swf/ShapeReader.h"

namespace {

std::size_t ReadStyleCount(BitReader& r) {
    std::size_t count = r.readU8();
    if (count == 0xFF) count = r.readU16();
    return count;
}

std::string ReadMorphFill(BitReader& r, MorphFill& f) {
    f.Start.Type = f.End.Type = r.readU8();
    switch (f.Start.Type) {
    case FillSolid:
        f.Start.Color = ReadRgba(r);
        f.End.Color = ReadRgba(r);
        return {};
    case FillLinearGradient:
    case FillRadialGradient:
    case FillFocalGradient: {
        f.Start.Matrix = ReadMatrix(r);
        f.End.Matrix = ReadMatrix(r);
        const int count = r.readU8() & 15;
        for (int i = 0; i < count && !r.failed(); ++i) {
            for (FillStyle* side : {&f.Start, &f.End}) {
                SwfGradientStop stop;
                stop.Ratio = r.readU8();
                stop.Color = ReadRgba(r);
                side->Stops.push_back(stop);
            }
        }
        if (f.Start.Type == FillFocalGradient) {
            f.Start.Focal = static_cast<std::int16_t>(r.readU16()) / 256.0;
            f.End.Focal = static_cast<std::int16_t>(r.readU16()) / 256.0;
        }
        return {};
    }
    case FillRepeatingBitmap:
    case FillClippedBitmap:
    case FillRepeatingBitmapHard:
    case FillClippedBitmapHard:
        f.Start.BitmapId = f.End.BitmapId = r.readU16();
        f.Start.Matrix = ReadMatrix(r);
        f.End.Matrix = ReadMatrix(r);
        return {};
    default:
        return "unknown morph fill style type " + std::to_string(f.Start.Type);
    }
}

// Widths, then colours; a DefineMorphShape2 line has caps and joins first and
// may take its colour from a fill, whose first stop stands for a gradient.
std::string ReadMorphLine(BitReader& r, int tagCode, MorphLine& line) {
    line.Start.Width = r.readU16();
    line.End.Width = r.readU16();
    bool hasFill = false;
    if (tagCode == TagDefineMorphShape2) {
        const std::uint32_t flags = r.readUB(16);  // bit fields, first bit highest
        if (((flags >> 12) & 3) == 2) r.readU16();  // miter limit
        hasFill = flags & 0x0800;
    }
    if (!hasFill) {
        line.Start.Color = ReadRgba(r);
        line.End.Color = ReadRgba(r);
        return {};
    }
    MorphFill fill;
    if (std::string reason = ReadMorphFill(r, fill); !reason.empty()) return reason;
    for (auto [from, to] : {std::pair{&fill.Start, &line.Start}, {&fill.End, &line.End}}) {
        to->Color = from->Stops.empty() ? from->Color : from->Stops.front().Color;
        to->FromFill = from->Type != FillSolid;
    }
    return {};
}

std::string ReadMorphStyles(BitReader& r, int tagCode, MorphDefinition& morph) {
    const std::size_t fillCount = ReadStyleCount(r);
    for (std::size_t i = 0; i < fillCount && !r.failed(); ++i) {
        morph.Fills.emplace_back();
        if (std::string reason = ReadMorphFill(r, morph.Fills.back()); !reason.empty()) return reason;
    }
    const std::size_t lineCount = ReadStyleCount(r);
    for (std::size_t i = 0; i < lineCount && !r.failed(); ++i) {
        morph.Lines.emplace_back();
        if (std::string reason = ReadMorphLine(r, tagCode, morph.Lines.back()); !reason.empty()) return reason;
    }
    return r.failed() ? "morph styles run past the tag" : std::string{};
}

std::size_t EdgeCount(const std::vector<ShapeRecord>& records) {
    return static_cast<std::size_t>(std::count_if(records.begin(), records.end(), [](const ShapeRecord& rec) {
        return rec.Type != ShapeRecordType::StyleChange;
    }));
}

std::string ReadMorphBody(BitReader& r, int tagCode, MorphDefinition& morph, std::size_t& recordBudget) {
    morph.StartBounds = ReadRect(r);
    morph.EndBounds = ReadRect(r);
    if (tagCode == TagDefineMorphShape2) {
        ReadRect(r);  // start edge bounds
        ReadRect(r);  // end edge bounds
        r.readU8();   // stroke flags
    }
    const std::uint32_t offset = r.readU32();  // from here to the end edges
    const std::size_t base = r.bytePosition();
    if (r.failed() || offset > r.size() - base) return "the end edges' offset runs past the tag";
    if (std::string reason = ReadMorphStyles(r, tagCode, morph); !reason.empty()) return reason;
    if (std::string reason = ReadEdgeRecords(r, morph.StartEdges, recordBudget); !reason.empty())
        return "start edges: " + reason;
    BitReader end(r.data() + base + offset, r.size() - base - offset);
    if (std::string reason = ReadEdgeRecords(end, morph.EndEdges, recordBudget); !reason.empty())
        return "end edges: " + reason;
    if (EdgeCount(morph.StartEdges) != EdgeCount(morph.EndEdges)) return "start and end edges differ in number";
    return {};
}

// ---- Blending ----

// Blended positions stay within ±2^30 twips, so differences of two fit the record fields.
constexpr double MaxCoordinate = 1 << 30;

double Mix(double a, double b, double t) { return a + (b - a) * t; }
std::int32_t MixRound(double a, double b, double t) {
    return static_cast<std::int32_t>(std::lround(std::clamp(Mix(a, b, t), -MaxCoordinate, MaxCoordinate)));
}
std::uint8_t MixByte(int a, int b, double t) { return static_cast<std::uint8_t>(std::clamp(MixRound(a, b, t), 0, 255)); }

SwfColor MixColor(const SwfColor& a, const SwfColor& b, double t) {
    return {MixByte(a.R, b.R, t), MixByte(a.G, b.G, t), MixByte(a.B, b.B, t), MixByte(a.A, b.A, t)};
}

SwfMatrix MixMatrix(const SwfMatrix& a, const SwfMatrix& b, double t) {
    SwfMatrix m;
    m.ScaleX = Mix(a.ScaleX, b.ScaleX, t);
    m.ScaleY = Mix(a.ScaleY, b.ScaleY, t);
    m.RotateSkew0 = Mix(a.RotateSkew0, b.RotateSkew0, t);
    m.RotateSkew1 = Mix(a.RotateSkew1, b.RotateSkew1, t);
    m.TranslateX = MixRound(a.TranslateX, b.TranslateX, t);
    m.TranslateY = MixRound(a.TranslateY, b.TranslateY, t);
    return m;
}

FillStyle MixFill(const MorphFill& f, double t) {
    FillStyle out = f.Start;
    out.Color = MixColor(f.Start.Color, f.End.Color, t);
    out.Matrix = MixMatrix(f.Start.Matrix, f.End.Matrix, t);
    out.Focal = Mix(f.Start.Focal, f.End.Focal, t);
    for (std::size_t i = 0; i < out.Stops.size() && i < f.End.Stops.size(); ++i) {
        out.Stops[i].Ratio = MixByte(f.Start.Stops[i].Ratio, f.End.Stops[i].Ratio, t);
        out.Stops[i].Color = MixColor(f.Start.Stops[i].Color, f.End.Stops[i].Color, t);
    }
    return out;
}

LineStyle MixLine(const MorphLine& l, double t) {
    LineStyle out = l.Start;
    out.Width = static_cast<std::uint16_t>(std::clamp(MixRound(l.Start.Width, l.End.Width, t), 0, 65535));
    out.Color = MixColor(l.Start.Color, l.End.Color, t);
    return out;
}

struct Point {
    double X = 0, Y = 0;
};

// One side's edge in absolute coordinates; a straight edge's control lies at its middle.
struct AbsEdge {
    Point Control, Anchor;
    bool Curved = false;
};

AbsEdge Absolute(const ShapeRecord& rec, const Point& pen) {
    AbsEdge e;
    e.Curved = rec.Type == ShapeRecordType::CurvedEdge;
    e.Anchor = {pen.X + rec.ControlX + rec.DeltaX, pen.Y + rec.ControlY + rec.DeltaY};
    e.Control = e.Curved ? Point{pen.X + rec.ControlX, pen.Y + rec.ControlY}
                         : Point{(pen.X + e.Anchor.X) / 2, (pen.Y + e.Anchor.Y) / 2};
    return e;
}

// Builds the blended records: positions are blended absolutely and rounded,
// and each edge's deltas taken from the rounded point before, so no error adds up.
class EdgeBlender {
public:
    EdgeBlender(const MorphDefinition& m, double t) : m_(m), t_(t) {}

    std::vector<ShapeRecord> Run() {
        for (const ShapeRecord& rec : m_.StartEdges) {
            if (rec.Type == ShapeRecordType::StyleChange) {
                const ShapeRecord* counterpart = nullptr;
                if (end_ < m_.EndEdges.size() && m_.EndEdges[end_].Type == ShapeRecordType::StyleChange)
                    counterpart = &m_.EndEdges[end_++];
                StyleChange(rec, counterpart);
            } else {
                // End-side moves with no start counterpart still move the blend.
                while (end_ < m_.EndEdges.size() && m_.EndEdges[end_].Type == ShapeRecordType::StyleChange)
                    StyleChange(ShapeRecord{}, &m_.EndEdges[end_++]);
                Edge(rec);
            }
        }
        return std::move(out_);
    }

private:
    void StyleChange(ShapeRecord rec, const ShapeRecord* counterpart) {
        const bool endMoves = counterpart && counterpart->HasMoveTo;
        if (rec.HasMoveTo) startPen_ = {double(rec.MoveX), double(rec.MoveY)};
        if (endMoves) endPen_ = {double(counterpart->MoveX), double(counterpart->MoveY)};
        if (!rec.HasMoveTo && !endMoves && !rec.HasFill0 && !rec.HasFill1 && !rec.HasLine) return;
        rec.HasNewStyles = false;
        if (rec.HasMoveTo || endMoves) {
            rec.HasMoveTo = true;
            rec.MoveX = penX_ = MixRound(startPen_.X, endPen_.X, t_);
            rec.MoveY = penY_ = MixRound(startPen_.Y, endPen_.Y, t_);
        }
        out_.push_back(rec);
    }

    void Edge(const ShapeRecord& rec) {
        static const ShapeRecord still{ShapeRecordType::StraightEdge};
        const ShapeRecord& other = end_ < m_.EndEdges.size() ? m_.EndEdges[end_++] : still;
        const AbsEdge a = Absolute(rec, startPen_), b = Absolute(other, endPen_);
        const std::int32_t x = MixRound(a.Anchor.X, b.Anchor.X, t_), y = MixRound(a.Anchor.Y, b.Anchor.Y, t_);
        ShapeRecord edge;
        if (a.Curved || b.Curved) {
            edge.Type = ShapeRecordType::CurvedEdge;
            const std::int32_t cx = MixRound(a.Control.X, b.Control.X, t_), cy = MixRound(a.Control.Y, b.Control.Y, t_);
            edge.ControlX = cx - penX_;
            edge.ControlY = cy - penY_;
            edge.DeltaX = x - cx;
            edge.DeltaY = y - cy;
        } else {
            edge.Type = ShapeRecordType::StraightEdge;
            edge.DeltaX = x - penX_;
            edge.DeltaY = y - penY_;
        }
        out_.push_back(edge);
        startPen_ = a.Anchor;
        endPen_ = b.Anchor;
        penX_ = x;
        penY_ = y;
    }

    const MorphDefinition& m_;
    double t_;
    std::size_t end_ = 0;
    Point startPen_, endPen_;
    std::int32_t penX_ = 0, penY_ = 0;
    std::vector<ShapeRecord> out_;
};

}  // namespace

std::string ReadMorphShape(BitReader& r, int tagCode, MorphDefinition& morph, std::size_t& recordBudget) {
    morph.TagCode = tagCode;
    morph.Id = r.readU16();
    if (std::string reason = ReadMorphBody(r, tagCode, morph, recordBudget); !reason.empty())
        return "morph shape " + std::to_string(morph.Id) + ": " + reason;
    return {};
}

ShapeDefinition MorphShapeAt(const MorphDefinition& morph, std::uint16_t ratio) {
    const double t = ratio / 65535.0;
    ShapeDefinition shape;
    shape.Id = morph.Id;
    shape.TagCode = TagDefineShape3;
    const SwfRect &a = morph.StartBounds, &b = morph.EndBounds;
    shape.Bounds = {MixRound(a.Xmin, b.Xmin, t), MixRound(a.Xmax, b.Xmax, t), MixRound(a.Ymin, b.Ymin, t),
                    MixRound(a.Ymax, b.Ymax, t)};
    StyleSet& styles = shape.StyleSets.emplace_back();
    for (const MorphFill& f : morph.Fills) styles.Fills.push_back(MixFill(f, t));
    for (const MorphLine& l : morph.Lines) styles.Lines.push_back(MixLine(l, t));
    shape.Records = EdgeBlender(morph, t).Run();
    LayerSpan& span = shape.Layers.emplace_back();
    span.EndRecord = shape.Records.size();
    return shape;
}

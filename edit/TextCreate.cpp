#include "edit/TextCreate.h"

#include "edit/GroupCommands.h"

#include <map>
#include <memory>
#include <set>

#include "edit/FOutLine.h"
#include "edit/Geometry.h"
#include "edit/ShapeCreate.h"

namespace {
constexpr double kTwipsPerPixel = 16.0;

// The faces one text is drawn with: the chosen one, and for characters it
// lacks, faces that have them, each file opened once.
class FaceSet {
public:
    FaceSet(const TextFont& font, std::unique_ptr<OutlineFace> main) : font_(font), main_(std::move(main)) {}

    const OutlineFace& For(char32_t code) {
        if (code == U' ' || main_->HasChar(code)) return *main_;
        const std::optional<FontFile> file = MatchFontFile(font_, code);
        if (!file) return *main_;
        auto it = others_.find(file->Path);
        if (it == others_.end()) {
            std::string ignored;  // a fallback that fails to load leaves the chosen face's glyph
            it = others_.emplace(file->Path, OutlineFace::Load(*file, ignored)).first;
        }
        return it->second ? *it->second : *main_;
    }

private:
    const TextFont& font_;
    std::unique_ptr<OutlineFace> main_;
    std::map<std::string, std::unique_ptr<OutlineFace>> others_;
};

PathShape ContourPath(const PathShape& styled, const OutlineContour& contour, double penX, double y0, double ascent) {
    PathShape p = styled;
    for (const OutlinePoint& pt : contour)
        p.Anchors.push_back(AnchorPoint{RoundHalfEven(kTwipsPerPixel * pt.X + penX),
                                        RoundHalfEven(kTwipsPerPixel * (ascent - pt.Y) + y0), pt.Kind});
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    FitGradientToPath(p);
    p.GradAngle = 90.0f;  // text gradients always run vertically
    return p;
}
}  // namespace

std::int32_t CreateText(DrawCore& doc, std::int32_t x0, std::int32_t y0, const DrawStyle& style,
                        std::u32string_view text, const TextFont& font, std::string& error) {
    if (text.empty()) return 0;
    const std::optional<FontFile> file = MatchFontFile(font);
    std::unique_ptr<OutlineFace> face = file ? OutlineFace::Load(*file, error) : nullptr;
    if (!face) {
        error = font.Family;
        return 0;
    }
    const double ascent = face->Ascent();
    FaceSet faces(font, std::move(face));
    PathShape styled = StyledPath(style);
    styled.Closed = VbTrue;
    styled.Selected = VbTrue;
    double penX = x0;
    std::int32_t last = 0;
    for (const char32_t code : text) {
        if (code < 32) continue;
        const GlyphOutline glyph = faces.For(code).Glyph(code);
        const std::int32_t group = glyph.Contours.size() > 1 ? NewGroupNo(doc, 1) : 0;
        styled.GroupNo = group;
        styled.Grouped = group >= 1 ? VbTrue : VbFalse;
        for (const OutlineContour& contour : glyph.Contours)
            last = doc.AppendPath(ContourPath(styled, contour, penX, y0, ascent));
        penX += kTwipsPerPixel * glyph.CellIncX;
    }
    return last;
}

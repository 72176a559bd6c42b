#include "edit/FOutLine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace {
constexpr FT_F26Dot6 kSize = 64 * 64;  // 64 points in 26.6
constexpr FT_UInt kDpi = 96;
constexpr FT_Fixed kObliqueShear = 0x0366A;  // about 12 degrees, as FreeType's own oblique
constexpr std::int16_t kCubic = 2;         // a cubic control point, while reading

double Pixels(FT_Pos v) { return static_cast<double>(v) / 64.0; }

// Cubic segments (only in faces that are not TrueType) become one quadratic
// curve each, with the control point that matches the cubic's midpoint tangent.
OutlineContour CubicsToQuadratics(const OutlineContour& c) {
    OutlineContour out;
    const std::size_t n = c.size();
    for (std::size_t i = 0; i < n; ++i) {
        const OutlinePoint& p = c[i];
        if (p.Kind == kCubic && i + 1 < n && c[i + 1].Kind == kCubic && !out.empty()) {
            const OutlinePoint& p0 = out.back();
            const OutlinePoint& p3 = c[(i + 2) % n];
            out.push_back({(3 * (p.X + c[i + 1].X) - p0.X - p3.X) / 4, (3 * (p.Y + c[i + 1].Y) - p0.Y - p3.Y) / 4, 1});
            ++i;
        } else {
            out.push_back({p.X, p.Y, static_cast<std::int16_t>(p.Kind == 0 ? 0 : 1)});
        }
    }
    return out;
}
}  // namespace

OutlineContour StartOnCurve(const OutlineContour& contour) {
    const std::size_t n = contour.size();
    for (std::size_t s = 0; s < n; ++s) {
        if (contour[s].Kind != 0) continue;
        OutlineContour out(contour.begin() + static_cast<std::ptrdiff_t>(s), contour.end());
        out.insert(out.end(), contour.begin(), contour.begin() + static_cast<std::ptrdiff_t>(s));
        return out;
    }
    if (n == 0) return {};
    OutlineContour out;
    out.push_back({(contour.back().X + contour.front().X) / 2, (contour.back().Y + contour.front().Y) / 2, 0});
    out.insert(out.end(), contour.begin(), contour.end());
    return out;
}

struct OutlineFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    bool syntheticBold = false;
    bool syntheticItalic = false;
    ~Impl() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

OutlineFace::OutlineFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
OutlineFace::~OutlineFace() = default;

std::unique_ptr<OutlineFace> OutlineFace::Load(const FontFile& file, std::string& error) {
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0) {
        error = "FreeType cannot start";
        return nullptr;
    }
    if (FT_New_Face(impl->library, file.Path.c_str(), file.Index, &impl->face) != 0 || !FT_IS_SCALABLE(impl->face) ||
        FT_Set_Char_Size(impl->face, 0, kSize, kDpi, kDpi) != 0) {
        error = file.Path;
        return nullptr;
    }
    // The face's own style decides, not what the match was asked for.
    const FT_Face face = impl->face;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 || (os2 && os2->usWeightClass >= 600);
    impl->syntheticBold = file.Bold && !bold;
    impl->syntheticItalic = file.Italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    return std::unique_ptr<OutlineFace>(new OutlineFace(std::move(impl)));
}

std::int32_t OutlineFace::Ascent() const {
    return static_cast<std::int32_t>(std::ceil(Pixels(impl_->face->size->metrics.ascender)));
}

bool OutlineFace::HasChar(char32_t code) const { return FT_Get_Char_Index(impl_->face, code) != 0; }
bool OutlineFace::SyntheticBold() const { return impl_->syntheticBold; }
bool OutlineFace::SyntheticItalic() const { return impl_->syntheticItalic; }

GlyphOutline OutlineFace::Glyph(char32_t code) const {
    GlyphOutline glyph;
    FT_Face face = impl_->face;
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) {
        glyph.CellIncX = static_cast<std::int32_t>(std::lround(Pixels(advance)));
        return glyph;
    }
    FT_Outline& outline = slot->outline;
    if (impl_->syntheticItalic) {
        FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&outline, &shear);
    }
    if (impl_->syntheticBold) {
        const FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
        if (FT_Outline_Embolden(&outline, strength) == 0) advance += strength;
    }
    glyph.CellIncX = static_cast<std::int32_t>(std::lround(Pixels(advance)));
    int first = 0;
    for (int c = 0; c < outline.n_contours; ++c) {
        const int last = outline.contours[c];
        OutlineContour contour;
        for (int i = first; i <= last && i < outline.n_points; ++i) {
            const int tag = FT_CURVE_TAG(outline.tags[i]);
            const std::int16_t kind = tag == FT_CURVE_TAG_ON ? 0 : tag == FT_CURVE_TAG_CONIC ? 1 : kCubic;
            contour.push_back({Pixels(outline.points[i].x), Pixels(outline.points[i].y), kind});
        }
        first = last + 1;
        contour = CubicsToQuadratics(StartOnCurve(contour));
        if (contour.size() >= 2) glyph.Contours.push_back(std::move(contour));
    }
    return glyph;
}

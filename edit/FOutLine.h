#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "edit/FontList.h"

// Glyph outlines read with FreeType from a face at 64 points on a 96-dpi
// device, unhinted, in pixels with Y growing upwards from the baseline.

// Kind 0 a point on the outline, 1 a quadratic control point; between two
// control points the outline passes through their midpoint.
struct OutlinePoint {
    double X = 0;
    double Y = 0;
    std::int16_t Kind = 0;
};
using OutlineContour = std::vector<OutlinePoint>;

struct GlyphOutline {
    std::vector<OutlineContour> Contours;  // each starts with a point on the outline
    std::int32_t CellIncX = 0;             // advance of the pen, whole pixels
};

// The same closed contour starting at a point on the outline: at its first
// such point, or, when all are control points, at the midpoint of the last
// and the first.
OutlineContour StartOnCurve(const OutlineContour& contour);

class OutlineFace {
public:
    // Opens the face of `file`; a bold or italic style the face lacks is
    // made synthetically. Null, with the file named in `error`, when
    // FreeType cannot load it.
    static std::unique_ptr<OutlineFace> Load(const FontFile& file, std::string& error);
    ~OutlineFace();
    OutlineFace(const OutlineFace&) = delete;
    OutlineFace& operator=(const OutlineFace&) = delete;

    // The ascent above the baseline, whole pixels.
    std::int32_t Ascent() const;
    bool HasChar(char32_t code) const;
    bool SyntheticBold() const;
    bool SyntheticItalic() const;
    // The outline of `code`; no contours for a blank or an unreadable glyph.
    GlyphOutline Glyph(char32_t code) const;

private:
    struct Impl;
    explicit OutlineFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

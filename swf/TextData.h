#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "swf/MovieData.h"
#include "swf/ShapeLayers.h"

// Fonts and texts of a parsed movie. Glyph outlines are in the font's em
// square (1024 units, 20480 for DefineFont3), y growing down from the baseline.

struct FontGlyph {
    std::vector<PathCommand> Commands;  // the glyph's fill contours
    std::int32_t Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;  // of the outline; all 0 when it is empty
    std::uint16_t Code = 0;             // the character it draws, where the font has a code table
    double Advance = 0;                 // from the font's layout, or made from the outline
};

struct FontDefinition {
    std::uint16_t Id = 0;
    double EmSize = 1024;
    std::vector<FontGlyph> Glyphs;
    bool HasCodes = false;
    double Ascent = 0, Descent = 0, Leading = 0;  // from the layout, or from the outlines
};

struct TextGlyphEntry {
    std::uint32_t Index = 0;
    std::int32_t Advance = 0;
};

// One text record: what it sets for itself and for the records after it.
struct TextRun {
    bool HasFont = false, HasColor = false, HasX = false, HasY = false;
    std::uint16_t FontId = 0, Height = 0;
    SwfColor Color;
    std::int16_t X = 0, Y = 0;
    std::vector<TextGlyphEntry> Glyphs;
};

// DefineText and DefineText2.
struct StaticText {
    SwfRect Bounds;
    SwfMatrix Matrix;
    std::vector<TextRun> Runs;
};

// DefineEditText, with the fields that shape its initial text.
struct EditText {
    SwfRect Bounds;
    bool HasFont = false, UseOutlines = false, Html = false, Password = false;
    std::uint16_t FontId = 0, Height = 0;
    SwfColor Color;
    std::uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justified
    std::uint16_t LeftMargin = 0, RightMargin = 0, Indent = 0;
    std::int16_t Leading = 0;
    std::string Text;  // the initial text, as stored
};

struct TextCharacter {
    std::variant<FontDefinition, StaticText, EditText> Def;
};

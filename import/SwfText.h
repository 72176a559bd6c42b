#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "import/Geometry2D.h"
#include "swf/TextData.h"

// Where a movie's text puts its glyphs: each glyph's outline with the map
// from the font's em square into the text character's own space.
struct PlacedGlyph {
    const FontGlyph* Glyph = nullptr;
    Affine Map;
    SwfColor Color;
};

struct TextLayout {
    std::vector<PlacedGlyph> Glyphs;
    std::int64_t Missing = 0;    // glyphs of a font or index the movie lacks, or characters the font lacks
    bool LeftOutField = false;   // an edit text drawn with a device font: nothing to outline
};

using TextCharacters = std::map<std::uint16_t, std::shared_ptr<const TextCharacter>>;

// Static text: each glyph at its pen position, scaled by the text height per
// em, through the text's matrix. Edit text with an embedded font: its
// initial text (tags stripped when it is HTML), one line per line break,
// with the font's advances, ascent, descent and leading, inside the field's
// 2-pixel gutter, margins and indent, aligned left, right or centred.
// `utf8`: the movie's strings are UTF-8 (version 6 on), else Latin-1.
TextLayout LayOutText(const TextCharacters& characters, const TextCharacter& text, bool utf8);

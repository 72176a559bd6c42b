#pragma once
#include "swf/TagCodes.h"
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Plain records of a parsed movie: what the reader produces and the
// renderer consumes. Coordinates are twips.

struct SwfColor {
    std::uint8_t R = 0, G = 0, B = 0, A = 255;
    bool operator==(const SwfColor&) const = default;
};

struct SwfRect {
    std::int32_t Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
};

// x' = ScaleX*x + RotateSkew1*y + TranslateX; y' = RotateSkew0*x + ScaleY*y + TranslateY.
struct SwfMatrix {
    double ScaleX = 1.0, ScaleY = 1.0, RotateSkew0 = 0.0, RotateSkew1 = 0.0;
    std::int32_t TranslateX = 0, TranslateY = 0;
    bool operator==(const SwfMatrix&) const = default;
};

// 8.8 multipliers and additions, channel order R, G, B, A.
struct SwfColorTransform {
    std::int32_t Mult[4] = {256, 256, 256, 256};
    std::int32_t Add[4] = {0, 0, 0, 0};
    bool operator==(const SwfColorTransform&) const = default;
};

// Each channel (value * mult) >> 8, plus add, clamped to 0..255.
SwfColor ApplyColorTransform(const SwfColorTransform& cx, SwfColor c);

struct SwfGradientStop {
    std::uint8_t Ratio = 0;
    SwfColor Color;
    bool operator==(const SwfGradientStop&) const = default;
};

struct FillStyle {
    std::uint8_t Type = FillSolid;
    SwfColor Color;                     // solid
    SwfMatrix Matrix;                   // gradient or bitmap matrix
    std::vector<SwfGradientStop> Stops;    // gradients
    std::uint16_t BitmapId = 0;         // bitmaps
    double Focal = 0;                   // focal gradients: where the focus lies on the x axis, -1..1
    bool operator==(const FillStyle&) const = default;
};

struct LineStyle {
    std::uint16_t Width = 0;
    SwfColor Color;
    bool FromFill = false;  // a gradient or bitmap line, held as one colour
    bool operator==(const LineStyle&) const = default;
};

struct StyleSet {
    std::vector<FillStyle> Fills;
    std::vector<LineStyle> Lines;
    bool operator==(const StyleSet&) const = default;
};

enum class ShapeRecordType : std::uint8_t { StyleChange, StraightEdge, CurvedEdge };

// One shape record. Edges hold their deltas: a straight edge in (DeltaX,
// DeltaY); a curved edge the control delta in (ControlX, ControlY) from the
// pen and the anchor delta in (DeltaX, DeltaY) from the control point.
struct ShapeRecord {
    ShapeRecordType Type = ShapeRecordType::StyleChange;
    bool HasMoveTo = false, HasFill0 = false, HasFill1 = false, HasLine = false, HasNewStyles = false;
    std::int32_t MoveX = 0, MoveY = 0;
    std::uint32_t Fill0 = 0, Fill1 = 0, Line = 0;
    std::uint32_t StyleSetIndex = 0;  // with HasNewStyles: index into ShapeDefinition::StyleSets
    std::int32_t ControlX = 0, ControlY = 0, DeltaX = 0, DeltaY = 0;
    bool operator==(const ShapeRecord&) const = default;
};

// The records from one style set's start up to the next: drawn as one layer.
// `Hash` identifies the layer's encoded bits independently of where they lie
// in the tag, so a renderer can reuse work for layers that did not change.
struct LayerSpan {
    std::uint32_t StyleSetIndex = 0;
    std::size_t FirstRecord = 0, EndRecord = 0;
    // Pen position where the layer starts; it shapes the drawing only when
    // UsesPen: an edge comes before the layer's first move-to.
    std::int32_t PenX = 0, PenY = 0;
    bool UsesPen = false;
    std::uint64_t Hash = 0;
    // The hashed bits in the tag body: from the style arrays (a byte boundary)
    // to the record that opens the next layer; Seed hashes the fields of the
    // record that opened this one.
    std::size_t BeginBit = 0, EndBit = 0;
    std::uint64_t Seed = 0;
    bool operator==(const LayerSpan&) const = default;
};

struct ShapeDefinition {
    std::uint16_t Id = 0;
    int TagCode = 0;  // 2, 22, 32 or 83
    SwfRect Bounds;
    std::vector<StyleSet> StyleSets;  // [0]: the initial styles
    std::vector<ShapeRecord> Records;
    std::vector<LayerSpan> Layers;
    std::size_t BodyOffset = 0, BodySize = 0;  // where the tag body lies in the movie's bytes
};

struct BitmapDefinition {
    std::uint16_t Id = 0;
    std::vector<std::uint8_t> Jpeg;  // JPEG stream with the leading FF D9 FF D8 removed
    // Bitmaps of foreign movies, decoded when drawn: the tag, the JPEG tags' zlib-packed
    // alpha (one byte a pixel), and for the lossless tags the body after the id.
    int TagCode = TagDefineBitsJpeg2;
    std::vector<std::uint8_t> Alpha, Lossless;
};

struct Placement {
    std::uint16_t Depth = 0;
    std::uint16_t CharacterId = 0;
    bool HasCharacter = false;
    SwfMatrix Matrix;
    SwfColorTransform ColorTransform;
    bool IsMask = false;  // placed with a clip depth: masks others, is not drawn
    std::uint16_t Ratio = 0;  // a morph's blend, 0..65535
};

// A sprite as it stands at the end of its own first frame.
struct SpriteDefinition {
    std::uint16_t Id = 0;
    std::map<std::uint16_t, Placement> DisplayList;
};

struct TextCharacter;  // swf/TextData.h

struct MovieHeader {
    std::uint8_t Version = 0;
    std::uint32_t FileLength = 0;
    SwfRect FrameSize;
    double FrameRate = 0.0;
    std::uint16_t FrameCount = 0;
};

struct MorphDefinition;  // swf/MorphShape.h

struct ParsedMovie {
    MovieHeader Header;
    std::map<std::uint16_t, std::shared_ptr<const ShapeDefinition>> Shapes;
    std::map<std::uint16_t, std::shared_ptr<const BitmapDefinition>> Bitmaps;
    std::map<std::uint16_t, Placement> DisplayList;  // by depth: drawn in ascending order
    std::map<std::uint16_t, SpriteDefinition> Sprites;
    std::map<std::uint16_t, std::shared_ptr<const MorphDefinition>> Morphs;
    std::vector<std::uint8_t> JpegTables;  // JPEGTables, shared by DefineBits tags
    std::map<std::uint16_t, std::shared_ptr<const TextCharacter>> Texts;  // fonts, static and edit texts
    std::optional<SwfColor> Background;  // SetBackgroundColor
    int Scripts = 0;      // action and bytecode tags and clip actions: counted, never run
    int UnknownTags = 0;  // tags of codes the format does not define: skipped
    int DamagedTags = 0;  // tags skipped for a damaged body (read with DamagedTagMode::Skip)
    bool Complete = false;  // first frame read to its ShowFrame (or End) without a fault
    std::string Reason;     // why the movie is blank or partial; empty when complete
};

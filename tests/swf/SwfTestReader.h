#pragma once
// A small movie reader for tests, written from the file format alone and
// sharing no code with the writer, so the writer's output can be checked by
// parsing it back.
#include <cstdint>
#include <string>
#include <vector>

#include "core/BitString.h"

// The bits of a bit string as "0"/"1" text, for readable expectations.
std::string BitText(const BitString& bits);
// Bytes as upper-case hex pairs without separators.
std::string HexText(const std::string& bytes);
std::string HexText(const std::vector<std::uint8_t>& bytes);

class BitReader {
public:
    explicit BitReader(std::string bytes, std::size_t start = 0) : data_(std::move(bytes)), pos_(start * 8) {}
    std::uint32_t U(int n);
    std::int32_t S(int n);
    std::uint32_t U16LE();
    std::uint32_t U32LE();
    void Align() { pos_ = (pos_ + 7) & ~std::size_t{7}; }
    std::size_t BytePos() const { return pos_ / 8; }
    bool Overrun() const { return overrun_; }

private:
    std::string data_;
    std::size_t pos_;
    bool overrun_ = false;
};

struct SwfRect {
    int NBits = 0;
    std::int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
};

struct SwfMatrix {
    bool HasScale = false, HasRotate = false;
    int ScaleBits = 0, RotateBits = 0, TranslateBits = 0;
    double ScaleX = 1, ScaleY = 1, Skew0 = 0, Skew1 = 0;
    std::int32_t TranslateX = 0, TranslateY = 0;
};

struct SwfFillStyle {
    int Type = 0;
    std::uint32_t Color = 0;  // RGBA as read, red in the high byte
    SwfMatrix Matrix;
    std::vector<std::pair<int, std::uint32_t>> Gradient;  // ratio, RGBA
};

struct SwfLineStyle {
    std::uint32_t Width = 0;
    std::uint32_t Color = 0;
};

struct SwfEdge {
    bool Curved = false;
    std::int32_t ControlX = 0, ControlY = 0;  // absolute, curves only
    std::int32_t X = 0, Y = 0;                // absolute end point
};

// One style-change record with new styles and what follows it up to the next one.
struct SwfPathRecords {
    std::vector<SwfFillStyle> Fills;
    std::vector<SwfLineStyle> Lines;
    std::uint32_t FillStyle0 = 0, LineStyle = 0;
    bool HasMoveTo = false;
    int MoveBits = 0;
    std::int32_t StartX = 0, StartY = 0;
    std::vector<SwfEdge> Edges;
    std::vector<int> EdgeNumBits;
};

struct SwfShape {
    std::uint16_t Id = 0;
    SwfRect Bounds;
    std::vector<SwfPathRecords> Paths;
    bool Ended = false;  // EndShapeRecord seen
    std::string Error;
};

struct SwfCxform {
    bool HasAdd = false, HasMult = false;
    int NBits = 0;
    std::int32_t Mult[4] = {256, 256, 256, 256};
    std::int32_t Add[4] = {0, 0, 0, 0};
};

struct SwfPlace {
    int Flags = 0;
    std::uint16_t Depth = 0, CharacterId = 0;
    SwfMatrix Matrix;
    SwfCxform Cxform;
    std::size_t BytesRead = 0;
};

struct SwfTag {
    int Code = 0;
    bool LongHeader = false;
    std::size_t Offset = 0;  // of the header
    std::string Body;
};

struct SwfMovie {
    std::string Signature;
    int Version = 0;
    std::uint32_t FileLength = 0;
    SwfRect FrameSize;
    std::uint32_t FrameRate = 0;  // 8.8
    std::uint32_t FrameCount = 0;
    std::vector<SwfTag> Tags;
    std::string Error;  // empty when the tag walk ended cleanly at End and the file length
};

SwfMovie DecodeMovie(const std::string& bytes);
SwfShape DecodeShape3(const std::string& body);
SwfPlace DecodePlace2(const std::string& body);
SwfMatrix ReadMatrix(BitReader& in);

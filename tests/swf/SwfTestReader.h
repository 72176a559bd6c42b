#pragma once
// A small movie reader for tests, written from the file format alone and
// sharing no code with the writer, so the writer's output can be parsed back.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/BitString.h"

// The bits as "0"/"1" text, and bytes as upper-case hex pairs, for readable expectations.
std::string BitText(const BitString& bits);
std::string HexText(const std::string& bytes);
std::string HexText(const std::vector<std::uint8_t>& bytes);

class BitReader {
public:
    explicit BitReader(std::string bytes, std::size_t start = 0) : data_(std::move(bytes)), pos_(start * 8) {}
    std::uint32_t U(int n);
    std::int32_t S(int n);
    std::uint32_t U16LE() { return U(8) | (U(8) << 8); }
    std::uint32_t U32LE() { return U16LE() | (U16LE() << 16); }
    void Align() { pos_ = (pos_ + 7) & ~std::size_t{7}; }
    std::size_t BytePos() const { return pos_ / 8; }
    bool Overrun() const { return pos_ > data_.size() * 8; }

private:
    std::string data_;
    std::size_t pos_;
};

struct SwfRect {
    int NBits = 0;
    std::int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
};

struct SwfMatrix {
    int ScaleBits = 0, RotateBits = 0, TranslateBits = 0;  // 0 when the part is absent
    double ScaleX = 1, ScaleY = 1, Skew0 = 0, Skew1 = 0;
    std::int32_t TranslateX = 0, TranslateY = 0;
};

struct SwfFillStyle {
    int Type = 0;
    std::uint32_t Color = 0;  // RGBA, red in the high byte
    SwfMatrix Matrix;
    std::vector<std::pair<int, std::uint32_t>> Gradient;  // ratio, RGBA
};

struct SwfEdge {
    bool Curved = false;
    std::int32_t ControlX = 0, ControlY = 0;  // absolute; curves only
    std::int32_t X = 0, Y = 0;                // absolute end point
    int NumBits = 0;
};

// A style change with new styles and the records up to the next one.
struct SwfPathRecords {
    std::vector<SwfFillStyle> Fills;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Lines;  // width, RGBA
    std::uint32_t FillStyle0 = 0, LineStyle = 0;
    std::int32_t StartX = 0, StartY = 0;
    std::vector<SwfEdge> Edges;
};

struct SwfShape {
    std::uint16_t Id = 0;
    SwfRect Bounds;
    std::vector<SwfPathRecords> Paths;
    std::string Error;  // empty when the records end with EndShapeRecord at the tag's end
};

struct SwfPlace {
    int Flags = 0;
    std::uint16_t Depth = 0, CharacterId = 0;
    SwfMatrix Matrix;
    int CxformBits = 0;
    std::int32_t Mult[4] = {256, 256, 256, 256};
    std::int32_t Add[4] = {0, 0, 0, 0};
    bool UsedWholeBody = false;
};

struct SwfTag {
    int Code = 0;
    std::string Body;
};

struct SwfMovie {
    std::uint32_t FileLength = 0;
    SwfRect FrameSize;
    std::uint32_t FrameRate = 0;  // 8.8
    std::uint32_t FrameCount = 0;
    std::vector<SwfTag> Tags;
    std::string Error;  // empty when the tags end with End exactly at FileLength
};

SwfMovie DecodeMovie(const std::string& bytes);
SwfShape DecodeShape3(const std::string& body);
SwfPlace DecodePlace2(const std::string& body);

#pragma once
// Assembles small movies bit by bit for reader and renderer tests.
#include <cstdint>
#include <lzma.h>
#include <zlib.h>
#include <string>
#include <vector>

#include "core/BitString.h"
#include "swf/BitEncoder.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"

namespace testmovie {

inline void Bytes(BitString& b, std::initializer_list<int> values) {
    for (int v : values) b.append(static_cast<std::uint32_t>(v), 8);
}
inline void U16(BitString& b, int v) { Bytes(b, {v & 255, (v >> 8) & 255}); }

// MATRIX through the writer's encoder, padded to whole bytes.
inline void Matrix(BitString& b, double sx, double sy, double r0, double r1, int tx, int ty) {
    EncodeMatrix(b, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(r0), static_cast<float>(r1), tx, ty);
    b.padToByte();
}

struct Color { int R, G, B, A = 255; };

// A fill style of a DefineShape3: solid (type 0) or bitmap (0x40..0x43).
struct Fill {
    int Type = 0;
    Color C{0, 0, 0, 255};
    double Sx = 1, Sy = 1, R0 = 0, R1 = 0;
    int Tx = 0, Ty = 0;
    int BitmapId = 0;
};
struct Line { int Width; Color C; };

// Shape records with 17-bit fields and one fill and one line bit.
struct Records {
    BitString Bits;
    int FillBits = 1, LineBits = 1;

    // Starts a layer: a style-change record with new styles (arrays byte-aligned),
    // which first moves the pen to (x, y) when `move` is set.
    void NewStyles(const std::vector<Fill>& fills, const std::vector<Line>& lines, int fillBits = 1, int lineBits = 1,
                   bool move = false, int x = 0, int y = 0) {
        Bits.append(move ? 0b010001 : 0b010000, 6);
        if (move) MoveBits(x, y);
        Bits.padToByte();
        Bytes(Bits, {static_cast<int>(fills.size())});
        for (const Fill& f : fills) {
            Bytes(Bits, {f.Type});
            if (f.Type == 0) {
                Bytes(Bits, {f.C.R, f.C.G, f.C.B, f.C.A});
            } else {
                U16(Bits, f.BitmapId);
                Matrix(Bits, f.Sx, f.Sy, f.R0, f.R1, f.Tx, f.Ty);
            }
        }
        Bytes(Bits, {static_cast<int>(lines.size())});
        for (const Line& l : lines) Bytes(Bits, {l.Width & 255, l.Width >> 8, l.C.R, l.C.G, l.C.B, l.C.A});
        Bits.append(static_cast<std::uint32_t>(fillBits << 4 | lineBits), 8);
        FillBits = fillBits;
        LineBits = lineBits;
    }
    // Style change with move-to and the given style indices (-1 = leave unchanged).
    void Change(int x, int y, int fill0, int fill1, int line) {
        Bits.append(0, 2);  // a style change without new styles
        for (int index : {line, fill1, fill0}) Bits.append(index >= 0, 1);
        Bits.append(1, 1);  // move-to
        MoveBits(x, y);
        if (fill0 >= 0) Bits.append(static_cast<std::uint32_t>(fill0), FillBits);
        if (fill1 >= 0) Bits.append(static_cast<std::uint32_t>(fill1), FillBits);
        if (line >= 0) Bits.append(static_cast<std::uint32_t>(line), LineBits);
    }
    // A move-to's coordinates in 17-bit fields.
    void MoveBits(int x, int y) {
        Bits.append(17, 5);
        Bits.append(static_cast<std::uint32_t>(x), 17);
        Bits.append(static_cast<std::uint32_t>(y), 17);
    }
    void Straight(int dx, int dy) {
        Bits.append(0b1111111, 7);
        Bits.append(static_cast<std::uint32_t>(dx), 17);
        Bits.append(static_cast<std::uint32_t>(dy), 17);
    }
    void Curve(int cx, int cy, int ax, int ay) {
        Bits.append(0b101111, 6);
        for (int v : {cx, cy, ax, ay}) Bits.append(static_cast<std::uint32_t>(v), 17);
    }
    // A layer of `fill` and a blue 20-twip line style: a w x h rectangle from
    // (x, y), filled with fill style `fill0` and outlined with line style `line`.
    void Rect(int x, int y, int w, int h, const Fill& fill, int fill0 = 1, int line = 0) {
        NewStyles({fill}, {Line{20, {0, 0, 255}}});
        Change(x, y, fill0, -1, line);
        Straight(w, 0);
        Straight(0, h);
        Straight(-w, 0);
        Straight(0, -h);
    }
};

// Tag with a long header.
inline void Tag(std::string& movie, int code, const BitString& body) {
    const auto n = static_cast<std::uint32_t>(body.bytes().size());
    BitString head;
    U16(head, (code << 6) | 0x3F);
    for (int i = 0; i < 4; ++i) Bytes(head, {static_cast<int>((n >> (8 * i)) & 255)});
    head.append(body);
    movie.append(reinterpret_cast<const char*>(head.bytes().data()), head.bytes().size());
}
inline void ShortTag(std::string& movie, int code) {
    movie.push_back(static_cast<char>((code << 6) & 255));
    movie.push_back(static_cast<char>(code >> 2));
}

// DefineShape3 body: id, bounds, empty initial styles, then `records`.
inline BitString Shape3(int id, int w, int h, const Records& records) {
    BitString b;
    U16(b, id);
    EncodeRect24(b, 0, w, 0, h);
    b.padToByte();
    Bytes(b, {0, 0, 0});
    b.append(records.Bits);
    b.appendZeros(6);  // end record
    b.padToByte();
    return b;
}

inline BitString Place(int id, int depth, double sx = 1, double sy = 1, double r0 = 0, double r1 = 0, int tx = 0,
                       int ty = 0, std::vector<int> mult = {256, 256, 256, 255}, std::vector<int> add = {0, 0, 0, 0}) {
    BitString b;
    Bytes(b, {0x0E});
    U16(b, depth);
    U16(b, id);
    Matrix(b, sx, sy, r0, r1, tx, ty);
    EncodeCxformAlpha(b, {mult[0], mult[1], mult[2], mult[3]}, {add[0], add[1], add[2], add[3]});
    b.padToByte();
    return b;
}

// DefineFont2 or DefineFont3 body: glyphs of records with one fill bit and no
// line bits, 16-bit offsets and codes, and a layout (ascent, descent, no
// leading, advances, empty bounds) when `advances` is given.
inline BitString FontTag(int id, const std::vector<Records>& glyphs, const std::vector<int>& codes,
                       const std::vector<int>& advances = {}, int ascent = 0, int descent = 0) {
    BitString b, table;
    U16(b, id);
    Bytes(b, {(advances.empty() ? 0 : 0x80) | 0x04, 0, 1, 'A'});
    U16(b, static_cast<int>(glyphs.size()));
    int at = 2 * static_cast<int>(glyphs.size()) + 2;
    for (const Records& g : glyphs) {
        U16(b, at);
        Bytes(table, {0x10});
        table.append(g.Bits);
        table.appendZeros(6);  // end record
        table.padToByte();
        at = 2 * static_cast<int>(glyphs.size()) + 2 + static_cast<int>(table.bytes().size());
    }
    U16(b, at);
    b.append(table);
    for (int c : codes) U16(b, c);
    if (advances.empty()) return b;
    for (int v : {ascent, descent, 0}) U16(b, v);
    for (int a : advances) U16(b, a);
    for (std::size_t i = 0; i < advances.size(); ++i) Bytes(b, {0});
    U16(b, 0);  // no kerning
    return b;
}

struct RunSpec { int Font; Color C; int X, Y, Height; std::vector<std::pair<int, int>> Glyphs; };  // glyph: index, advance

// DefineText2 body (DefineText with `rgba` false): identity matrix, every run
// setting font, colour, x and y; 8-bit glyph indexes and 16-bit advances.
inline BitString TextTag(int id, const std::vector<RunSpec>& runs, bool rgba = true) {
    BitString b;
    U16(b, id);
    EncodeRect24(b, 0, 0, 0, 0);
    b.padToByte();
    Matrix(b, 1, 1, 0, 0, 0, 0);
    Bytes(b, {8, 16});
    for (const RunSpec& r : runs) {
        Bytes(b, {0x8F});
        U16(b, r.Font);
        Bytes(b, {r.C.R, r.C.G, r.C.B});
        if (rgba) Bytes(b, {r.C.A});
        for (int v : {r.X, r.Y, r.Height}) U16(b, v);
        Bytes(b, {static_cast<int>(r.Glyphs.size())});
        for (auto [index, advance] : r.Glyphs) {
            b.append(static_cast<std::uint32_t>(index), 8);
            b.append(static_cast<std::uint32_t>(advance) & 0xFFFF, 16);
        }
        b.padToByte();
    }
    Bytes(b, {0});
    return b;
}

// DefineEditText body of bounds 3000 x 2000: the text in font `font` (0: no
// font) with outlines, 400 twips high, green, a left margin of 100 and a leading of 40.
inline BitString EditTextTag(int id, int font, const std::string& text, bool html) {
    BitString b;
    U16(b, id);
    EncodeRect24(b, 0, 3000, 0, 2000);
    b.padToByte();
    Bytes(b, {0x84 | (font ? 1 : 0), 0x21 | (html ? 2 : 0)});
    if (font) U16(b, font), U16(b, 400);
    Bytes(b, {0, 90, 0, 255, 0});  // colour, left aligned
    for (int v : {100, 0, 0, 40}) U16(b, v);
    Bytes(b, {0});  // no variable name
    for (char ch : text) Bytes(b, {static_cast<unsigned char>(ch)});
    Bytes(b, {0});
    return b;
}

// Header for a frame of w x h twips; Finish patches the file length.
inline std::string Header(int w, int h, int version = 6) {
    SWFMakeCore mk;
    WriteMovieHeader(mk, static_cast<std::uint8_t>(version), w / 20, h / 20, 12.0f);
    mk.MovieBuffer[19] = 1;  // frame count
    return mk.MovieBuffer;
}
inline std::string Finish(std::string movie) {
    const std::size_t n = movie.size();
    for (int i = 0; i < 4; ++i) movie[4 + i] = static_cast<char>((n >> (8 * i)) & 255);
    return movie;
}

// A whole one-frame movie: header, one DefineShape3 (id 1) placed at depth 259, ShowFrame, End.
inline std::string OneShapeMovie(int w, int h, const Records& records) {
    std::string m = Header(w, h);
    Tag(m, 32, Shape3(1, w, h, records));
    Tag(m, 26, Place(1, 259));
    ShortTag(m, 1);
    ShortTag(m, 0);
    return Finish(m);
}

// Frame 1 holds a red square (shape 1, depth 1); frame 2 removes it and places a blue one (shape 2).
inline std::string TwoFrameMovie() {
    std::string m = Header(2000, 2000);
    for (int id : {1, 2}) {
        Records r;
        r.Rect(100, 100, 500, 500, Fill{0, {id == 1 ? 255 : 0, 0, id == 2 ? 255 : 0}});
        Tag(m, 32, Shape3(id, 2000, 2000, r));
    }
    Tag(m, 26, Place(1, 1));
    ShortTag(m, 1);
    BitString remove;
    U16(remove, 1);
    Tag(m, 28, remove);
    Tag(m, 26, Place(2, 2));
    ShortTag(m, 1);
    ShortTag(m, 0);
    std::string movie = Finish(m);
    movie[19] = 2;  // frame count
    return movie;
}

inline ParsedMovie Read(const std::string& bytes) {
    return ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// `fws` repacked as CWS or ZWS, with the header's length field set to `claimed` when given.
inline std::string Pack(const std::string& fws, char kind, std::size_t claimed = 0) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(fws.data()) + 8;
    const std::size_t n = fws.size() - 8;
    std::string out = fws.substr(0, 8);
    out[0] = kind;
    if (claimed)
        for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<char>((claimed >> (8 * i)) & 255);
    std::vector<std::uint8_t> packed(n + n / 2 + 1024);
    std::size_t packedSize = 0;
    if (kind == 'C') {
        uLongf len = packed.size();
        compress2(packed.data(), &len, in, n, 9);
        packedSize = len;
    } else {
        lzma_options_lzma opt;
        lzma_lzma_preset(&opt, 6);
        lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &opt}, {LZMA_VLI_UNKNOWN, nullptr}};
        std::uint8_t props[5]{};
        lzma_properties_encode(filters, props);
        lzma_raw_buffer_encode(filters, nullptr, in, n, packed.data(), &packedSize, packed.size());
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((packedSize >> (8 * i)) & 255));
        out.append(reinterpret_cast<const char*>(props), 5);
    }
    out.append(reinterpret_cast<const char*>(packed.data()), packedSize);
    return out;
}

}  // namespace testmovie

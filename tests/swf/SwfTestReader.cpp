#include "SwfTestReader.h"

#include <cstdio>

std::string BitText(const BitString& bits) {
    std::string text;
    for (std::size_t i = 0; i < bits.size(); ++i) text += bits.bit(i) ? '1' : '0';
    return text;
}

std::string HexText(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        text += pair;
    }
    return text;
}

std::string HexText(const std::vector<std::uint8_t>& bytes) { return HexText(std::string(bytes.begin(), bytes.end())); }

std::uint32_t BitReader::U(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i, ++pos_) {
        const std::size_t byte = pos_ / 8;
        const int bit = byte < data_.size() ? (static_cast<unsigned char>(data_[byte]) >> (7 - pos_ % 8)) & 1 : 0;
        v = (v << 1) | static_cast<std::uint32_t>(bit);
    }
    return v;
}

std::int32_t BitReader::S(int n) {
    if (n == 0) return 0;
    const std::int64_t sign = std::int64_t{1} << (n - 1);
    return static_cast<std::int32_t>((U(n) ^ sign) - sign);
}

namespace {
SwfRect ReadRect(BitReader& in) {
    SwfRect r;
    r.NBits = static_cast<int>(in.U(5));
    r.XMin = in.S(r.NBits);
    r.XMax = in.S(r.NBits);
    r.YMin = in.S(r.NBits);
    r.YMax = in.S(r.NBits);
    in.Align();
    return r;
}

SwfMatrix ReadMatrix(BitReader& in) {
    SwfMatrix m;
    if (in.U(1)) {
        m.ScaleBits = static_cast<int>(in.U(5));
        m.ScaleX = in.S(m.ScaleBits) / 65536.0;
        m.ScaleY = in.S(m.ScaleBits) / 65536.0;
    }
    if (in.U(1)) {
        m.RotateBits = static_cast<int>(in.U(5));
        m.Skew0 = in.S(m.RotateBits) / 65536.0;
        m.Skew1 = in.S(m.RotateBits) / 65536.0;
    }
    m.TranslateBits = static_cast<int>(in.U(5));
    m.TranslateX = in.S(m.TranslateBits);
    m.TranslateY = in.S(m.TranslateBits);
    in.Align();
    return m;
}

SwfFillStyle ReadFillStyle(BitReader& in) {
    SwfFillStyle f;
    f.Type = static_cast<int>(in.U(8));
    if (f.Type == 0x00) f.Color = in.U(32);
    if (f.Type == 0x10 || f.Type == 0x12) {
        f.Matrix = ReadMatrix(in);
        const int count = static_cast<int>(in.U(8) & 15);
        for (int k = 0; k < count; ++k) {
            const int ratio = static_cast<int>(in.U(8));
            f.Gradient.emplace_back(ratio, in.U(32));
        }
    }
    return f;
}

// New style arrays start on a byte boundary of the shape data.
void ReadStyleArrays(BitReader& in, SwfPathRecords& p, int& fillBits, int& lineBits) {
    in.Align();
    for (std::uint32_t k = in.U(8); k > 0 && !in.Overrun(); --k) p.Fills.push_back(ReadFillStyle(in));
    for (std::uint32_t k = in.U(8); k > 0 && !in.Overrun(); --k) {
        const std::uint32_t width = in.U16LE();
        p.Lines.emplace_back(width, in.U(32));
    }
    fillBits = static_cast<int>(in.U(4));
    lineBits = static_cast<int>(in.U(4));
}

SwfEdge ReadEdge(BitReader& in, std::int32_t penX, std::int32_t penY) {
    SwfEdge e;
    const bool straight = in.U(1);
    e.NumBits = static_cast<int>(in.U(4)) + 2;
    if (straight) {
        const bool general = in.U(1);
        const bool vertical = !general && in.U(1);
        e.X = penX + (general || !vertical ? in.S(e.NumBits) : 0);
        e.Y = penY + (general || vertical ? in.S(e.NumBits) : 0);
        return e;
    }
    e.Curved = true;
    e.ControlX = penX + in.S(e.NumBits);
    e.ControlY = penY + in.S(e.NumBits);
    e.X = e.ControlX + in.S(e.NumBits);
    e.Y = e.ControlY + in.S(e.NumBits);
    return e;
}
}  // namespace

SwfMovie DecodeMovie(const std::string& bytes) {
    SwfMovie movie;
    BitReader in(bytes);
    const std::uint32_t signature = in.U(24), version = in.U(8);
    movie.FileLength = in.U32LE();
    movie.FrameSize = ReadRect(in);
    movie.FrameRate = in.U16LE();
    movie.FrameCount = in.U16LE();
    if (signature != 0x465753 || version != 6 || in.Overrun()) return movie.Error = "bad header", movie;
    if (movie.FileLength != bytes.size()) movie.Error = "FileLength differs from the byte count";
    std::size_t pos = in.BytePos();
    while (pos < bytes.size()) {
        BitReader tagIn(bytes, pos);
        const std::uint32_t word = tagIn.U16LE();
        std::uint32_t length = word & 0x3F;
        if (length == 0x3F) length = tagIn.U32LE();
        pos = tagIn.BytePos();
        if (tagIn.Overrun() || length > bytes.size() - pos) return movie.Error = "tag runs past the end", movie;
        movie.Tags.push_back({static_cast<int>(word >> 6), bytes.substr(pos, length)});
        pos += length;
        if (movie.Tags.back().Code == 0) break;
    }
    if (movie.Tags.empty() || movie.Tags.back().Code != 0) movie.Error = "no End tag";
    if (pos != bytes.size() && movie.Error.empty()) movie.Error = "bytes after the End tag";
    return movie;
}

SwfShape DecodeShape3(const std::string& body) {
    SwfShape shape;
    BitReader in(body);
    shape.Id = static_cast<std::uint16_t>(in.U16LE());
    shape.Bounds = ReadRect(in);
    SwfPathRecords shared;
    int fillBits = 0, lineBits = 0;
    ReadStyleArrays(in, shared, fillBits, lineBits);
    if (!shared.Fills.empty() || !shared.Lines.empty()) shape.Error = "unexpected shared styles";
    std::int32_t penX = 0, penY = 0;
    bool ended = false;
    while (!in.Overrun() && !ended) {
        const bool edge = in.U(1);
        const std::uint32_t flags = edge ? 0 : in.U(5);
        ended = !edge && flags == 0;
        if (ended) break;
        if (flags & 16) shape.Paths.emplace_back();
        if (shape.Paths.empty()) return shape.Error = "records before any new styles", shape;
        SwfPathRecords& p = shape.Paths.back();
        if (edge) {
            p.Edges.push_back(ReadEdge(in, penX, penY));
            penX = p.Edges.back().X;
            penY = p.Edges.back().Y;
            continue;
        }
        if (flags & 1) {
            const int bits = static_cast<int>(in.U(5));
            penX = p.StartX = in.S(bits);
            penY = p.StartY = in.S(bits);
        }
        if (flags & 2) p.FillStyle0 = in.U(fillBits);
        if (flags & 4) in.U(fillBits);
        if (flags & 8) p.LineStyle = in.U(lineBits);
        if (flags & 16) ReadStyleArrays(in, p, fillBits, lineBits);
    }
    in.Align();
    if (!ended) shape.Error = "no EndShapeRecord";
    if (in.BytePos() != body.size() && shape.Error.empty()) shape.Error = "bytes after the shape records";
    return shape;
}

SwfPlace DecodePlace2(const std::string& body) {
    SwfPlace p;
    BitReader in(body);
    p.Flags = static_cast<int>(in.U(8));
    p.Depth = static_cast<std::uint16_t>(in.U16LE());
    if (p.Flags & 0x02) p.CharacterId = static_cast<std::uint16_t>(in.U16LE());
    if (p.Flags & 0x04) p.Matrix = ReadMatrix(in);
    if (p.Flags & 0x08) {
        const bool hasAdd = in.U(1), hasMult = in.U(1);
        p.CxformBits = static_cast<int>(in.U(4));
        for (auto& t : p.Mult) t = hasMult ? in.S(p.CxformBits) : t;
        for (auto& t : p.Add) t = hasAdd ? in.S(p.CxformBits) : t;
        in.Align();
    }
    p.UsedWholeBody = !in.Overrun() && in.BytePos() == body.size();
    return p;
}

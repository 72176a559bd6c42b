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
    for (int i = 0; i < n; ++i) {
        const std::size_t byte = pos_ / 8;
        int bit = 0;
        if (byte < data_.size())
            bit = (static_cast<unsigned char>(data_[byte]) >> (7 - pos_ % 8)) & 1;
        else
            overrun_ = true;
        v = (v << 1) | static_cast<std::uint32_t>(bit);
        ++pos_;
    }
    return v;
}

std::int32_t BitReader::S(int n) {
    const std::uint32_t v = U(n);
    if (n == 0) return 0;
    const std::uint32_t sign = 1u << (n - 1);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(v ^ sign) - static_cast<std::int64_t>(sign));
}

std::uint32_t BitReader::U16LE() {
    const std::uint32_t lo = U(8);
    return lo | (U(8) << 8);
}

std::uint32_t BitReader::U32LE() {
    const std::uint32_t lo = U16LE();
    return lo | (U16LE() << 16);
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

double Fixed(std::int32_t raw) { return raw / 65536.0; }

std::uint32_t ReadRgba(BitReader& in) { return in.U(32); }

SwfFillStyle ReadFillStyle(BitReader& in) {
    SwfFillStyle f;
    f.Type = static_cast<int>(in.U(8));
    if (f.Type == 0x00) {
        f.Color = ReadRgba(in);
    } else if (f.Type == 0x10 || f.Type == 0x12) {
        f.Matrix = ReadMatrix(in);
        const int count = static_cast<int>(in.U(8) & 15);
        for (int k = 0; k < count; ++k) {
            const int ratio = static_cast<int>(in.U(8));
            f.Gradient.emplace_back(ratio, ReadRgba(in));
        }
    }
    return f;
}

void ReadStyleArrays(BitReader& in, SwfPathRecords& p, int& fillBits, int& lineBits) {
    in.Align();
    std::uint32_t fills = in.U(8);
    if (fills == 0xFF) fills = in.U16LE();
    for (std::uint32_t k = 0; k < fills && !in.Overrun(); ++k) p.Fills.push_back(ReadFillStyle(in));
    std::uint32_t lines = in.U(8);
    if (lines == 0xFF) lines = in.U16LE();
    for (std::uint32_t k = 0; k < lines && !in.Overrun(); ++k) {
        SwfLineStyle l;
        l.Width = in.U16LE();
        l.Color = ReadRgba(in);
        p.Lines.push_back(l);
    }
    fillBits = static_cast<int>(in.U(4));
    lineBits = static_cast<int>(in.U(4));
}
}  // namespace

SwfMatrix ReadMatrix(BitReader& in) {
    SwfMatrix m;
    m.HasScale = in.U(1);
    if (m.HasScale) {
        m.ScaleBits = static_cast<int>(in.U(5));
        m.ScaleX = Fixed(in.S(m.ScaleBits));
        m.ScaleY = Fixed(in.S(m.ScaleBits));
    }
    m.HasRotate = in.U(1);
    if (m.HasRotate) {
        m.RotateBits = static_cast<int>(in.U(5));
        m.Skew0 = Fixed(in.S(m.RotateBits));
        m.Skew1 = Fixed(in.S(m.RotateBits));
    }
    m.TranslateBits = static_cast<int>(in.U(5));
    m.TranslateX = in.S(m.TranslateBits);
    m.TranslateY = in.S(m.TranslateBits);
    in.Align();
    return m;
}

SwfMovie DecodeMovie(const std::string& bytes) {
    SwfMovie movie;
    BitReader in(bytes);
    for (int i = 0; i < 3; ++i) movie.Signature += static_cast<char>(in.U(8));
    movie.Version = static_cast<int>(in.U(8));
    movie.FileLength = in.U32LE();
    movie.FrameSize = ReadRect(in);
    movie.FrameRate = in.U16LE();
    movie.FrameCount = in.U16LE();
    if (in.Overrun()) {
        movie.Error = "short header";
        return movie;
    }
    if (movie.FileLength != bytes.size()) movie.Error = "FileLength differs from the byte count";
    std::size_t pos = in.BytePos();
    while (pos < bytes.size()) {
        BitReader tagIn(bytes, pos);
        SwfTag tag;
        tag.Offset = pos;
        const std::uint32_t word = tagIn.U16LE();
        tag.Code = static_cast<int>(word >> 6);
        std::uint32_t length = word & 0x3F;
        if (length == 0x3F) {
            tag.LongHeader = true;
            length = tagIn.U32LE();
        }
        const std::size_t bodyAt = tagIn.BytePos();
        if (tagIn.Overrun() || bodyAt + length > bytes.size()) {
            movie.Error = "tag runs past the end";
            return movie;
        }
        tag.Body = bytes.substr(bodyAt, length);
        movie.Tags.push_back(tag);
        pos = bodyAt + length;
        if (tag.Code == 0) break;
    }
    if (movie.Tags.empty() || movie.Tags.back().Code != 0)
        movie.Error = "no End tag";
    else if (pos != bytes.size() && movie.Error.empty())
        movie.Error = "bytes after the End tag";
    return movie;
}

SwfShape DecodeShape3(const std::string& body) {
    SwfShape shape;
    BitReader in(body);
    shape.Id = static_cast<std::uint16_t>(in.U16LE());
    shape.Bounds = ReadRect(in);
    SwfPathRecords initial;
    int fillBits = 0, lineBits = 0;
    ReadStyleArrays(in, initial, fillBits, lineBits);
    if (!initial.Fills.empty() || !initial.Lines.empty()) shape.Error = "unexpected shared styles";
    SwfPathRecords* current = nullptr;
    std::int32_t penX = 0, penY = 0;
    while (!in.Overrun()) {
        if (in.U(1) == 0) {
            const std::uint32_t flags = in.U(5);
            if (flags == 0) {
                shape.Ended = true;
                break;
            }
            const bool newStyles = flags & 16, lineStyle = flags & 8, fill1 = flags & 4, fill0 = flags & 2,
                       moveTo = flags & 1;
            if (newStyles) {
                shape.Paths.emplace_back();
                current = &shape.Paths.back();
            }
            if (!current) {
                shape.Error = "records before any new styles";
                return shape;
            }
            if (moveTo) {
                current->HasMoveTo = true;
                current->MoveBits = static_cast<int>(in.U(5));
                penX = current->StartX = in.S(current->MoveBits);
                penY = current->StartY = in.S(current->MoveBits);
            }
            if (fill0) current->FillStyle0 = in.U(fillBits);
            if (fill1) in.U(fillBits);
            if (lineStyle) current->LineStyle = in.U(lineBits);
            if (newStyles) ReadStyleArrays(in, *current, fillBits, lineBits);
        } else {
            if (!current) {
                shape.Error = "edge before any style change";
                return shape;
            }
            SwfEdge edge;
            const bool straight = in.U(1);
            const int numBits = static_cast<int>(in.U(4)) + 2;
            if (straight) {
                std::int32_t dx = 0, dy = 0;
                if (in.U(1)) {
                    dx = in.S(numBits);
                    dy = in.S(numBits);
                } else if (in.U(1)) {
                    dy = in.S(numBits);
                } else {
                    dx = in.S(numBits);
                }
                edge.X = penX + dx;
                edge.Y = penY + dy;
            } else {
                edge.Curved = true;
                edge.ControlX = penX + in.S(numBits);
                edge.ControlY = penY + in.S(numBits);
                edge.X = edge.ControlX + in.S(numBits);
                edge.Y = edge.ControlY + in.S(numBits);
            }
            penX = edge.X;
            penY = edge.Y;
            current->Edges.push_back(edge);
            current->EdgeNumBits.push_back(numBits);
        }
    }
    if (!shape.Ended) shape.Error = "no EndShapeRecord";
    in.Align();
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
        SwfCxform& c = p.Cxform;
        c.HasAdd = in.U(1);
        c.HasMult = in.U(1);
        c.NBits = static_cast<int>(in.U(4));
        if (c.HasMult)
            for (auto& t : c.Mult) t = in.S(c.NBits);
        if (c.HasAdd)
            for (auto& t : c.Add) t = in.S(c.NBits);
        in.Align();
    }
    p.BytesRead = in.Overrun() ? body.size() + 1 : in.BytePos();
    return p;
}

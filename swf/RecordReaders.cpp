#include "swf/RecordReaders.h"

SwfRect ReadRect(BitReader& r) {
    r.alignToByte();
    const int bits = static_cast<int>(r.readUB(5));
    SwfRect rect;
    rect.Xmin = r.readSB(bits);
    rect.Xmax = r.readSB(bits);
    rect.Ymin = r.readSB(bits);
    rect.Ymax = r.readSB(bits);
    return rect;
}

SwfMatrix ReadMatrix(BitReader& r) {
    r.alignToByte();
    SwfMatrix m;
    if (r.readUB(1)) {
        const int bits = static_cast<int>(r.readUB(5));
        m.ScaleX = r.readFB(bits);
        m.ScaleY = r.readFB(bits);
    }
    if (r.readUB(1)) {
        const int bits = static_cast<int>(r.readUB(5));
        m.RotateSkew0 = r.readFB(bits);
        m.RotateSkew1 = r.readFB(bits);
    }
    const int bits = static_cast<int>(r.readUB(5));
    m.TranslateX = r.readSB(bits);
    m.TranslateY = r.readSB(bits);
    return m;
}

namespace {

SwfColorTransform ReadCxform(BitReader& r, int channels) {
    r.alignToByte();
    SwfColorTransform cx;
    const bool hasAdd = r.readUB(1) != 0;
    const bool hasMult = r.readUB(1) != 0;
    const int bits = static_cast<int>(r.readUB(4));
    if (hasMult)
        for (int i = 0; i < channels; ++i) cx.Mult[i] = r.readSB(bits);
    if (hasAdd)
        for (int i = 0; i < channels; ++i) cx.Add[i] = r.readSB(bits);
    return cx;
}

}  // namespace

SwfColorTransform ReadColorTransformAlpha(BitReader& r) { return ReadCxform(r, 4); }
SwfColorTransform ReadColorTransform(BitReader& r) { return ReadCxform(r, 3); }

SwfColor ReadRgb(BitReader& r) {
    SwfColor c;
    c.R = r.readU8();
    c.G = r.readU8();
    c.B = r.readU8();
    return c;
}

SwfColor ReadRgba(BitReader& r) {
    SwfColor c = ReadRgb(r);
    c.A = r.readU8();
    return c;
}

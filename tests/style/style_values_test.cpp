#include <gtest/gtest.h>

#include "core/History.h"
#include "style/ApplyStyle.h"
#include "style/GradientControl.h"
#include "style/StyleValues.h"
#include "tests/TestPaths.h"

TEST(StyleValues, ChannelsOfNegativePackedColoursAndBoxesReadTheirLeadingNumberClamped) {
    const struct { std::int32_t Packed; int R, G, B, A; } cases[] = {{-1, 255, 255, 255, 255},
        {PackColor(10, 20, 30, 128), 10, 20, 30, 128}, {INT32_MIN, 0, 0, 0, 128}, {-16777216 + 0x00FF00, 0, 255, 0, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(RgbOf(c.Packed), (Rgb{c.R, c.G, c.B})) << c.Packed;
        EXPECT_EQ(ColorByte(c.Packed, 3), c.A) << c.Packed;
        // The opacity slider's write keeps the colour and only swaps the top byte.
        EXPECT_EQ(WithAlpha(c.Packed, 7), PackColor(c.R, c.G, c.B, 7));
        EXPECT_EQ(WithRgb(c.Packed, PackColor(1, 2, 3, 0)), PackColor(1, 2, 3, c.A));
    }
    const std::pair<const char*, int> typed[] = {
        {"300", 255}, {"-4", 0}, {"12.5", 12}, {"13.5", 14}, {"abc", 0}, {" 7x", 7}, {"", 0}};
    for (const auto& [text, value] : typed) EXPECT_EQ(ChannelFromText(text), value) << text;
}

TEST(StyleValues, PickerNeverSamplesGridLinesAndIgnoresTheLastOnes) {
    const struct { int X, Y; bool Valid; int SX, SY, Col, Row; } cases[] = {
        {0, 0, true, 1, 1, 0, 0},        {8, 5, true, 9, 5, 1, 0},          {7, 11, true, 7, 12, 0, 1},
        {288, 60, true, 289, 60, 36, 5}, {335, 65, true, 335, 65, 41, 5},   {336, 5, false, 0, 0, 0, 0},
        {5, 66, false, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        const PickerHit h = PickerCellAt(c.X, c.Y);
        EXPECT_EQ(h.Valid, c.Valid) << c.X << "," << c.Y;
        if (c.Valid) {
            EXPECT_EQ((std::tuple{h.X, h.Y, h.Col, h.Row}), (std::tuple{c.SX, c.SY, c.Col, c.Row}));
        }
    }
    EXPECT_EQ(PaletteCellColor(0, 0), PackColor(255, 255, 255, 0));
    EXPECT_EQ(PaletteCellColor(35, 5), PackColor(0, 0, 0, 0));
    EXPECT_EQ(PaletteCellColor(15, 1), PackColor(153, 204, 102, 0));
}

TEST(StyleValues, OpacityLabelBlendAndTextColour) {
    const Rgb back{212, 208, 200};
    EXPECT_EQ(BlendOpacity(back, PackColor(0, 0, 0, 0)), back);
    EXPECT_EQ(BlendOpacity(back, PackColor(0, 255, 255, 255)), (Rgb{0, 255, 255}));
    EXPECT_EQ(BlendOpacity(back, PackColor(0, 0, 0, 128)), (Rgb{106, 104, 100}));  // 212 - 212·128/255 = 105.6
    EXPECT_TRUE(WantsWhiteText({0, 0, 255}) && !WantsWhiteText({0, 255, 0}) && !WantsWhiteText({128, 128, 128}));
}

TEST(ApplyStyle, WidthTextAndTwipsAndColoursOnlyForSelectedPaths) {
    const struct { const char* Typed, *Shown; std::int32_t Twips; } cases[] = {
        {"0", "1 pt", 20},       {"abc", "1 pt", 20}, {"0.75", "0.75 pt", 15},       {"2.5 pt", "2.5 pt", 50},
        {"1.55", "1.55 pt", 31}, {"-3", "1 pt", 20},  {"99999", "3276.75 pt", 65535}};
    for (const auto& c : cases) {
        DrawCore doc;
        doc.AppendPath(MakePath({{0, 0}, {10, 10}}));
        doc.AppendPath(MakePath({{0, 0}, {10, 10}}));
        doc.Paths[2].Selected = VbTrue;
        const float points = LineWidthFromText(c.Typed);
        EXPECT_EQ(LineWidthText(points), c.Shown) << c.Typed;
        ApplyLineWidth(doc, points);
        EXPECT_EQ(std::make_tuple(doc.Paths[2].LineWidth, doc.Paths[1].LineWidth, doc.HistoryPos), std::make_tuple(c.Twips, 0, 1)) << c.Typed;
        doc.Paths[2].Selected = VbFalse;  // with nothing selected: no change, no step
        const std::int32_t colours[3] = {-1, -1, -1};
        ApplyColors(doc, colours, true, true, true);
        EXPECT_EQ((std::tuple{doc.HistoryPos, doc.Paths[2].LineColor}), (std::tuple{1, 0}));
    }
}

TEST(GradientControl, ReadoutOverwritesInPlaceAndSkipsPiecesPastTheEnd) {
    PathShape p;
    p.GradX = -30;
    p.GradY = 12345678;  // its long piece loses the "]" to the angle
    p.GradAngle = -30.5f;
    p.GradScale = 200.0f / 32768.0f;
    const struct { QString Before, After; } cases[] = {
        {QString(40, ' '), "           [-1,617283[-31ﾟ ⇔9]          "},
        {"(1,2)" + QString(20, ' '), "(1,2)      [-1,617283[-31"},
        {QString(15, ' '), "           [-1,"},
    };
    for (const auto& c : cases) {
        QString status = c.Before;
        GradientReadout(p, status);
        EXPECT_EQ(status, c.After);
    }
}

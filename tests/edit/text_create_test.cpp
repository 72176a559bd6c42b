#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "edit/FOutLine.h"
#include "edit/FontList.h"
#include "edit/TextCreate.h"

namespace {
const TextFont kDejaVu{"DejaVu Sans"};
const TextFont kGothic{"IPAGothic"};

std::int32_t Make(DrawCore& doc, std::u32string_view text, const TextFont& font = kDejaVu) {
    std::string error;
    const std::int32_t last = CreateText(doc, 1000, 2000, DrawStyle{}, text, font, error);
    EXPECT_EQ(error, "");
    return last;
}

std::int32_t MinX(const PathShape& p) {
    return std::min_element(p.Anchors.begin(), p.Anchors.end(), [](auto& a, auto& b) { return a.X < b.X; })->X;
}
}  // namespace

TEST(TextOutline, ContoursStartOnTheOutline) {
    const struct { OutlineContour in, out; } cases[] = {
        {{{0, 0, 0}, {1, 1, 1}, {2, 0, 0}}, {{0, 0, 0}, {1, 1, 1}, {2, 0, 0}}},
        {{{1, 1, 1}, {2, 0, 0}, {0, 0, 0}}, {{2, 0, 0}, {0, 0, 0}, {1, 1, 1}}},
        {{{0, 2, 1}, {2, 0, 1}, {0, -2, 1}, {-2, 0, 1}}, {{-1, 1, 0}, {0, 2, 1}, {2, 0, 1}, {0, -2, 1}, {-2, 0, 1}}},
    };
    for (const auto& c : cases) {
        const OutlineContour got = StartOnCurve(c.in);
        ASSERT_EQ(got.size(), c.out.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(got[i].X == c.out[i].X && got[i].Y == c.out[i].Y && got[i].Kind == c.out[i].Kind) << i;
    }
}

TEST(TextOutline, GlyphsBecomeClosedPathsGroupedPerGlyph) {
    DrawCore doc;
    doc.Paths.resize(2);
    doc.Paths[1].GroupNo = 1;  // the new group must not reuse a number in use
    EXPECT_EQ(Make(doc, U"ol"), 4);
    const std::pair<int, int> groups[] = {{2, VbTrue}, {2, VbTrue}, {0, VbFalse}};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(std::make_pair(doc.Paths[i + 2].GroupNo, int{doc.Paths[i + 2].Grouped}), groups[i]);
    bool curves = false;
    for (std::int32_t i = 2; i <= 4; ++i) {
        const PathShape& p = doc.Paths[i];
        EXPECT_TRUE(p.Closed && p.Selected && p.GradAngle == 90.0f && p.Anchors[0].Kind == 0) << i;
        curves |= std::any_of(p.Anchors.begin(), p.Anchors.end(), [](auto& a) { return a.Kind == 1; });
    }
    EXPECT_TRUE(curves);
    EXPECT_EQ(doc.Paths[4].AnchorMax, 3);  // the "l" is a plain box
    // 16 twips a pixel of the 64-point face: the em is 1365 twips, the "l"
    // 0.76 em high, standing on the baseline 0.93 em below the top.
    const PathShape& l = doc.Paths[4];
    const auto [lo, hi] = std::minmax_element(l.Anchors.begin(), l.Anchors.end(), [](auto& a, auto& b) { return a.Y < b.Y; });
    EXPECT_NEAR(hi->Y - lo->Y, 1037, 10);
    EXPECT_NEAR(hi->Y, 2000 + 1267, 20);
}

TEST(TextOutline, SpacesAndControlsAdvanceOrNotAndJapaneseComesFromAFaceThatHasIt) {
    DrawCore spaced, tight, controls;
    EXPECT_EQ(Make(spaced, U"l l"), 2);
    EXPECT_EQ(Make(tight, U"ll"), 2);
    EXPECT_EQ(Make(controls, U"l\n\tl"), 2);
    const std::int32_t step = MinX(tight.Paths[2]) - MinX(tight.Paths[1]);
    EXPECT_GT(step, 0);
    EXPECT_GT(MinX(spaced.Paths[2]) - MinX(spaced.Paths[1]), step + 200);
    EXPECT_EQ(MinX(controls.Paths[2]) - MinX(controls.Paths[1]), step);
    EXPECT_EQ(spaced.Paths[2].Anchors[0].Y, spaced.Paths[1].Anchors[0].Y);
    DrawCore none;
    EXPECT_EQ(Make(none, U""), 0);
    EXPECT_EQ(Make(none, U" \r\n"), 0);
    EXPECT_EQ(none.GetPathCount(), 0);
    for (const TextFont& font : {kGothic, kDejaVu}) {
        DrawCore doc;
        EXPECT_GE(Make(doc, U"あ", font), 2) << font.Family;
        for (std::int32_t i = 1; i <= doc.GetPathCount(); ++i) EXPECT_GE(doc.Paths[i].AnchorMax, 3);
    }
}

TEST(TextOutline, BoldAndItalicOwnOrSyntheticUnloadableFacesAndTheFontList) {
    const struct { TextFont font; bool syntheticBold, syntheticItalic; } cases[] = {
        {{"DejaVu Sans", true, true}, false, false},
        {{"IPAGothic", true, false}, true, false},
        {{"IPAGothic", false, true}, false, true},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto plain = OutlineFace::Load(*MatchFontFile({c.font.Family}), error);
        const auto styled = OutlineFace::Load(*MatchFontFile(c.font), error);
        ASSERT_TRUE(plain && styled) << error;
        EXPECT_EQ(styled->SyntheticBold(), c.syntheticBold) << c.font.Family;
        EXPECT_EQ(styled->SyntheticItalic(), c.syntheticItalic) << c.font.Family;
        const auto width = [](const GlyphOutline& g) {
            double lo = 1e9, hi = -1e9;
            for (const auto& contour : g.Contours)
                for (const OutlinePoint& p : contour) lo = std::min(lo, p.X), hi = std::max(hi, p.X);
            return hi - lo;
        };
        // A bold or slanted "l" is wider than the upright regular one.
        EXPECT_GT(width(styled->Glyph(U'l')), width(plain->Glyph(U'l')) + 3) << c.font.Family;
    }
    const std::string junk = ::testing::TempDir() + "/junk.ttf";
    std::ofstream(junk) << "not a font at all";
    for (const std::string& path : {junk, std::string("/nonexistent/font.ttf")}) {
        std::string error;
        EXPECT_EQ(OutlineFace::Load(FontFile{path}, error), nullptr);
        EXPECT_EQ(error, path);
    }
    EXPECT_EQ(SortFontNames({"b", "@V", "B", "a", "B", "ア"}), (std::vector<std::string>{"B", "B", "a", "b", "ア"}));
    const std::vector<std::string> fonts = EnumTrueTypeFont();
    EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "DejaVu Sans"), fonts.end());
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "IPAGothic"), fonts.end());
}


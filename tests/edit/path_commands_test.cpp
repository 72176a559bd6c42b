#include <gtest/gtest.h>

#include "edit/AnchorCommands.h"
#include "edit/Clipboard.h"
#include "edit/GroupCommands.h"
#include "tests/TestPaths.h"

namespace {
// `p` tagged by its line width, so it can be told apart after reordering.
PathShape Tagged(PathShape p, int tag, bool selected = false, int groupNo = 0, bool grouped = false) {
    p.LineWidth = tag;
    p.Selected = selected ? VbTrue : VbFalse;
    p.GroupNo = groupNo;
    p.Grouped = grouped ? VbTrue : VbFalse;
    return p;
}

std::vector<int> Tags(const DrawCore& doc) {
    std::vector<int> tags;
    for (int i = 1; i <= doc.GetPathCount(); ++i) tags.push_back(doc.Paths[i].LineWidth);
    return tags;
}

const PathShape kSquare = MakePath({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
}  // namespace

TEST(AnchorCommands, InsertDeleteOpenAndClose) {
    DrawCore doc = DocWith({kSquare, MakePath({{-3, 5}, {0, -8}, {9, 9}}), kSquare, MakePath({{0, 0}, {100, 0}, {1, 1}})});
    doc.Paths[1].Anchors[3].Kind = 1;
    doc.Paths[1].ShapeCache = std::make_shared<BitString>();
    InsertAnchor(doc, 1, 3, 0);  // the closing edge: appended, with the kind of its first end
    EXPECT_EQ(Coords(doc.Paths[1]), (Points{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 50}}));
    EXPECT_EQ(doc.Paths[1].Anchors[4].Kind, 1);
    EXPECT_FALSE(doc.Paths[1].ShapeCache);
    InsertAnchor(doc, 2, 0, 1);  // halves truncate toward zero
    EXPECT_EQ(Coords(doc.Paths[2]), (Points{{-3, 5}, {-1, -1}, {0, -8}, {9, 9}}));
    for (int i = 0; i < 3; ++i) DeleteAnchor(doc, 2, 1);  // the third changes nothing: two anchors stay
    EXPECT_EQ(Coords(doc.Paths[2]), (Points{{-3, 5}, {9, 9}}));
    OpenPathAt(doc, 3, 1);
    EXPECT_EQ(Coords(doc.Paths[3]), (Points{{100, 100}, {0, 100}, {0, 0}, {100, 0}}));
    EXPECT_FALSE(doc.Paths[3].Closed);
    CloseAtEnds(doc, 4);
    EXPECT_EQ(Coords(doc.Paths[4]), (Points{{0, 0}, {100, 0}}));
    EXPECT_TRUE(doc.Paths[4].Closed);

    // Hits left over from an older drawing change nothing.
    const DrawCore before = doc;
    InsertAnchor(doc, 5, 0, 1);
    InsertAnchor(doc, 4, 1, 2);
    DeleteAnchor(doc, 1, 7);
    OpenPathAt(doc, 3, -1);
    SetAnchorKind(doc, 4, 3, 1);
    DividePath(doc, 3, 1, 1, 9);
    ASSERT_EQ(doc.GetPathCount(), 4);
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(SameShape(doc.Paths[i], before.Paths[i])) << i;
}

TEST(AnchorCommands, DivideAtAnchorAndEdge) {
    const struct { int hit, a, b; Points first, second; } cases[] = {
        {0, 2, 2, {{0, 0}, {10, 0}, {20, 0}}, {{20, 0}, {30, 0}, {40, 0}}},
        {1, 1, 2, {{0, 0}, {10, 0}, {15, 0}}, {{15, 0}, {20, 0}, {30, 0}, {40, 0}}},
        {0, 0, 0, {}, {}},  // nothing at anchor 0 or at the last anchor
        {1, 4, 0, {}, {}},
    };
    for (const auto& c : cases) {
        DrawCore doc = DocWith({Tagged(MakePath({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}}), 7, true, 3), kSquare});
        DividePath(doc, 1, c.hit, c.a, c.b);
        ASSERT_EQ(doc.GetPathCount(), c.first.empty() ? 2 : 3) << c.a;
        if (c.first.empty()) continue;
        // The second part goes front-most, with the style and group.
        EXPECT_EQ(std::make_tuple(Coords(doc.Paths[1]), Coords(doc.Paths[3]), doc.Paths[3].AnchorMax + 1,
                                  doc.Paths[3].LineWidth + doc.Paths[3].GroupNo),
                  std::make_tuple(c.first, c.second, static_cast<int>(c.second.size()), 10)) << c.a;
    }
}

TEST(AnchorCommands, JoinsAnEndWithinThreePixels) {
    const struct {
        int a;     // end of path 1, which runs from (0, 0) to (100, 0)
        std::vector<AnchorPoint> j;  // path 2
        float zoom;
        Points result;  // the surviving path; empty: no join
    } cases[] = {
        {1, {{140, 0}, {140, 100}}, 1.0f, {{0, 0}, {100, 0}, {140, 100}}},
        {1, {{160, 0}, {140, 100}}, 1.0f, {}},
        {1, {{120, 0}, {120, 100}}, 2.0f, {{0, 0}, {100, 0}, {120, 100}}},
        {1, {{130, 0}, {120, 100}}, 2.0f, {}},
        {1, {{0, 50}, {100, 40}}, 1.0f, {{0, 0}, {100, 0}, {0, 50}}},
        {0, {{0, 40}, {50, 90}}, 1.0f, {{50, 90}, {0, 40}, {100, 0}}},
        {0, {{50, 90}, {0, 40}}, 1.0f, {{50, 90}, {0, 40}, {100, 0}}},
        {1, {{0, 50}, {100, 40}, {30, 30}}, 1.0f, {}},  // near a middle anchor only
    };
    for (const auto& c : cases) {
        DrawCore doc = DocWith({MakePath({{0, 0}, {100, 0}}), MakePath(c.j)});
        doc.ZoomRate = c.zoom;
        EXPECT_EQ(JoinPaths(doc, 1, c.a, true), !c.result.empty()) << c.j[0].X;
        EXPECT_EQ(doc.GetPathCount(), 2);
        JoinPaths(doc, 1, c.a, false);
        EXPECT_EQ(doc.GetPathCount() == 1 ? Coords(doc.Paths[1]) : Points{}, c.result) << c.j[0].X;
        EXPECT_EQ(doc.Paths[1].AnchorMax + 1, static_cast<int>(doc.Paths[1].Anchors.size()));
    }
    // A later path overrides an earlier one, a path's end its start.
    DrawCore doc = DocWith({MakePath({{0, 0}, {100, 0}}), MakePath({{100, 10}, {500, 500}}),
                            MakePath({{100, 20}, {600, 0}, {100, 30}})});
    ASSERT_TRUE(JoinPaths(doc, 1, 1, false));
    EXPECT_EQ(Coords(doc.Paths[1]), (Points{{0, 0}, {100, 0}, {600, 0}, {100, 20}}));
    EXPECT_FALSE(JoinPaths(doc, 1, 1, true));  // only end anchors join
}

TEST(GroupCommands, StackingOrderGroupsAndClosing) {
    std::vector<PathShape> five;
    for (int i = 1; i <= 5; ++i) five.push_back(Tagged(kSquare, i, i == 2 || i == 4 || i == 5));
    for (const auto& [mode, order] : {std::pair{1, std::vector{2, 4, 5, 1, 3}}, {2, {1, 3, 2, 4, 5}}}) {
        DrawCore doc = DocWith(five);
        MoveSelectedZ(doc, mode);
        EXPECT_EQ(Tags(doc), order);
        doc.SelectAll();
        MoveSelectedZ(doc, mode);
        EXPECT_EQ(Tags(doc), order);
    }

    DrawCore doc = DocWith({Tagged(kSquare, 1, false, 1, true), Tagged(kSquare, 2, true), Tagged(kSquare, 3, true),
                            Tagged(kSquare, 4, false, 3)});
    EXPECT_EQ(NewGroupNo(doc, 3), 4);
    SetGroupSelected(doc, true);
    SetGroupSelected(doc, false);
    doc.Paths[1].Selected = VbTrue;
    RegroupPath(doc, 3);
    const std::vector<std::vector<int>> expected = {{1, 1, 0}, {2, 1, 1}, {2, 1, 1}, {3, 0, 0}};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ((std::vector<int>{doc.Paths[i].GroupNo, doc.Paths[i].Grouped != 0, doc.Paths[i].Selected != 0}),
                  expected[i - 1]) << i;
    SetClosedSelected(doc, false);
    EXPECT_EQ((std::vector<bool>{doc.Paths[1].Closed != 0, doc.Paths[2].Closed != 0}), (std::vector<bool>{true, false}));
}

TEST(Clipboard, PasteRenumbersEveryGroupWithUnusedNumbers) {
    DrawCore doc = DocWith({Tagged(kSquare, 1, true, 5, true), Tagged(kSquare, 2, true, 2, true),
                            Tagged(kSquare, 3, true), Tagged(kSquare, 4, true, 5, true), Tagged(kSquare, 5, true),
                            Tagged(kSquare, 6, false, 1, true)});
    doc.CopyToClip(0, 0);
    const std::vector<std::vector<int>> pastes = {{3, 4, 6, 3, 6}, {7, 8, 9, 7, 9}};  // each paste forms new groups
    for (const auto& groups : pastes) {
        PasteClip(doc, 0, 0, true);
        for (int i = 0; i < 5; ++i) {
            const PathShape& pasted = doc.Paths[doc.GetPathCount() - 4 + i];
            EXPECT_EQ(pasted.GroupNo, groups[i]) << i;
            EXPECT_EQ(pasted.Grouped != 0, i != 2 && i != 4) << i;
            EXPECT_EQ(pasted.LineWidth, i + 1);
        }
        EXPECT_EQ(doc.GetSelectedCount(), 5);
    }
}

TEST(Clipboard, PasteDisplacements) {
    PathShape shape = Tagged(MakePath({{300, 400}, {500, 600}}), 1, true);
    shape.GradX = 10;
    DrawCore doc = DocWith({shape, Tagged(kSquare, 2)});
    doc.CopyToClip(300, 400);
    for (int shift : {200, 400, 600}) {
        PasteClip(doc, 0, 0, true);
        const PathShape& p = doc.Paths[doc.GetPathCount()];
        EXPECT_EQ(Coords(p), (Points{{300 + shift, 400 + shift}, {500 + shift, 600 + shift}}));
        EXPECT_EQ(p.GradX, 10 + shift);
    }
    PasteClip(doc, 300, 400, false);  // at the frame corner: on the copied path
    EXPECT_EQ(Coords(doc.Paths[6]), Coords(shape));

    doc.SelectAll();
    doc.Paths[2].Selected = VbFalse;
    CutToClip(doc, 300, 400);
    EXPECT_EQ(Tags(doc), (std::vector<int>{2}));
    PasteClip(doc, 0, 0, true);  // back at the old place, then 200 further
    EXPECT_EQ(Coords(doc.Paths[2]), Coords(shape));
    PasteClip(doc, 0, 0, true);
    EXPECT_EQ(doc.Paths[7].Anchors[0].X, 500);

    doc.Paths[7].Anchors[0].X = 2147483600;  // far coordinates saturate, never wrap
    doc.CopyToClip(0, 0);
    PasteClip(doc, 0, 0, true);
    EXPECT_EQ(doc.Paths[doc.GetPathCount() - 4].Anchors[0].X, 2147483647);
}

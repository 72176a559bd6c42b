#include <gtest/gtest.h>

#include "core/DrawCore.h"
#include "swf/Preview.h"
#include "swf/ShapeExport.h"
#include "tests/TestPaths.h"

namespace {
std::vector<const BitString*> Caches(const DrawCore& doc) {
    std::vector<const BitString*> out;
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) out.push_back(doc.Paths[i].ShapeCache.get());
    return out;
}

// The movie of the same paths with every cache emptied first, assembled by a
// fresh writer with the underlay settings of `like`.
std::string FreshMovie(DrawCore doc, const SWFMakeCore& like = {}) {
    for (PathShape& p : doc.Paths) p.ShapeCache.reset();
    SWFMakeCore mk;
    mk.ShowUnderlay = like.ShowUnderlay;
    mk.UnderlayTagCache = like.UnderlayTagCache;
    return BuildPreviewMovie(mk, doc);
}

void Edit(DrawCore& doc, std::int32_t i, void (*change)(PathShape&)) {
    PathShape p = doc.GetPath(i);
    change(p);
    doc.SetPath(i, p);
}

void Move(PathShape& p) {
    for (AnchorPoint& a : p.Anchors) a.X += 37, a.Y -= 1000;
}
}  // namespace

TEST(ShapeCache, FilledOnceReusedAndEmptiedOnlyForTheEditedPath) {
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 100));
    doc.AppendPath(Styled(MakePath({{0, 0, 1}, {50, 70, 1}, {90, 10, 0}}, true), 4));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}, {9, 9, 0}}), 0));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}, true), 0));  // not exported: nothing cached
    SWFMakeCore mk;

    const std::string first = BuildPreviewMovie(mk, doc);
    const auto filled = Caches(doc);
    for (std::size_t k = 0; k < 3; ++k) ASSERT_NE(filled[k], nullptr) << k;
    EXPECT_EQ(filled[3], nullptr);
    EXPECT_EQ(*doc.Paths[2].ShapeCache, EncodePathRecords(doc.Paths[2]));

    EXPECT_EQ(BuildPreviewMovie(mk, doc), first);
    EXPECT_EQ(Caches(doc), filled);  // reused, not encoded again

    PathShape edited = doc.GetPath(2);
    edited.Anchors[1].X += 7;
    doc.SetPath(2, edited);
    EXPECT_EQ(doc.Paths[2].ShapeCache, nullptr);
    const std::string afterEdit = BuildPreviewMovie(mk, doc);
    EXPECT_NE(afterEdit, first);
    EXPECT_EQ(afterEdit, FreshMovie(doc));
    EXPECT_EQ(Caches(doc), (std::vector<const BitString*>{filled[0], doc.Paths[2].ShapeCache.get(), filled[2], nullptr}));
    EXPECT_NE(doc.Paths[2].ShapeCache, nullptr);
}

TEST(ShapeCache, ExportUsesTheCacheAsStored) {
    // A cache is trusted until the path is edited: the export takes its bits
    // rather than the anchors, which is what makes an unchanged path cheap.
    DrawCore doc, other;
    doc.AppendPath(Square(0, 0, 100));
    other.AppendPath(Square(500, 500, 20));
    doc.Paths[1].ShapeCache = std::make_shared<const BitString>(EncodePathRecords(other.Paths[1]));
    SWFMakeCore mk;
    EXPECT_EQ(BuildPreviewMovie(mk, doc), FreshMovie(other));
}

TEST(ShapeCache, RebuildSplicesChangedPathsOnlyWhenTheirBytesKeepTheirLength) {
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 100));
    doc.AppendPath(Styled(MakePath({{0, 0, 1}, {50, 70, 1}, {90, 10, 0}}, true), 4));
    doc.AppendPath(Square(300, 300, 50, 3));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}, {9, 9, 0}}), 0));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}), 0));  // not in the movie
    doc.AppendPath(Square(600, 600, 100));
    SWFMakeCore mk;
    UpdatePreviewMovie(mk, doc);
    using Step = void (*)(DrawCore&, SWFMakeCore&);
    // Applied in turn; `changes`: the movie's bytes change.
    const struct { const char* name; bool spliced, changes; Step edit; } steps[] = {
        {"nothing", true, false, [](DrawCore&, SWFMakeCore&) {}},
        {"move one", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 2, Move); }},
        {"move two", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 1, Move), Edit(d, 4, Move); }},
        {"colour", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 3, [](PathShape& p) { p.FillColor = 0x1234567; }); }},
        {"gradient matrix", true, true, [](DrawCore& d, SWFMakeCore&) {
             Edit(d, 2, [](PathShape& p) { Move(p), p.GradX = -70000, p.GradAngle = 33.3f, p.GradScale = 300.5f; });
         }},
        {"background", true, false, [](DrawCore& d, SWFMakeCore&) { d.Setup.BackColor[1] = 7; }},
        {"swap equal lengths", true, true, [](DrawCore& d, SWFMakeCore&) { std::swap(d.Paths[1], d.Paths[6]); }},
        {"swap other lengths", false, true, [](DrawCore& d, SWFMakeCore&) { std::swap(d.Paths[2], d.Paths[3]); }},
        {"add", false, true, [](DrawCore& d, SWFMakeCore&) { d.AppendPath(Square(5, 5, 5)); }},
        {"move last", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 7, Move); }},
        {"delete", false, true, [](DrawCore& d, SWFMakeCore&) { d.DeletePath(3); }},
        {"second anchor", false, true, [](DrawCore& d, SWFMakeCore&) {
             Edit(d, 4, [](PathShape& p) { p.Anchors.push_back({70, 70, 0}), p.AnchorMax = 1; });
         }},
        {"curve", false, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 1, [](PathShape& p) { p.Anchors[1].Kind = 1; }); }},
        {"show underlay", false, true, [](DrawCore& d, SWFMakeCore& m) {
             d.Setup.UnderlayShow = 1, m.ShowUnderlay = true;
             m.UnderlayTagCache = std::string("\x3F\x01", 2) + std::string(4, '\0') + "\x3F\x01" + std::string(4, '\0');
         }},
        {"move under underlay", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 5, Move); }},
        {"other underlay", false, true, [](DrawCore&, SWFMakeCore& m) { m.UnderlayTagCache[3] = 1; }},
        {"hide underlay", false, true, [](DrawCore&, SWFMakeCore& m) { m.ShowUnderlay = false; }},
        {"canvas", false, true, [](DrawCore& d, SWFMakeCore&) { d.Setup.CanvasHeight = 1000; }},
        {"move after canvas", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 2, Move); }},
    };
    for (const auto& step : steps) {
        const std::string before = mk.LastPreview.Movie;
        step.edit(doc, mk);
        const std::string& movie = UpdatePreviewMovie(mk, doc);
        EXPECT_EQ(movie, FreshMovie(doc, mk)) << step.name;
        EXPECT_EQ(mk.LastPreview.Spliced, step.spliced) << step.name;
        EXPECT_EQ(movie != before, step.changes) << step.name;
    }
}

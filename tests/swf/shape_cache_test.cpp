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

// The movie of the same paths with every cache emptied first.
std::string FreshMovie(DrawCore doc) {
    for (PathShape& p : doc.Paths) p.ShapeCache.reset();
    SWFMakeCore mk;
    return BuildPreviewMovie(mk, doc);
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

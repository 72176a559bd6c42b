#include <gtest/gtest.h>

#include "core/DrawCore.h"
#include "core/PathNames.h"

TEST(DrawCore, RecordRoutinesKeepElementZeroAndEmptyCaches) {
    DrawCore doc;
    PathShape p;
    p.Anchors = {{1, 2, 0}};
    p.ShapeCache = std::make_shared<BitString>();
    for (int i = 0; i < 4; ++i) {
        p.Selected = (i % 2) ? VbTrue : VbFalse;
        p.GroupNo = i + 1;
        EXPECT_EQ(doc.AppendPath(p), i + 1);
    }
    doc.SetPath(1, p);
    EXPECT_EQ(doc.Paths[1].ShapeCache, nullptr);
    EXPECT_NE(doc.Paths[2].ShapeCache, nullptr);
    EXPECT_EQ(doc.GetSelectedCount(), 3);  // path 1 was replaced by a selected copy of path 4
    doc.DeletePath(0);
    doc.DeletePath(5);
    EXPECT_EQ(doc.GetPathCount(), 4);
    doc.DeletePath(3);
    EXPECT_EQ(doc.Paths[3].GroupNo, 4);
    doc.DeleteSelected();
    EXPECT_EQ(doc.GetPathCount(), 0);
    doc.AppendPath(p);
    doc.AppendPath(p);
    for (bool all : {false, true, false}) {
        all ? doc.SelectAll() : doc.DeselectAll();
        EXPECT_EQ(doc.GetSelectedCount(), all ? 2 : 0);
    }
    doc.ResetDocument();
    EXPECT_EQ(doc.Paths.size(), 1u);
}

TEST(PathNames, FolderNameAndExtension) {
    const struct { std::string path, dir, name, ext; } cases[] = {
        {"/x.lvd", "/", "x.lvd", "lvd"},
        {"/a/x.lvd", "/a", "x.lvd", "lvd"},
        {"/a.b/x", "/a.b", "x", ""},
        {"x.tar.gz", "", "x.tar.gz", "gz"},
        {"", "", "", ""},
        {"/a/", "/a", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetDirName(c.path), c.dir) << c.path;
        EXPECT_EQ(GetFileName(c.path), c.name) << c.path;
        EXPECT_EQ(GetFileExt(c.path), c.ext) << c.path;
    }
}

#include <gtest/gtest.h>

#include "core/History.h"

namespace {
// One edit: append a path whose X marks the edit number, then record it.
void Edit(DrawCore& doc, int n) {
    PathShape p;
    p.Anchors = {{n, 0, 0}};
    doc.AppendPath(p);
    PushHistory(doc);
}

int LastMark(const DrawCore& doc) { return doc.GetPathCount() == 0 ? 0 : doc.Paths.back().Anchors[0].X; }

struct History : ::testing::Test {
    DrawCore doc;
    History() { doc.ResetDocument(); }
};
}  // namespace

TEST_F(History, TrimsAtTwiceTheDepthAndUndoThenJumpsToTheStart) {
    for (int n = 1; n <= 39; ++n) Edit(doc, n);
    EXPECT_EQ(doc.HistoryPos, 39);
    Edit(doc, 40);
    EXPECT_EQ(std::make_tuple(doc.HistoryPos, doc.History.size(), LastMark(doc)), std::make_tuple(20, 21u, 40));
    for (int expected = 39; expected >= 21; --expected) {
        UndoHistory(doc);
        EXPECT_EQ(LastMark(doc), expected);
    }
    UndoHistory(doc);
    EXPECT_EQ(doc.GetPathCount(), 0);
    EXPECT_FALSE(CanUndo(doc));
    UndoHistory(doc);
    EXPECT_EQ(doc.HistoryPos, 0);
}

TEST_F(History, UndoRedoTheDroppedRedoChainAndTheModifiedMark) {
    EXPECT_FALSE(CanUndo(doc));
    Edit(doc, 1);
    Edit(doc, 2);
    doc.SetModified(false);
    UndoHistory(doc);
    EXPECT_EQ(LastMark(doc), 1);
    EXPECT_FALSE(doc.IsModified());  // undo leaves the mark as it was
    EXPECT_TRUE(CanRedo(doc));
    RedoHistory(doc);
    EXPECT_EQ(LastMark(doc), 2);
    EXPECT_FALSE(CanRedo(doc));
    UndoHistory(doc);
    Edit(doc, 3);
    EXPECT_FALSE(CanRedo(doc));
    EXPECT_TRUE(doc.IsModified());
    UndoHistory(doc);
    UndoHistory(doc);
    EXPECT_EQ(doc.GetPathCount(), 0);
}

TEST_F(History, DepthZeroOrNegativeKeepsNoUndoButStillMarksModified) {
    for (int depth : {0, -5}) {
        doc.Setup.HistoryMax = depth;
        doc.ResetDocument();
        Edit(doc, 1);
        Edit(doc, 2);
        EXPECT_EQ(std::make_tuple(doc.HistoryPos, CanUndo(doc) || CanRedo(doc), doc.IsModified(), doc.GetPathCount()),
                  std::make_tuple(0, false, true, 2)) << depth;
    }
}

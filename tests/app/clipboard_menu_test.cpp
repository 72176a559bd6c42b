#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <tuple>

#include "core/History.h"
#include "edit/CanvasMenus.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {
struct EditWindow : TestWindow {
    DrawCore& doc = gui.Core();
    EditWindow() {
        doc.AppendPath(Box(1000, 1000, 2000, 2000, PackColor(255, 0, 0, 255)));
        PushHistory(doc);
        gui.RebuildPreview();
        Activate();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        gui.activateWindow();  // a closed pop-up menu leaves no window active here
        QTest::keyClick(gui.View().Picture1, key, modifiers);
    }
    std::vector<bool> EditItems() {
        emit gui.mnuEdit->aboutToShow();
        std::vector<bool> on;
        for (QAction* a : {gui.mnuCopyPathEdit, gui.mnuCutPathEdit, gui.mnuDeletePathEdit, gui.mnuPastePathEdit,
                           gui.mnuSelectAllEdit})
            on.push_back(a->isEnabled());
        emit gui.mnuEdit->aboutToHide();
        return on;
    }
};
}  // namespace

TEST(EditMenu, ItemsAndShortcuts) {
    EditWindow w;
    EXPECT_EQ(w.EditItems(), (std::vector<bool>{false, false, false, false, true}));
    w.gui.Edit().ToolMode = 1;  // outside the select tool only paste works
    w.doc.Paths[1].Selected = VbTrue;
    w.Key(Qt::Key_C);
    EXPECT_EQ(w.doc.GetClipCount(), 0);
    w.doc.CopyToClip(0, 0);
    EXPECT_EQ(w.EditItems(), (std::vector<bool>{false, false, false, true, false}));
    w.gui.Edit().ToolMode = 2;
    EXPECT_EQ(w.EditItems(), (std::vector<bool>{true, true, true, true, true}));

    w.doc.DeselectAll();
    w.Key(Qt::Key_A);
    w.Key(Qt::Key_C);
    const std::int32_t steps = w.doc.HistoryPos;
    EXPECT_EQ(w.doc.ClipOriginX, 1000);
    w.Key(Qt::Key_V);
    w.Key(Qt::Key_V);
    ASSERT_EQ(w.doc.GetPathCount(), 3);
    EXPECT_EQ(std::make_pair(w.doc.Paths[2].Anchors[0].X, w.doc.Paths[3].Anchors[0].Y), std::make_pair(1200, 1400));
    w.Key(Qt::Key_X);  // the last copy goes to the clipboard; a paste puts it back
    EXPECT_EQ(w.doc.GetPathCount(), 2);
    w.Key(Qt::Key_V);
    EXPECT_EQ(w.doc.Paths[3].Anchors[0].X, 1400);
    w.Key(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(std::make_pair(w.doc.GetPathCount(), w.doc.HistoryPos), std::make_pair(2, steps + 5));
}

namespace {
// Runs `open`, which shows a pop-up menu, and returns its items' state while
// it is open: '.' hidden, '-' disabled, '+' enabled. Then `pick` runs, or
// the menu closes.
std::string PopupState(const std::function<void()>& open, QAction* pick = nullptr) {
    std::string state;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) state += !a->isVisible() ? '.' : a->isEnabled() ? '+' : '-';
        if (pick && pick->isEnabled()) pick->trigger();
        menu->close();
    });
    open();
    while (!ran) QApplication::processEvents();  // no menu opened: the check runs now
    return state;
}

// Paths: 1 a stroke starting next to 2's start, 2 an open path whose ends
// are 60 twips apart, 3 a closed square.
struct MenuWindow : EditWindow {
    explicit MenuWindow(int tool) {
        doc.Paths[1] = MakePath({{30, 0}, {-500, -500}});
        doc.AppendPath(MakePath({{0, 0}, {1000, 0}, {1000, 1000}, {0, 60}}));
        doc.AppendPath(Square(3000, 3000, 1000));
        gui.Edit().ToolMode = static_cast<std::int16_t>(tool);
        gui.Form_Resize();
    }
    // Hovers over (tx, ty) twips, right-clicks there and returns the state of
    // the pop-up menu that opens; `pick` is then run.
    std::string RightClick(int tx, int ty, QAction* pick = nullptr) {
        Move(tx, ty);
        const QPoint at = At(tx, ty);
        QTest::mousePress(canvas, Qt::RightButton, {}, at);
        return PopupState([&] { QTest::mouseRelease(canvas, Qt::RightButton, {}, at); }, pick);
    }
    CanvasMenus& menus = gui.Menus();
    QWidget* canvas = gui.View().Picture1;
};
}  // namespace

TEST(CanvasMenus, ModifyMenuByRightClick) {
    MenuWindow w(1);
    const struct { int tx, ty; float zoom; std::string state; } cases[] = {
        {0, 60, 2.0f, "-+..-++----"},       // the last anchor at 200 %: 6 pixels from anchor 0
        {0, 60, 1.0f, "-+..-++-+--"},       // the same at 100 %: 3 pixels apart
        {4000, 3500, 1.0f, "+--+..++---"},  // an edge of the closed square
        {0, 0, 1.0f, "-+..-++-+++"},        // anchor 0, near the last anchor and path 1's start
    };
    for (const auto& c : cases) {
        w.doc.ZoomRate = c.zoom;
        w.gui.Form_Resize();
        EXPECT_EQ(w.RightClick(c.tx, c.ty), c.state) << c.tx << "," << c.ty << " at " << c.zoom;
    }
    const std::int32_t steps = w.doc.HistoryPos;
    w.RightClick(3000, 3500, w.menus.mnuAnchorAdd);  // the closing edge; the release records no second step
    EXPECT_EQ(std::make_pair(Coords(w.doc.Paths[3]).back(), w.doc.HistoryPos), std::make_pair(std::pair{3000, 3500}, steps + 1));

    // Insert adds an anchor on the edge under the pointer, Delete removes the
    // anchor there; a second Delete without a move finds nothing there.
    for (auto [tx, ty, key] : {std::tuple{500, 0, Qt::Key_Insert}, {1000, 1000, Qt::Key_Delete}, {-1, 0, Qt::Key_Delete}}) {
        if (tx >= 0) w.Move(tx, ty);
        w.Key(key, Qt::NoModifier);
    }
    using Pts = std::vector<std::pair<int, int>>;
    EXPECT_EQ(std::make_pair(Coords(w.doc.Paths[2]), w.doc.HistoryPos), std::make_pair(Pts{{0, 0}, {500, 0}, {1000, 0}, {0, 60}}, steps + 3));
    // Nor does Delete after a join: the hit named a path that has been renumbered.
    w.RightClick(0, 0, w.menus.mnuJointPath);
    w.Key(Qt::Key_Delete, Qt::NoModifier);
    ASSERT_EQ(w.doc.GetPathCount(), 2);  // the joined path and the square keep their five anchors each
    EXPECT_EQ(std::pair(w.doc.Paths[1].AnchorMax, w.doc.Paths[2].AnchorMax), std::pair(4, 4));
}

TEST(CanvasMenus, PathAndCanvasMenusByRightClick) {
    MenuWindow w(2);
    const struct {
        std::vector<int> selected;  // before the click
        std::vector<int> group;     // paths given group 4
        bool grouped;
        int tx, ty;
        std::string state;
    } cases[] = {
        {{}, {}, false, 3200, 3000, "++++-++---"},          // one closed path
        {{2, 3}, {}, false, 3200, 3000, "++++++++--"},      // several paths
        {{}, {2, 3}, true, 250, 0, "+++++++++-"},           // a grouped path: its group is selected
        {{}, {2}, false, 250, 0, "+++-+++--+"},             // an open path of a dissolved group
    };
    for (const auto& c : cases) {
        for (int i = 1; i <= 3; ++i) {
            PathShape& p = w.doc.Paths[i];
            p.Selected = std::count(c.selected.begin(), c.selected.end(), i) ? VbTrue : VbFalse;
            p.GroupNo = std::count(c.group.begin(), c.group.end(), i) ? 4 : 0;
            p.Grouped = p.GroupNo && c.grouped ? VbTrue : VbFalse;
        }
        EXPECT_EQ(w.RightClick(c.tx, c.ty), c.state) << c.tx;
    }
    const std::int32_t steps = w.doc.HistoryPos;
    w.RightClick(250, 0, w.menus.mnuCopyPath);
    EXPECT_EQ(w.doc.HistoryPos, steps);
    w.RightClick(250, 0, w.menus.mnuBackPath);
    EXPECT_EQ(std::make_pair(w.doc.Paths[1].GroupNo, w.doc.HistoryPos), std::make_pair(4, steps + 1));

    EXPECT_EQ(w.RightClick(6000, 6000, w.menus.mnuPastePath), "+++");
    ASSERT_EQ(w.doc.GetPathCount(), 4);
    EXPECT_EQ(Coords(w.doc.Paths[4]).front(), (std::pair<int, int>{6000, 6000}));
    w.doc.ClearClip();
    w.gui.mnuSelectAllEdit->trigger();
    w.gui.mnuDeletePathEdit->trigger();  // no handle is left at the corner of what was selected
    EXPECT_EQ(w.RightClick(7000, 7000), "--+");
}


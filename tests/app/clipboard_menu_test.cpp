#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/DrawGUI.h"
#include "core/History.h"
#include "edit/CanvasMenus.h"
#include "tests/app/FakeDialogs.h"
#include "tests/TestPaths.h"

namespace {
struct EditWindow {
    DrawGUI gui{std::make_unique<FakeDialogs>()};
    DrawCore& doc = gui.Core();
    EditWindow() {
        gui.Form_Load({});
        doc.AppendPath(Box(1000, 1000, 2000, 2000, PackColor(255, 0, 0, 255)));
        PushHistory(doc);
        gui.RebuildPreview();
        gui.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&gui));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
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
    EXPECT_EQ(w.doc.Paths[2].Anchors[0].X, 1200);
    EXPECT_EQ(w.doc.Paths[3].Anchors[0].Y, 1400);
    w.Key(Qt::Key_X);  // the last copy goes to the clipboard; a paste puts it back
    EXPECT_EQ(w.doc.GetPathCount(), 2);
    w.Key(Qt::Key_V);
    EXPECT_EQ(w.doc.Paths[3].Anchors[0].X, 1400);
    w.Key(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(w.doc.GetPathCount(), 2);
    EXPECT_EQ(w.doc.HistoryPos, steps + 5);
}

namespace {
// Runs `open`, which shows a pop-up menu, and returns its items' state while
// it is open: '.' hidden, '-' disabled, '+' enabled. Then `pick` runs, or
// the menu closes.
std::string PopupState(const std::function<void()>& open, QAction* pick = nullptr) {
    std::string state;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            ADD_FAILURE() << "no pop-up menu opened";
            return;
        }
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) state += !a->isVisible() ? '.' : a->isEnabled() ? '+' : '-';
        if (pick && pick->isEnabled()) pick->trigger();
        menu->close();
    });
    open();
    return state;
}

struct MenuWindow : EditWindow {
    CanvasMenus& menus = gui.Menus();
    MenuWindow() {
        doc.Paths[1] = MakePath({{0, 0}, {1000, 0}, {1000, 1000}, {0, 60}});  // open
        doc.AppendPath(MakePath({{30, 0}, {-500, -500}}));
        doc.AppendPath(Square(3000, 3000, 1000));  // closed
    }
    void Hit(int path, int anchor, int edge = 0, int anchor2 = 0) {
        doc.SelPath = path;
        doc.SelAnchor = anchor;
        doc.HitPart = edge;
        doc.SelAnchor2 = anchor2;
    }
    std::string Modify(TwipPoint mouse, QAction* pick = nullptr) {
        return PopupState([&] { menus.mnuModifyMode_Popup(gui.mapToGlobal(QPoint(200, 200)), mouse); }, pick);
    }
    std::string PathMenu(QAction* pick = nullptr) {
        return PopupState([&] { menus.mnuSelectMode_Popup(gui.mapToGlobal(QPoint(200, 200))); }, pick);
    }
};
}  // namespace

TEST(CanvasMenus, ModifyMenuItemsForTheHit) {
    MenuWindow w;
    const struct {
        int path, anchor, edge, anchor2;
        TwipPoint mouse;
        float zoom;
        std::string state;
    } cases[] = {
        {3, 1, 3, 2, {4000, 3500}, 1.0f, "+--+..++---"},  // edge of a closed path
        {1, 0, 0, 0, {0, 0}, 1.0f, "-+..-++-+++"},        // first anchor, near the last and another path's start
        {1, 3, 0, 0, {0, 60}, 2.0f, "-+..-++----"},       // last anchor; 4.5 pixels at 200 % is 45 twips
        {0, 0, 0, 0, {0, 0}, 1.0f, "--....-----"},        // nothing under the mouse
    };
    for (const auto& c : cases) {
        w.Hit(c.path, c.anchor, c.edge, c.anchor2);
        w.doc.ZoomRate = c.zoom;
        EXPECT_EQ(w.Modify(c.mouse), c.state) << c.path << "/" << c.anchor;
    }
    w.doc.ZoomRate = 1.0f;
    w.Hit(3, 3, 3, 0);
    w.gui.Edit().DragChanged = true;
    const std::int32_t steps = w.doc.HistoryPos;
    w.Modify({3000, 3500}, w.menus.mnuAnchorAdd);
    EXPECT_EQ(Coords(w.doc.Paths[3]).back(), (std::pair<int, int>{3000, 3500}));
    EXPECT_EQ(w.doc.HistoryPos, steps + 1);
    EXPECT_FALSE(w.gui.Edit().DragChanged);
}

TEST(CanvasMenus, PathAndCanvasMenuItems) {
    MenuWindow w;
    const struct {
        std::vector<int> selected;
        int groupNo;
        bool grouped;
        int under;
        std::string state;
    } cases[] = {
        {{3}, 0, false, 3, "++++-++---"},           // one closed path
        {{1, 3}, 0, false, 3, "++++++++--"},        // several paths
        {{1, 3}, 4, true, 1, "+++++++++-"},         // a grouped path
        {{1}, 4, false, 1, "+++-+++--+"},           // one open path of a dissolved group
    };
    for (const auto& c : cases) {
        w.doc.DeselectAll();
        for (int i : c.selected) {
            w.doc.Paths[i].Selected = VbTrue;
            w.doc.Paths[i].GroupNo = c.groupNo;
            w.doc.Paths[i].Grouped = c.grouped ? VbTrue : VbFalse;
        }
        w.doc.SelPath = c.under;
        EXPECT_EQ(w.PathMenu(), c.state) << c.under << " of " << c.selected.size();
    }
    const std::int32_t steps = w.doc.HistoryPos;
    w.PathMenu(w.menus.mnuCopyPath);
    EXPECT_EQ(w.doc.HistoryPos, steps);
    EXPECT_EQ(w.doc.GetClipCount(), 1);
    w.PathMenu(w.menus.mnuGroupAgain);
    EXPECT_EQ(w.doc.HistoryPos, steps + 1);
    EXPECT_TRUE(w.doc.Paths[3].Selected && w.doc.Paths[3].Grouped);

    w.gui.Edit().DragX = 5000;
    w.gui.Edit().DragY = 100;
    const auto canvas = [&](QAction* pick = nullptr) {
        return PopupState([&] { w.menus.mnuSelectMode2_Popup(w.gui.mapToGlobal(QPoint(9, 9))); }, pick);
    };
    EXPECT_EQ(canvas(w.menus.mnuPastePath), "++-");
    ASSERT_EQ(w.doc.GetPathCount(), 4);
    EXPECT_EQ(Coords(w.doc.Paths[4]).front(), (std::pair<int, int>{5000, 100}));
    w.doc.ClearClip();
    w.doc.Paths.resize(1);
    EXPECT_EQ(canvas(), "---");
}

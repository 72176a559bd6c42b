#pragma once
#include <QObject>
#include <QPoint>
#include <functional>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/EditState.h"
#include "edit/Geometry.h"

class QAction;
class QMenu;
class QWidget;
class OptimizeGUI;

// The canvas pop-up menus: "変形モード" of the modify tool, "セレクトモード(パス)"
// and "セレクトモード(キャンバス)" of the select tool. Each computes its items'
// state just before it opens. A command records one history step and
// clears DragChanged, so the release that opened the menu records none; the
// caller rebuilds the preview and redraws after the menu has closed.
class CanvasMenus : public QObject {
    Q_OBJECT
public:
    // `canvas` places the optimisation dialog just below it.
    CanvasMenus(DrawCore& doc, EditState& edit, PreviewHost& host, QWidget* window, QWidget* canvas);
    ~CanvasMenus() override;

    // Opened at `globalPos`; `mouse` is the release point in twips.
    void mnuModifyMode_Popup(const QPoint& globalPos, TwipPoint mouse);
    void mnuSelectMode_Popup(const QPoint& globalPos);
    void mnuSelectMode2_Popup(const QPoint& globalPos);

    // Also run by the Insert and Delete keys of the modify tool.
    void mnuAnchorAdd_Click();
    void mnuAnchorDelete_Click();
    void mnuOptimizeAnchor_Click();

    // The canvas properties dialog; while unset its item stays disabled.
    std::function<void()> PropertyCanvas;
    // Draws a path's control polygon after each optimisation preview.
    std::function<void(std::int32_t)> DrawPathEdge;

    QMenu* mnuModifyMode = nullptr;
    QAction* mnuAnchorAdd = nullptr;
    QAction* mnuAnchorDelete = nullptr;
    QAction* mnuAnchorLine = nullptr;
    QAction* mnuAnchorCurve = nullptr;
    QAction* mnuAnchorKeen = nullptr;
    QAction* mnuAnchorRound = nullptr;
    QAction* mnuOptimizeAnchor = nullptr;
    QAction* mnuOpenPathSel = nullptr;
    QAction* mnuClosePathSel = nullptr;
    QAction* mnuDevidePath = nullptr;
    QAction* mnuJointPath = nullptr;

    QMenu* mnuSelectMode = nullptr;
    QAction* mnuCopyPath = nullptr;
    QAction* mnuCutPath = nullptr;
    QAction* mnuDeletePath = nullptr;
    QAction* mnuOpenPath = nullptr;
    QAction* mnuClosePath = nullptr;
    QAction* mnuFrontPath = nullptr;
    QAction* mnuBackPath = nullptr;
    QAction* mnuGroupMake = nullptr;
    QAction* mnuGroupClear = nullptr;
    QAction* mnuGroupAgain = nullptr;

    QMenu* mnuSelectMode2 = nullptr;
    QAction* mnuPastePath = nullptr;
    QAction* mnuSelectAll = nullptr;
    QAction* mnuPropertyCanvas = nullptr;

private:
    void CreateModifyMenu(QWidget* window);
    void CreatePathMenu(QWidget* window);
    void CreateCanvasMenu(QWidget* window);
    // Adds an item whose command is followed by one history step.
    QAction* AddCommand(QMenu* menu, const QString& caption, std::function<void()> command);
    void Record();
    TwipPoint FrameCorner();

    DrawCore& doc_;
    EditState& edit_;
    PreviewHost& host_;
    QWidget* canvas_;
    OptimizeGUI* optimize_ = nullptr;  // created on first use, then kept
};

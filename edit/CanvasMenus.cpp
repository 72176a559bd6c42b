#include "edit/CanvasMenus.h"

#include <QMenu>
#include <QWidget>

#include "core/History.h"
#include "edit/AnchorCommands.h"
#include "edit/Clipboard.h"
#include "edit/GroupCommands.h"
#include "edit/MenuRules.h"
#include "edit/OptimizeGUI.h"
#include "edit/Selection.h"

namespace {
void Apply(QAction* action, const ItemRule& rule) {
    action->setVisible(rule.Visible);
    action->setEnabled(rule.Enabled);
}
}  // namespace

CanvasMenus::CanvasMenus(DrawCore& doc, EditState& edit, PreviewHost& host, QWidget* window, QWidget* canvas)
    : QObject(window), doc_(doc), edit_(edit), host_(host), canvas_(canvas) {
    CreateModifyMenu(window);
    CreatePathMenu(window);
    CreateCanvasMenu(window);
}

CanvasMenus::~CanvasMenus() = default;

QAction* CanvasMenus::AddCommand(QMenu* menu, const QString& caption, std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, command] {
        command();
        Record();
    });
    return action;
}

void CanvasMenus::Record() {
    // The box follows the selection even when nothing stays selected, so no
    // handle of a removed path is left to catch a click.
    CalcSelectedRect(doc_, edit_.Box);
    PushHistory(doc_);
    edit_.DragChanged = false;
}

void CanvasMenus::CreateModifyMenu(QWidget* window) {
    mnuModifyMode = new QMenu(tr("変形モード"), window);
    QMenu* m = mnuModifyMode;
    DrawCore& d = doc_;
    mnuAnchorAdd = m->addAction(tr("アンカーを追加(&A)"));
    mnuAnchorDelete = m->addAction(tr("アンカーを削除(&D)"));
    connect(mnuAnchorAdd, &QAction::triggered, this, &CanvasMenus::mnuAnchorAdd_Click);
    connect(mnuAnchorDelete, &QAction::triggered, this, &CanvasMenus::mnuAnchorDelete_Click);
    mnuAnchorLine = AddCommand(m, tr("直線にする(&I)"),
                               [&d] { SetEdgeKind(d, d.SelPath, d.SelAnchor, d.SelAnchor2, 0); });
    mnuAnchorCurve = AddCommand(m, tr("曲線にする(&C)"),
                                [&d] { SetEdgeKind(d, d.SelPath, d.SelAnchor, d.SelAnchor2, 1); });
    mnuAnchorKeen = AddCommand(m, tr("尖らせる(&K)"), [&d] { SetAnchorKind(d, d.SelPath, d.SelAnchor, 0); });
    mnuAnchorRound = AddCommand(m, tr("角を丸める(&R)"), [&d] { SetAnchorKind(d, d.SelPath, d.SelAnchor, 1); });
    m->addSeparator();
    mnuOptimizeAnchor = m->addAction(tr("パスを最適化(&O)"));
    connect(mnuOptimizeAnchor, &QAction::triggered, this, &CanvasMenus::mnuOptimizeAnchor_Click);
    m->addSeparator();
    mnuOpenPathSel = AddCommand(m, tr("パスを開く(&P)"), [&d] { OpenPathAt(d, d.SelPath, d.SelAnchor); });
    mnuClosePathSel = AddCommand(m, tr("パスを閉じる(&L)"), [&d] { CloseAtEnds(d, d.SelPath); });
    mnuDevidePath = AddCommand(m, tr("パスを分割(&V)"),
                               [&d] { DividePath(d, d.SelPath, d.HitPart, d.SelAnchor, d.SelAnchor2); });
    mnuJointPath = AddCommand(m, tr("パスを結合(&J)"), [&d] { JoinPaths(d, d.SelPath, d.SelAnchor, false); });
}

void CanvasMenus::CreatePathMenu(QWidget* window) {
    mnuSelectMode = new QMenu(tr("セレクトモード(パス)"), window);
    QMenu* m = mnuSelectMode;
    DrawCore& d = doc_;
    mnuCopyPath = m->addAction(tr("コピー(&C)"));
    connect(mnuCopyPath, &QAction::triggered, this, [this] {
        const TwipPoint corner = FrameCorner();
        doc_.CopyToClip(corner.X, corner.Y);
    });
    mnuCutPath = AddCommand(m, tr("切り取り(&T)"), [this] {
        const TwipPoint corner = FrameCorner();
        CutToClip(doc_, corner.X, corner.Y);
    });
    mnuDeletePath = AddCommand(m, tr("削除(&D)"), [&d] { d.DeleteSelected(); });
    m->addSeparator();
    mnuOpenPath = AddCommand(m, tr("パスを閉じない(&O)"), [&d] { SetClosedSelected(d, false); });
    mnuClosePath = AddCommand(m, tr("パスを閉じる(&L)"), [&d] { SetClosedSelected(d, true); });
    m->addSeparator();
    mnuFrontPath = AddCommand(m, tr("最前面へ移動(&F)"), [&d] { MoveSelectedZ(d, 2); });
    mnuBackPath = AddCommand(m, tr("最背面へ移動(&B)"), [&d] { MoveSelectedZ(d, 1); });
    m->addSeparator();
    mnuGroupMake = AddCommand(m, tr("グループ化する(&G)"), [&d] { SetGroupSelected(d, true); });
    mnuGroupClear = AddCommand(m, tr("グループ化解除(&U)"), [&d] { SetGroupSelected(d, false); });
    mnuGroupAgain = AddCommand(m, tr("再グループ化(&R)"), [&d] { RegroupPath(d, d.SelPath); });
}

void CanvasMenus::CreateCanvasMenu(QWidget* window) {
    mnuSelectMode2 = new QMenu(tr("セレクトモード(キャンバス)"), window);
    QMenu* m = mnuSelectMode2;
    mnuPastePath = AddCommand(m, tr("貼り付け(&P)"), [this] { PasteClip(doc_, edit_.DragX, edit_.DragY, false); });
    mnuSelectAll = m->addAction(tr("全て選択(&A)"));
    connect(mnuSelectAll, &QAction::triggered, this, [this] { doc_.SelectAll(); });
    m->addSeparator();
    mnuPropertyCanvas = m->addAction(tr("キャンバスのプロパティ(&C)"));
    connect(mnuPropertyCanvas, &QAction::triggered, this, [this] {
        if (PropertyCanvas) PropertyCanvas();
    });
}

// The selection frame's top-left corner, the clipboard's reference point.
TwipPoint CanvasMenus::FrameCorner() {
    CalcSelectedRect(doc_, edit_.Box);
    return edit_.Box.SelRect[0];
}

void CanvasMenus::mnuAnchorAdd_Click() {
    InsertAnchor(doc_, doc_.SelPath, doc_.SelAnchor, doc_.SelAnchor2);
    Record();
}

void CanvasMenus::mnuAnchorDelete_Click() {
    DeleteAnchor(doc_, doc_.SelPath, doc_.SelAnchor);
    Record();
}

void CanvasMenus::mnuOptimizeAnchor_Click() {
    if (!optimize_) {
        optimize_ = new OptimizeGUI(doc_, edit_.Drag, host_, canvas_ ? canvas_->window() : nullptr);
        optimize_->DrawPathEdge = [this](std::int32_t p) {
            if (DrawPathEdge) DrawPathEdge(p);
        };
    }
    const QPoint below = canvas_ ? canvas_->mapToGlobal(QPoint(0, canvas_->height())) : QPoint();
    optimize_->ExecFor(doc_.SelPath, below);
    edit_.DragChanged = false;
}

void CanvasMenus::mnuModifyMode_Popup(const QPoint& globalPos, TwipPoint mouse) {
    const ModifyMenuRules r = ModifyMenuState(doc_, mouse);
    Apply(mnuAnchorAdd, r.AnchorAdd);
    Apply(mnuAnchorDelete, r.AnchorDelete);
    Apply(mnuAnchorLine, r.AnchorLine);
    Apply(mnuAnchorCurve, r.AnchorCurve);
    Apply(mnuAnchorKeen, r.AnchorKeen);
    Apply(mnuAnchorRound, r.AnchorRound);
    Apply(mnuOptimizeAnchor, r.OptimizeAnchor);
    Apply(mnuOpenPathSel, r.OpenPathSel);
    Apply(mnuClosePathSel, r.ClosePathSel);
    Apply(mnuDevidePath, r.DevidePath);
    Apply(mnuJointPath, r.JointPath);
    mnuModifyMode->exec(globalPos);
}

void CanvasMenus::mnuSelectMode_Popup(const QPoint& globalPos) {
    CalcSelectedRect(doc_, edit_.Box);
    const PathMenuRules r = PathMenuState(doc_, edit_.Box.SelCount);
    Apply(mnuCopyPath, r.CopyPath);
    Apply(mnuCutPath, r.CutPath);
    Apply(mnuDeletePath, r.DeletePath);
    Apply(mnuOpenPath, r.OpenPath);
    Apply(mnuClosePath, r.ClosePath);
    Apply(mnuFrontPath, r.FrontPath);
    Apply(mnuBackPath, r.BackPath);
    Apply(mnuGroupMake, r.GroupMake);
    Apply(mnuGroupClear, r.GroupClear);
    Apply(mnuGroupAgain, r.GroupAgain);
    mnuSelectMode->exec(globalPos);
}

void CanvasMenus::mnuSelectMode2_Popup(const QPoint& globalPos) {
    const CanvasMenuRules r = CanvasMenuState(doc_, static_cast<bool>(PropertyCanvas));
    Apply(mnuPastePath, r.PastePath);
    Apply(mnuSelectAll, r.SelectAll);
    Apply(mnuPropertyCanvas, r.PropertyCanvas);
    mnuSelectMode2->exec(globalPos);
}

#include "edit/MenuRules.h"

#include "edit/AnchorCommands.h"

namespace {
ItemRule Enabled(bool on) { return {true, on}; }
ItemRule Shown(bool visible, bool on) { return {visible, visible && on}; }

bool Near(const AnchorPoint& a, TwipPoint mouse, float tolerance) {
    return PointDistance(std::int64_t{a.X} - mouse.X, std::int64_t{a.Y} - mouse.Y) < tolerance;
}
}  // namespace

ModifyMenuRules ModifyMenuState(const DrawCore& doc, TwipPoint mouse) {
    ModifyMenuRules rules;
    for (ItemRule* kind : {&rules.AnchorLine, &rules.AnchorCurve, &rules.AnchorKeen, &rules.AnchorRound})
        kind->Visible = false;
    const PathShape* path = ValidPath(doc, doc.SelPath);
    const std::int32_t a = doc.SelAnchor;
    if (!path || a < 0 || a > path->AnchorMax) return rules;
    const bool edge = doc.HitPart >= 1 && doc.SelAnchor2 >= 0 && doc.SelAnchor2 <= path->AnchorMax;
    const bool anchor = doc.HitPart == 0;
    const bool closed = path->Closed != 0;
    const AnchorPoint& hit = path->Anchors[static_cast<std::size_t>(a)];

    rules.AnchorAdd = Enabled(edge);
    rules.AnchorDelete = Enabled(anchor);
    if (edge) {
        const AnchorPoint& other = path->Anchors[static_cast<std::size_t>(doc.SelAnchor2)];
        rules.AnchorLine = Shown(true, hit.Kind != 0 || other.Kind != 0);
        rules.AnchorCurve = Shown(true, hit.Kind != 1 || other.Kind != 1);
    }
    if (anchor) {
        rules.AnchorKeen = Shown(true, hit.Kind == 1);
        rules.AnchorRound = Shown(true, hit.Kind == 0);
    }
    rules.OptimizeAnchor = Enabled(true);
    rules.OpenPathSel = Enabled(edge && closed);
    const float tolerance = 90.0f / doc.ZoomRate;
    const bool endsMeet = (a == 0 && Near(path->Anchors.back(), mouse, tolerance)) ||
                          (a == path->AnchorMax && Near(path->Anchors.front(), mouse, tolerance));
    rules.ClosePathSel = Enabled(anchor && !closed && endsMeet);
    rules.DevidePath = Enabled(!closed && a < path->AnchorMax);
    rules.JointPath = Enabled(anchor && CanJoinPaths(doc, doc.SelPath, a));
    return rules;
}

PathMenuRules PathMenuState(const DrawCore& doc, std::int32_t selCount) {
    PathMenuRules rules;
    for (ItemRule* item : {&rules.CopyPath, &rules.CutPath, &rules.DeletePath, &rules.OpenPath, &rules.ClosePath,
                           &rules.FrontPath, &rules.BackPath, &rules.GroupMake, &rules.GroupClear, &rules.GroupAgain})
        item->Enabled = true;
    const PathShape* found = ValidPath(doc, doc.SelPath);
    const PathShape path = found ? *found : PathShape{};
    if (selCount == 1) {
        rules.OpenPath.Enabled = path.Closed != 0;
        rules.ClosePath.Enabled = path.Closed == 0;
        rules.GroupMake.Enabled = false;
    }
    rules.GroupClear.Enabled = path.Grouped != 0;
    rules.GroupAgain.Enabled = path.Grouped == 0 && path.GroupNo != 0;
    return rules;
}

CanvasMenuRules CanvasMenuState(const DrawCore& doc, bool canvasDialogAvailable) {
    return {Enabled(doc.GetClipCount() >= 1), Enabled(doc.GetPathCount() >= 1), Enabled(canvasDialogAvailable)};
}

EditMenuRules EditMenuState(const DrawCore& doc, std::int16_t toolMode) {
    const bool selectTool = toolMode == 2;
    const bool selection = selectTool && doc.GetSelectedCount() >= 1;
    return {selection, selection, selection, doc.GetClipCount() >= 1, selectTool && doc.GetPathCount() >= 1};
}

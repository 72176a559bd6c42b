#include "core/Records.h"

bool SameShape(const PathShape& a, const PathShape& b) {
    return a.Anchors == b.Anchors && a.AnchorMax == b.AnchorMax && a.Closed == b.Closed &&
           a.LineWidth == b.LineWidth && a.LineOn == b.LineOn && a.LineColor == b.LineColor &&
           a.FillType == b.FillType && a.FillColor == b.FillColor && a.GradX == b.GradX && a.GradY == b.GradY &&
           a.GradAngle == b.GradAngle && a.GradScale == b.GradScale && a.FillColor2 == b.FillColor2 &&
           a.Selected == b.Selected && a.Grouped == b.Grouped && a.GroupNo == b.GroupNo;
}

void ResetCanvasDefaults(CanvasSetup& setup) {
    const std::int32_t historyMax = setup.HistoryMax;
    setup = CanvasSetup{};
    setup.HistoryMax = historyMax;
}

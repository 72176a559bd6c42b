#include "edit/GroupCommands.h"

#include <algorithm>
#include <limits>
#include <vector>

void SetClosedSelected(DrawCore& doc, bool flag) {
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& path = doc.Paths[i];
        if (!path.Selected) continue;
        path.Closed = flag ? VbTrue : VbFalse;
        path.ShapeCache.reset();
    }
}

void MoveSelectedZ(DrawCore& doc, int mode) {
    if (doc.GetPathCount() < 2 || (mode != 1 && mode != 2)) return;
    const auto isSelected = [](const PathShape& p) { return p.Selected != 0; };
    const auto first = doc.Paths.begin() + 1;
    if (mode == 1)
        std::stable_partition(first, doc.Paths.end(), isSelected);
    else
        std::stable_partition(first, doc.Paths.end(), [&](const PathShape& p) { return !isSelected(p); });
}

void SetGroupSelected(DrawCore& doc, bool flag) {
    if (doc.GetPathCount() < 1) return;
    const std::int32_t group = NewGroupNo(doc, 1);
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& path = doc.Paths[i];
        if (!path.Selected) continue;
        if (flag) path.GroupNo = group;
        path.Grouped = flag ? VbTrue : VbFalse;
    }
}

void RegroupPath(DrawCore& doc, std::int32_t i) {
    if (i < 1 || i > doc.GetPathCount()) return;
    const std::int32_t group = doc.Paths[static_cast<std::size_t>(i)].GroupNo;
    if (group == 0) return;
    doc.DeselectAll();
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        PathShape& path = doc.Paths[k];
        if (path.GroupNo != group) continue;
        path.Grouped = VbTrue;
        path.Selected = VbTrue;
    }
}

std::int32_t NewGroupNo(const DrawCore& doc, std::int32_t start) {
    // Sorting the numbers in use finds the first gap at or above start in one
    // pass, instead of rescanning all paths after every taken number.
    std::vector<std::int32_t> used;
    used.reserve(doc.Paths.size());
    for (std::size_t i = 1; i < doc.Paths.size(); ++i)
        if (doc.Paths[i].GroupNo >= start) used.push_back(doc.Paths[i].GroupNo);
    std::sort(used.begin(), used.end());
    std::int32_t g = start;
    for (const std::int32_t n : used) {
        if (n > g) break;
        if (n == g) {
            if (g == std::numeric_limits<std::int32_t>::max()) break;  // no number left above
            ++g;
        }
    }
    return g;
}

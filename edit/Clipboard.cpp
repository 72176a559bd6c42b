#include "edit/Clipboard.h"

#include <limits>

#include "edit/Geometry.h"
#include "edit/GroupCommands.h"

namespace {
// Gives every distinct group number of the clipboard (0 included) its own
// number unused in the drawing; Selected marks the paths already renumbered.
void RenumberClipGroups(DrawCore& doc) {
    for (std::size_t i = 1; i < doc.ClipPaths.size(); ++i) doc.ClipPaths[i].Selected = VbFalse;
    std::int32_t group = 1;
    for (std::size_t i = 1; i < doc.ClipPaths.size(); ++i) {
        if (doc.ClipPaths[i].Selected) continue;
        const std::int32_t old = doc.ClipPaths[i].GroupNo;
        group = NewGroupNo(doc, group);
        for (std::size_t k = i; k < doc.ClipPaths.size(); ++k) {
            PathShape& clip = doc.ClipPaths[k];
            if (clip.Selected || clip.GroupNo != old) continue;
            clip.GroupNo = group;
            clip.Selected = VbTrue;
        }
        if (group < std::numeric_limits<std::int32_t>::max()) ++group;
    }
}
}  // namespace

void CutToClip(DrawCore& doc, std::int32_t x, std::int32_t y) {
    doc.ClearClip();
    for (std::size_t i = 1; i < doc.Paths.size(); ++i)
        if (doc.Paths[i].Selected) doc.ClipPaths.push_back(doc.Paths[i]);
    doc.DeleteSelected();
    doc.ClipOriginX = x;
    doc.ClipOriginY = y;
}

void PasteClip(DrawCore& doc, std::int32_t x, std::int32_t y, bool atOffset) {
    if (doc.GetClipCount() < 1) return;
    doc.DeselectAll();
    RenumberClipGroups(doc);
    const std::int64_t dx = atOffset ? doc.PasteOffsetX : std::int64_t{x} - doc.ClipOriginX;
    const std::int64_t dy = atOffset ? doc.PasteOffsetY : std::int64_t{y} - doc.ClipOriginY;
    doc.Paths.reserve(doc.Paths.size() + doc.ClipPaths.size() - 1);
    for (std::size_t i = 1; i < doc.ClipPaths.size(); ++i) {
        PathShape& pasted = doc.Paths[static_cast<std::size_t>(doc.AppendPath(doc.ClipPaths[i]))];
        for (AnchorPoint& a : pasted.Anchors) {
            a.X = AddTwips(a.X, dx);
            a.Y = AddTwips(a.Y, dy);
        }
        pasted.GradX = AddTwips(pasted.GradX, dx);
        pasted.GradY = AddTwips(pasted.GradY, dy);
        pasted.ShapeCache.reset();
    }
    if (atOffset) {
        doc.PasteOffsetX = AddTwips(doc.PasteOffsetX, 200);
        doc.PasteOffsetY = AddTwips(doc.PasteOffsetY, 200);
    }
}

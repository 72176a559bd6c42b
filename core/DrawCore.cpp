#include "core/DrawCore.h"

namespace {
const std::string kModifiedMark = " *";

bool EndsWithMark(const std::string& caption) {
    return caption.size() >= kModifiedMark.size() &&
           caption.compare(caption.size() - kModifiedMark.size(), kModifiedMark.size(), kModifiedMark) == 0;
}
}  // namespace

std::int32_t DrawCore::GetSelectedCount() const {
    std::int32_t count = 0;
    for (std::size_t i = 1; i < Paths.size(); ++i)
        if (Paths[i].Selected) ++count;
    return count;
}

void DrawCore::SetPath(std::int32_t i, const PathShape& shape) {
    PathShape& target = Paths.at(static_cast<std::size_t>(i));
    target = shape;
    target.ShapeCache.reset();
}

std::int32_t DrawCore::AppendPath(const PathShape& shape) {
    Paths.push_back(shape);
    return GetPathCount();
}

void DrawCore::DeletePath(std::int32_t i) {
    if (i < 1 || i > GetPathCount()) return;
    Paths.erase(Paths.begin() + i);
}

void DrawCore::DeleteSelected() {
    std::vector<PathShape> kept;
    kept.reserve(Paths.size());
    kept.push_back(std::move(Paths[0]));
    for (std::size_t i = 1; i < Paths.size(); ++i)
        if (!Paths[i].Selected) kept.push_back(std::move(Paths[i]));
    Paths = std::move(kept);
}

void DrawCore::SelectAll() {
    for (std::size_t i = 1; i < Paths.size(); ++i) Paths[i].Selected = VbTrue;
}

void DrawCore::DeselectAll() {
    for (std::size_t i = 1; i < Paths.size(); ++i) Paths[i].Selected = VbFalse;
}

void DrawCore::SetCaption(const std::string& caption) {
    Caption = caption;
    if (CaptionChanged) CaptionChanged(Caption);
}

bool DrawCore::IsModified() const { return EndsWithMark(Caption); }

void DrawCore::SetModified(bool flag) {
    std::string caption = Caption;
    if (flag && !EndsWithMark(caption)) caption += kModifiedMark;
    if (!flag && EndsWithMark(caption)) caption.resize(caption.size() - kModifiedMark.size());
    SetCaption(caption);
}

void DrawCore::ResetDocument() {
    Paths.assign(1, PathShape{});
    History.assign(1, HistoryEntry{});
    HistoryPos = 0;
    DocFileName.clear();
    SetCaption(NewCaption());
    SetModified(false);
}

void DrawCore::ClearClip() {
    ClipPaths.assign(1, PathShape{});
    ClipOriginX = ClipOriginY = 0;
    PasteOffsetX = PasteOffsetY = 0;
}

void DrawCore::CopyToClip(std::int32_t x, std::int32_t y) {
    ClearClip();
    for (std::size_t i = 1; i < Paths.size(); ++i)
        if (Paths[i].Selected) ClipPaths.push_back(Paths[i]);
    ClipOriginX = x;
    ClipOriginY = y;
    PasteOffsetX = PasteOffsetY = 200;
}

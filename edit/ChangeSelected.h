#pragma once
#include "core/DrawCore.h"

// Runs `change` on a copy of each selected path and stores it back with
// SetPath, which empties its shape cache. Returns whether any was selected.
template <typename Change>
bool ChangeSelectedPaths(DrawCore& doc, Change change) {
    bool any = false;
    for (std::int32_t i = 1; i <= doc.GetPathCount(); ++i) {
        if (!doc.Paths[static_cast<std::size_t>(i)].Selected) continue;
        PathShape path = doc.GetPath(i);
        change(path);
        doc.SetPath(i, path);
        any = true;
    }
    return any;
}

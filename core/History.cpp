#include "core/History.h"

#include <algorithm>

namespace {
HistoryEntry Snapshot(const DrawCore& doc) {
    HistoryEntry entry;
    entry.Count = doc.GetPathCount();
    entry.Shapes = doc.Paths;
    return entry;
}

void Restore(DrawCore& doc) {
    doc.Paths = doc.History[static_cast<std::size_t>(doc.HistoryPos)].Shapes;
    if (doc.Paths.empty()) doc.Paths.resize(1);
}
}  // namespace

void SnapshotHistory(DrawCore& doc) { doc.History[static_cast<std::size_t>(doc.HistoryPos)] = Snapshot(doc); }

void PushHistory(DrawCore& doc) {
    // A negative depth from a hand-edited settings file behaves like 0: no undo.
    const std::int32_t max = std::max(doc.Setup.HistoryMax, 0);
    doc.HistoryPos += 1;
    doc.History.resize(static_cast<std::size_t>(doc.HistoryPos));
    doc.History.push_back(Snapshot(doc));
    if (doc.HistoryPos >= 2 * max) {
        // Keep entry 0 and the newest `max` entries.
        const auto pos = static_cast<std::size_t>(doc.HistoryPos);
        const auto keep = static_cast<std::size_t>(max);
        std::move(doc.History.begin() + static_cast<std::ptrdiff_t>(pos - keep + 1), doc.History.end(),
                  doc.History.begin() + 1);
        doc.History.resize(keep + 1);
        doc.HistoryPos = max;
    }
    doc.SetModified(true);
}

bool CanUndo(const DrawCore& doc) { return doc.HistoryPos >= 1; }

bool CanRedo(const DrawCore& doc) {
    const auto upper = static_cast<std::int32_t>(doc.History.size()) - 1;
    return upper >= 1 && doc.HistoryPos < upper;
}

void UndoHistory(DrawCore& doc) {
    if (!CanUndo(doc)) return;
    doc.HistoryPos -= 1;
    Restore(doc);
}

void RedoHistory(DrawCore& doc) {
    if (!CanRedo(doc)) return;
    doc.HistoryPos += 1;
    Restore(doc);
}

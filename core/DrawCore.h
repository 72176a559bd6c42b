#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Records.h"

// The document of one editor run: the drawing, the clipboard, the undo
// snapshots, the canvas settings and the hit variables of the tools.
// `Paths` and `ClipPaths` are used 1-based; element 0 exists and holds no shape.
struct DrawCore {
    std::vector<PathShape> Paths = std::vector<PathShape>(1);
    std::vector<PathShape> ClipPaths = std::vector<PathShape>(1);
    std::vector<HistoryEntry> History = std::vector<HistoryEntry>(1);
    std::int32_t HistoryPos = 0;
    std::string DocFileName;
    std::string TempMoviePath;
    float ZoomRate = 1.0f;
    CanvasSetup Setup;
    std::int32_t SelPath = 0;
    std::int32_t SelAnchor = 0;
    std::int32_t HitPart = 0;
    std::int32_t SelAnchor2 = 0;
    std::int32_t ClipOriginX = 0;
    std::int32_t ClipOriginY = 0;
    std::int32_t PasteOffsetX = 0;
    std::int32_t PasteOffsetY = 0;

    // The window caption; it also carries the modified mark " *".
    std::string Caption = NewCaption();
    std::function<void(const std::string&)> CaptionChanged;

    static std::string NewCaption() { return "(新規) - Lumivane"; }
    static std::string FileCaption(const std::string& fileName) { return "[ " + fileName + " ] - Lumivane"; }

    std::int32_t GetPathCount() const { return static_cast<std::int32_t>(Paths.size()) - 1; }
    std::int32_t GetSelectedCount() const;
    PathShape GetPath(std::int32_t i) const { return Paths.at(static_cast<std::size_t>(i)); }
    void SetPath(std::int32_t i, const PathShape& shape);
    // Appends a path and returns its index (the new PathCount).
    std::int32_t AppendPath(const PathShape& shape);
    void DeletePath(std::int32_t i);
    void DeleteSelected();
    void SelectAll();
    void DeselectAll();
    void SetCaption(const std::string& caption);
    void SetModified(bool flag);
    bool IsModified() const;
    void ResetDocument();
    void ClearClip();
    // Replaces the clipboard by copies of the selected paths, `x`, `y` as reference point.
    void CopyToClip(std::int32_t x, std::int32_t y);
    std::int32_t GetClipCount() const { return static_cast<std::int32_t>(ClipPaths.size()) - 1; }
};

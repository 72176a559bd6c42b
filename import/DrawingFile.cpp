#include "import/DrawingFile.h"

#include <algorithm>
#include <limits>

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "import/SvgDocument.h"
#include "import/SvgImport.h"

namespace {

DrawingFileResult ImportBytes(const std::string& path, const std::string& bytes, Drawing& drawing) {
    DrawingFileResult r;
    r.Foreign = true;
    ImportResult imported = ImportSvg(bytes);
    if (!imported.Ok) {
        r.Error = "ファイル [" + path + "] を SVG として読み込めませんでした: " + imported.Error;
        return r;
    }
    drawing = std::move(imported.Result);
    r.Missing = imported.Missing;
    r.Ok = true;
    return r;
}

}  // namespace

DrawingFileResult ReadSvgFile(const std::string& path, Drawing& drawing) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, MaxSvgBytes)) {
        DrawingFileResult r;
        r.Foreign = true;
        r.Error = "ファイル [" + path + "] を読み込めませんでした (larger than " + std::to_string(MaxSvgBytes >> 20) +
                  " MB, or unreadable)";
        return r;
    }
    return ImportBytes(path, bytes, drawing);
}

DrawingFileResult ReadDrawingFile(const std::string& path, CanvasSetup& setup, std::vector<PathShape>& paths) {
    DrawingFileResult r;
    std::string bytes;
    r.Unreadable = ReadFileOrReason(path, bytes);
    if (!r.Unreadable.empty()) {
        r.Error = InvalidDocumentMessage(path);
        return r;
    }
    if (!LooksLikeSvg(path, bytes)) {
        r.Ok = ParseDocument(bytes, setup, paths);
        if (!r.Ok) r.Error = InvalidDocumentMessage(path);
        return r;
    }
    Drawing drawing;
    r = ImportBytes(path, bytes, drawing);
    if (!r.Ok) return r;
    paths.assign(1, PathShape{});
    paths.insert(paths.end(), std::make_move_iterator(drawing.Paths.begin()), std::make_move_iterator(drawing.Paths.end()));
    if (drawing.CanvasWidth > 0 && drawing.CanvasHeight > 0) {
        setup.CanvasWidth = drawing.CanvasWidth;
        setup.CanvasHeight = drawing.CanvasHeight;
    }
    // As for a new drawing, the other canvas settings stay, but no underlay of an earlier document is shown.
    setup.UnderlayShow = 0;
    return r;
}

std::string LeftOutLine(const LeftOut& missing) {
    const std::string s = missing.Sentence();
    return s.empty() ? s : "svg: " + s;
}

void AddImportedPaths(DrawCore& doc, std::vector<PathShape> paths) {
    doc.DeselectAll();
    std::int32_t base = 0;
    for (const PathShape& p : doc.Paths) base = std::max(base, p.GroupNo);
    doc.Paths.reserve(doc.Paths.size() + paths.size());
    for (PathShape& p : paths) {
        if (p.GroupNo > 0 && base <= std::numeric_limits<std::int32_t>::max() - p.GroupNo) {
            p.GroupNo += base;
        } else if (p.GroupNo > 0) {  // no numbers left above the drawing's: the group is dropped
            p.GroupNo = 0;
            p.Grouped = VbFalse;
        }
        p.Selected = VbTrue;
        p.ShapeCache.reset();
        doc.AppendPath(p);
    }
}

#include "import/DrawingFile.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "import/SvgDocument.h"
#include "import/SvgImport.h"
#include "import/SwfImport.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

DrawingFileResult ImportBytes(const std::string& path, const std::string& bytes, Drawing& drawing, int frame) {
    DrawingFileResult r;
    r.Foreign = true;
    r.Format = LooksLikeSwf(path, bytes) ? "swf" : "svg";
    ImportResult imported = r.Format == "swf" ? ImportSwf(bytes, frame) : ImportSvg(bytes);
    if (!imported.Ok) {
        r.Error = "ファイル [" + path + "] を " + Upper(r.Format) + " として読み込めませんでした: " + imported.Error;
        return r;
    }
    drawing = std::move(imported.Result);
    r.Frames = drawing.Frames;
    r.Missing = imported.Missing;
    r.Ok = true;
    return r;
}

}  // namespace

DrawingFileResult ReadForeignFile(const std::string& path, Drawing& drawing, int frame) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, MaxSvgBytes)) {
        DrawingFileResult r;
        r.Foreign = true;
        r.Error = "ファイル [" + path + "] を読み込めませんでした (larger than " + std::to_string(MaxSvgBytes >> 20) +
                  " MB, or unreadable)";
        return r;
    }
    return ImportBytes(path, bytes, drawing, frame);
}

DrawingFileResult ReadDrawingFile(const std::string& path, CanvasSetup& setup, std::vector<PathShape>& paths,
                                  int frame) {
    DrawingFileResult r;
    std::string bytes;
    r.Unreadable = ReadFileOrReason(path, bytes);
    if (!r.Unreadable.empty()) {
        r.Error = InvalidDocumentMessage(path);
        return r;
    }
    if (!LooksLikeSvg(path, bytes) && !LooksLikeSwf(path, bytes)) {
        r.Ok = ParseDocument(bytes, setup, paths);
        if (!r.Ok) r.Error = InvalidDocumentMessage(path);
        return r;
    }
    Drawing drawing;
    r = ImportBytes(path, bytes, drawing, frame);
    if (!r.Ok) return r;
    paths.assign(1, PathShape{});
    paths.insert(paths.end(), std::make_move_iterator(drawing.Paths.begin()), std::make_move_iterator(drawing.Paths.end()));
    if (drawing.CanvasWidth > 0 && drawing.CanvasHeight > 0) {
        setup.CanvasWidth = drawing.CanvasWidth;
        setup.CanvasHeight = drawing.CanvasHeight;
    }
    if (drawing.HasBackground) std::copy(std::begin(drawing.Background), std::end(drawing.Background), setup.BackColor);
    // As for a new drawing, the other canvas settings stay, but no underlay of an earlier document is shown.
    setup.UnderlayShow = 0;
    return r;
}

std::string LeftOutLine(const LeftOut& missing, const std::string& format) {
    const std::string s = missing.Sentence();
    return s.empty() ? s : format + ": " + s;
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

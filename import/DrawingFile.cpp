#include "import/DrawingFile.h"

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
    if (!ReadFileBytes(path, bytes)) {
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
    return r;
}

std::string LeftOutLine(const LeftOut& missing) {
    const std::string s = missing.Sentence();
    return s.empty() ? s : "svg: " + s;
}

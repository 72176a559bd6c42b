#include "app/DocumentSvg.h"

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/SvgExport.h"

std::string DocumentSvg(SWFMakeCore& mk, DrawCore& doc) {
    const std::string movie = BuildPreviewMovie(mk, doc);
    const ParsedMovie parsed = ReadMovie(reinterpret_cast<const std::uint8_t*>(movie.data()), movie.size());
    SvgOptions options;
    options.Width = doc.Setup.CanvasWidth;
    options.Height = doc.Setup.CanvasHeight;
    options.Background = static_cast<std::uint32_t>(BackgroundColorOf(doc.Setup));
    return MovieToSvg(parsed, options);
}

int RunExportSvg(const std::string& inLvd, const std::string& outSvg, std::ostream& err) {
    DrawCore doc;
    if (!ReadDocumentFile(inLvd, doc.Setup, doc.Paths)) {
        err << InvalidDocumentMessage(inLvd) << "\n";
        return 1;
    }
    SWFMakeCore mk;
    if (!WriteFileReplacing(outSvg, DocumentSvg(mk, doc))) {
        err << "ファイル [" << outSvg << "] を書き込めませんでした。\n";
        return 2;
    }
    return 0;
}

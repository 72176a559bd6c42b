#include "app/DocumentSvg.h"

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/SvgExport.h"
#include "swf/Underlay.h"

std::string DocumentSvg(SWFMakeCore& mk, DrawCore& doc) {
    const std::string movie = BuildPreviewMovie(mk, doc);
    const ParsedMovie parsed = ReadMovie(reinterpret_cast<const std::uint8_t*>(movie.data()), movie.size());
    SvgOptions options;
    options.Width = doc.Setup.CanvasWidth;
    options.Height = doc.Setup.CanvasHeight;
    options.Background = static_cast<std::uint32_t>(BackgroundColorOf(doc.Setup));
    return MovieToSvg(parsed, options);
}

int RunExportSvg(const std::vector<std::string>& args, std::ostream& err) {
    SWFMakeCore mk;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--underlay" || a == "--underlay-front") {
            mk.ShowUnderlay = true;
            mk.UnderlayInFront = mk.UnderlayInFront || a == "--underlay-front";
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << "usage: lumivane --export-svg IN.lvd OUT.svg [--underlay] [--underlay-front]\n";
        return 2;
    }
    const std::string &inLvd = files[0], &outSvg = files[1];
    DrawCore doc;
    if (!ReadDocumentFile(inLvd, doc.Setup, doc.Paths)) {
        err << InvalidDocumentMessage(inLvd) << "\n";
        return 1;
    }
    doc.DocFileName = inLvd;
    const std::string underlayFailure = PrepareUnderlay(mk, doc);
    if (!WriteFileReplacing(outSvg, DocumentSvg(mk, doc))) {
        err << "ファイル [" << outSvg << "] を書き込めませんでした。\n";
        return 2;
    }
    if (!underlayFailure.empty()) {
        err << underlayFailure << "\n";
        return 3;
    }
    return 0;
}

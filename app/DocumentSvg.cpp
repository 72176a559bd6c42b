#include "app/DocumentSvg.h"

#include "app/HeadlessExport.h"

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
    return RunHeadlessWrite(args, "usage: lumivane --export-svg IN.lvd|IN.svg|IN.swf OUT.svg [--frame N] [--underlay] [--underlay-front]\n", err,
                            DocumentSvg);
}

#include "app/HeadlessExport.h"

#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "import/DrawingFile.h"
#include "swf/Preview.h"
#include "swf/SWFMakeCore.h"
#include "swf/Underlay.h"

bool TakeUnderlayFlag(const std::string& arg, SWFMakeCore& mk) {
    if (arg != "--underlay" && arg != "--underlay-front") return false;
    mk.ShowUnderlay = true;
    if (arg == "--underlay-front") mk.UnderlayInFront = true;
    return true;
}

bool ReadHeadlessInput(const std::string& in, DrawCore& doc, std::ostream& err) {
    const DrawingFileResult r = ReadDrawingFile(in, doc.Setup, doc.Paths);
    if (!r.Ok) {
        err << r.Error << "\n";
        return false;
    }
    if (const std::string line = LeftOutLine(r.Missing, r.Format); !line.empty()) err << line << "\n";
    return true;
}

int RunHeadlessWrite(const std::vector<std::string>& args, const char* usage, std::ostream& err,
                     std::string (*make)(SWFMakeCore&, DrawCore&)) {
    SWFMakeCore mk;
    std::vector<std::string> files;
    for (const std::string& a : args)
        if (!TakeUnderlayFlag(a, mk)) files.push_back(a);
    if (files.size() != 2) {
        err << usage;
        return 2;
    }
    const std::string& in = files[0];
    const std::string& out = files[1];
    DrawCore doc;
    if (!ReadHeadlessInput(in, doc, err)) return 1;
    doc.DocFileName = in;
    const std::string underlayFailure = PrepareUnderlay(mk, doc);
    if (!WriteFileReplacing(out, make(mk, doc))) {
        err << "ファイル [" << out << "] を書き込めませんでした。\n";
        return 2;
    }
    if (!underlayFailure.empty()) {
        err << underlayFailure << "\n";
        return 3;
    }
    return 0;
}

int RunExportSwf(const std::vector<std::string>& args, std::ostream& err) {
    return RunHeadlessWrite(args, "usage: lumivane --export-swf IN.lvd|IN.svg|IN.swf OUT.swf [--underlay] [--underlay-front]\n", err,
                            BuildPreviewMovie);
}

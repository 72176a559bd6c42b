#include "app/HeadlessExport.h"

#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/SWFMakeCore.h"
#include "swf/Underlay.h"

bool TakeUnderlayFlag(const std::string& arg, SWFMakeCore& mk) {
    if (arg != "--underlay" && arg != "--underlay-front") return false;
    mk.ShowUnderlay = true;
    if (arg == "--underlay-front") mk.UnderlayInFront = true;
    return true;
}

int RunExportSwf(const std::vector<std::string>& args, std::ostream& err) {
    SWFMakeCore mk;
    std::vector<std::string> files;
    for (const std::string& a : args)
        if (!TakeUnderlayFlag(a, mk)) files.push_back(a);
    if (files.size() != 2) {
        err << "usage: lumivane --export-swf IN.lvd OUT.swf [--underlay] [--underlay-front]\n";
        return 2;
    }
    const std::string& inLvd = files[0];
    const std::string& outSwf = files[1];
    DrawCore doc;
    if (!ReadDocumentFile(inLvd, doc.Setup, doc.Paths)) {
        err << InvalidDocumentMessage(inLvd) << "\n";
        return 1;
    }
    doc.DocFileName = inLvd;
    const std::string underlayFailure = PrepareUnderlay(mk, doc);
    if (!WriteFileReplacing(outSwf, BuildPreviewMovie(mk, doc))) {
        err << "ファイル [" << outSwf << "] を書き込めませんでした。\n";
        return 2;
    }
    if (!underlayFailure.empty()) {
        err << underlayFailure << "\n";
        return 3;
    }
    return 0;
}

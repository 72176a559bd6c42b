#include "app/HeadlessExport.h"

#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/SWFMakeCore.h"

int RunExportSwf(const std::string& inLvd, const std::string& outSwf, std::ostream& err) {
    DrawCore doc;
    std::string text;
    if (!ReadFileBytes(inLvd, text) || !ParseDocument(text, doc.Setup, doc.Paths)) {
        err << "ファイル [" << inLvd << "] は不正なLumivaneファイルです。\n";
        return 1;
    }
    SWFMakeCore mk;
    if (!WriteFileReplacing(outSwf, BuildPreviewMovie(mk, doc))) {
        err << "ファイル [" << outSwf << "] を書き込めませんでした。\n";
        return 2;
    }
    return 0;
}

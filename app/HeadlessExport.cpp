#include "app/HeadlessExport.h"

#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/SWFMakeCore.h"

int RunExportSwf(const std::string& inLvd, const std::string& outSwf, std::ostream& err) {
    DrawCore doc;
    if (!ReadDocumentFile(inLvd, doc.Setup, doc.Paths)) {
        err << InvalidDocumentMessage(inLvd) << "\n";
        return 1;
    }
    SWFMakeCore mk;
    if (!WriteFileReplacing(outSwf, BuildPreviewMovie(mk, doc))) {
        err << "ファイル [" << outSwf << "] を書き込めませんでした。\n";
        return 2;
    }
    return 0;
}

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
        err << (r.Unreadable.empty() ? r.Error : r.Unreadable) << "\n";
        return false;
    }
    if (const std::string line = LeftOutLine(r.Missing); !line.empty()) err << line << "\n";
    doc.DocFileName = in;
    return true;
}

bool HeadlessOutputAllowed(const std::string& in, const std::string& out, std::ostream& err) {
    const std::string why = OutputRefusal(out, in);
    if (!why.empty()) err << why << "\n";
    return why.empty();
}

bool WriteHeadlessOutput(const std::string& out, const std::string& bytes, std::ostream& err) {
    if (WriteFileReplacing(out, bytes)) return true;
    err << "ファイル [" << out << "] を書き込めませんでした。\n";
    return false;
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
    DrawCore doc;
    if (!ReadHeadlessInput(files[0], doc, err)) return 1;
    if (!HeadlessOutputAllowed(files[0], files[1], err)) return 2;
    const std::string underlayFailure = PrepareUnderlay(mk, doc);
    if (!WriteHeadlessOutput(files[1], make(mk, doc), err)) return 2;
    if (!underlayFailure.empty()) {
        err << underlayFailure << "\n";
        return 3;
    }
    return 0;
}

int RunExportSwf(const std::vector<std::string>& args, std::ostream& err) {
    return RunHeadlessWrite(args, "usage: lumivane --export-swf IN.lvd|IN.svg OUT.swf [--underlay] [--underlay-front]\n", err,
                            BuildPreviewMovie);
}

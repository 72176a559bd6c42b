#include "app/HeadlessExport.h"

#include <cstdlib>

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

int TakeFrame(std::vector<std::string>& args, std::ostream& err) {
    int frame = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--frame") continue;
        const std::string v = i + 1 < args.size() ? args[i + 1] : std::string();
        char* end = nullptr;
        const long n = std::strtol(v.c_str(), &end, 10);
        if (v.empty() || *end != '\0' || n < 1 || n > 65535) {
            err << "bad frame: " << v << " (a whole number from 1 to 65535)\n";
            return 0;
        }
        frame = static_cast<int>(n);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        --i;
    }
    return frame;
}

bool ReadHeadlessInput(const std::string& in, DrawCore& doc, std::ostream& err, int frame) {
    const DrawingFileResult r = ReadDrawingFile(in, doc.Setup, doc.Paths, frame);
    if (!r.Ok) {
        err << (r.Unreadable.empty() ? r.Error : r.Unreadable) << "\n";
        return false;
    }
    if (const std::string line = LeftOutLine(r.Missing, r.Format); !line.empty()) err << line << "\n";
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
    std::vector<std::string> words = args;
    const int frame = TakeFrame(words, err);
    if (frame == 0) return 2;
    SWFMakeCore mk;
    std::vector<std::string> files;
    for (const std::string& a : words)
        if (!TakeUnderlayFlag(a, mk)) files.push_back(a);
    if (files.size() != 2) {
        err << usage;
        return 2;
    }
    DrawCore doc;
    if (!ReadHeadlessInput(files[0], doc, err, frame)) return 1;
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
    return RunHeadlessWrite(args, "usage: lumivane --export-swf IN.lvd|IN.svg|IN.swf OUT.swf [--frame N] [--underlay] [--underlay-front]\n", err,
                            BuildPreviewMovie);
}

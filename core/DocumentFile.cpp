#include "core/DocumentFile.h"

#include "core/FileBytes.h"

namespace {
// Fields of a path line and of an anchor line.
constexpr std::size_t kPathLineFields = 14;
constexpr std::size_t kAnchorFields = 3;

// Reads `count` path records into elements 1..count of `paths`.
bool ReadPathRecords(FieldReader& in, std::int32_t count, std::vector<PathShape>& paths) {
    if (count < 0 ||
        static_cast<std::size_t>(count) > in.MaxFieldsLeft() / (kPathLineFields + kAnchorFields)) {
        in.MarkBad();
        return false;
    }
    paths.assign(1, PathShape{});
    paths.reserve(static_cast<std::size_t>(count) + 1);
    for (std::int32_t i = 0; i < count && !in.Bad(); ++i) paths.push_back(ReadPathRecord(in));
    return !in.Bad();
}

void WritePathRecords(FieldWriter& out, const std::vector<PathShape>& paths) {
    for (std::size_t i = 1; i < paths.size(); ++i) WritePathRecord(out, paths[i]);
}
}  // namespace

void WritePathRecord(FieldWriter& out, const PathShape& s) {
    out.Int(s.AnchorMax);
    out.Bool(s.Closed);
    out.Int(s.LineWidth);
    out.Int(s.LineOn);
    out.Int(s.LineColor);
    out.Int(s.FillType);
    out.Int(s.FillColor);
    out.Int(s.GradX);
    out.Int(s.GradY);
    out.Float(s.GradAngle);
    out.Float(s.GradScale);
    out.Int(s.FillColor2);
    out.Bool(s.Grouped);
    out.Int(s.GroupNo);
    out.EndLine();
    for (std::int32_t k = 0; k <= s.AnchorMax && k < static_cast<std::int32_t>(s.Anchors.size()); ++k) {
        const AnchorPoint& a = s.Anchors[static_cast<std::size_t>(k)];
        out.Int(a.Kind);
        out.Int(a.X);
        out.Int(a.Y);
        out.EndLine();
    }
}

PathShape ReadPathRecord(FieldReader& in) {
    PathShape s;
    s.AnchorMax = in.Int32();
    s.Closed = in.Bool();
    s.LineWidth = in.Int32();
    s.LineOn = in.Int16();
    s.LineColor = in.Int32();
    s.FillType = in.Int16();
    s.FillColor = in.Int32();
    s.GradX = in.Int32();
    s.GradY = in.Int32();
    s.GradAngle = in.Float();
    s.GradScale = in.Float();
    s.FillColor2 = in.Int32();
    s.Grouped = in.Bool();
    s.GroupNo = in.Int32();
    if (in.Bad() || s.AnchorMax < 0 ||
        static_cast<std::size_t>(s.AnchorMax) >= in.MaxFieldsLeft() / kAnchorFields) {
        in.MarkBad();
        s.AnchorMax = 0;
        s.Anchors.assign(1, AnchorPoint{});
        return s;
    }
    s.Anchors.resize(static_cast<std::size_t>(s.AnchorMax) + 1);
    for (AnchorPoint& a : s.Anchors) {
        a.Kind = in.Int16();
        a.X = in.Int32();
        a.Y = in.Int32();
    }
    return s;
}

std::string FormatDocument(const CanvasSetup& setup, const std::vector<PathShape>& paths) {
    FieldWriter out;
    out.Bare(DocumentMagic);
    out.EndLine();
    out.Int(setup.CanvasWidth);
    out.Int(setup.CanvasHeight);
    for (std::uint8_t c : setup.BackColor) out.Int(c);
    out.Int(setup.OptimizeFlag);
    out.Int(setup.OptimizePoint);
    out.Int(setup.OptimizeLine);
    out.Int(setup.Quality);
    out.EndLine();
    out.Int(setup.UnderlayShow);
    out.String(setup.UnderlayFile);
    out.Int(setup.UnderlayX);
    out.Int(setup.UnderlayY);
    out.Float(setup.UnderlayScale);
    out.Int(setup.UnderlayAlpha);
    out.EndLine();
    out.Int(static_cast<std::int64_t>(paths.size()) - 1);
    out.EndLine();
    WritePathRecords(out, paths);
    return out.Text();
}

bool ParseDocument(std::string_view text, CanvasSetup& setup, std::vector<PathShape>& paths) {
    FieldReader in(text);
    if (in.Bare() != DocumentMagic) return false;
    CanvasSetup read = setup;
    read.CanvasWidth = ClampCanvasSide(in.Int32());
    read.CanvasHeight = ClampCanvasSide(in.Int32());
    for (std::uint8_t& c : read.BackColor) c = in.Byte();
    read.OptimizeFlag = in.Int16();
    read.OptimizePoint = in.Int32();
    read.OptimizeLine = in.Int32();
    read.Quality = in.Int16();
    read.UnderlayShow = in.Int16();
    read.UnderlayFile = in.String();
    read.UnderlayX = in.Int32();
    read.UnderlayY = in.Int32();
    read.UnderlayScale = in.Float();
    read.UnderlayAlpha = in.Int32();
    const std::int32_t count = in.Int32();
    std::vector<PathShape> readPaths;
    if (in.Bad() || !ReadPathRecords(in, count, readPaths)) return false;
    setup = read;
    paths = std::move(readPaths);
    return true;
}

bool ParseDocumentPaths(std::string_view text, std::vector<PathShape>& paths) {
    FieldReader head(text);
    if (head.Bare() != DocumentMagic) return false;
    // Past the magic line and the two canvas lines, each ended by CR LF, LF or CR.
    std::size_t pos = 0;
    for (int line = 0; line < 3; ++line) {
        pos = text.find_first_of("\r\n", pos);
        if (pos == std::string_view::npos) return false;
        pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    FieldReader in(text.substr(pos));
    const std::int32_t count = in.Int32();
    std::vector<PathShape> readPaths;
    if (in.Bad() || !ReadPathRecords(in, count, readPaths)) return false;
    paths = std::move(readPaths);
    return true;
}

bool ReadDocumentFile(const std::string& path, CanvasSetup& setup, std::vector<PathShape>& paths) {
    std::string text;
    return ReadFileBytes(path, text) && ParseDocument(text, setup, paths);
}

std::string InvalidDocumentMessage(const std::string& path) {
    return "ファイル [" + path + "] は不正なLumivaneファイルです。";
}

std::string FormatClip(const ClipData& clip) {
    FieldWriter out;
    out.Bare(ClipMagic);
    out.EndLine();
    out.Int(static_cast<std::int64_t>(clip.Paths.size()) - 1);
    out.Int(clip.OriginX);
    out.Int(clip.OriginY);
    out.EndLine();
    WritePathRecords(out, clip.Paths);
    return out.Text();
}

bool ParseClip(std::string_view text, ClipData& clip) {
    FieldReader in(text);
    if (in.Bare() != ClipMagic) return false;
    ClipData read;
    const std::int32_t count = in.Int32();
    read.OriginX = in.Int32();
    read.OriginY = in.Int32();
    if (in.Bad() || !ReadPathRecords(in, count, read.Paths)) return false;
    clip = std::move(read);
    return true;
}

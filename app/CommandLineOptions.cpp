#include "app/CommandLineOptions.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStringList>

#include "app/DocumentSvg.h"
#include "app/HeadlessExport.h"
#include "app/HeadlessRender.h"
#include "core/Version.h"

namespace {

struct Options {
    QCommandLineOption Help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption Version{{"v", "version"}, "Show the version and exit."};
    QCommandLineOption ExportSwf{"export-swf", "Write the drawing IN (.lvd, .svg, .swf) as the preview movie OUT.swf."};
    QCommandLineOption ExportSvg{"export-svg", "Write the drawing IN (.lvd, .svg, .swf) as SVG to OUT.svg."};
    QCommandLineOption Render{"render", "Draw the drawing IN (.lvd, .svg, .swf) through the player into OUT.png."};
    QCommandLineOption Zoom{"zoom", "With --render: the zoom factor (default 1).", "Z"};
    QCommandLineOption Scale{"scale", "With --render: image pixels per canvas pixel, for high-density screens (default 1).",
                             "S"};
    QCommandLineOption Quality{"quality", "With --render: low, medium, high or best (default: the drawing's own).",
                               "QUALITY"};
    QCommandLineOption Frame{"frame", "With a headless command and a movie IN: take frame N (default 1).", "N"};
    QCommandLineOption Underlay{"underlay", "With a headless command: show the drawing's underlay."};
    QCommandLineOption UnderlayFront{"underlay-front", "With a headless command: show the underlay in front."};
    QCommandLineOption Lang{"lang", "The editor's language for this run: ja or en.", "LANG"};
};

// Latin-1 keeps every byte of a word, so file names that are not UTF-8 survive the parser.
QString Word(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

void Describe(QCommandLineParser& parser, const Options& o) {
    parser.setApplicationDescription(
        "Lumivane " LUMIVANE_VERSION ": a vector drawing editor whose canvas shows the drawing as a movie.\n"
        "Without a command it opens the editor, with FILE.lvd or FILE.svg when one is named.\n"
        "An SVG comes in as editable paths; what it cannot carry is counted on standard error.\n"
        "Headless commands:\n"
        "  lumivane --export-swf IN.lvd OUT.swf [--underlay] [--underlay-front]\n"
        "  lumivane --export-swf logo.svg logo.swf          (SVG to SWF)\n"
        "  lumivane --export-svg IN.lvd OUT.svg [--underlay] [--underlay-front]\n"
        "  lumivane --render IN.lvd OUT.png [--zoom Z] [--scale S] [--quality low|medium|high|best] [--underlay] [--underlay-front]\n"
        "  lumivane --render logo.svg logo.png --zoom 4     (SVG to PNG)\n"
        "IN may be a drawing (.lvd), an SVG (.svg, .svgz) or a movie (.swf).");
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.Help, o.Version, o.ExportSwf, o.ExportSvg, o.Render, o.Zoom, o.Scale, o.Quality, o.Frame,
                       o.Underlay, o.UnderlayFront, o.Lang});
    parser.addPositionalArgument("FILE", "A drawing to open in the editor, or IN and OUT of a command.", "[FILE]");
}

// The help text, naming the program even where no application object exists yet.
std::string HelpText(const QCommandLineParser& parser) {
    return parser.helpText().replace("<executable_name>", "lumivane").toStdString();
}

int Usage(QCommandLineParser& parser, std::ostream& err, const std::string& problem) {
    err << "lumivane: " << problem << "\n" << HelpText(parser);
    return 2;
}

// The words of a headless command after its name, in the order given: its
// files first, then the options that command takes.
std::vector<std::string> CommandWords(const QCommandLineParser& parser, const Options& o, bool render) {
    std::vector<std::string> words;
    for (const QString& p : parser.positionalArguments()) words.push_back(Bytes(p));
    if (render && parser.isSet(o.Zoom)) words.insert(words.end(), {"--zoom", Bytes(parser.value(o.Zoom))});
    if (render && parser.isSet(o.Scale)) words.insert(words.end(), {"--scale", Bytes(parser.value(o.Scale))});
    if (render && parser.isSet(o.Quality)) words.insert(words.end(), {"--quality", Bytes(parser.value(o.Quality))});
    if (parser.isSet(o.Frame)) words.insert(words.end(), {"--frame", Bytes(parser.value(o.Frame))});
    if (parser.isSet(o.Underlay)) words.push_back("--underlay");
    if (parser.isSet(o.UnderlayFront)) words.push_back("--underlay-front");
    return words;
}

}  // namespace

std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    QCommandLineParser parser;
    Describe(parser, o);
    QStringList words{"lumivane"};
    for (const std::string& a : args) words << Word(a);
    const bool parsed = parser.parse(words);
    const int commands = parser.isSet(o.ExportSwf) + parser.isSet(o.ExportSvg) + parser.isSet(o.Render);
    if (parser.isSet(o.Help)) {
        out << HelpText(parser);
        return 0;
    }
    if (parser.isSet(o.Version)) {
        out << "lumivane " LUMIVANE_VERSION "\n";
        return 0;
    }
    if (!parsed) return Usage(parser, err, Bytes(parser.errorText()));
    if (commands == 0) {
        for (QCommandLineOption opt : {o.Zoom, o.Scale, o.Quality, o.Frame, o.Underlay, o.UnderlayFront})
            if (parser.isSet(opt)) return Usage(parser, err, "--" + Bytes(opt.names().last()) + " goes with a headless command");
        return std::nullopt;
    }
    if (commands > 1) return Usage(parser, err, "give one of --export-swf, --export-svg and --render");
    if (parser.positionalArguments().size() != 2) return Usage(parser, err, "the command needs IN.lvd and OUT");
    const bool render = parser.isSet(o.Render);
    if (!render && (parser.isSet(o.Zoom) || parser.isSet(o.Scale) || parser.isSet(o.Quality)))
        return Usage(parser, err, "--zoom, --scale and --quality go with --render");
    const std::vector<std::string> w = CommandWords(parser, o, render);
    if (render) {
        // Rendering needs no display: the player draws into an image.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        int argc = 1;
        char name[] = "lumivane";
        char* argv[] = {name, nullptr};
        std::optional<QGuiApplication> app;
        if (!QCoreApplication::instance()) app.emplace(argc, argv);
        return RunRender(w, err);
    }
    if (parser.isSet(o.ExportSvg)) return RunExportSvg(w, err);
    return RunExportSwf(w, err);
}

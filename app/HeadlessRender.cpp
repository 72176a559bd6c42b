#include "app/HeadlessRender.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <thread>

#include <QBuffer>
#include <QImage>
#include <QString>

#include "app/HeadlessExport.h"
#include "core/DrawCore.h"
#include "swf/Preview.h"
#include "swf/SWFMakeCore.h"
#include "swf/SwfPlayer.h"
#include "swf/Underlay.h"

namespace {

constexpr const char* Usage = "usage: lumivane --render IN.lvd|IN.svg|IN.swf OUT.png [--zoom Z] [--scale S] [--quality low|medium|high|best]\n"
                             "       [--frame N] [--underlay] [--underlay-front]\n";
// Largest image side the headless render produces.
constexpr double MaxSide = 16384;

struct RenderArgs {
    std::string In, Out;
    float Zoom = 1.0f;
    float Scale = 1.0f;  // device pixels per canvas pixel of the image
    int Quality = -1;  // -1: the document's own
    int Frame = 1;
    SWFMakeCore Movie;  // carries the underlay switches
};

bool ParseArgs(std::vector<std::string> args, RenderArgs& out, std::ostream& err) {
    std::vector<std::string> files;
    out.Frame = TakeFrame(args, err);
    if (out.Frame == 0) return false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--zoom" || a == "--scale" || a == "--quality") && i + 1 >= args.size()) {
            err << a << " needs a value\n" << Usage;
            return false;
        }
        if (a == "--zoom" || a == "--scale") {
            const std::string& v = args[++i];
            char* end = nullptr;
            const double z = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !std::isfinite(z) || z <= 0) {
                err << "bad " << a.substr(2) << ": " << v << "\n" << Usage;
                return false;
            }
            (a == "--zoom" ? out.Zoom : out.Scale) = static_cast<float>(z);
        } else if (a == "--quality") {
            const std::string& v = args[++i];
            out.Quality = -1;
            for (int q = 0; q <= 3; ++q)
                if (QualityName(static_cast<std::int16_t>(q)) == v) out.Quality = q;
            if (out.Quality < 0) {
                err << "bad quality: " << v << "\n" << Usage;
                return false;
            }
        } else if (!TakeUnderlayFlag(a, out.Movie)) {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << Usage;
        return false;
    }
    out.In = files[0];
    out.Out = files[1];
    return true;
}

// Frees what `held` holds on a thread of its own; on this one when no thread is to be had.
template <typename... Held>
std::thread ReleaseAside(Held&&... held) {
    try {
        return std::thread([... h = std::move(held)]() mutable {});
    } catch (const std::system_error&) {
        return {};  // what was held went with the lambda, freed on this thread
    }
}

}  // namespace

int RunRender(const std::vector<std::string>& args, std::ostream& err) {
    RenderArgs ra;
    if (!ParseArgs(args, ra, err)) return 2;
    DrawCore doc;
    if (!ReadHeadlessInput(ra.In, doc, err, ra.Frame)) return 1;
    if (!HeadlessOutputAllowed(ra.In, ra.Out, err)) return 2;
    doc.ZoomRate = ra.Zoom;
    if (ra.Quality >= 0) doc.Setup.Quality = static_cast<std::int16_t>(ra.Quality);
    // The control's size, as the canvas redraw sets it: ZoomRate x canvas size,
    // times the scale for an image of a high-density screen.
    const float zoom = ra.Zoom * ra.Scale;
    const double width = StageSide(zoom, doc.Setup.CanvasWidth);
    const double height = StageSide(zoom, doc.Setup.CanvasHeight);
    if (!(width >= 1 && height >= 1 && width <= MaxSide && height <= MaxSide)) {
        err << "image size " << width << " x " << height << " is out of range (1 to " << MaxSide << " pixels)\n";
        return 1;
    }

    SWFMakeCore& mk = ra.Movie;
    const std::string underlayFailure = PrepareUnderlay(mk, doc);
    // The movie the canvas would show, drawn from memory: a one-off render
    // needs no movie file.
    const std::string& movie = UpdatePreviewMovie(mk, doc);
    SetPlayerProperties(mk, doc.Setup);
    // The document is done with: freed on another thread while the movie is read.
    std::thread releaseDocument = ReleaseAside(std::move(doc));
    auto player = std::make_unique<SwfPlayer>();
    player->BackgroundColor = mk.BackgroundColor;
    player->Quality2 = mk.Quality2;
    const QImage image =
        player->RenderMovie(movie, static_cast<int>(width), static_cast<int>(height)).convertToFormat(QImage::Format_RGB32);
    const std::string reason = player->Reason();
    // A large drawing's player and movie take about as long to free as the PNG
    // to encode: they are freed on another thread meanwhile.
    std::thread release = ReleaseAside(std::move(player), std::move(mk));
    // The PNG goes to exactly the bytes of the name given: a QString of a
    // name that is not UTF-8 would stand for another file.
    QByteArray png;
    // Room up front: growing it while the other thread frees is slow.
    png.reserve(static_cast<qsizetype>(image.sizeInBytes() / 2));
    QBuffer buffer(&png);
    // The stage is opaque: an RGB file at a fast zlib level (quality 80) writes
    // in a fraction of the default's time, and no larger, for busy drawings.
    const bool encoded = buffer.open(QIODevice::WriteOnly) && !image.isNull() && image.save(&buffer, "PNG", 80);
    for (std::thread* t : {&releaseDocument, &release})
        if (t->joinable()) t->join();
    if (!encoded) {
        err << "cannot encode the PNG image\n";
        return 2;
    }
    if (!WriteHeadlessOutput(ra.Out, png.toStdString(), err)) return 2;
    if (!reason.empty() || !underlayFailure.empty()) {
        err << (underlayFailure.empty() ? "the movie was drawn only in part: " + reason : underlayFailure)
            << "\n";
        return 3;
    }
    return 0;
}

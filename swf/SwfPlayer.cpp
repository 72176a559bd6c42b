#include "swf/SwfPlayer.h"

#include <sys/stat.h>

#include <chrono>
#include <cmath>

#include "core/FileBytes.h"
#include "swf/MovieReader.h"
#include "swf/MovieUpdate.h"
#include "swf/StageRenderer.h"

namespace {

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A file that kept its stamp since long before it was read cannot have been
// rewritten unnoticed: any later write moves its modification time past the read.
constexpr std::int64_t StableStampNs = 200'000'000;

}  // namespace

double StageSide(float zoom, std::int32_t canvasSide) {
    return std::nearbyint(static_cast<float>(zoom * static_cast<float>(canvasSide)));
}

bool SwfPlayer::RefreshMovie() {
    struct stat st {};
    FileStamp stamp;
    const bool exists = ::stat(Movie.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (exists) {
        stamp.Size = static_cast<std::uintmax_t>(st.st_size);
        stamp.ModifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
        stamp.ChangedNs = std::int64_t{st.st_ctim.tv_sec} * 1'000'000'000 + st.st_ctim.tv_nsec;
        stamp.Inode = st.st_ino;
    }
    if (movie_ && !inMemory_ && Movie == loadedPath_ && haveStamp_ == exists && (!exists || stamp == stamp_) &&
        (!exists || readAtNs_ - std::max(stamp.ModifiedNs, stamp.ChangedNs) > StableStampNs))
        return false;

    const std::int64_t readAt = NowNs();
    inMemory_ = false;
    std::string& bytes = spareBytes_;  // its capacity is reused: a drag reads the movie on every step
    std::string reason;
    if (!exists || !ReadFileBytes(Movie, bytes)) {
        bytes.clear();
        reason = Movie.empty() ? "no movie" : "cannot read the movie file " + Movie;
    }
    // The previous bytes of the same file, read and parsed: compared with
    // these, and when a path was edited in place only its layers are read.
    const bool base = movie_ && Movie == loadedPath_ && readOk_ && reason.empty();
    const MovieUpdate update = base ? UpdateMovie(*movie_, fileBytes_, bytes) : MovieUpdate::ReadWhole;
    loadedPath_ = Movie;
    haveStamp_ = exists;
    stamp_ = stamp;
    readAtNs_ = readAt;
    if (update == MovieUpdate::Unchanged) return false;
    readOk_ = reason.empty();
    if (update == MovieUpdate::Updated) {
        fileBytes_.swap(bytes);
        ++parseCount_;
        ++updateCount_;
        return true;
    }
    fileBytes_.swap(bytes);
    if (reason.empty()) {
        ParseMovie(fileBytes_);
    } else {
        parseReason_ = reason;
        movie_ = std::make_shared<ParsedMovie>();
    }
    return true;
}

void SwfPlayer::ParseMovie(std::string_view bytes) {
    auto parsed = std::make_shared<ParsedMovie>(ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    parseReason_ = parsed->Reason;
    movie_ = std::move(parsed);
    ++parseCount_;
}

const QImage& SwfPlayer::RenderMovie(std::string_view bytes, int width, int height) {
    ParseMovie(bytes);
    // No file stands behind this movie: the next Render reads the file whole.
    inMemory_ = true;
    fileBytes_.clear();
    readOk_ = false;
    return Draw(true, width, height, {});
}

const QImage& SwfPlayer::Render(int width, int height, const QRect& viewport) {
    return Draw(RefreshMovie(), width, height, viewport);
}

const QImage& SwfPlayer::Draw(bool movieChanged, int width, int height, const QRect& viewport) {
    const bool antiAlias = Quality2 != "low";
    if (!movieChanged && imageValid_ && width == imageWidth_ && height == imageHeight_ &&
        viewport == imageViewport_ && BackgroundColor == imageBackground_ && antiAlias == imageAntiAlias_ &&
        (Realtime || !stage_.Approximate()))
        return image_;

    StageOptions options;
    options.Width = width;
    options.Height = height;
    options.Viewport = viewport;
    options.Background = static_cast<std::uint32_t>(BackgroundColor);
    options.AntiAlias = antiAlias;
    options.AllowComposite = Realtime;
    drawReason_.clear();
    stage_.Render(*movie_, options, image_, drawReason_);
    ++renderCount_;
    imageValid_ = true;
    imageWidth_ = width;
    imageHeight_ = height;
    imageViewport_ = viewport;
    imageBackground_ = BackgroundColor;
    imageAntiAlias_ = antiAlias;
    reason_ = parseReason_;
    if (!drawReason_.empty()) reason_ += (reason_.empty() ? "" : "; ") + drawReason_;
    return image_;
}

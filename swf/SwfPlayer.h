#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include <QImage>

#include "swf/MovieData.h"
#include "swf/StageRenderer.h"

// A side of the player's stage for a canvas side at `zoom`: zoom × side to
// the nearest whole pixel.
double StageSide(float zoom, std::int32_t canvasSide);

// The preview player behind the canvas. The caller sets the three
// properties and asks for the image at the control's size; the movie file
// is parsed again only when its bytes changed, and the image redrawn only
// when the movie, the size, the background or the quality changed.
class SwfPlayer {
public:
    std::string Movie;                      // path of the movie file
    std::int32_t BackgroundColor = 0xFFFFFF;  // 0xRRGGBB
    std::string Quality2 = "high";          // "low", "medium", "high" or "best"
    // Set while a realtime drag runs: frames may then be laid together from
    // cached layers (within 2 per channel); once it is cleared the next
    // Render draws the exact image again.
    bool Realtime = false;

    // The image of the whole stage drawn at width x height, or with a
    // non-empty `viewport` only that part of it (the image takes its size).
    const QImage& Render(int width, int height, const QRect& viewport = {});
    // The image of a movie held in memory, for a one-off render with no
    // file: `bytes` are parsed anew, and the next Render reads the file again.
    const QImage& RenderMovie(std::string_view bytes, int width, int height);

    // Why the current image is blank or partial; empty when the movie was drawn whole.
    const std::string& Reason() const { return reason_; }
    // Counters for callers and tests: how often the file was parsed and the image drawn.
    std::size_t ParseCount() const { return parseCount_; }
    // How many of those parses read only the layers that changed.
    std::size_t UpdateCount() const { return updateCount_; }
    std::size_t RenderCount() const { return renderCount_; }
    const StageRenderer& Stage() const { return stage_; }

private:
    struct FileStamp {
        std::uintmax_t Size = 0;
        std::int64_t ModifiedNs = 0, ChangedNs = 0;
        std::uint64_t Inode = 0;
        bool operator==(const FileStamp&) const = default;
    };
    // Re-reads the movie file when it may have changed; true when the movie differs from before.
    bool RefreshMovie();
    void ParseMovie(std::string_view bytes);
    const QImage& Draw(bool movieChanged, int width, int height, const QRect& viewport);

    std::string loadedPath_;
    bool inMemory_ = false;  // the movie came from RenderMovie
    bool haveStamp_ = false;
    FileStamp stamp_;
    std::int64_t readAtNs_ = 0;
    bool readOk_ = false;
    std::string fileBytes_;
    std::string spareBytes_;
    std::shared_ptr<ParsedMovie> movie_;
    std::string parseReason_;

    QImage image_;
    bool imageValid_ = false;
    int imageWidth_ = 0, imageHeight_ = 0;
    QRect imageViewport_;
    std::int32_t imageBackground_ = 0;
    bool imageAntiAlias_ = true;
    std::string drawReason_;
    std::string reason_;

    StageRenderer stage_;
    std::size_t parseCount_ = 0, updateCount_ = 0, renderCount_ = 0;
};

// Feeds any bytes to the picture sniffing and the JPEG loading of the
// underlay, then writes the underlay's bitmap tags and reads them back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "swf/BitmapTags.h"
#include "swf/ImageInfo.h"
#include "swf/JpegBytes.h"
#include "swf/JpegImage.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ImageInfo info = GetImageInfo(bytes);
    if (info.Kind < 0 || info.Kind > 4) std::abort();
    std::string error;
    const std::string jpeg = LoadJpegBytes(bytes, 90, error);
    // An RGB JPEG is kept as it is; a refusal always says why, a success never.
    if (info.Kind == ImageJpeg && !jpeg.empty() && jpeg != bytes && !IsCmykJpeg({data, size})) std::abort();
    if (jpeg.empty() == error.empty()) std::abort();
    if (!jpeg.empty() && (jpeg.size() < 2 || static_cast<std::uint8_t>(jpeg[0]) != 0xFF)) std::abort();
    SWFMakeCore mk;
    WriteMovieHeader(mk, 6, 320, 320, 12.0f);
    DefineBitmap(mk, 2, jpeg);
    DefineBitmapShape(mk, 3, 2, info.Width, info.Height);
    WriteShowFrame(mk);
    WriteEnd(mk);
    const std::string movie = TakeMovieBytes(mk);
    const ParsedMovie parsed = ReadMovie(reinterpret_cast<const std::uint8_t*>(movie.data()), movie.size());
    if (!parsed.Complete || parsed.Shapes.count(3) != 1) std::abort();
    return 0;
}

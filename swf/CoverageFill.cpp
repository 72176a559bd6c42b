#include "swf/CoverageFill.h"

#include "swf/PreparedLayers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LV_AVX2_BLEND 1
#endif


namespace {

// Largest distance, in pixels, of a flattened curve from the true one.
constexpr double FlatnessPixels = 0.1;
constexpr int MaxCurveSegments = 256;

// Each 8-bit channel of premultiplied `x` times a / 255, rounded.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0xFF00FF) * a;
    t = ((t + ((t >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
    x = ((x >> 8) & 0xFF00FF) * a;
    x = (x + ((x >> 8) & 0xFF00FF) + 0x800080) & 0xFF00FF00;
    return x | t;
}

// Source over destination, both premultiplied.
inline std::uint32_t Over(std::uint32_t src, std::uint32_t dst) { return src + ByteMul(dst, 255 - (src >> 24)); }

// A curve wholly beyond a side of the image (by more than `margin`) changes
// nothing there that its chord would not: fills count only the winding it
// leaves to its right, and a line that far off shows nowhere.
bool BeyondASide(const QPointF (&p)[4], CoverageRaster::Box clip, double margin) {
    const auto all = [&](auto beyond) { return std::all_of(p, p + 4, beyond); };
    return all([&](const QPointF& q) { return q.x() <= clip.Left - margin; }) ||
           all([&](const QPointF& q) { return q.x() >= clip.Right + margin; }) ||
           all([&](const QPointF& q) { return q.y() <= clip.Top - margin; }) ||
           all([&](const QPointF& q) { return q.y() >= clip.Bottom + margin; });
}

template <typename Raster>
void AddCubic(Raster& raster, const QPointF (&p)[4], double margin) {
    if (BeyondASide(p, raster.Clip(), margin)) {
        raster.LineTo(p[3].x(), p[3].y());
        return;
    }
    const QPointF d1 = p[0] - 2 * p[1] + p[2], d2 = p[1] - 2 * p[2] + p[3];
    const double dd2 = std::max(QPointF::dotProduct(d1, d1), QPointF::dotProduct(d2, d2));
    const double segments = std::ceil(std::sqrt(0.75 * std::sqrt(dd2) / FlatnessPixels));
    const int n = std::isfinite(segments) ? std::clamp(static_cast<int>(segments), 1, MaxCurveSegments) : 1;
    for (int i = 1; i < n; ++i) {
        const double t = double(i) / n, u = 1 - t;
        const QPointF q = u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
        raster.LineTo(q.x(), q.y());
    }
    raster.LineTo(p[3].x(), p[3].y());
}

// Feeds the commands' points, mapped to device pixels, to the rasteriser.
template <typename Raster>
struct DeviceFeed {
    Raster& Target;
    const QTransform& ToDevice;
    double Margin;
    QPointF Start, Current;

    // The placement is affine, as movie matrices are: mapped inline rather
    // than through QTransform::map for every point.
    QPointF Map(const QPointF& p) const {
        const QTransform& m = ToDevice;
        if (!m.isAffine()) return m.map(p);
        return {m.m11() * p.x() + m.m21() * p.y() + m.dx(), m.m12() * p.x() + m.m22() * p.y() + m.dy()};
    }
    void MoveTo(const QPointF& p) {
        Start = Current = Map(p);
        Target.MoveTo(Current.x(), Current.y());
    }
    void LineTo(const QPointF& p) {
        Current = Map(p);
        Target.LineTo(Current.x(), Current.y());
    }
    void CubicTo(const QPointF& c1, const QPointF& c2, const QPointF& p) {
        const QPointF cubic[4] = {Current, Map(c1), Map(c2), Map(p)};
        AddCubic(Target, cubic, Margin);
        Current = cubic[3];
    }
    void Close() {
        Target.Close();
        Current = Start;
    }
};

#if defined(__SSE2__)
// Four pixels at a time, each channel in a 16-bit lane: the same arithmetic
// as ByteMul and Over, so the pixels are identical to the scalar loop's.
inline __m128i ByteMul16(__m128i x, __m128i a) {
    const __m128i t = _mm_mullo_epi16(x, a);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80)), 8);
}

// Each 16-bit coverage of pixels 0 and 1 (or 2 and 3) repeated over their four channels.
inline void SpreadCover(const std::uint8_t* cover, __m128i& low, __m128i& high) {
    std::int32_t four;
    std::memcpy(&four, cover, 4);
    const __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(four), _mm_setzero_si128());
    const __m128i pairs = _mm_unpacklo_epi16(c, c);
    low = _mm_unpacklo_epi32(pairs, pairs);
    high = _mm_unpackhi_epi32(pairs, pairs);
}

// Source (two pixels in 16-bit lanes) over destination (the same), packed back.
inline __m128i Over4(__m128i srcLow, __m128i srcHigh, __m128i dst) {
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(255);
    const auto inverseAlpha = [&](__m128i v) {
        return _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF));
    };
    const __m128i dLow = ByteMul16(_mm_unpacklo_epi8(dst, zero), inverseAlpha(srcLow));
    const __m128i dHigh = ByteMul16(_mm_unpackhi_epi8(dst, zero), inverseAlpha(srcHigh));
    return _mm_add_epi32(_mm_packus_epi16(srcLow, srcHigh), _mm_packus_epi16(dLow, dHigh));
}

// Source pixels through their coverage over the line, four at a time; returns how many were done.
int BlendFour(std::uint32_t* line, const std::uint32_t* source, std::size_t sourceStep, const std::uint8_t* cover,
              int count) {
    const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i * sourceStep));
        auto* at = reinterpret_cast<__m128i*>(line + i);
        // Inside an opaque fill the source replaces the pixels, as the arithmetic would.
        std::uint32_t covers;
        std::memcpy(&covers, cover + i, 4);
        __m128i sLow = _mm_unpacklo_epi8(src, zero), sHigh = _mm_unpackhi_epi8(src, zero);
        if (covers == 0xFFFFFFFFu) {
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(src, opaque), opaque)) == 0xFFFF) {
                _mm_storeu_si128(at, src);
                continue;
            }
        } else {  // fully covered pixels keep the source as it is (ByteMul by 255 is exact)
            __m128i coverLow, coverHigh;
            SpreadCover(cover + i, coverLow, coverHigh);
            sLow = ByteMul16(sLow, coverLow);
            sHigh = ByteMul16(sHigh, coverHigh);
        }
        _mm_storeu_si128(at, Over4(sLow, sHigh, _mm_loadu_si128(at)));
    }
    return i;
}
#endif

#if defined(LV_AVX2_BLEND)
// BlendFour's arithmetic eight pixels at a time, for processors with AVX2;
// each 128-bit half of a register holds what BlendFour's register holds.
__attribute__((target("avx2"))) int BlendEight(std::uint32_t* line, const std::uint32_t* source, std::size_t sourceStep,
                                               const std::uint8_t* cover, int count) {
    const __m256i zero = _mm256_setzero_si256(), opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u)),
                  full = _mm256_set1_epi16(255);
#define LV_BYTE_MUL(x, a)                                                                                \
    _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(x, a),                         \
                                                        _mm256_srli_epi16(_mm256_mullo_epi16(x, a), 8)), \
                                       _mm256_set1_epi16(0x80)),                                          \
                      8)
#define LV_INVERSE_ALPHA(v) _mm256_sub_epi16(full, _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(v, 0xFF), 0xFF))
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i * sourceStep));
        auto* at = reinterpret_cast<__m256i*>(line + i);
        std::uint64_t covers;
        std::memcpy(&covers, cover + i, 8);
        __m256i sLow = _mm256_unpacklo_epi8(src, zero), sHigh = _mm256_unpackhi_epi8(src, zero);
        if (covers == ~std::uint64_t{0}) {
            if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(src, opaque), opaque)) == -1) {
                _mm256_storeu_si256(at, src);
                continue;
            }
        } else {
            const __m256i c32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cover + i)));
            const __m256i pairs = _mm256_or_si256(c32, _mm256_slli_epi32(c32, 16));
            const __m256i coverLow = _mm256_unpacklo_epi32(pairs, pairs), coverHigh = _mm256_unpackhi_epi32(pairs, pairs);
            sLow = LV_BYTE_MUL(sLow, coverLow);
            sHigh = LV_BYTE_MUL(sHigh, coverHigh);
        }
        const __m256i dst = _mm256_loadu_si256(at);
        const __m256i dstLow = _mm256_unpacklo_epi8(dst, zero), dstHigh = _mm256_unpackhi_epi8(dst, zero);
        const __m256i restLow = LV_INVERSE_ALPHA(sLow), restHigh = LV_INVERSE_ALPHA(sHigh);
        const __m256i dLow = LV_BYTE_MUL(dstLow, restLow), dHigh = LV_BYTE_MUL(dstHigh, restHigh);
        _mm256_storeu_si256(at, _mm256_add_epi32(_mm256_packus_epi16(sLow, sHigh), _mm256_packus_epi16(dLow, dHigh)));
    }
#undef LV_BYTE_MUL
#undef LV_INVERSE_ALPHA
    return i;
}
#endif

#if defined(__SSE2__)
// The widest of the loops above the processor runs; returns how many pixels it did.
int BlendWide(std::uint32_t* line, const std::uint32_t* source, std::size_t sourceStep, const std::uint8_t* cover,
              int count) {
    int done = 0;
#if defined(LV_AVX2_BLEND)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) done = BlendEight(line, source, sourceStep, cover, count);
#endif
    return done + BlendFour(line + done, source + done * sourceStep, sourceStep, cover + done, count - done);
}
#endif

// Each pixel of the run composed with its source through its coverage. No
// tests per pixel: a coverage of 0 or 255 gives the same through the
// arithmetic (ByteMul by 255 is exact, by 0 gives 0).
void BlendColor(std::uint32_t* __restrict line, std::uint32_t color, const std::uint8_t* __restrict cover, int count) {
    int i = 0;
#if defined(__SSE2__)
    const std::uint32_t eight[8] = {color, color, color, color, color, color, color, color};
    i = BlendWide(line, eight, 0, cover, count);
#endif
    for (; i < count; ++i) line[i] = Over(ByteMul(color, cover[i]), line[i]);
}

void BlendPattern(std::uint32_t* __restrict line, const std::uint32_t* __restrict source,
                  const std::uint8_t* __restrict cover, int count) {
    int i = 0;
#if defined(__SSE2__)
    i = BlendWide(line, source, 1, cover, count);
#endif
    for (; i < count; ++i) line[i] = Over(ByteMul(source[i], cover[i]), line[i]);
}

// Composes each covered row over the target with `blend(line, y, x0, cover, count)`.
template <typename Blend>
auto Compose(QImage& target, Blend blend) {
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    return [=](int y, int x0, const std::uint8_t* cover, int count) {
        blend(reinterpret_cast<std::uint32_t*>(bits + y * stride) + x0, y, x0, cover, count);
    };
}

}  // namespace

void AddPath(CoverageRaster& raster, const std::vector<PathCommand>& commands, const QTransform& toDevice) {
    WalkCommands(commands, DeviceFeed<CoverageRaster>{raster, toDevice, 0.0, {}, {}});
}

void AddPath(StrokeRaster& raster, const std::vector<PathCommand>& commands, const QTransform& toDevice) {
    WalkCommands(commands, DeviceFeed<StrokeRaster>{raster, toDevice, raster.Reach(), {}, {}});
}

void FillColor(CoverageRaster& raster, FillRule rule, QImage& target, QRgb premultiplied) {
    if (premultiplied == 0) return;
    raster.Sweep(rule, Compose(target, [premultiplied](std::uint32_t* line, int, int, const std::uint8_t* cover, int count) {
        BlendColor(line, premultiplied, cover, count);
    }));
}

void StrokeColor(StrokeRaster& raster, QImage& target, QRgb premultiplied) {
    if (premultiplied == 0) return;
    raster.Sweep(Compose(target, [premultiplied](std::uint32_t* line, int, int, const std::uint8_t* cover, int count) {
        BlendColor(line, premultiplied, cover, count);
    }));
}

void FillGradient(CoverageRaster& raster, FillRule rule, QImage& target, const GradientShade& shade) {
    raster.Sweep(rule, Compose(target, [&shade](std::uint32_t* line, int y, int x0, const std::uint8_t* cover, int count) {
        constexpr int chunk = 256;
        std::uint32_t colours[chunk];
        for (int done = 0; done < count; done += chunk) {
            const int n = std::min(chunk, count - done);
            shade.Shade(y, x0 + done, n, colours);
            BlendPattern(line + done, colours, cover + done, n);
        }
    }));
}

void FillPattern(CoverageRaster& raster, FillRule rule, QImage& target, const QImage& pattern, QPoint origin) {
    const uchar* bits = pattern.constBits();
    const qsizetype stride = pattern.bytesPerLine();
    raster.Sweep(rule, Compose(target, [=](std::uint32_t* line, int y, int x0, const std::uint8_t* cover, int count) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(bits + (y - origin.y()) * stride) + (x0 - origin.x());
        BlendPattern(line, source, cover, count);
    }));
}

void ComposeOver(QImage& target, const QImage& source, const QRect& area, QPoint origin) {
    const QRect r = area & target.rect() & source.rect().translated(origin);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* dst = reinterpret_cast<std::uint32_t*>(target.scanLine(y)) + r.left();
        const auto* src = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y - origin.y())) + (r.left() - origin.x());
        for (int i = 0; i < r.width(); ++i) {
            const std::uint32_t s = src[i];
            if (s >= 0xFF000000u)
                dst[i] = s;
            else if (s)
                dst[i] = Over(s, dst[i]);
        }
    }
}

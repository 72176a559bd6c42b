#include "swf/CoverageRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

// Largest band buffer, in cells: the band is as many rows as fit.
constexpr std::size_t BandCells = 1 << 18;

template <FillRule Rule>
std::uint8_t Coverage(float v) {
    float a = std::abs(v);
    if (a > 1.0f) {
        if constexpr (Rule == FillRule::EvenOdd) {
            a -= 2.0f * std::floor(a * 0.5f);
            if (a > 1.0f) a = 2.0f - a;
        } else {
            a = 1.0f;
        }
    }
    return static_cast<std::uint8_t>(a * 255.0f + 0.5f);
}

#if defined(__x86_64__) && defined(__GNUC__)
// CoverCells' arithmetic eight cells at a time, for processors with AVX2:
// each half of the register takes the running sum as the four-cell loop
// does, the upper half adding the lower half's total. Returns the cells done.
template <FillRule Rule>
__attribute__((target("avx2"))) int CoverEight(float* sums, std::uint8_t* out, int cells, float& sum) {
    const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7FFFFFFF)), one = _mm256_set1_ps(1.0f),
                 two = _mm256_set1_ps(2.0f), half = _mm256_set1_ps(0.5f), full = _mm256_set1_ps(255.0f);
    __m256 carry = _mm256_set1_ps(sum);
    int i = 0;
    for (; i + 8 <= cells; i += 8) {
        __m256 v = _mm256_loadu_ps(sums + i);
        v = _mm256_add_ps(v, _mm256_castsi256_ps(_mm256_slli_si256(_mm256_castps_si256(v), 4)));
        v = _mm256_add_ps(v, _mm256_castsi256_ps(_mm256_slli_si256(_mm256_castps_si256(v), 8)));
        const __m256 lowerTotal = _mm256_permute2f128_ps(v, v, 0x08);  // lower half moved up, zeros below
        v = _mm256_add_ps(v, _mm256_shuffle_ps(lowerTotal, lowerTotal, 0xFF));
        v = _mm256_add_ps(v, carry);
        const __m256 upper = _mm256_permute2f128_ps(v, v, 0x11);
        carry = _mm256_shuffle_ps(upper, upper, 0xFF);
        _mm256_storeu_ps(sums + i, _mm256_setzero_ps());
        __m256 a = _mm256_and_ps(v, magnitude);
        if constexpr (Rule == FillRule::EvenOdd) {
            const __m256 whole = _mm256_cvtepi32_ps(_mm256_cvttps_epi32(_mm256_mul_ps(a, half)));
            a = _mm256_sub_ps(a, _mm256_mul_ps(two, whole));
            a = _mm256_min_ps(a, _mm256_sub_ps(two, a));
        } else {
            a = _mm256_min_ps(a, one);
        }
        const __m256i c = _mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(a, full), half));
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(c, c), c);
        const std::int32_t halves[2] = {_mm_cvtsi128_si32(_mm256_castsi256_si128(bytes)),
                                        _mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1))};
        std::memcpy(out + i, halves, 8);
    }
    sum = _mm_cvtss_f32(_mm256_castps256_ps128(carry));
    return i;
}
#endif

// Running sums of a row's cells turned into coverage, the cells cleared for
// the next band; one rule per loop so that it carries no test of the rule.
template <FillRule Rule>
void CoverCells(float* sums, std::uint8_t* out, int cells) {
    float sum = 0;
    int i = 0;
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) i = CoverEight<Rule>(sums, out, cells, sum);
#endif
#if defined(__SSE2__)
    // Four cells at a time: the running sum by shifted adds, then the same
    // arithmetic as Coverage without its test (folding a coverage within
    // 0..1 leaves it as it is).
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)), one = _mm_set1_ps(1.0f),
                 two = _mm_set1_ps(2.0f), half = _mm_set1_ps(0.5f), full = _mm_set1_ps(255.0f);
    __m128 carry = _mm_set1_ps(sum);
    for (; i + 4 <= cells; i += 4) {
        __m128 v = _mm_loadu_ps(sums + i);
        v = _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 4)));
        v = _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 8)));
        v = _mm_add_ps(v, carry);
        carry = _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 3, 3, 3));
        _mm_storeu_ps(sums + i, _mm_setzero_ps());
        __m128 a = _mm_and_ps(v, magnitude);
        if constexpr (Rule == FillRule::EvenOdd) {
            const __m128 whole = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_mul_ps(a, half)));
            a = _mm_sub_ps(a, _mm_mul_ps(two, whole));
            a = _mm_min_ps(a, _mm_sub_ps(two, a));
        } else {
            a = _mm_min_ps(a, one);
        }
        const __m128i c = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(a, full), half));
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(c, c), c);
        const std::int32_t four = _mm_cvtsi128_si32(bytes);
        std::memcpy(out + i, &four, 4);
    }
    sum = _mm_cvtss_f32(carry);
#endif
    for (; i < cells; ++i) {
        sum += sums[i];
        sums[i] = 0;
        out[i] = Coverage<Rule>(sum);
    }
}

}  // namespace

void CoverageRaster::Reset(Box clip) {
    clip_ = RasterClip::Of(clip);
    edges_.clear();
    open_ = false;
    reachesRight_ = false;
}

void CoverageRaster::MoveTo(double x, double y) {
    Close();
    x -= clip_.OriginX;
    y -= clip_.OriginY;
    startX_ = curX_ = x;
    startY_ = curY_ = y;
    open_ = true;
}

void CoverageRaster::LineTo(double x, double y) {
    if (!open_) MoveTo(curX_ + clip_.OriginX, curY_ + clip_.OriginY);
    x -= clip_.OriginX;
    y -= clip_.OriginY;
    AddLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void CoverageRaster::Close() {
    if (open_) AddLine(curX_, curY_, startX_, startY_);
    curX_ = startX_;
    curY_ = startY_;
    open_ = false;
}

// Keeps the part of the line within the rows [0, height); it only matters there.
void CoverageRaster::AddLine(double x0, double y0, double x1, double y1) {
    if (!UsableCoordinate(x0) || !UsableCoordinate(y0) || !UsableCoordinate(x1) || !UsableCoordinate(y1) || y0 == y1)
        return;
    const double h = clip_.Height, w = clip_.Width;
    if (x0 >= 0 && x1 >= 0 && x0 <= w && x1 <= w && y0 >= 0 && y1 >= 0 && y0 <= h && y1 <= h) {
        edges_.push_back(y0 < y1 ? Edge{x0, y0, x1, y1, 1.0f} : Edge{x1, y1, x0, y0, -1.0f});
        return;
    }
    if ((y0 <= 0 && y1 <= 0) || (y0 >= h && y1 >= h)) return;
    const auto xAt = [&](double y) { return x0 + (x1 - x0) * ((y - y0) / (y1 - y0)); };
    double ax = x0, ay = y0, bx = x1, by = y1;
    if (ay < 0) ax = xAt(0), ay = 0;
    if (ay > h) ax = xAt(h), ay = h;
    if (by < 0) bx = xAt(0), by = 0;
    if (by > h) bx = xAt(h), by = h;
    AddClampedX(ax, ay, bx, by);
}

// Parts right of the image cover none of its pixels and are dropped; parts
// left of it move onto its left side, where they still turn the winding of
// every pixel to their right.
void CoverageRaster::AddClampedX(double x0, double y0, double x1, double y1) {
    const double w = clip_.Width;
    double cuts[4] = {0.0, 1.0, 1.0, 1.0};
    int n = 1;
    for (double edge : {0.0, w})
        if ((x0 < edge) != (x1 < edge)) cuts[n++] = (edge - x0) / (x1 - x0);
    if (n == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
    cuts[n] = 1.0;
    for (int i = 0; i < n; ++i) {
        const double ta = cuts[i], tb = cuts[i + 1];
        const double ya = y0 + (y1 - y0) * ta, yb = y0 + (y1 - y0) * tb;
        if (ya == yb) continue;
        double xa = x0 + (x1 - x0) * ta, xb = x0 + (x1 - x0) * tb;
        const double mid = (xa + xb) / 2;
        if (mid >= w) {
            reachesRight_ = true;
            continue;
        }
        if (mid <= 0) xa = xb = 0;
        xa = std::clamp(xa, 0.0, w);
        xb = std::clamp(xb, 0.0, w);
        if (ya < yb)
            edges_.push_back({xa, ya, xb, yb, 1.0f});
        else
            edges_.push_back({xb, yb, xa, ya, -1.0f});
    }
}

// Adds the edge's part within rows [top, bottom) to the band's cells: per
// row, the area between the edge and the row's right end, spread so that a
// running sum along the row gives each pixel's coverage.
void CoverageRaster::Deposit(const Edge& e, int top, int bottom, int left, float* acc, int stride,
                             Touched* touched) const {
    const double ya = std::max(e.Y0, double(top)), yb = std::min(e.Y1, double(bottom));
    if (ya >= yb) return;
    const double dxdy = (e.X1 - e.X0) / (e.Y1 - e.Y0);
    const double maxX = stride - 2;
    double x = std::clamp(e.X0 + (ya - e.Y0) * dxdy - left, 0.0, maxX);
    for (int y = static_cast<int>(std::floor(ya)); y < bottom && y < yb; ++y) {
        const double dy = std::min(double(y + 1), yb) - std::max(double(y), ya);
        const double next = std::clamp(x + dxdy * dy, 0.0, maxX);
        float* row = acc + static_cast<std::ptrdiff_t>(y - top) * stride;
        const double d = dy * e.Dir;
        const double lo = std::min(x, next), hi = std::max(x, next);
        // Floor and ceiling by truncation: both lie within 0..maxX.
        const int i0 = static_cast<int>(lo), whole = static_cast<int>(hi), i1 = whole + (whole < hi);
        Touched& t = touched[y - top];
        t.First = std::min(t.First, i0);
        t.Last = std::max(t.Last, std::max(i1, i0 + 1));
        if (i1 <= i0 + 1) {
            const double m = 0.5 * (x + next) - i0;
            row[i0] += static_cast<float>(d * (1 - m));
            row[i0 + 1] += static_cast<float>(d * m);
        } else {
            const double s = 1 / (hi - lo);
            const double f0 = lo - i0, f1 = hi - i1 + 1;
            const double a0 = 0.5 * s * (1 - f0) * (1 - f0), am = 0.5 * s * f1 * f1;
            row[i0] += static_cast<float>(d * a0);
            if (i1 == i0 + 2) {
                row[i0 + 1] += static_cast<float>(d * (1 - a0 - am));
            } else {
                const double a1 = s * (1.5 - f0);
                row[i0 + 1] += static_cast<float>(d * (a1 - a0));
                const float step = static_cast<float>(d * s);
                for (int i = i0 + 2; i < i1 - 1; ++i) row[i] += step;
                const double a2 = a1 + (i1 - i0 - 3) * s;
                row[i1 - 1] += static_cast<float>(d * (1 - a2 - am));
            }
            row[i1] += static_cast<float>(d * am);
        }
        x = next;
    }
}

CoverageRaster::Box CoverageRaster::Bounds() {
    Close();
    if (edges_.empty()) return {};
    double minX = clip_.Width, maxX = 0, minY = clip_.Height, maxY = 0;
    for (const Edge& e : edges_) {
        minX = std::min({minX, e.X0, e.X1});
        maxX = std::max({maxX, e.X0, e.X1});
        minY = std::min(minY, e.Y0);
        maxY = std::max(maxY, e.Y1);
    }
    Box box;
    box.Left = clip_.OriginX + static_cast<int>(std::floor(minX));
    // Coverage runs on to the clip's right side when a part beyond it was dropped.
    box.Right =
        clip_.OriginX + (reachesRight_ ? clip_.Width : std::min(static_cast<int>(std::ceil(maxX)), clip_.Width));
    box.Top = clip_.OriginY + static_cast<int>(std::floor(minY));
    box.Bottom = clip_.OriginY + std::min(static_cast<int>(std::ceil(maxY)), clip_.Height);
    return box;
}

bool CoverageRaster::BeginSweep(SweepArea& a) {
    const Box box = Bounds();
    if (edges_.empty()) return false;
    a.Left = box.Left - clip_.OriginX;
    a.Top = box.Top - clip_.OriginY;
    a.Bottom = box.Bottom - clip_.OriginY;
    a.Cells = box.Right - box.Left;
    a.Stride = a.Cells + 2;
    a.BandRows = static_cast<int>(std::clamp<std::size_t>(BandCells / a.Stride, 1, 64));
    const std::size_t cells = static_cast<std::size_t>(a.Stride) * a.BandRows;
    if (acc_.size() < cells) acc_.resize(cells, 0.0f);
    row_.resize(static_cast<std::size_t>(a.Stride));
    touched_.resize(static_cast<std::size_t>(a.BandRows));
    return true;
}

void CoverageRaster::ClearRow(float* sums, Touched touched) {
    if (touched.Last >= touched.First) std::fill(sums + touched.First, sums + touched.Last + 1, 0.0f);
}

bool CoverageRaster::CoverRow(float* sums, Touched touched, const SweepArea& a, FillRule rule, int& first, int& last) {
    if (touched.Last < touched.First) return false;
    std::uint8_t* out = row_.data();
    const int from = touched.First, to = std::min(touched.Last, a.Cells - 1);
    if (to < from) {  // only the cells past the row's end were touched: nothing is covered
        std::fill(sums + from, sums + touched.Last + 1, 0.0f);
        return false;
    }
    if (rule == FillRule::EvenOdd)
        CoverCells<FillRule::EvenOdd>(sums + from, out + from, to - from + 1);
    else
        CoverCells<FillRule::NonZero>(sums + from, out + from, to - from + 1);
    std::fill(sums + to + 1, sums + touched.Last + 1, 0.0f);
    last = to;
    if (out[to] != 0) {
        std::fill(out + to + 1, out + a.Cells, out[to]);
        last = a.Cells - 1;
    }
    first = from;
    while (first <= last && !out[first]) ++first;
    if (first > last) return false;
    while (!out[last]) --last;
    return true;
}

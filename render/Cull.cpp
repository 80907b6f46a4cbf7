// The cull test over the grid, four cells at a time where the processor allows.
#include "render/Cull.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "render/VectorPath.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(KORVAN_HAS_AVX512_PATH)
#include <immintrin.h>
#endif

namespace korvan {

namespace {

// The stored anchors that pass on one axis: Low..Low+Span, inclusive, in wrapping 32-bit
// arithmetic. The bounds are worked out in 64 bits (a map file may hold any anchor); a test is
// then one subtraction and one unsigned compare.
struct AnchorRange {
    std::uint32_t Low;
    std::uint32_t Span;
    bool Empty;
};

AnchorRange RangeOf(std::int64_t exclusiveLow, std::int64_t exclusiveHigh, std::int64_t scroll)
{
    const std::int64_t low = std::max<std::int64_t>(exclusiveLow - scroll + 1, std::numeric_limits<std::int32_t>::min());
    const std::int64_t high = std::min<std::int64_t>(exclusiveHigh - scroll - 1, std::numeric_limits<std::int32_t>::max());
    if (low > high)
        return {0, 0, true};
    return {std::uint32_t(std::int32_t(low)), std::uint32_t(high - low), false};
}

inline bool Passes(const MapCell& cell, const AnchorRange& xs, const AnchorRange& ys)
{
    return (std::uint32_t(cell.ScreenX) - xs.Low <= xs.Span) & (std::uint32_t(cell.ScreenY) - ys.Low <= ys.Span);
}

#if defined(KORVAN_HAS_AVX512_PATH)

// The test of sixteen records (four per register), one bit per record that passes.
struct Ranges512 {
    __m512i LowX, SpanX, LowY, SpanY;
};

KORVAN_AVX512 inline unsigned Passing(const __m512i (&quarter)[4], const Ranges512& ranges)
{
    // Dwords 0 and 1 of each record are ScreenX and ScreenY: the Xs of two registers' eight
    // records, then their Ys; then the sixteen Xs and the sixteen Ys.
    const __m512i pick = _mm512_setr_epi32(0, 4, 8, 12, 16, 20, 24, 28, 1, 5, 9, 13, 17, 21, 25, 29);
    const __m512i ab = _mm512_permutex2var_epi32(quarter[0], pick, quarter[1]);
    const __m512i cd = _mm512_permutex2var_epi32(quarter[2], pick, quarter[3]);
    const __m512i x = _mm512_permutex2var_epi64(ab, _mm512_setr_epi64(0, 1, 2, 3, 8, 9, 10, 11), cd);
    const __m512i y = _mm512_permutex2var_epi64(ab, _mm512_setr_epi64(4, 5, 6, 7, 12, 13, 14, 15), cd);
    return _mm512_cmple_epu32_mask(_mm512_sub_epi32(x, ranges.LowX), ranges.SpanX) &
           _mm512_cmple_epu32_mask(_mm512_sub_epi32(y, ranges.LowY), ranges.SpanY);
}

// The cells of a run of records that pass, sixteen at a time, appended in order.
KORVAN_AVX512 std::size_t CullRun(const MapCell* cells, std::size_t n, const AnchorRange& xs, const AnchorRange& ys,
                                  const MapCell** visible)
{
    const Ranges512 ranges{_mm512_set1_epi32(std::int32_t(xs.Low)), _mm512_set1_epi32(std::int32_t(xs.Span)),
                           _mm512_set1_epi32(std::int32_t(ys.Low)), _mm512_set1_epi32(std::int32_t(ys.Span))};
    std::size_t count = 0;
    for (std::size_t c = 0; c < n; c += 16) {
        const auto* base = reinterpret_cast<const std::int32_t*>(cells + c);
        __m512i quarter[4];
        unsigned in;
        if (c + 16 <= n) {
            for (int k = 0; k < 4; ++k)
                quarter[k] = _mm512_loadu_si512(base + 16 * k);
            in = Passing(quarter, ranges);
        } else {
            // The last records: the loads read nothing past the run, and no cell past it passes.
            const unsigned left = unsigned(n - c);
            for (unsigned k = 0; k < 4; ++k) {
                const unsigned records = left > 4 * k ? std::min(4u, left - 4 * k) : 0u;
                quarter[k] = _mm512_maskz_loadu_epi32(__mmask16((1u << (4 * records)) - 1), base + 16 * k);
            }
            in = Passing(quarter, ranges) & ((1u << left) - 1);
        }
        while (in != 0) {
            visible[count++] = cells + c + std::size_t(std::countr_zero(in));
            in &= in - 1;
        }
    }
    return count;
}

#endif

}  // namespace

std::size_t CullCells(const MapGrid& grid, const ViewState& view, int firstRow, int lastRow, int firstCol,
                      int lastCol, VisibleCells& visible)
{
    const AnchorRange xs = RangeOf(view.CullLeft, view.ViewRight, view.ScrollX);
    const AnchorRange ys = RangeOf(view.CullTop, view.ViewBottom, view.ScrollY);
    std::size_t count = 0;
    if (xs.Empty || ys.Empty || firstRow > lastRow || firstCol > lastCol)
        return count;
#if defined(KORVAN_HAS_AVX512_PATH)
    if (ActiveVectorPath() == VectorPath::Avx512) {
        if (firstCol == 0 && lastCol == LastIndex)  // whole rows: one run of records
            return CullRun(grid[std::size_t(firstRow)].data(), std::size_t(lastRow - firstRow + 1) * MapSize,
                           xs, ys, visible.data());
        for (int r = firstRow; r <= lastRow; ++r)
            count += CullRun(grid[std::size_t(r)].data() + firstCol, std::size_t(lastCol - firstCol + 1), xs, ys,
                             visible.data() + count);
        return count;
    }
#endif
#if defined(__SSE2__)
    // Unsigned compares by flipping the sign bit: v - Low <= Span as signed (v - Low) ^ sign <= Span ^ sign.
    const __m128i sign = _mm_set1_epi32(std::numeric_limits<std::int32_t>::min());
    const __m128i lowX = _mm_set1_epi32(std::int32_t(xs.Low)), lowY = _mm_set1_epi32(std::int32_t(ys.Low));
    const __m128i spanX = _mm_xor_si128(_mm_set1_epi32(std::int32_t(xs.Span)), sign);
    const __m128i spanY = _mm_xor_si128(_mm_set1_epi32(std::int32_t(ys.Span)), sign);
#endif
    for (int r = firstRow; r <= lastRow; ++r) {
        const MapCell* cells = grid[std::size_t(r)].data();
        int c = firstCol;
#if defined(__SSE2__)
        for (; c + 4 <= lastCol + 1; c += 4) {
            // Each record starts with ScreenX, ScreenY: gather four of each.
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + c));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + c + 1));
            const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + c + 2));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + c + 3));
            const __m128i ab = _mm_unpacklo_epi32(a, b);  // xa xb ya yb
            const __m128i ed = _mm_unpacklo_epi32(e, d);
            const __m128i x = _mm_unpacklo_epi64(ab, ed);
            const __m128i y = _mm_unpackhi_epi64(ab, ed);
            const __m128i outX = _mm_cmpgt_epi32(_mm_xor_si128(_mm_sub_epi32(x, lowX), sign), spanX);
            const __m128i outY = _mm_cmpgt_epi32(_mm_xor_si128(_mm_sub_epi32(y, lowY), sign), spanY);
            int in = ~_mm_movemask_ps(_mm_castsi128_ps(_mm_or_si128(outX, outY))) & 15;
            while (in != 0) {
                const int k = std::countr_zero(unsigned(in));
                visible[count++] = cells + c + k;
                in &= in - 1;
            }
        }
#endif
        for (; c <= lastCol; ++c) {
            visible[count] = cells + c;
            count += Passes(cells[c], xs, ys);
        }
    }
    return count;
}

}  // namespace korvan

// The cull test over the grid, four cells at a time where the processor allows.
#include "render/Cull.h"

#include <algorithm>
#include <bit>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
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

}  // namespace

std::size_t CullCells(const Editor& editor, int firstRow, int lastRow, int firstCol, int lastCol,
                      VisibleCells& visible)
{
    const AnchorRange xs = RangeOf(editor.CullLeft, editor.ViewRight, editor.ScrollX);
    const AnchorRange ys = RangeOf(editor.CullTop, editor.ViewBottom, editor.ScrollY);
    std::size_t count = 0;
    if (xs.Empty || ys.Empty)
        return count;
#if defined(__SSE2__)
    // Unsigned compares by flipping the sign bit: v - Low <= Span as signed (v - Low) ^ sign <= Span ^ sign.
    const __m128i sign = _mm_set1_epi32(std::numeric_limits<std::int32_t>::min());
    const __m128i lowX = _mm_set1_epi32(std::int32_t(xs.Low)), lowY = _mm_set1_epi32(std::int32_t(ys.Low));
    const __m128i spanX = _mm_xor_si128(_mm_set1_epi32(std::int32_t(xs.Span)), sign);
    const __m128i spanY = _mm_xor_si128(_mm_set1_epi32(std::int32_t(ys.Span)), sign);
#endif
    for (int r = firstRow; r <= lastRow; ++r) {
        const MapCell* cells = editor.Cells[std::size_t(r)].data();
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

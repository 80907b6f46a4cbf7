// Masked window blits: a record's opaque pixels are consecutive in the stream, so one load,
// one byte expansion to the mask's places and one masked store draw it.
#include "render/MaskedBlits.h"

#include "render/Shimmer.h"

#include <utility>

#if defined(KORVAN_HAS_AVX512_PATH)
#include <immintrin.h>
#endif

namespace korvan {

#if defined(KORVAN_HAS_AVX512_PATH)

namespace {

// 64 bytes of a stream spread to the places of a mask. The load is kept a plain load: folded
// into the expansion it becomes an expand-load, many times slower on some processors.
KORVAN_AVX512 inline __m512i Expand(std::uint64_t mask, const std::uint8_t* source)
{
    __m512i block = _mm512_loadu_si512(source);
    asm("" : "+v"(block));
    return _mm512_maskz_expand_epi8(mask, block);
}

// Records of one width class, [first, last), from stream (the window's pixels from its first),
// each at its Target from origin.
KORVAN_AVX512 inline void StoreWide(const MaskRow* first, const MaskRow* last, const std::uint8_t* stream,
                                    std::uint8_t* origin)
{
    for (const MaskRow* row = first; row != last; ++row)
        _mm512_mask_storeu_epi8(origin + row->Target, row->Mask, Expand(row->Mask, stream + row->Before));
}

KORVAN_AVX512 inline void StoreMiddle(const MaskRow* first, const MaskRow* last, const std::uint8_t* stream,
                                      std::uint8_t* origin)
{
    for (const MaskRow* row = first; row != last; ++row) {
        __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(stream + row->Before));
        asm("" : "+v"(block));
        const auto mask = __mmask32(row->Mask);
        _mm256_mask_storeu_epi8(origin + row->Target, mask, _mm256_maskz_expand_epi8(mask, block));
    }
}

KORVAN_AVX512 inline void StoreNarrow(const MaskRow* first, const MaskRow* last, const std::uint8_t* stream,
                                      std::uint8_t* origin)
{
    for (const MaskRow* row = first; row != last; ++row) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stream + row->Before));
        asm("" : "+v"(block));
        const auto mask = __mmask16(row->Mask);
        _mm_mask_storeu_epi8(origin + row->Target, mask, _mm_maskz_expand_epi8(mask, block));
    }
}

// A record is drawn from the stream whose pixel at the record's first drawn place gets the
// phase the pixels drawn before it leave: (phase + drawn - place) mod 6, place being that
// pixel's index in the window's stream. StreamBase, a multiple of the period above any window's
// pixel count, keeps the difference positive.
constexpr std::uint32_t StreamBase = ShimmerPeriod * 4096u;

}  // namespace

KORVAN_AVX512 void BlitWholeMasked(const MaskRow* rows, const std::uint16_t (&byWidth)[3], const std::uint8_t* stream,
                                   std::uint8_t* origin)
{
    const MaskRow* const wide = rows + byWidth[0];
    const MaskRow* const middle = wide + byWidth[1];
    StoreWide(rows, wide, stream, origin);
    StoreMiddle(wide, middle, stream, origin);
    StoreNarrow(middle, middle + byWidth[2], stream, origin);
}

KORVAN_AVX512 int BlitRowsMasked(const MaskRow* rows, const std::uint16_t (&byWidth)[3], const MaskRowIndex* index,
                                 const std::uint8_t* pixels, std::uint32_t streamBytes, std::uint8_t* origin,
                                 std::int64_t firstRow, std::int64_t lastRow, int phase)
{
    const MaskRowIndex& first = index[firstRow];
    const MaskRowIndex& past = index[lastRow + 1];
    if (phase >= 0) {
        pixels += std::size_t((StreamBase + std::uint32_t(phase) - first.Opaque) % ShimmerPeriod) * streamBytes;
        phase = int((std::uint32_t(phase) + past.Opaque - first.Opaque) % ShimmerPeriod);
    }
    const MaskRow* const wide = rows + byWidth[0];
    const MaskRow* const middle = wide + byWidth[1];
    StoreWide(rows + first.ByWidth[0], rows + past.ByWidth[0], pixels, origin);
    StoreMiddle(wide + first.ByWidth[1], wide + past.ByWidth[1], pixels, origin);
    StoreNarrow(middle + first.ByWidth[2], middle + past.ByWidth[2], pixels, origin);
    return phase;
}

KORVAN_AVX512 int BlitClippedMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                    std::uint32_t streamBytes, std::uint8_t* origin, std::int64_t pitch,
                                    const MaskedClip& clip, int phase)
{
    const MaskRow* const end = rows + count;
    while (rows != end && rows->Row < clip.FirstRow)
        ++rows;
    for (const MaskRow* row = rows; row != end && row->Row <= clip.LastRow; ++row) {
        // The clip's columns, counted from the record's first.
        const std::int64_t low = clip.FirstColumn - row->Start, high = clip.LastColumn - row->Start;
        if (high < 0 || low > 63)
            continue;
        const int shift = low > 0 ? int(low) : 0;
        std::uint64_t kept = row->Mask >> shift;
        if (high < 63)
            kept &= ~std::uint64_t(0) >> (63 - (high - shift));
        if (kept == 0)
            continue;
        const int skipped = row->Count - int(_mm_popcnt_u64(row->Mask >> shift));
        const std::uint8_t* source = pixels + row->Before + skipped;
        if (phase >= 0) {
            // The stream whose first drawn pixel gets the shimmer's next offset.
            source += std::size_t(Mod6Of(phase - row->BeforeMod6 - skipped)) * streamBytes;
            phase = Mod6Of(phase + int(_mm_popcnt_u64(kept)));
        }
        const __m512i values = Expand(kept, source);
        _mm512_mask_storeu_epi8(origin + row->Row * pitch + row->Start + shift, kept, values);
    }
    return phase;
}

// The records of rows clip.FirstRow..clip.LastRow.
KORVAN_AVX512 inline std::pair<const MaskRow*, const MaskRow*> RowRange(const MaskRow* rows, std::uint32_t count,
                                                                         const MaskedClip& clip)
{
    const MaskRow* const end = rows + count;
    const MaskRow* first = rows;
    while (first != end && first->Row < clip.FirstRow)
        ++first;
    const MaskRow* last = first;
    while (last != end && last->Row <= clip.LastRow)
        ++last;
    return {first, last};
}


// The records of a window cut by the clip's left edge (Left: columns from edge on) or by its
// right edge (columns up to edge). The loop carries from record to record only the count of
// pixels drawn, so that records do not wait on each other's phase, and returns that count.
// PickStreams: the phases' streams differ (a window with water, on a shimmering sheet), so each
// record picks its own; otherwise the first stream serves every record.
template <bool Left, bool PickStreams>
KORVAN_AVX512 inline std::uint32_t EdgeCutRecords(const MaskRow* first, const MaskRow* last, const std::uint8_t* pixels,
                                                  std::uint32_t streamBytes, std::uint8_t* origin, std::int64_t edge,
                                                  int phase)
{
    std::uint32_t drawn = 0;
    for (const MaskRow* row = first; row != last; ++row) {
        std::uint64_t kept = row->Mask;
        std::uint32_t place = row->Before;
        if constexpr (Left) {
            const std::int64_t cut = edge - row->Start;  // the record's columns left out
            if (cut > 0) {
                if (cut > 63)
                    continue;
                const std::uint64_t left = _bzhi_u64(kept, unsigned(cut));
                kept ^= left;
                if (kept == 0)
                    continue;
                place += std::uint32_t(_mm_popcnt_u64(left));
            }
        } else {
            const std::int64_t inside = edge + 1 - row->Start;  // the record's columns kept
            if (inside <= 0)
                continue;
            if (inside < 64)
                kept = _bzhi_u64(kept, unsigned(inside));
        }
        const std::uint8_t* source = pixels + place;
        if constexpr (PickStreams)
            source += std::size_t((StreamBase + std::uint32_t(phase) + drawn - place) % ShimmerPeriod) * streamBytes;
        drawn += std::uint32_t(_mm_popcnt_u64(kept));
        _mm512_mask_storeu_epi8(origin + row->Target, kept, Expand(kept, source));
    }
    return drawn;
}

template <bool Left>
KORVAN_AVX512 inline int BlitEdgeCut(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                     std::uint32_t streamBytes, std::uint8_t* origin, const MaskedClip& clip, int phase)
{
    const auto [first, last] = RowRange(rows, count, clip);
    const std::int64_t edge = Left ? clip.FirstColumn : clip.LastColumn;
    const std::uint32_t drawn =
        phase >= 0 && streamBytes != 0
            ? EdgeCutRecords<Left, true>(first, last, pixels, streamBytes, origin, edge, phase)
            : EdgeCutRecords<Left, false>(first, last, pixels, streamBytes, origin, edge, phase);
    return phase >= 0 ? int((std::uint32_t(phase) + drawn) % ShimmerPeriod) : phase;
}

KORVAN_AVX512 int BlitFromColumnMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                       std::uint32_t streamBytes, std::uint8_t* origin, const MaskedClip& clip,
                                       int phase)
{
    return BlitEdgeCut<true>(rows, count, pixels, streamBytes, origin, clip, phase);
}

KORVAN_AVX512 int BlitToColumnMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                     std::uint32_t streamBytes, std::uint8_t* origin, const MaskedClip& clip,
                                     int phase)
{
    return BlitEdgeCut<false>(rows, count, pixels, streamBytes, origin, clip, phase);
}

#else

int BlitFromColumnMasked(const MaskRow*, std::uint32_t, const std::uint8_t*, std::uint32_t, std::uint8_t*,
                         const MaskedClip&, int phase)
{
    return phase;
}
int BlitToColumnMasked(const MaskRow*, std::uint32_t, const std::uint8_t*, std::uint32_t, std::uint8_t*,
                       const MaskedClip&, int phase)
{
    return phase;
}
void BlitWholeMasked(const MaskRow*, const std::uint16_t (&)[3], const std::uint8_t*, std::uint8_t*) {}
int BlitClippedMasked(const MaskRow*, std::uint32_t, const std::uint8_t*, std::uint32_t, std::uint8_t*, std::int64_t,
                      const MaskedClip&, int phase)
{
    return phase;
}
int BlitRowsMasked(const MaskRow*, const std::uint16_t (&)[3], const MaskRowIndex*, const std::uint8_t*, std::uint32_t,
                   std::uint8_t*, std::int64_t, std::int64_t, int phase)
{
    return phase;
}

#endif

}  // namespace korvan

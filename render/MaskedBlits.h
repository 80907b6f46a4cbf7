// Window blits with one masked 64-byte store per mask record, for the AVX-512 path (see
// VectorPath.h). The caller has chosen the stream and the clip; these only move pixels.
#pragma once

#include "render/MaskCode.h"
#include "render/VectorPath.h"

#include <cstdint>

namespace korvan {

// A whole window from its records by width (see MaskCode::MaskRowsByWidth), from stream (the
// window's pixels from its first), the window's top-left pixel at origin in a buffer
// WholeRunPitch bytes wide: each record goes to its Target.
KORVAN_AVX512 void BlitWholeMasked(const MaskRow* rows, const std::uint16_t (&byWidth)[3], const std::uint8_t* stream,
                                   std::uint8_t* origin);

// The window's pixels in rows firstRow..lastRow and columns firstColumn..lastColumn. pixels
// holds the window's streams, streamBytes apart (its Stride); phase is the shimmer's phase for a
// shimmering sheet (the stream of each record is chosen by it), -1 for one that does not
// shimmer. Returns the phase after the drawn pixels.
struct MaskedClip {
    std::int64_t FirstRow, LastRow, FirstColumn, LastColumn;
};
KORVAN_AVX512 int BlitClippedMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                    std::uint32_t streamBytes, std::uint8_t* origin, std::int64_t pitch,
                                    const MaskedClip& clip, int phase);

// As BlitClippedMasked for a clip whose columns run from clip.FirstColumn to past the window's
// last (From), or from its first to clip.LastColumn (To), in a buffer WholeRunPitch bytes wide.
KORVAN_AVX512 int BlitFromColumnMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                       std::uint32_t streamBytes, std::uint8_t* origin, const MaskedClip& clip,
                                       int phase);
KORVAN_AVX512 int BlitToColumnMasked(const MaskRow* rows, std::uint32_t count, const std::uint8_t* pixels,
                                     std::uint32_t streamBytes, std::uint8_t* origin, const MaskedClip& clip,
                                     int phase);

// As BlitClippedMasked for a clip that cuts rows only, in a buffer WholeRunPitch bytes wide:
// the rows inside are drawn as a whole window is, from its records by width (as BlitWholeMasked
// takes them) and from one stream. index is the window's MaskRowIndex table.
KORVAN_AVX512 int BlitRowsMasked(const MaskRow* rows, const std::uint16_t (&byWidth)[3], const MaskRowIndex* index,
                                 const std::uint8_t* pixels, std::uint32_t streamBytes, std::uint8_t* origin,
                                 std::int64_t firstRow, std::int64_t lastRow, int phase);

}  // namespace korvan

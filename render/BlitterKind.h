// The three blitters that sit side by side (see Blitter.h), named where state must be kept per
// blitter without knowing the blitters themselves.
#pragma once

namespace korvan {

enum class BlitterKind : int {
    Simple = 0,    // per pixel, the literal rule: the oracle of the others
    Portable = 1,  // windows encoded into opaque runs, copied run by run
    Avx512 = 2,    // windows encoded into 64-column masks, one masked store per record
};
inline constexpr int BlitterKindCount = 3;

}  // namespace korvan

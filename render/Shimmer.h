// The water shimmer: one step per opaque drawn pixel, and its six-step cycle.
#pragma once

#include <array>
#include <cstdint>

namespace korvan {

// The shimmer's part of the editor's state, shared by every shimmering blit across pixels,
// tiles and frames.
struct ShimmerState {
    std::uint8_t ShimmerOffset = 0;
    std::uint8_t ShimmerRising = 0;
};

// The start state: offset 0, rising.
constexpr void StartShimmer(ShimmerState& shimmer)
{
    shimmer.ShimmerRising = 1;
    shimmer.ShimmerOffset = 0;
}

// Indices that shimmer; they are shown moved up by the current offset (at most 3).
constexpr bool IsWater(std::uint8_t v) { return v > 64 && v < 79; }

constexpr void StepShimmer(std::uint8_t& offset, std::uint8_t& rising)
{
    if (rising != 0)
        ++offset;
    else
        --offset;
    if (offset == 3)
        rising = 0;
    if (offset == 0)
        rising = 1;
}

// From (offset 0, rising) the state runs through six states and back. A run of n pixels moves
// the phase by n mod 6, which is what lets whole runs be copied at once.
inline constexpr int ShimmerPeriod = 6;
inline constexpr std::uint8_t PhaseOffset[ShimmerPeriod] = {0, 1, 2, 3, 2, 1};
inline constexpr std::uint8_t PhaseRising[ShimmerPeriod] = {1, 1, 1, 0, 0, 0};

// The phase of a state on the cycle, or -1 for a state off it (only stray field values are).
constexpr int ShimmerPhase(std::uint8_t offset, std::uint8_t rising)
{
    for (int p = 0; p < ShimmerPeriod; ++p)
        if (PhaseOffset[p] == offset && PhaseRising[p] == rising)
            return p;
    return -1;
}

// n mod 6 for n in -Mod6Bias..Mod6Bias, without a division: a phase plus or minus a run's
// length or place in a window row, all under a window's width.
inline constexpr int Mod6Bias = 96;
inline constexpr auto Mod6Table = [] {
    std::array<std::uint8_t, 2 * Mod6Bias + 1> table{};
    for (int n = -Mod6Bias; n <= Mod6Bias; ++n)
        table[std::size_t(n + Mod6Bias)] = std::uint8_t(((n % ShimmerPeriod) + ShimmerPeriod) % ShimmerPeriod);
    return table;
}();
constexpr int Mod6Of(int n) { return Mod6Table[std::size_t(n + Mod6Bias)]; }

}  // namespace korvan

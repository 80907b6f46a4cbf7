// The one random source of the editor: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace korvan {

struct RandomSource {
    std::uint32_t State = 0;

    // Uniform in 0..n-1: step the state, then take the upper half of state * n.
    std::uint32_t Random(std::uint32_t n)
    {
        State = State * 134775813u + 1u;
        return static_cast<std::uint32_t>((std::uint64_t(State) * n) >> 32);
    }
};

// The low 32 bits of a high-resolution clock, for the one seeding at start-up.
std::uint32_t HighResolutionSeed();

}  // namespace korvan

#include "map/RandomSource.h"

#include <chrono>

namespace korvan {

std::uint32_t HighResolutionSeed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
}

}  // namespace korvan

// Choosing the hot loops' code from the processor's features.
#include "render/VectorPath.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace korvan {

namespace {

VectorPath FirstPath()
{
    const char* forced = std::getenv("KORVAN_VECTOR");
    if (forced != nullptr && std::strcmp(forced, "portable") == 0)
        return VectorPath::Portable;
    return Supports(VectorPath::Avx512) ? VectorPath::Avx512 : VectorPath::Portable;
}

std::atomic<VectorPath>& Active()
{
    static std::atomic<VectorPath> path{FirstPath()};
    return path;
}

}  // namespace

bool Supports(VectorPath path)
{
    if (path == VectorPath::Portable)
        return true;
#if defined(KORVAN_HAS_AVX512_PATH)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi") &&
           __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("popcnt") &&
           __builtin_cpu_supports("bmi2");
#else
    return false;
#endif
}

VectorPath ActiveVectorPath() { return Active().load(std::memory_order_relaxed); }

bool SetVectorPath(VectorPath path)
{
    if (!Supports(path))
        return false;
    Active().store(path, std::memory_order_relaxed);
    return true;
}

}  // namespace korvan

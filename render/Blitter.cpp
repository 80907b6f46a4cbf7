// Choosing the blitter: once at start, from the processor and the environment.
#include "render/Blitter.h"

#include "render/MaskBlitter.h"
#include "render/RunBlitter.h"
#include "render/SimpleBlitter.h"
#include "render/VectorPath.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace korvan {
namespace {

const SimpleBlitter TheSimpleBlitter;
const PortableBlitter ThePortableBlitter;
const Avx512Blitter TheAvx512Blitter;

const Blitter* const Blitters[BlitterKindCount] = {&TheSimpleBlitter, &ThePortableBlitter, &TheAvx512Blitter};
const char* const Names[BlitterKindCount] = {"simple", "portable", "avx512"};

std::atomic<const Blitter*>& Active()
{
    static std::atomic<const Blitter*> blitter{Blitters[int(StartingBlitter(
        std::getenv("KORVAN_BLITTER"), std::getenv("KORVAN_VECTOR"), BlitterUnavailable(BlitterKind::Avx512) == nullptr))]};
    return blitter;
}

}  // namespace

BlitterKind StartingBlitter(const char* blitterVariable, const char* vectorVariable, bool avx512Runs)
{
    if (blitterVariable != nullptr)
        for (int k = 0; k < BlitterKindCount; ++k)
            if (std::strcmp(blitterVariable, Names[k]) == 0 && (BlitterKind(k) != BlitterKind::Avx512 || avx512Runs))
                return BlitterKind(k);
    const bool portableOnly = vectorVariable != nullptr && std::strcmp(vectorVariable, "portable") == 0;
    return avx512Runs && !portableOnly ? BlitterKind::Avx512 : BlitterKind::Portable;
}

const char* BlitterName(BlitterKind kind) { return Names[int(kind)]; }

const char* BlitterUnavailable(BlitterKind kind)
{
    if (kind != BlitterKind::Avx512)
        return nullptr;
#if defined(KORVAN_HAS_AVX512_PATH)
    if (!Supports(VectorPath::Avx512))
        return "the processor lacks one of AVX-512 F, BW, VL, VBMI, VBMI2 or BMI2";
    return nullptr;
#else
    return "built for a processor family without AVX-512";
#endif
}

const Blitter& BlitterOf(BlitterKind kind) { return *Blitters[int(kind)]; }

const Blitter& ActiveBlitter() { return *Active().load(std::memory_order_relaxed); }

bool SetActiveBlitter(BlitterKind kind)
{
    if (BlitterUnavailable(kind) != nullptr)
        return false;
    Active().store(Blitters[int(kind)], std::memory_order_relaxed);
    return true;
}

}  // namespace korvan

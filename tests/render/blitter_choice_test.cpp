// The blitter chosen at start: KORVAN_BLITTER names it when the processor can run it, otherwise
// the fastest the processor runs (the portable one under KORVAN_VECTOR=portable). The test
// binary runs this once per setting of the environment (see tests/CMakeLists.txt).
#include "render/Blitter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace korvan;

BlitterKind Expected()
{
    const char* named = std::getenv("KORVAN_BLITTER");
    for (const BlitterKind kind : {BlitterKind::Simple, BlitterKind::Portable, BlitterKind::Avx512})
        if (named != nullptr && std::strcmp(named, BlitterName(kind)) == 0 && BlitterUnavailable(kind) == nullptr)
            return kind;
    const char* vector = std::getenv("KORVAN_VECTOR");
    if (vector != nullptr && std::strcmp(vector, "portable") == 0)
        return BlitterKind::Portable;
    return BlitterUnavailable(BlitterKind::Avx512) == nullptr ? BlitterKind::Avx512 : BlitterKind::Portable;
}

TEST(BlitterChoice, FollowsTheEnvironmentAndTheProcessor)
{
    const char* named = std::getenv("KORVAN_BLITTER");
    EXPECT_EQ(ActiveBlitter().Kind(), Expected())
        << "KORVAN_BLITTER=" << (named ? named : "(unset)") << ", active " << BlitterName(ActiveBlitter().Kind());
}

TEST(BlitterChoice, EveryBlitterHasANameAndOnlyAnAvailableOneCanBeChosen)
{
    const BlitterKind active = ActiveBlitter().Kind();
    for (const BlitterKind kind : {BlitterKind::Simple, BlitterKind::Portable, BlitterKind::Avx512}) {
        const char* why = BlitterUnavailable(kind);
        EXPECT_EQ(SetActiveBlitter(kind), why == nullptr) << BlitterName(kind);
        if (why == nullptr) {
            EXPECT_EQ(ActiveBlitter().Kind(), kind);
            EXPECT_EQ(BlitterOf(kind).Kind(), kind);
        } else {
            std::cout << "[ SKIPPED  ] the " << BlitterName(kind) << " blitter: " << why << "\n";
        }
    }
    // The simple and the portable blitter run on every processor.
    EXPECT_EQ(BlitterUnavailable(BlitterKind::Simple), nullptr);
    EXPECT_EQ(BlitterUnavailable(BlitterKind::Portable), nullptr);
    SetActiveBlitter(active);
}

}  // namespace

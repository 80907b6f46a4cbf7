// The blitter chosen at start, from KORVAN_BLITTER, KORVAN_VECTOR and the processor. The test
// binary also runs once per setting of KORVAN_BLITTER (see tests/CMakeLists.txt), so that the
// program's own start is checked against the same table.
#include "render/Blitter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

using namespace korvan;

constexpr BlitterKind Simple = BlitterKind::Simple;
constexpr BlitterKind Portable = BlitterKind::Portable;
constexpr BlitterKind Avx512 = BlitterKind::Avx512;

struct Choice {
    const char* blitter;  // KORVAN_BLITTER, nullptr when unset
    const char* vector;   // KORVAN_VECTOR, nullptr when unset
    bool avx512Runs;      // the processor runs the AVX-512 blitter
    BlitterKind expected;
};

const Choice Choices[] = {
    // Nothing set: the fastest the processor runs.
    {nullptr, nullptr, true, Avx512},
    {nullptr, nullptr, false, Portable},
    // A name the processor can run wins, over KORVAN_VECTOR too.
    {"simple", nullptr, true, Simple},
    {"simple", nullptr, false, Simple},
    {"portable", nullptr, true, Portable},
    {"portable", nullptr, false, Portable},
    {"avx512", nullptr, true, Avx512},
    {"avx512", "portable", true, Avx512},
    {"simple", "portable", false, Simple},
    // A name the processor cannot run, or no name of a blitter: as if unset.
    {"avx512", nullptr, false, Portable},
    {"unknown", nullptr, true, Avx512},
    {"unknown", nullptr, false, Portable},
    {"", nullptr, true, Avx512},
    {"Simple", nullptr, true, Avx512},
    {"simple ", nullptr, false, Portable},
    // KORVAN_VECTOR=portable rules the AVX-512 blitter out unless it is named; other values do not.
    {nullptr, "portable", true, Portable},
    {nullptr, "portable", false, Portable},
    {"unknown", "portable", true, Portable},
    {nullptr, "avx512", true, Avx512},
    {nullptr, "", true, Avx512},
    {nullptr, "portable2", true, Avx512},
};

std::string Describe(const Choice& c)
{
    return std::string("KORVAN_BLITTER=") + (c.blitter ? "\"" + std::string(c.blitter) + "\"" : "(unset)") +
           " KORVAN_VECTOR=" + (c.vector ? "\"" + std::string(c.vector) + "\"" : "(unset)") +
           (c.avx512Runs ? ", with AVX-512" : ", without AVX-512");
}

bool SameSetting(const char* a, const char* b) { return a == nullptr ? b == nullptr : b != nullptr && std::strcmp(a, b) == 0; }

TEST(BlitterChoice, FollowsTheEnvironmentAndTheProcessor)
{
    for (const Choice& c : Choices)
        EXPECT_EQ(StartingBlitter(c.blitter, c.vector, c.avx512Runs), c.expected) << Describe(c);
}

// The program's own start, under the environment this test runs in.
TEST(BlitterChoice, TheProgramStartsWithTheBlitterTheTableGivesItsEnvironment)
{
    const Choice here{std::getenv("KORVAN_BLITTER"), std::getenv("KORVAN_VECTOR"),
                      BlitterUnavailable(Avx512) == nullptr, Portable};
    for (const Choice& c : Choices)
        if (SameSetting(c.blitter, here.blitter) && SameSetting(c.vector, here.vector) && c.avx512Runs == here.avx512Runs) {
            EXPECT_EQ(ActiveBlitter().Kind(), c.expected) << Describe(here);
            return;
        }
    GTEST_SKIP() << "no case of the table for " << Describe(here);
}

TEST(BlitterChoice, EveryBlitterHasANameAndOnlyAnAvailableOneCanBeChosen)
{
    const BlitterKind active = ActiveBlitter().Kind();
    for (const BlitterKind kind : {Simple, Portable, Avx512}) {
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
    EXPECT_EQ(BlitterUnavailable(Simple), nullptr);
    EXPECT_EQ(BlitterUnavailable(Portable), nullptr);
    SetActiveBlitter(active);
}

}  // namespace

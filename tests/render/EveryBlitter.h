// Runs a test suite once on each blitter: the cases are value-parameterized by the blitter, which
// is made the active one for the test. A blitter this processor cannot run is skipped, and the
// skip says which and why.
#pragma once

#include "render/Blitter.h"

#include <gtest/gtest.h>

#include <string>

namespace korvan::testing {

inline constexpr BlitterKind AllBlitters[] = {BlitterKind::Simple, BlitterKind::Portable, BlitterKind::Avx512};

class EveryBlitter : public ::testing::TestWithParam<BlitterKind> {
protected:
    void SetUp() override
    {
        if (const char* why = BlitterUnavailable(GetParam()))
            GTEST_SKIP() << "the " << BlitterName(GetParam()) << " blitter is skipped: " << why;
        previous_ = ActiveBlitter().Kind();
        SetActiveBlitter(GetParam());
    }
    void TearDown() override { SetActiveBlitter(previous_); }

private:
    BlitterKind previous_ = BlitterKind::Simple;
};

inline std::string BlitterParamName(const ::testing::TestParamInfo<BlitterKind>& info)
{
    return BlitterName(info.param);
}

}  // namespace korvan::testing

#define KORVAN_ON_EVERY_BLITTER(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Blitter, Suite, ::testing::ValuesIn(::korvan::testing::AllBlitters),          \
                             ::korvan::testing::BlitterParamName)

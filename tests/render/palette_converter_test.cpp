// Presenting a frame: every index becomes its table colour, for spans of every length and
// alignment, on whichever path the processor (or KORVAN_VECTOR) chose.
#include "render/PaletteConverter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using korvan::PaletteConverter;

TEST(PaletteConverter, EveryIndexBecomesItsColourAtAnyLengthAndAlignment)
{
    std::mt19937 rng(3);
    std::array<std::uint32_t, 256> colours;
    for (auto& colour : colours)
        colour = std::uint32_t(rng());
    PaletteConverter converter;
    converter.SetColours(colours);

    std::vector<std::uint8_t> source(1024);
    for (std::size_t k = 0; k < source.size(); ++k)
        source[k] = std::uint8_t(k < 256 ? k : rng());  // every index at least once
    std::vector<std::uint32_t> target(source.size() + 8);
    for (std::size_t offset = 0; offset < 5; ++offset)
        for (std::size_t count : {0u, 1u, 63u, 64u, 65u, 127u, 128u, 200u, 640u, 1000u}) {
            std::fill(target.begin(), target.end(), 0xDEADBEEFu);
            converter.Convert(source.data() + offset, target.data() + offset, count);
            for (std::size_t k = 0; k < target.size(); ++k) {
                const bool inside = k >= offset && k < offset + count;
                ASSERT_EQ(target[k], inside ? colours[source[k]] : 0xDEADBEEFu)
                    << "offset " << offset << ", count " << count << ", pixel " << k;
            }
        }
}

TEST(PaletteConverter, NewColoursReplaceTheOld)
{
    PaletteConverter converter;
    std::array<std::uint32_t, 256> colours{};
    colours.fill(0xFF000000u);
    converter.SetColours(colours);
    colours[200] = 0xFF123456u;
    converter.SetColours(colours);
    const std::vector<std::uint8_t> source(64, 200);
    std::vector<std::uint32_t> target(64);
    converter.Convert(source.data(), target.data(), target.size());
    EXPECT_EQ(target, std::vector<std::uint32_t>(64, 0xFF123456u));
}

}  // namespace

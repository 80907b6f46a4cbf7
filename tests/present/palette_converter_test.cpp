// Presenting a frame: every index becomes its table colour, for spans of every length and
// alignment, on whichever path the processor (or KORVAN_VECTOR) chose.
#include "present/PaletteConverter.h"
#include "render/VectorPath.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace {

using korvan::PaletteConverter;

std::array<std::uint32_t, 256> RandomColours(std::mt19937& rng)
{
    std::array<std::uint32_t, 256> colours;
    for (auto& colour : colours)
        colour = std::uint32_t(rng());
    return colours;
}

TEST(PaletteConverter, EveryIndexBecomesItsColourAtAnyLengthAndAlignment)
{
    std::mt19937 rng(3);
    const auto colours = RandomColours(rng);
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

// A converted row brought up to date from what it showed, on both paths, with the first and last
// changed pixel reported, for rows of every length and alignment and changes sparse or dense;
// nothing outside the row is written.
TEST(PaletteConverter, ConvertChangedWritesExactlyTheChangedPixels)
{
    std::mt19937 rng(5);
    const auto colours = RandomColours(rng);
    PaletteConverter converter;
    converter.SetColours(colours);
    const korvan::VectorPath before = korvan::ActiveVectorPath();
    for (const korvan::VectorPath path : {korvan::VectorPath::Portable, korvan::VectorPath::Avx512}) {
        if (!korvan::SetVectorPath(path))
            continue;
        for (std::size_t offset : {0u, 3u})
            for (std::size_t count : {0u, 1u, 7u, 63u, 64u, 65u, 130u, 640u})
                for (int changesPerRow : {0, 1, 2, 40, 1000}) {
                    std::vector<std::uint8_t> current(offset + count), shown(offset + count);
                    for (std::size_t k = 0; k < current.size(); ++k)
                        current[k] = shown[k] = std::uint8_t(rng());
                    for (int c = 0; c < changesPerRow && count > 0; ++c)
                        current[offset + rng() % count] ^= std::uint8_t(1 + rng() % 255);
                    std::vector<std::uint32_t> target(offset + count + 1, 0xDEADBEEFu);
                    for (std::size_t k = offset; k < offset + count; ++k)
                        target[k] = colours[shown[k]];
                    const std::vector<std::uint8_t> old = shown;
                    const auto changes =
                        converter.ConvertChanged(current.data() + offset, shown.data() + offset, target.data() + offset, count);
                    std::ptrdiff_t first = std::ptrdiff_t(count), last = -1;
                    for (std::size_t k = 0; k < target.size(); ++k) {
                        const bool inside = k >= offset && k < offset + count;
                        ASSERT_EQ(target[k], inside ? colours[current[k]] : 0xDEADBEEFu)
                            << "path " << int(path) << ", count " << count << ", pixel " << k;
                        if (!inside)
                            continue;
                        const bool changed = current[k] != old[k];
                        if (changed) {
                            first = std::min(first, std::ptrdiff_t(k - offset));
                            last = std::ptrdiff_t(k - offset);
                        }
                    }
                    EXPECT_EQ(shown, current);
                    EXPECT_EQ(changes.First, first) << "count " << count;
                    EXPECT_EQ(changes.Last, last) << "count " << count;
                    EXPECT_EQ(changes.Any(), last >= 0);
                }
    }
    korvan::SetVectorPath(before);
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

#include "map/MapGenerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace korvan {
namespace {

// A sea grid with land on the given cells, then the four rules applied to (60, 60).
std::array<std::uint8_t, 4> CornersWithLandAt(const std::vector<std::pair<int, int>>& land)
{
    auto cells = std::make_unique<MapGrid>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(*cells, r, c);
    for (auto [r, c] : land)
        (*cells)[r][c].Terrain = 4;
    SetCornerTop(*cells, 60, 60);
    SetCornerBottom(*cells, 60, 60);
    SetCornerLeft(*cells, 60, 60);
    SetCornerRight(*cells, 60, 60);
    const auto& t = (*cells)[60][60].CornerTiles;
    return {t[0], t[1], t[2], t[3]};
}

using Corners = std::array<std::uint8_t, 4>;  // top, bottom, left, right

TEST(CoastCorners, RuleExamples)
{
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> land;
        Corners expected;
    } cases[] = {
        {"no land nearby", {}, {255, 255, 255, 255}},
        {"land far away", {{58, 60}, {60, 62}}, {255, 255, 255, 255}},
        {"upper-left edge only", {{60, 59}}, {16, 255, 10, 255}},
        {"straight above only", {{61, 59}}, {4, 255, 255, 255}},
        {"straight below only", {{59, 61}}, {255, 5, 255, 255}},
        {"left only", {{59, 59}}, {255, 255, 6, 255}},
        {"right only", {{61, 61}}, {255, 255, 255, 7}},
        {"upper-right edge only", {{61, 60}}, {8, 255, 255, 19}},
        {"lower-right edge only", {{60, 61}}, {255, 17, 255, 11}},
        {"lower-left edge only", {{59, 60}}, {255, 9, 18, 255}},
        {"all eight around",
         {{59, 59}, {59, 60}, {59, 61}, {60, 59}, {60, 61}, {61, 59}, {61, 60}, {61, 61}},
         {28, 29, 30, 31}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CornersWithLandAt(c.land), c.expected) << c.name;
}

TEST(CoastCorners, SeaNeighboursOfOtherTypesCountAsLandOnlyWhenNotNine)
{
    auto cells = std::make_unique<MapGrid>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(*cells, r, c);
    (*cells)[10][9].Terrain = 0;  // terrain 0 is land too
    SetCornerTop(*cells, 10, 10);
    EXPECT_EQ((*cells)[10][10].CornerTiles[CornerTop], 16);
}

}  // namespace
}  // namespace korvan

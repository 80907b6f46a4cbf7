// The cull test over any range of the grid: the cells whose scrolled anchor lies strictly
// inside the cull bounds, in grid order, whatever the anchors and bounds hold.
#include "RenderFixtures.h"

#include "render/Cull.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using namespace korvan;
using namespace korvan::testing;

TEST(CullCells, MatchesTheTestCellByCellOnAnyRangeAnchorsAndBounds)
{
    std::mt19937 rng(17);
    auto e = MakeEditor();
    auto visible = std::make_unique<VisibleCells>();
    for (int round = 0; round < 300; ++round) {
        for (auto& row : e->Map.Cells)
            for (auto& cell : row) {
                cell.ScreenX = RandomCoordinate(rng, -200, 840);
                cell.ScreenY = RandomCoordinate(rng, -200, 660);
            }
        e->Canvas.ScrollX = RandomCoordinate(rng, -100, 100);
        e->Canvas.ScrollY = RandomCoordinate(rng, -100, 100);
        e->Canvas.CullLeft = RandomCoordinate(rng, -100, 300);
        e->Canvas.CullTop = RandomCoordinate(rng, -100, 300);
        e->Canvas.ViewRight = RandomCoordinate(rng, 0, 700);
        e->Canvas.ViewBottom = RandomCoordinate(rng, 0, 500);
        // Whole rows, partial rows of every length (short tails included) and single cells.
        const int firstRow = int(rng() % 121), lastRow = firstRow + int(rng() % std::uint32_t(121 - firstRow));
        int firstCol = 0, lastCol = LastIndex;
        if (round % 3 != 0) {
            firstCol = int(rng() % 121);
            lastCol = firstCol + int(rng() % std::uint32_t(121 - firstCol));
        }

        std::vector<const MapCell*> expected;
        for (int r = firstRow; r <= lastRow; ++r)
            for (int c = firstCol; c <= lastCol; ++c) {
                const MapCell& cell = e->Map.Cells[r][c];
                const std::int64_t x = std::int64_t(cell.ScreenX) + e->Canvas.ScrollX;
                const std::int64_t y = std::int64_t(cell.ScreenY) + e->Canvas.ScrollY;
                if (e->Canvas.CullLeft < x && x < e->Canvas.ViewRight && e->Canvas.CullTop < y && y < e->Canvas.ViewBottom)
                    expected.push_back(&cell);
            }
        const std::size_t count = CullCells(e->Map.Cells, e->Canvas, firstRow, lastRow, firstCol, lastCol, *visible);
        ASSERT_EQ(std::vector<const MapCell*>(visible->begin(), visible->begin() + std::ptrdiff_t(count)), expected)
            << "round " << round << ": rows " << firstRow << ".." << lastRow << ", columns " << firstCol << ".."
            << lastCol;
    }
}

}  // namespace

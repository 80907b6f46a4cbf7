// Coast pieces, placed at their corner's offset, paint only inside their own sea cell, so a
// coast never covers the land next to it nor another sea cell.
#include "AssetFiles.h"

#include "TileShape.h"
#include "render/BmpFile.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(CoastPieces, PaintOnlyInsideTheirCellsDiamond)
{
    const IndexedImage quadri = ReadIndexedBmp(test::GraphicFile("Quadri.BMP"));
    const int offsetX[4] = {16, 16, -1, 32}, offsetY[4] = {0, 16, 8, 9};  // top, bottom, left, right
    for (int v = 0; v < 32; ++v) {
        const int k = v % 4;
        for (int j = 0; j < 18; ++j)
            for (int i = 0; i < 34; ++i) {
                const int index = quadri.ScanLine((v / 16) * 17 + j)[(v % 16) * 33 + i];
                if (index == 0 || index >= 240)
                    continue;
                const int x = offsetX[k] + i, y = offsetY[k] + j;
                ASSERT_TRUE(x >= 0 && x < 66 && y >= 0 && y < 34 && art::InDiamond(x, y))
                    << "piece " << v << " paints cell pixel " << x << "," << y;
            }
    }
}

// Pieces 0..3 (no land at any corner) are what the coast brush paints to take a coast away:
// together they must turn the whole cell into water, each pixel drawn by exactly one of them.
TEST(CoastPieces, TheFourOpenWaterPiecesCoverTheCellOnceWithWater)
{
    const IndexedImage quadri = ReadIndexedBmp(test::GraphicFile("Quadri.BMP"));
    const int offsetX[4] = {16, 16, -1, 32}, offsetY[4] = {0, 16, 8, 9};
    int cover[34][66] = {};
    for (int v = 0; v < 4; ++v)
        for (int j = 0; j < 18; ++j)
            for (int i = 0; i < 34; ++i) {
                const int index = quadri.ScanLine(j)[v * 33 + i];
                if (index == 0 || index >= 240)
                    continue;
                EXPECT_TRUE(index >= 64 && index <= 83) << "piece " << v << " index " << index;
                const int x = offsetX[v] + i, y = offsetY[v] + j;
                if (x >= 0 && x < 66 && y >= 0 && y < 34)
                    ++cover[y][x];
            }
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 66; ++x)
            ASSERT_EQ(cover[y][x], art::InDiamond(x, y) ? 1 : 0) << x << "," << y;
}

TEST(CoastPieces, TheSameLandGivesTheSameBeachWhicheverCornerDrawsIt)
{
    // Land on the upper-left edge neighbour is A of the top corner (16) and B of the left
    // corner (8 + 2): together they must line that whole edge, each doing its half.
    const IndexedImage quadri = ReadIndexedBmp(test::GraphicFile("Quadri.BMP"));
    auto opaque = [&](int v) {
        int n = 0;
        for (int j = 0; j < 18; ++j)
            for (int i = 0; i < 34; ++i) {
                const int index = quadri.ScanLine((v / 16) * 17 + j)[(v % 16) * 33 + i];
                n += index != 0 && index < 240;
            }
        return n;
    };
    const int top = opaque(16), left = opaque(10);
    EXPECT_GT(top, 60);
    EXPECT_GT(left, 60);
    EXPECT_NEAR(top, left, (top + left) / 4);
}

}  // namespace
}  // namespace korvan

// The terrain legend compiled into the program, and the Territ sheet that shares its layout.
#include "AssetFiles.h"

#include "TileShape.h"
#include "render/BmpFile.h"
#include "render/SharedPalette.h"

#include <gtest/gtest.h>

#include <set>

namespace korvan {
namespace {

IndexedImage Legend() { return ReadIndexedBmp(test::PictureFile("TerrainLegend.bmp")); }

TEST(TerrainLegend, IsTheTerritSheetPixelForPixel)
{
    const IndexedImage legend = Legend(), territ = ReadIndexedBmp(test::GraphicFile("Territ.BMP"));
    ASSERT_EQ(legend.Width, 66);
    ASSERT_EQ(legend.Height, 331);
    EXPECT_EQ(legend.Pixels, territ.Pixels);
}

TEST(TerrainLegend, HasItsFrameOfPureGreenAndNoOtherTransparentIndex)
{
    const IndexedImage legend = Legend();
    EXPECT_EQ(legend.Palette[254] & 0xFFFFFF, 0x00FF00u);
    for (int y = 0; y < 331; ++y)
        for (int x = 0; x < 66; ++x) {
            const int v = legend.ScanLine(y)[x];
            const bool frame = y % 33 == 0 || x == 0 || x == 65;
            if (frame)
                ASSERT_EQ(v, 254) << x << "," << y;
            else
                ASSERT_LT(v, 240) << x << "," << y;
        }
}

TEST(TerrainLegend, TilesAreSolidDiamondsWhoseMiddleRowsSpanAllColumns)
{
    const IndexedImage legend = Legend();
    for (int t = 0; t < 10; ++t) {
        SCOPED_TRACE(t);
        for (int row : {15, 16})
            for (int x = 1; x <= 64; ++x)
                EXPECT_NE(legend.ScanLine(33 * t + 1 + row)[x], 0) << "column " << x << " row " << row;
        // No index 0 inside: every row and every column is one unbroken run.
        for (int row = 0; row < 32; ++row) {
            const std::uint8_t* line = legend.ScanLine(33 * t + 1 + row);
            int first = -1, last = -1;
            for (int x = 1; x <= 64; ++x)
                if (line[x]) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            for (int x = first; first >= 0 && x <= last; ++x)
                EXPECT_NE(line[x], 0) << "hole at " << x << " row " << row;
        }
        // The top and bottom points are narrow and near the middle columns.
        int topWidth = 0;
        for (int x = 1; x <= 64; ++x)
            topWidth += legend.ScanLine(33 * t + 1)[x] != 0;
        EXPECT_GE(topWidth, 1);
        EXPECT_LE(topWidth, 6);
    }
}

// Colour families: which palette ranges each tile may draw from.
bool InRange(int v, int first, int count) { return v >= first && v < first + count; }

TEST(TerrainLegend, EachTerrainKeepsToItsColours)
{
    const IndexedImage legend = Legend();
    for (int t = 0; t < 10; ++t) {
        std::set<int> used;
        for (int y = 33 * t + 1; y <= 33 * t + 32; ++y)
            for (int x = 1; x <= 64; ++x)
                if (const int v = legend.ScanLine(y)[x])
                    used.insert(v);
        for (int v : used) {
            bool ok = false;
            switch (t) {
            case 0:
            case 1: ok = InRange(v, pal::Gold, 8) || InRange(v, pal::Beige, 16) || InRange(v, pal::GreyBrown, 8); break;
            case 7: ok = InRange(v, pal::Grey, 32) || InRange(v, pal::Green, 16) || InRange(v, pal::Olive, 16); break;
            case 8: ok = InRange(v, 20, 12) || InRange(v, pal::Beige, 16); break;
            case 9: ok = v >= 68 && v <= 75; break;
            default: ok = InRange(v, pal::Green, 16) || InRange(v, pal::Olive, 16) || InRange(v, pal::Yellow, 8) || InRange(v, pal::Single, 16);
            }
            EXPECT_TRUE(ok) << "terrain " << t << " uses index " << v;
        }
        EXPECT_GE(used.size(), 5u) << "terrain " << t << " should be textured, not flat";
    }
}

TEST(TileShape, OwnsExactlyOnePixelOfEachLatticeClass)
{
    std::set<std::pair<int, int>> classes;
    int pixels = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 66; ++x)
            if (art::InDiamond(x, y)) {
                int s = 0, t = 0;
                art::TorusCoordinates(x, y, s, t);
                classes.insert({s, t});
                ++pixels;
            }
    EXPECT_EQ(pixels, art::LatticeCells);
    EXPECT_EQ(classes.size(), std::size_t(art::LatticeCells));
}

}  // namespace
}  // namespace korvan

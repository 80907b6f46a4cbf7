// What makes the artwork readable on a map: a brush that always shows, ground that does not
// draw the cell lattice, sea features that stand out on light and dark water alike.
#include "AssetFiles.h"

#include "PixelFont.h"
#include "TileShape.h"
#include "render/BmpFile.h"
#include "render/SharedPalette.h"
#include "render/SheetCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace korvan {
namespace {

bool Transparent(std::uint8_t v) { return v == 0 || v >= 240; }

// Rec. 601 luma of a palette entry, 0..255.
double Luma(int index)
{
    const std::uint32_t c = SharedPalette()[std::size_t(index)];
    return 0.299 * ((c >> 16) & 255) + 0.587 * ((c >> 8) & 255) + 0.114 * (c & 255);
}

struct BrushCase {
    const char* File;
    int Slot, Items;
    TilePlace (*Place)(int);
};

TilePlace TerritPlace(int v) { return {0, std::uint8_t(v)}; }

// The preview is the item's whole window drawn at the cursor; the user needs enough of it to
// see where the brush is, on sea and land alike (the platform pointer is hidden over the map).
TEST(Readability, EveryBrushItemsPreviewShowsAtLeastThirtyPixels)
{
    const BrushCase modes[] = {{"Territ.BMP", 2, TerritTiles, TerritPlace},
                               {"Lands.BMP", 3, LandsTiles, LandsPlace},
                               {"Terrain.BMP", 4, TerrainTiles, TerrainPlace},
                               {"Units.BMP", 1, UnitsTiles, UnitsPlace},
                               {"Quadri.BMP", 5, QuadriTiles, QuadriPlace}};
    for (const BrushCase& mode : modes) {
        const IndexedImage sheet = ReadIndexedBmp(test::GraphicFile(mode.File));
        const SheetGeometry& g = SheetGeometries[std::size_t(mode.Slot)];
        for (int v = 0; v < mode.Items; ++v) {
            const TilePlace at = mode.Place(v);
            int opaque = 0;
            for (int y = 0; y < g.WindowHeight; ++y)
                for (int x = 0; x < g.WindowWidth; ++x)
                    opaque += !Transparent(sheet.ScanLine(at.Row * g.GridHeight + y)[at.Column * g.GridWidth + x]);
            EXPECT_GE(opaque, 30) << mode.File << " item " << v;
        }
    }
}

// One tile stands for every cell of a terrain, so whatever stands out in it repeats at every
// cell and the lattice shows. Bounds on the luma of the diamond's pixels: a standard deviation
// of at most 9 (tiles whose zigzags and blobs drew the lattice measured 15 to 28, grain of
// neighbouring palette entries measures 4 to 6), and at most 1% of the pixels more than 24
// from the mean (bright dots on 0.8% of an otherwise quiet tile already made a dot grid).
TEST(Readability, GroundTilesAreQuietEnoughNotToDrawTheLattice)
{
    const IndexedImage territ = ReadIndexedBmp(test::GraphicFile("Territ.BMP"));
    for (int t = 0; t < TerritTiles; ++t) {
        std::vector<double> lumas;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 66; ++x)
                if (art::InDiamond(x, y))
                    lumas.push_back(Luma(territ.ScanLine(33 * t + y)[x]));
        ASSERT_EQ(lumas.size(), std::size_t(art::LatticeCells));
        double mean = 0, square = 0;
        for (double l : lumas)
            mean += l;
        mean /= double(lumas.size());
        int outliers = 0;
        for (double l : lumas) {
            square += (l - mean) * (l - mean);
            outliers += std::abs(l - mean) > 24;
        }
        const double deviation = std::sqrt(square / double(lumas.size()));
        EXPECT_LE(deviation, 9.0) << "terrain " << t;
        EXPECT_LE(outliers, int(lumas.size()) / 100) << "terrain " << t;
        EXPECT_GE(deviation, 2.0) << "terrain " << t << " should still have some grain";
    }
}

// The sea under a feature runs from the light end of the water ramp (64) to its dark end (83)
// as the shimmer and the coast shallows move; a feature must show on both, so it needs enough
// pixels far in luma from each end, and enough size to be seen at all.
TEST(Readability, SeaFeaturesStandOutAgainstBothEndsOfTheWaterRamp)
{
    const IndexedImage terrain = ReadIndexedBmp(test::GraphicFile("Terrain.BMP"));
    const double light = Luma(64), dark = Luma(83);
    for (int v = 40; v < TerrainTiles; ++v) {
        const TilePlace at = TerrainPlace(v);
        int opaque = 0, againstLight = 0, againstDark = 0;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 65; ++x) {
                const std::uint8_t index = terrain.ScanLine(at.Row * 33 + y)[at.Column * 65 + x];
                if (Transparent(index))
                    continue;
                ++opaque;
                againstLight += std::abs(Luma(index) - light) >= 48;
                againstDark += std::abs(Luma(index) - dark) >= 48;
            }
        EXPECT_GE(opaque, 80) << "sea feature " << v;
        EXPECT_GE(againstLight, 30) << "sea feature " << v << " on light water";
        EXPECT_GE(againstDark, 30) << "sea feature " << v << " on dark water";
    }
}

// Lowest row that text reaches, counted from its top.
int LowestRow(const std::string& text)
{
    int lowest = -1;
    art::DrawText(text, 0, 0, 1, [&](int, int y) { lowest = std::max(lowest, y); });
    return lowest;
}

TEST(Readability, LowerCaseLettersWithTailsReachBelowTheBaseline)
{
    const int baseline = LowestRow("MAPPE");
    for (const char* tail : {"g", "j", "p", "q", "y"})
        EXPECT_GT(LowestRow(tail), baseline) << tail;
    for (const char* flat : {"a", "e", "m", "P", "Q", "J", "0"})
        EXPECT_EQ(LowestRow(flat), baseline) << flat;
    EXPECT_GT(LowestRow("Mappe"), LowestRow("MaPPe"));  // "Mappe" no longer reads as "MaPPe"
}

}  // namespace
}  // namespace korvan

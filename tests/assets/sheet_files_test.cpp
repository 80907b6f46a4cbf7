// The artwork files as the program reads them: format, size, palette and the transparent
// rows and columns that neighbouring windows share.
#include "AssetFiles.h"

#include "TileShape.h"
#include "render/BmpFile.h"
#include "render/SharedPalette.h"

#include <gtest/gtest.h>

#include <functional>

namespace korvan {
namespace {

using test::GraphicFile;

bool Transparent(std::uint8_t v) { return v == 0 || v >= 240; }

struct SheetCase {
    const char* File;
    int MinWidth, MinHeight;
    int GridW, GridH;  // cell size in the sheet; 0 where no window reaches into a neighbour
    bool SharedRow, SharedColumn;
};

const SheetCase Sheets[] = {
    {"Black.BMP", 640, 480, 0, 0, false, false},  {"Splatt.BMP", 400, 300, 0, 0, false, false},
    {"Cities.BMP", 1, 1, 0, 0, false, false},     {"Units.BMP", 585, 294, 65, 49, false, false},
    {"Territ.BMP", 66, 331, 66, 33, true, false}, {"Lands.BMP", 455, 298, 65, 33, true, false},
    {"Terrain.BMP", 520, 199, 65, 33, true, false}, {"Quadri.BMP", 529, 35, 33, 17, true, true},
};

TEST(SheetFiles, AreIndexedAtLeastTheirMinimumSizeAndCarryTheSharedPalette)
{
    for (const SheetCase& sheet : Sheets) {
        SCOPED_TRACE(sheet.File);
        const IndexedImage image = ReadIndexedBmp(GraphicFile(sheet.File));
        EXPECT_GE(image.Width, sheet.MinWidth);
        EXPECT_GE(image.Height, sheet.MinHeight);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(image.Palette[std::size_t(i)] & 0xFFFFFF, SharedPalette()[std::size_t(i)] & 0xFFFFFF) << i;
    }
}

TEST(SheetFiles, RowsAndColumnsSharedByTwoWindowsAreTransparent)
{
    for (const SheetCase& sheet : Sheets) {
        if (!sheet.SharedRow && !sheet.SharedColumn)
            continue;
        SCOPED_TRACE(sheet.File);
        const IndexedImage image = ReadIndexedBmp(GraphicFile(sheet.File));
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x) {
                const bool shared = (sheet.SharedRow && y % sheet.GridH == 0) ||
                                    (sheet.SharedColumn && x % sheet.GridW == 0);
                if (shared) {
                    ASSERT_TRUE(Transparent(image.ScanLine(y)[x])) << x << "," << y;
                }
            }
    }
}

TEST(SharedPalette, KeepsTheAnchorsTheDrawingReliesOn)
{
    const auto& p = SharedPalette();
    const std::pair<int, std::uint32_t> anchors[] = {
        {0, 0x000000},  {31, 0xFFFFFF}, {64, 0x7FA3F7}, {65, 0x7B9BEF}, {68, 0x677FD7}, {75, 0x37479F},
        {78, 0x232B87}, {81, 0x0F136F}, {83, 0x00005F}, {254, 0x00FF00}, {255, 0x878787}};
    for (auto [index, rgb] : anchors)
        EXPECT_EQ(p[std::size_t(index)], 0xFF000000u | rgb) << index;
    // The grey ramp and the water ramp darken step by step.
    auto luma = [&](int i) {
        const std::uint32_t c = p[std::size_t(i)];
        return 3 * ((c >> 16) & 255) + 6 * ((c >> 8) & 255) + (c & 255);
    };
    for (int i = 1; i < 32; ++i)
        EXPECT_GT(luma(i), luma(i - 1)) << i;
    for (int i = 65; i <= 83; ++i)
        EXPECT_LT(luma(i), luma(i - 1)) << i;
    for (int i = 192; i <= 235; ++i)
        EXPECT_EQ(p[std::size_t(i)], 0xFF000000u) << i;
}

TEST(SheetFiles, BlackIsAllIndexZero)
{
    const IndexedImage black = ReadIndexedBmp(GraphicFile("Black.BMP"));
    ASSERT_EQ(black.Width, 640);
    ASSERT_EQ(black.Height, 480);
    for (std::uint8_t v : black.Pixels)
        ASSERT_EQ(v, 0);
}

// Each tile of a sheet: value v, its window origin and size.
struct TileCase {
    const char* File;
    int Count, Across, GridW, GridH, WindowW, WindowH;
    bool ByColumns;
};

int Opaque(const IndexedImage& image, int x0, int y0, int w, int h)
{
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            n += !Transparent(image.ScanLine(y)[x]);
    return n;
}

TEST(SheetFiles, EveryTileThatAMapCanSelectHoldsAPicture)
{
    const TileCase tiles[] = {{"Units.BMP", 54, 9, 65, 49, 65, 49, false},
                              {"Lands.BMP", 60, 9, 65, 33, 65, 34, true},
                              {"Terrain.BMP", 48, 8, 65, 33, 65, 34, false},
                              {"Quadri.BMP", 32, 16, 33, 17, 34, 18, false}};
    for (const TileCase& t : tiles) {
        const IndexedImage image = ReadIndexedBmp(GraphicFile(t.File));
        for (int v = 0; v < t.Count; ++v) {
            const int col = t.ByColumns ? v / t.Across : v % t.Across, row = t.ByColumns ? v % t.Across : v / t.Across;
            const int n = Opaque(image, col * t.GridW, row * t.GridH, t.WindowW, t.WindowH);
            // Coast pieces 0..3 (no land at all) are open water: the generator never writes
            // them, but the coast brush paints them.
            EXPECT_GT(n, std::string(t.File) == "Quadri.BMP" ? 8 : 20) << t.File << " " << v;
        }
    }
}

TEST(SheetFiles, SeaFeaturesLeaveMostOfTheirWaterTransparent)
{
    const IndexedImage image = ReadIndexedBmp(GraphicFile("Terrain.BMP"));
    for (int v = 40; v < 48; ++v) {
        const int n = Opaque(image, (v % 8) * 65, (v / 8) * 33, 65, 34);
        EXPECT_LT(n, 65 * 34 / 4) << v;
        for (int y = (v / 8) * 33; y <= (v / 8) * 33 + 33; ++y)
            for (int x = (v % 8) * 65; x < (v % 8) * 65 + 65; ++x) {
                const int index = image.ScanLine(y)[x];
                EXPECT_FALSE(index >= 68 && index <= 75) << "still sea water in feature " << v;
            }
    }
}

TEST(SheetFiles, LandsOverlaysStayInsideTheirCellsDiamond)
{
    const IndexedImage image = ReadIndexedBmp(GraphicFile("Lands.BMP"));
    for (int v = 0; v < 60; ++v) {
        const int x0 = (v / 9) * 65, y0 = (v % 9) * 33;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 65; ++x)
                if (!Transparent(image.ScanLine(y0 + y)[x0 + x])) {
                    ASSERT_TRUE(art::InDiamond(x, y)) << "overlay " << v << " at " << x << "," << y;
                }
    }
}

}  // namespace
}  // namespace korvan

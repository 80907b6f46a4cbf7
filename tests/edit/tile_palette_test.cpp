// The tile palettes: every item of every sheet has its own cell, a click anywhere in that cell
// picks it and nowhere else, its tile is copied 1:1 from its sheet, and choosing it leaves the
// brush as the keys would.
#include "EditorFixture.h"
#include "edit/Brush.h"
#include "edit/BrushModes.h"
#include "edit/Input.h"
#include "edit/TilePalette.h"
#include "render/Sheets.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <utility>

namespace korvan {
namespace {

// The tile windows' client width, and the width left beside a vertical scroll bar.
constexpr int WindowWidth = 536;
constexpr int WindowHeight = 341;

struct SheetCase {
    int mode;
    const char* sheet;
    int items;
    int sheetWidth, sheetHeight;
    // Where item v's window starts in its sheet, written out from the catalogue.
    int (*originX)(int);
    int (*originY)(int);
    int windowWidth, windowHeight;
};

const SheetCase Sheets[] = {
    {TerritMode, "Territ", 10, 66, 331, [](int) { return 0; }, [](int v) { return 33 * v; }, 66, 34},
    {LandsMode, "Lands", 60, 455, 298, [](int v) { return 65 * (v / 9); }, [](int v) { return 33 * (v % 9); }, 65, 34},
    {TerrainMode, "Terrain", 48, 520, 199, [](int v) { return 65 * (v % 8); }, [](int v) { return 33 * (v / 8); }, 65, 34},
    {UnitsMode, "Units", 54, 585, 294, [](int v) { return 65 * (v % 9); }, [](int v) { return 49 * (v / 9); }, 65, 49},
    {QuadriMode, "Quadri", 32, 529, 35, [](int v) { return 33 * (v % 16); }, [](int v) { return 17 * (v / 16); }, 34, 18},
};

TEST(TilePalette, EveryPixelOfTheGridBelongsToExactlyTheItemWhoseCellHoldsIt)
{
    for (const SheetCase& sheet : Sheets)
        for (int width : {WindowWidth, WindowWidth - 16, 100}) {
            const PaletteLayout layout = LayoutPalette(sheet.mode, width);
            ASSERT_EQ(layout.Items, sheet.items) << sheet.sheet;
            EXPECT_LE(layout.Width, std::max(width, layout.PitchX + 2 * PaletteMargin)) << sheet.sheet << " at " << width;
            // The cells, each one inside the palette, none overlapping another.
            std::vector<int> owner(std::size_t(layout.Width) * layout.Height, -1);
            for (int item = 0; item < layout.Items; ++item) {
                const PaletteRect cell = PaletteCell(layout, item);
                ASSERT_GT(cell.Width, 0);
                ASSERT_TRUE(cell.X >= 0 && cell.Y >= 0 && cell.X + cell.Width <= layout.Width &&
                            cell.Y + cell.Height <= layout.Height)
                    << sheet.sheet << " item " << item;
                for (int y = cell.Y; y < cell.Y + cell.Height; ++y)
                    for (int x = cell.X; x < cell.X + cell.Width; ++x) {
                        int& o = owner[std::size_t(y) * layout.Width + x];
                        ASSERT_EQ(o, -1) << sheet.sheet << ": items " << o << " and " << item << " share " << x << "," << y;
                        o = item;
                    }
                // The whole tile window lies in its cell, so every tile can be seen whole.
                const PaletteRect tile = PaletteTile(layout, item);
                EXPECT_EQ(tile.Width, sheet.windowWidth);
                EXPECT_EQ(tile.Height, sheet.windowHeight);
                EXPECT_TRUE(tile.X >= cell.X && tile.Y >= cell.Y && tile.X + tile.Width <= cell.X + cell.Width &&
                            tile.Y + tile.Height <= cell.Y + cell.Height)
                    << sheet.sheet << " item " << item;
            }
            for (int y = -2; y < layout.Height + 2; ++y)
                for (int x = -2; x < layout.Width + 2; ++x) {
                    const bool inside = x >= 0 && y >= 0 && x < layout.Width && y < layout.Height;
                    const int expected = inside ? owner[std::size_t(y) * layout.Width + x] : -1;
                    ASSERT_EQ(PaletteItemAt(layout, x, y), expected) << sheet.sheet << " at " << x << "," << y;
                }
        }
}

TEST(TilePalette, ThreeSheetsFitTheirWindowAndTheUnitsScroll)
{
    const struct {
        int mode;
        bool fits;
    } cases[] = {{LandsMode, true}, {TerrainMode, true}, {QuadriMode, true}, {UnitsMode, false}};
    for (const auto& c : cases) {
        const PaletteLayout layout = LayoutPalette(c.mode, WindowWidth);
        EXPECT_LE(layout.Width, WindowWidth) << c.mode;
        EXPECT_EQ(layout.Height <= WindowHeight, c.fits) << c.mode << ": " << layout.Height;
    }
    // Coast pieces keep each group of four on one row.
    EXPECT_EQ(LayoutPalette(QuadriMode, WindowWidth).Columns % 4, 0);
    EXPECT_EQ(LayoutPalette(4711, WindowWidth).Items, 0);
    EXPECT_EQ(PaletteItemAt(LayoutPalette(-1, WindowWidth), 10, 10), -1);
}

TEST(TilePalette, PictureHoldsEveryTileWindowOneToOneAndNothingElse)
{
    std::mt19937 rng(31);
    auto editor = testing::StartedEditor();
    for (int slot = 0; slot < SheetCount; ++slot)
        SetSheet(editor->Canvas, slot, IndexedImage(1, 1));
    for (std::size_t i = 0; i < 256; ++i)
        editor->Canvas.BackBuffer.Palette[i] = 0xFF000000u | std::uint32_t(i);
    for (const SheetCase& sheet : Sheets) {
        const int slot = BrushModes[sheet.mode].Slot;
        IndexedImage art(sheet.sheetWidth, sheet.sheetHeight);
        for (auto& pixel : art.Pixels)
            pixel = std::uint8_t(rng() % 3 == 0 ? 0 : rng() % 256);
        SetSheet(editor->Canvas, slot, art);
        const PaletteLayout layout = LayoutPalette(sheet.mode, WindowWidth);
        const IndexedImage picture = DrawPalette(editor->Canvas, layout);
        ASSERT_EQ(picture.Width, layout.Width);
        ASSERT_EQ(picture.Height, layout.Height);
        EXPECT_EQ(picture.Palette, editor->Canvas.BackBuffer.Palette);
        std::vector<bool> inTile(picture.Pixels.size(), false);
        for (int item = 0; item < sheet.items; ++item) {
            const PaletteRect tile = PaletteTile(layout, item);
            for (int i = 0; i < sheet.windowHeight; ++i)
                for (int j = 0; j < sheet.windowWidth; ++j) {
                    const std::uint8_t source =
                        art.Pixels[std::size_t(sheet.originY(item) + i) * art.Width + std::size_t(sheet.originX(item) + j)];
                    const std::size_t at = std::size_t(tile.Y + i) * picture.Width + std::size_t(tile.X + j);
                    inTile[at] = true;
                    ASSERT_EQ(picture.Pixels[at], IsOpaque(source) ? source : 0)
                        << sheet.sheet << " item " << item << " pixel " << j << "," << i;
                }
        }
        for (std::size_t at = 0; at < picture.Pixels.size(); ++at) {
            if (!inTile[at]) {
                ASSERT_EQ(picture.Pixels[at], 0) << sheet.sheet << " outside the tiles at " << at;
            }
        }
    }
}

TEST(TilePalette, SheetSmallerThanItsCatalogueDrawsWhatItHasAndNoMore)
{
    auto editor = testing::StartedEditor();
    IndexedImage lands(70, 40);
    std::fill(lands.Pixels.begin(), lands.Pixels.end(), std::uint8_t(7));
    SetSheet(editor->Canvas, LandsSheet, std::move(lands));
    const PaletteLayout layout = LayoutPalette(LandsMode, WindowWidth);
    const IndexedImage picture = DrawPalette(editor->Canvas, layout);
    const PaletteRect first = PaletteTile(layout, 0);
    EXPECT_EQ(picture.Pixels[std::size_t(first.Y) * picture.Width + std::size_t(first.X)], 7);
    // Item 10 starts at column 65, row 33: only 5 x 7 of its window lie in the sheet.
    const PaletteRect tenth = PaletteTile(layout, 10);
    int drawn = 0;
    for (std::uint8_t v : picture.Pixels)
        drawn += v == 7;
    EXPECT_EQ(picture.Pixels[std::size_t(tenth.Y + 6) * picture.Width + std::size_t(tenth.X + 4)], 7);
    EXPECT_EQ(picture.Pixels[std::size_t(tenth.Y + 7) * picture.Width + std::size_t(tenth.X + 4)], 0);
    EXPECT_EQ(drawn, 65 * 34 + 5 * 34 + 65 * 7 + 5 * 7);  // items 0, 9, 1 and 10
}

// A click leaves the brush exactly where the backslash and digit keys would have brought it.
TEST(TilePalette, ChoosingAnItemLeavesTheBrushAsTheKeysWould)
{
    for (int mode = 0; mode < BrushModeCount; ++mode)
        for (int item = 0; item < BrushModes[mode].Items; ++item) {
            BrushState chosen{3, 1, 2, 3, 4, 5};
            BrushState keyed = chosen;
            ChooseItem(chosen, mode, item);
            while (keyed.EditMode != mode)
                KeyDown(keyed, KeyBackslash);
            while (ItemOfMode(keyed, mode) != item)
                KeyDown(keyed, KeyDigit1 + mode);
            ASSERT_EQ(std::tie(chosen.EditMode, chosen.ItemTerrit, chosen.ItemLands, chosen.ItemTerrain, chosen.ItemUnits,
                               chosen.ItemQuadri),
                      std::tie(keyed.EditMode, keyed.ItemTerrit, keyed.ItemLands, keyed.ItemTerrain, keyed.ItemUnits,
                               keyed.ItemQuadri))
                << "mode " << mode << " item " << item;
        }
    const struct {
        int mode, item;
    } refused[] = {{-1, 0}, {5, 0}, {LandsMode, 60}, {TerrainMode, 48}, {UnitsMode, 54}, {QuadriMode, 32}, {TerritMode, -1}};
    for (const auto& r : refused) {
        BrushState brush{3, 1, 2, 3, 4, 5};
        ChooseItem(brush, r.mode, r.item);
        EXPECT_EQ(std::tie(brush.EditMode, brush.ItemTerrit, brush.ItemLands, brush.ItemTerrain, brush.ItemUnits,
                           brush.ItemQuadri),
                  std::make_tuple(3, 1, 2, 3, 4, 5))
            << r.mode << "/" << r.item;
    }
}

TEST(TilePalette, LegendRowsBelongToTheirTerrainAndSoDoTheirNames)
{
    constexpr int Height = 332;
    for (int y = 0; y < Height; ++y)
        ASSERT_EQ(LegendItemAt(y, Height), std::min(y / 33, 9)) << y;
    EXPECT_EQ(LegendItemAt(-1, Height), -1);
    EXPECT_EQ(LegendItemAt(Height, Height), -1);
    // Each name (18 pixels high, at its top) lies wholly in its own terrain's rows.
    const int tops[10] = {8, 40, 72, 104, 136, 176, 208, 240, 272, 304};
    for (int terrain = 0; terrain < 10; ++terrain)
        for (int y = tops[terrain]; y < tops[terrain] + 18; ++y)
            EXPECT_EQ(LegendItemAt(y, Height), terrain) << "name of " << terrain << " at " << y;
}

}  // namespace
}  // namespace korvan

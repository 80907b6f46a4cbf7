// The map view: anchors, the cull test, the two passes, edge scrolling, clamps and the preview.
#include "RenderFixtures.h"

#include "edit/Frame.h"
#include "render/MapView.h"

#include <gtest/gtest.h>

namespace {

using namespace korvan;
using namespace korvan::testing;

std::uint8_t Pixel(const Editor& e, int x, int y) { return e.Canvas.BackBuffer.Pixels[std::size_t(y) * 640 + x]; }

// Every Territ tile is one opaque pixel in column 0 of its window's second row (the first row is
// also the last of the tile above), so each drawn cell leaves one mark just below its anchor.
IndexedImage AnchorMarks(std::uint8_t mark)
{
    return SheetOf(66, 331, [mark](int x, int y) { return std::uint8_t(x == 0 && y % 33 == 1 ? mark : 0); });
}

void CursorOutsideBands(Editor& e)
{
    e.Canvas.CursorX = 300;
    e.Canvas.CursorY = 200;
}

TEST(MapView, CellsAreDrawnAtTheirStoredAnchorsPlusScroll)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, TerritSheet, AnchorMarks(100));
    CursorOutsideBands(*e);
    e->Brush.EditMode = 5;  // no preview
    e->Map.Cells[3][4].ScreenX = 500;  // a stored anchor is used as stored
    e->Map.Cells[3][4].ScreenY = 50;
    FrameTick(*e);
    EXPECT_EQ(Pixel(*e, 10, 201), 100);  // cell (0, 0) at (10, 200)
    EXPECT_EQ(Pixel(*e, 43, 217), 100);  // cell (0, 1) at (43, 216)
    EXPECT_EQ(Pixel(*e, 510, 251), 100);
    EXPECT_EQ(Pixel(*e, 10 + AnchorX(3, 4), 201 + AnchorY(3, 4)), 0);
    int marks = 0, expected = 0;
    for (auto v : e->Canvas.BackBuffer.Pixels)
        marks += v == 100;
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            const std::int64_t x = e->Map.Cells[r][c].ScreenX + 10, y = e->Map.Cells[r][c].ScreenY + 200;
            expected += x >= 0 && x < 639 && y >= -1 && y < 461;
        }
    EXPECT_EQ(marks, expected);
}

TEST(MapView, CullTestBoundsAreStrict)
{
    struct Case {
        std::int32_t x, y;
        bool drawn;
        int probeX, probeY;  // a pixel the cell's tile would cover in the view
    };
    const Case cases[] = {
        {-65, 100, false, 0, 110}, {-64, 100, true, 0, 110},   {639, 100, false, 639, 110},
        {638, 100, true, 639, 110}, {300, 461, false, 310, 461}, {300, 460, true, 310, 461},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, TerritSheet, SolidSheet(TerritSheet, 100));
        e->Canvas.ScrollX = e->Canvas.ScrollY = 0;
        for (int r = 0; r < MapSize; ++r)
            for (int col = 0; col < MapSize; ++col)
                e->Map.Cells[r][col].ScreenX = 100000;  // everything else out of sight
        e->Map.Cells[60][60].ScreenX = c.x;
        e->Map.Cells[60][60].ScreenY = c.y;
        RenderMap(e->Canvas, e->Map.Cells, 0, 0, 120, 120);
        EXPECT_EQ(Pixel(*e, c.probeX, c.probeY), c.drawn ? 100 : 0) << c.x << "," << c.y;
    }
}

TEST(MapView, GroundAndCoastPiecesLieUnderOverlaysAndPiecesFollowTheirOrder)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, TerritSheet, SolidSheet(TerritSheet, 20));
    SetSheet(e->Canvas, QuadriSheet, SheetOf(529, 35, [](int x, int y) { return std::uint8_t(30 + x / 33 + 16 * (y / 17)); }));
    SetSheet(e->Canvas, LandsSheet, SheetOf(455, 298, [](int x, int y) { return std::uint8_t(x < 65 && y < 33 && x < 10 ? 50 : 0); }));
    e->Canvas.ScrollX = e->Canvas.ScrollY = 0;
    MapCell& cell = e->Map.Cells[0][5];
    cell.ScreenX = 100;
    cell.ScreenY = 100;
    cell.CornerTiles[CornerTop] = 0;
    cell.CornerTiles[CornerBottom] = 1;
    cell.CornerTiles[CornerLeft] = 2;
    cell.CornerTiles[CornerRight] = 3;
    MapCell& early = e->Map.Cells[1][0];
    early.ScreenX = early.ScreenY = 300;
    early.LandsTile = 0;
    MapCell& later = e->Map.Cells[1][1];  // a later cell whose ground covers the Lands tile's place
    later.ScreenX = later.ScreenY = 295;
    RenderMap(e->Canvas, e->Map.Cells, 0, 0, 120, 120);
    EXPECT_EQ(Pixel(*e, 305, 302), 50);        // Lands over the later cell's ground
    EXPECT_EQ(Pixel(*e, 315, 302), 20);
    EXPECT_EQ(Pixel(*e, 116, 100), 30);        // top piece at (x + 16, y)
    EXPECT_EQ(Pixel(*e, 120, 130), 31);        // bottom piece at (x + 16, y + 16), below the left one
    EXPECT_EQ(Pixel(*e, 140, 120), 33);        // right piece at (x + 32, y + 9) over the bottom one
    EXPECT_EQ(Pixel(*e, 132, 109), 33);        // and over the top one
    EXPECT_EQ(Pixel(*e, 116, 116), 32);        // left piece at (x - 1, y + 8), drawn last
    EXPECT_EQ(Pixel(*e, 99, 108), 32);
}

TEST(MapView, ValuesPastTheCatalogueDrawNothing)
{
    auto e = MakeEditor();
    for (int slot = 1; slot < SheetCount; ++slot)
        SetSheet(e->Canvas, slot, SolidSheet(slot, 90));
    for (auto& row : e->Map.Cells)
        for (auto& cell : row) {
            cell.Terrain = 10;
            cell.CornerTiles[0] = 32;
            cell.CornerTiles[1] = 254;
            cell.LandsTile = 60;
            cell.TerrainTile = 48;
        }
    e->Brush.EditMode = 5;
    EXPECT_NO_THROW(FrameTick(*e));
    for (auto v : e->Canvas.BackBuffer.Pixels)
        ASSERT_EQ(v, 0);
}

TEST(MapView, EdgeBandsTakeAtMostOneStep)
{
    struct Case {
        std::int32_t cursorX, cursorY;
        std::int32_t dx, dy;
    };
    const Case cases[] = {
        {0, 200, 0, 0},     {-1, 200, 65, 0},    {579, 200, 0, 0},  {580, 200, -65, 0},
        {300, 411, 0, 0},   {300, 412, 0, -33},  {300, 16, 0, 0},   {300, -16, 0, 0},
        {300, 15, 0, 33},   {300, -15, 0, 33},   {-5, 0, 65, 0},    {600, 450, -65, 0},
        {-5, 450, 65, 0},   {300, 0, 0, 33},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        e->Canvas.ScrollX = -800;
        e->Canvas.ScrollY = 0;
        e->Canvas.CursorX = c.cursorX;
        e->Canvas.CursorY = c.cursorY;
        FrameTick(*e);
        EXPECT_EQ(e->Canvas.ScrollX, -800 + c.dx) << c.cursorX << "," << c.cursorY;
        EXPECT_EQ(e->Canvas.ScrollY, 0 + c.dy) << c.cursorX << "," << c.cursorY;
    }
}

TEST(MapView, ClampsFollowTheStepInTheSameTick)
{
    struct Case {
        std::int32_t scrollX, scrollY, cursorX, cursorY;
        std::int32_t expectX, expectY;
    };
    const Case cases[] = {
        {60, 0, -1, 200, 65, 0},                      // left band past the limit
        {-800, -1560, 300, 450, -800, -1578},         // bottom band past the limit
        {-800, 0, 300, 200, -800, 0},                 // "Zona Centrale" is left alone
        {130, 2100, 300, 200, 65, 1990},              // a click left the scroll beyond both limits
        {-7500, -1600, 300, 200, -7480, -1578},
        {INT32_MAX, INT32_MAX, 600, 200, 65, 1990},   // no overflow at the extremes
        {INT32_MIN, INT32_MIN, -1, 200, -7480, -1578},
        {INT32_MAX, INT32_MIN, -1, 200, 65, -1578},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        e->Canvas.ScrollX = c.scrollX;
        e->Canvas.ScrollY = c.scrollY;
        e->Canvas.CursorX = c.cursorX;
        e->Canvas.CursorY = c.cursorY;
        FrameTick(*e);
        EXPECT_EQ(e->Canvas.ScrollX, c.expectX) << c.scrollX << "," << c.scrollY;
        EXPECT_EQ(e->Canvas.ScrollY, c.expectY) << c.scrollX << "," << c.scrollY;
    }
}

TEST(MapView, BottomRowsOfTheBackBufferAreAlwaysCleared)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, UnitsSheet, SolidSheet(UnitsSheet, 77));
    SetSheet(e->Canvas, TerritSheet, SolidSheet(TerritSheet, 60));
    e->Canvas.BackBuffer.Pixels.assign(e->Canvas.BackBuffer.Pixels.size(), 5);
    e->Brush.EditMode = 3;
    e->Canvas.ScrollX = -800;
    e->Canvas.ScrollY = 0;
    e->Canvas.CursorX = 300;
    e->Canvas.CursorY = 400;
    FrameTick(*e);
    EXPECT_EQ(Pixel(*e, 300, 448), 77);
    EXPECT_EQ(Pixel(*e, 300, 461), 60);
    for (int y = 462; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(Pixel(*e, x, y), 0) << x << "," << y;
}

TEST(MapView, PreviewShowsTheItemOfTheModeAtTheCursorWithoutScroll)
{
    struct Case {
        int mode, item;
        int slot, sheetX, sheetY;  // the sheet pixel that must land on the cursor
    };
    const Case cases[] = {
        {0, 7, TerritSheet, 0, 231}, {1, 59, LandsSheet, 390, 165}, {1, 10, LandsSheet, 65, 33},
        {2, 47, TerrainSheet, 455, 165}, {2, 9, TerrainSheet, 65, 33}, {3, 53, UnitsSheet, 520, 245},
        {3, 10, UnitsSheet, 65, 49}, {4, 31, QuadriSheet, 495, 17}, {4, 17, QuadriSheet, 33, 17},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, c.slot, SheetOf(MinimumWidth[c.slot], MinimumHeight[c.slot], [&c](int x, int y) {
                     return std::uint8_t(x == c.sheetX && y == c.sheetY ? 200 : 0);
                 }));
        e->Canvas.ScrollX = -800;
        e->Canvas.ScrollY = 0;
        e->Brush.EditMode = c.mode;
        e->Brush.ItemTerrit = e->Brush.ItemLands = e->Brush.ItemTerrain = e->Brush.ItemUnits = e->Brush.ItemQuadri = c.item;
        e->Canvas.CursorX = 250;
        e->Canvas.CursorY = 150;
        FrameTick(*e);
        EXPECT_EQ(Pixel(*e, 250, 150), 200) << "mode " << c.mode << " item " << c.item;
    }
}

TEST(MapView, PreviewAdvancesTheShimmerOnlyInShimmeringModes)
{
    for (int mode = 0; mode < 6; ++mode) {
        auto e = MakeEditor();
        for (int slot = 1; slot < SheetCount; ++slot)
            SetSheet(e->Canvas, slot, SheetOf(MinimumWidth[slot], MinimumHeight[slot],
                                       [](int x, int y) { return std::uint8_t(x % 33 == 1 && y % 17 == 1 ? 70 : 0); }));
        for (auto& row : e->Map.Cells)
            for (auto& cell : row)
                cell.ScreenX = 100000;  // only the preview is drawn
        e->Brush.EditMode = mode;
        CursorOutsideBands(*e);
        FrameTick(*e);
        const bool shimmers = mode == 0 || mode == 1 || mode == 4;
        EXPECT_EQ(e->Canvas.ShimmerOffset != 0 || e->Canvas.ShimmerRising != 1, shimmers) << "mode " << mode;
    }
}

}  // namespace

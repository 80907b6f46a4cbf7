// The map overview: the scroll a click at its corners, centre and beyond asks for, clamped as the
// frame clamps; the view's rectangle in it; and its picture, whose partial redraws after edits
// must give exactly the picture drawn whole.
#include "RenderFixtures.h"

#include "base/AssetLookup.h"
#include "map/MapGenerator.h"
#include "render/ArtworkSetup.h"
#include "render/Overview.h"
#include "render/OverviewPicture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace korvan;

ViewState StartView()
{
    ViewState view;
    SetViewStartValues(view);
    return view;
}

TEST(Overview, CoversTheWholeScrollRangeAtOnePixelPerSixteen)
{
    EXPECT_EQ(OverviewWidth, 512);   // 65 + 7480 + 640 = 8185 pixels
    EXPECT_EQ(OverviewHeight, 252);  // 1990 + 1578 + 462 = 4030 pixels
    ViewState view = StartView();
    view.ScrollX = ScrollXMax;
    view.ScrollY = ScrollYMax;
    OverviewRect rect = ViewInOverview(view);
    EXPECT_EQ(rect.X, 0);
    EXPECT_EQ(rect.Y, 0);
    EXPECT_EQ(rect.Width, 40);
    EXPECT_EQ(rect.Height, 29);
    view.ScrollX = ScrollXMin;
    view.ScrollY = ScrollYMin;
    rect = ViewInOverview(view);
    EXPECT_EQ(rect.X + rect.Width, OverviewWidth);
    EXPECT_EQ(rect.Y + rect.Height, OverviewHeight);
    // Past the limits (a press's own step, before the next frame clamps) the rectangle goes out too.
    view.ScrollX = ScrollXMax + 65;
    EXPECT_EQ(ViewInOverview(view).X, -5);
}

TEST(Overview, ClickAtCornersAndCentreMovesTheViewThereClamped)
{
    const struct {
        const char* name;
        int x, y;
        ScrollPosition scroll;
    } cases[] = {
        {"top-left corner", 0, 0, {ScrollXMax, ScrollYMax}},
        {"top-right corner", OverviewWidth - 1, 0, {ScrollXMin, ScrollYMax}},
        {"bottom-left corner", 0, OverviewHeight - 1, {ScrollXMax, ScrollYMin}},
        {"bottom-right corner", OverviewWidth - 1, OverviewHeight - 1, {ScrollXMin, ScrollYMin}},
        // Pixel (256, 126) is unscrolled (4039, 34); at the view's centre (320, 231).
        {"centre", 256, 126, {320 - 4039, 231 - 34}},
        {"dragged far past the top-left", -5000, -5000, {ScrollXMax, ScrollYMax}},
        {"dragged far past the bottom-right", 100000, 100000, {ScrollXMin, ScrollYMin}},
        {"near the top edge, middle", 256, 2, {320 - 4039, ScrollYMax}},
    };
    for (const auto& c : cases) {
        ViewState view = StartView();
        MoveViewToOverviewPoint(view, c.x, c.y);
        EXPECT_EQ(view.ScrollX, c.scroll.X) << c.name;
        EXPECT_EQ(view.ScrollY, c.scroll.Y) << c.name;
        // The frame tick's clamp leaves the result as it is.
        ViewState clamped = view;
        ClampScroll(clamped);
        EXPECT_EQ(clamped.ScrollX, view.ScrollX) << c.name;
        EXPECT_EQ(clamped.ScrollY, view.ScrollY) << c.name;
    }
}

TEST(Overview, ViewRectangleAfterAClickHoldsTheClickedPixel)
{
    ViewState view = StartView();
    for (int y = 0; y < OverviewHeight; y += 7)
        for (int x = 0; x < OverviewWidth; x += 11) {
            MoveViewToOverviewPoint(view, x, y);
            const OverviewRect rect = ViewInOverview(view);
            ASSERT_TRUE(x >= rect.X && x < rect.X + rect.Width && y >= rect.Y && y < rect.Y + rect.Height)
                << x << "," << y << " not in " << rect.X << "," << rect.Y << " " << rect.Width << "x" << rect.Height;
            ASSERT_TRUE(rect.X >= 0 && rect.Y >= 0 && rect.X + rect.Width <= OverviewWidth &&
                        rect.Y + rect.Height <= OverviewHeight);
        }
}

struct Scene {
    std::unique_ptr<Canvas> artwork = std::make_unique<Canvas>();
    std::unique_ptr<MapState> map = std::make_unique<MapState>();
    Scene()
    {
        SetUpArtwork(*artwork, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
        RandomSource rng;
        rng.State = 20261208;
        GenerateMap(map->Cells, rng);
        map->CellsVersion = 1;
    }
};

std::vector<std::uint32_t> DrawnWhole(const Scene& scene)
{
    OverviewPicture whole;
    whole.Update(*scene.artwork, scene.map->Cells, scene.map->CellsVersion);
    return whole.Pixels();
}

TEST(OverviewPicture, EditsRedrawnInPlaceGiveThePictureDrawnWhole)
{
    Scene scene;
    OverviewPicture picture;
    EXPECT_TRUE(picture.Update(*scene.artwork, scene.map->Cells, 1));
    const std::vector<std::uint32_t> first = picture.Pixels();
    EXPECT_FALSE(picture.Update(*scene.artwork, scene.map->Cells, 1)) << "a version already shown costs nothing";

    MapGrid& cells = scene.map->Cells;
    // Ground, overlays and coast pieces, at the map's edges and in its middle.
    cells[60][60].Terrain = 8;
    cells[0][0].Terrain = 2;
    cells[120][120].LandsTile = 20;
    cells[120][0].TerrainTile = 40;
    cells[0][120].CornerTiles[CornerLeft] = 6;
    cells[61][60].LandsTile = 5;
    EXPECT_TRUE(picture.Update(*scene.artwork, cells, 2));
    const std::vector<std::uint32_t> edited = DrawnWhole(scene);
    EXPECT_EQ(picture.Pixels(), edited);
    EXPECT_NE(picture.Pixels(), first) << "the edits show";

    // A version that changes nothing (a paint of the same byte) draws nothing.
    EXPECT_FALSE(picture.Update(*scene.artwork, cells, 3));

    // Moved anchors (a loaded file) redraw it all.
    cells[30][30].ScreenX += 500;
    EXPECT_TRUE(picture.Update(*scene.artwork, cells, 4));
    EXPECT_EQ(picture.Pixels(), DrawnWhole(scene));
}

// With sheets of random pixels every window reaches its edges, so a cell just outside a redrawn
// region still draws into it.
TEST(OverviewPicture, ManyChangesAtOnceOnAnyArtMatchTheWhole)
{
    Scene scene;
    std::mt19937 rng(7);
    for (int slot = 1; slot < SheetCount; ++slot)
        SetSheet(*scene.artwork, slot,
                 korvan::testing::RandomSheet(rng, korvan::testing::MinimumWidth[slot], korvan::testing::MinimumHeight[slot]));
    OverviewPicture picture;
    picture.Update(*scene.artwork, scene.map->Cells, 1);
    MapGrid& cells = scene.map->Cells;
    std::uint64_t version = 1;
    for (int changes : {1, 5, 40, OverviewPicture::MostCellsRedrawn + 1}) {
        for (int i = 0; i < changes; ++i) {
            MapCell& cell = cells[rng() % MapSize][rng() % MapSize];
            cell.Terrain = std::uint8_t(rng() % 10);
            cell.LandsTile = std::uint8_t(rng() % 70);
            cell.TerrainTile = std::uint8_t(rng() % 60);
            cell.CornerTiles[rng() % 4] = std::uint8_t(rng() % 40);
        }
        picture.Update(*scene.artwork, cells, ++version);
        ASSERT_EQ(picture.Pixels(), DrawnWhole(scene)) << changes << " changes";
    }
}

TEST(OverviewPicture, SeaAndLandShowTheirColours)
{
    Scene scene;
    MapGrid& cells = scene.map->Cells;
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(cells, r, c);
    OverviewPicture picture;
    picture.Update(*scene.artwork, cells, 1);
    auto at = [&](int row, int col) {
        // The overview pixel under the middle of the cell's diamond.
        const int x = (cells[row][col].ScreenX + 33 - OverviewLeft) / OverviewScale;
        const int y = (cells[row][col].ScreenY + 17 - OverviewTop) / OverviewScale;
        return picture.Pixels()[std::size_t(y) * OverviewWidth + std::size_t(x)];
    };
    const std::uint32_t sea = at(60, 60);
    EXPECT_GT(sea & 0xFF, (sea >> 16) & 0xFF) << "the sea is blue";
    EXPECT_EQ(picture.Pixels()[0], 0xFF000000u) << "outside the map is black, as in the view";
    for (int r = 50; r <= 70; ++r)
        for (int c = 50; c <= 70; ++c)
            cells[r][c].Terrain = 8;  // ice
    picture.Update(*scene.artwork, cells, 2);
    const std::uint32_t ice = at(60, 60);
    EXPECT_GT((ice >> 16) & 0xFF, 180u) << std::hex << ice;
    EXPECT_GT((ice >> 8) & 0xFF, 180u) << std::hex << ice;
}

}  // namespace

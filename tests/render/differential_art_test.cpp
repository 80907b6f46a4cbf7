// The production renderer against the reference on the real artwork: every tile of every sheet
// cut at every edge of the view from every shimmer phase, runs of consecutive frames that scroll
// and move the brush, and back buffers of other widths than the editor's.
#include "ReferenceRenderer.h"
#include "EveryBlitter.h"
#include "RenderFixtures.h"

#include "edit/NewMap.h"
#include "render/Blitters.h"
#include "base/AssetLookup.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"
#include "edit/Frame.h"
#include "render/MapView.h"
#include "render/Shimmer.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using namespace korvan;
using namespace korvan::testing;

// The start state with the artwork of the run folder, set up as the program sets it up.
std::unique_ptr<Editor> ArtEditor()
{
    auto editor = MakeEditor();
    SetUpArtwork(editor->Canvas, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
    return editor;
}

std::optional<std::string> ErrorOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const KorvanError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

::testing::AssertionResult SameState(const Editor& production, const Editor& reference)
{
    const auto& a = production.Canvas.BackBuffer.Pixels;
    const auto& b = reference.Canvas.BackBuffer.Pixels;
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "buffer sizes differ";
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k])
            return ::testing::AssertionFailure() << "pixel " << k % std::size_t(production.Canvas.BackBuffer.Width) << ","
                                                 << k / std::size_t(production.Canvas.BackBuffer.Width) << ": " << int(a[k])
                                                 << " against " << int(b[k]);
    if (production.Canvas.ShimmerOffset != reference.Canvas.ShimmerOffset || production.Canvas.ShimmerRising != reference.Canvas.ShimmerRising)
        return ::testing::AssertionFailure() << "shimmer " << int(production.Canvas.ShimmerOffset) << "/"
                                             << int(production.Canvas.ShimmerRising) << " against "
                                             << int(reference.Canvas.ShimmerOffset) << "/" << int(reference.Canvas.ShimmerRising);
    if (production.Canvas.ScrollX != reference.Canvas.ScrollX || production.Canvas.ScrollY != reference.Canvas.ScrollY)
        return ::testing::AssertionFailure() << "scroll differs";
    return ::testing::AssertionSuccess();
}

struct Tile {
    int Column, Row;
    reference::Window Window;
};

// Every tile a value can reach, per slot.
std::vector<Tile> TilesOf(int slot)
{
    std::vector<Tile> tiles;
    const int counts[SheetCount] = {0, UnitsTiles, TerritTiles, LandsTiles, TerrainTiles, QuadriTiles};
    for (int v = 0; v < counts[slot]; ++v) {
        switch (slot) {
        case UnitsSheet:
            tiles.push_back({UnitsPlace(v).Column, UnitsPlace(v).Row, reference::UnitsWindow(UnitsPlace(v).Column, UnitsPlace(v).Row)});
            break;
        case TerritSheet:
            tiles.push_back({0, v, reference::TerritWindow(v)});
            break;
        case LandsSheet:
            tiles.push_back({LandsPlace(v).Column, LandsPlace(v).Row, reference::LandsWindow(LandsPlace(v).Column, LandsPlace(v).Row)});
            break;
        case TerrainSheet:
            tiles.push_back({TerrainPlace(v).Column, TerrainPlace(v).Row,
                             reference::TerrainWindow(TerrainPlace(v).Column, TerrainPlace(v).Row)});
            break;
        case QuadriSheet:
            tiles.push_back({QuadriPlace(v).Column, QuadriPlace(v).Row, reference::QuadriWindow(QuadriPlace(v).Column, QuadriPlace(v).Row)});
            break;
        default:
            break;
        }
    }
    return tiles;
}

class ArtMatchesReference : public EveryBlitter {};
KORVAN_ON_EVERY_BLITTER(ArtMatchesReference);

TEST_P(ArtMatchesReference, EveryTileCutAtEveryEdgeFromEveryPhase)
{
    auto production = ArtEditor();
    auto reference = std::make_unique<Editor>(*production);
    for (int slot = 1; slot < SheetCount; ++slot) {
        const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
        // Wholly inside, touching each edge, one pixel over it, mostly out, and just gone.
        const std::int64_t xs[] = {-g.WindowWidth, 1 - g.WindowWidth, -20, -1, 0, 1, 300, 639 - g.WindowWidth,
                                   640 - g.WindowWidth, 620, 639, 640};
        const std::int64_t ys[] = {-g.WindowHeight, 1 - g.WindowHeight, -9, -1, 0, 1, 200, 461 - g.WindowHeight,
                                   462 - g.WindowHeight, 450, 461, 462};
        int phase = 0;
        for (const Tile& tile : TilesOf(slot)) {
            for (std::int64_t x : xs)
                for (std::int64_t y : ys) {
                    phase = (phase + 1) % ShimmerPeriod;
                    production->Canvas.ShimmerOffset = reference->Canvas.ShimmerOffset = PhaseOffset[phase];
                    production->Canvas.ShimmerRising = reference->Canvas.ShimmerRising = PhaseRising[phase];
                    BlitWindow(production->Canvas, slot, x, y, tile.Column, tile.Row);
                    reference::Blit(*reference, tile.Window, x, y);
                    ASSERT_EQ(production->Canvas.ShimmerOffset, reference->Canvas.ShimmerOffset)
                        << "slot " << slot << " tile " << tile.Column << "," << tile.Row << " at " << x << "," << y;
                    ASSERT_EQ(production->Canvas.ShimmerRising, reference->Canvas.ShimmerRising);
                }
            // Tiles pile up on one another, as in a frame; the whole buffer is compared per tile.
            ASSERT_TRUE(SameState(*production, *reference)) << "slot " << slot << " tile " << tile.Column << "," << tile.Row;
        }
    }
}

TEST_P(ArtMatchesReference, ConsecutiveFramesThatScrollAndMoveTheBrush)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        auto production = ArtEditor();
        production->Rng.State = rng();
        GenerateMap(*production);
        if (seed % 3 == 0)  // every layer filled, some values past the catalogue
            for (auto& row : production->Map.Cells)
                for (auto& cell : row) {
                    cell.Terrain = std::uint8_t(rng() % 11);
                    cell.LandsTile = std::uint8_t(rng() % 62);
                    cell.TerrainTile = std::uint8_t(rng() % 50);
                    for (int k = 0; k < 4; ++k)
                        cell.CornerTiles[k] = std::uint8_t(rng() % 5 == 0 ? 255 : 4 * (rng() % 8) + std::uint32_t(k));
                }
        production->Canvas.ScrollX = -int(rng() % 7600) + 65;
        production->Canvas.ScrollY = int(rng() % 3600) - 1580;
        const int phase = int(rng() % ShimmerPeriod);
        production->Canvas.ShimmerOffset = PhaseOffset[phase];
        production->Canvas.ShimmerRising = PhaseRising[phase];
        auto reference = std::make_unique<Editor>(*production);
        for (int frame = 0; frame < 10; ++frame) {
            // The cursor anywhere, edge bands included; every brush mode and item.
            const std::int32_t cursorX = int(rng() % 760) - 60, cursorY = int(rng() % 560) - 50;
            const std::int32_t mode = int(rng() % 5);
            const std::int32_t item = int(rng() % 60);
            for (Editor* e : {production.get(), reference.get()}) {
                e->Canvas.CursorX = cursorX;
                e->Canvas.CursorY = cursorY;
                e->Brush.EditMode = mode;
                e->Brush.ItemTerrit = item % TerritTiles;
                e->Brush.ItemLands = item % LandsTiles;
                e->Brush.ItemTerrain = item % TerrainTiles;
                e->Brush.ItemUnits = item % UnitsTiles;
                e->Brush.ItemQuadri = item % QuadriTiles;
            }
            const auto a = ErrorOf([&] { FrameTick(*production); });
            const auto b = ErrorOf([&] { reference::FrameTick(*reference); });
            EXPECT_EQ(a, b);
            ASSERT_TRUE(SameState(*production, *reference)) << "seed " << seed << ", frame " << frame;
        }
    }
}

TEST_P(ArtMatchesReference, BackBuffersOfOtherSizes)
{
    // Only the editor's 640-wide buffer takes the whole-window path; any other is cut run by run.
    const int sizes[][2] = {{300, 200}, {641, 480}, {800, 600}, {640, 462}, {639, 470}};
    for (const auto& size : sizes) {
        auto production = ArtEditor();
        production->Rng.State = std::uint32_t(size[0] * 7 + size[1]);
        GenerateMap(*production);
        production->Canvas.BackBuffer = IndexedImage(size[0], size[1]);
        production->Canvas.ViewRight = 900;  // a clip rectangle larger than the buffer
        production->Canvas.ViewBottom = 700;
        production->Canvas.CursorX = 200;
        production->Canvas.CursorY = 150;
        production->Brush.EditMode = 0;
        production->Canvas.ScrollX = -1200;
        production->Canvas.ScrollY = 100;
        auto reference = std::make_unique<Editor>(*production);
        for (int frame = 0; frame < 3; ++frame) {
            const auto a = ErrorOf([&] { FrameTick(*production); });
            const auto b = ErrorOf([&] { reference::FrameTick(*reference); });
            EXPECT_EQ(a, b);
            ASSERT_TRUE(SameState(*production, *reference)) << size[0] << " x " << size[1] << ", frame " << frame;
        }
    }
}

}  // namespace

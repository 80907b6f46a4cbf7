// The production frame tick against the reference renderer, on random maps, sheets and views.
#include "ReferenceRenderer.h"
#include "EveryBlitter.h"
#include "RenderFixtures.h"

#include "edit/Frame.h"
#include "edit/NewMap.h"
#include "render/Blitters.h"
#include "render/MapView.h"
#include "render/Shimmer.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

using namespace korvan;
using namespace korvan::testing;

void RandomiseMap(Editor& e, std::mt19937& rng)
{
    const unsigned kind = rng() % 3;
    if (kind == 0) {
        e.Rng.State = rng();
        GenerateMap(e);
    }
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            MapCell& cell = e.Map.Cells[r][c];
            if (kind == 1) {  // random bytes in every field
                auto* bytes = reinterpret_cast<std::uint8_t*>(&cell);
                for (std::size_t k = 0; k < sizeof(MapCell); ++k)
                    bytes[k] = std::uint8_t(rng());
                if (rng() % 2 != 0) {  // keep half the anchors near the view so that cells are drawn
                    cell.ScreenX = AnchorX(r, c) + std::int32_t(rng() % 21) - 10;
                    cell.ScreenY = AnchorY(r, c) + std::int32_t(rng() % 21) - 10;
                }
            } else if (rng() % 8 == 0) {  // a few stray values in an otherwise sound map
                cell.Terrain = std::uint8_t(rng() % 12);
                cell.LandsTile = std::uint8_t(rng() % 64);
                cell.TerrainTile = std::uint8_t(rng() % 52);
                cell.CornerTiles[rng() % 4] = std::uint8_t(rng() % 3 == 0 ? rng() : rng() % 32);
                if (rng() % 16 == 0)
                    cell.ScreenX = RandomCoordinate(rng, -100, 8000);
            }
        }
}

void RandomiseSheets(Editor& e, std::mt19937& rng)
{
    for (int slot = 0; slot < SheetCount; ++slot) {
        int width = MinimumWidth[slot] + int(rng() % 40);
        int height = MinimumHeight[slot] + int(rng() % 40);
        if (rng() % 8 == 0) {  // smaller than the minimum, even empty
            width = int(rng() % std::uint32_t(MinimumWidth[slot] + 1));
            height = int(rng() % std::uint32_t(MinimumHeight[slot] + 1));
        }
        SetSheet(e.Canvas, slot, RandomSheet(rng, width, height));
    }
}

void RandomiseView(Editor& e, std::mt19937& rng)
{
    e.Canvas.ScrollX = RandomCoordinate(rng, -7600, 200);
    e.Canvas.ScrollY = RandomCoordinate(rng, -1700, 2100);
    e.Canvas.CursorX = RandomCoordinate(rng, -100, 740);
    e.Canvas.CursorY = RandomCoordinate(rng, -100, 560);
    e.Brush.EditMode = int(rng() % 7) - 1;
    e.Brush.ItemTerrit = int(rng() % 13) - 1;
    e.Brush.ItemLands = int(rng() % 63) - 1;
    e.Brush.ItemTerrain = int(rng() % 51) - 1;
    e.Brush.ItemUnits = int(rng() % 57) - 1;
    e.Brush.ItemQuadri = int(rng() % 35) - 1;
    if (rng() % 6 == 0) {
        e.Canvas.ShimmerOffset = std::uint8_t(rng());
        e.Canvas.ShimmerRising = std::uint8_t(rng() % 3 == 0 ? rng() : rng() % 2);
    } else {
        const int phase = int(rng() % 6);
        e.Canvas.ShimmerOffset = PhaseOffset[phase];
        e.Canvas.ShimmerRising = PhaseRising[phase];
    }
    if (rng() % 8 == 0) {  // a different clip rectangle, cull bounds and first cell
        e.Canvas.ViewLeft = int(rng() % 200) - 100;
        e.Canvas.ViewTop = int(rng() % 200) - 100;
        e.Canvas.ViewRight = int(rng() % 800);
        e.Canvas.ViewBottom = int(rng() % 600);
        e.Canvas.CullLeft = RandomCoordinate(rng, -200, 100);
        e.Canvas.CullTop = RandomCoordinate(rng, -200, 100);
        e.Canvas.FirstRow = int(rng() % 140) - 10;
        e.Canvas.FirstCol = int(rng() % 140) - 10;
    }
    if (rng() % 10 == 0)  // a back buffer of another size than the editor's
        e.Canvas.BackBuffer = IndexedImage(int(rng() % 900), int(rng() % 700));
}

std::optional<std::string> Tick(void (*tick)(Editor&), Editor& e)
{
    try {
        tick(e);
    } catch (const KorvanError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

void ExpectSameFrame(const Editor& production, const Editor& reference, const std::string& where)
{
    const auto& a = production.Canvas.BackBuffer.Pixels;
    const auto& b = reference.Canvas.BackBuffer.Pixels;
    ASSERT_EQ(a.size(), b.size()) << where;
    for (std::size_t k = 0; k < a.size(); ++k)
        ASSERT_EQ(int(a[k]), int(b[k])) << where << ": pixel (" << k % 640 << ", " << k / 640 << ")";
    EXPECT_EQ(production.Canvas.ShimmerOffset, reference.Canvas.ShimmerOffset) << where;
    EXPECT_EQ(production.Canvas.ShimmerRising, reference.Canvas.ShimmerRising) << where;
    EXPECT_EQ(production.Canvas.ScrollX, reference.Canvas.ScrollX) << where;
    EXPECT_EQ(production.Canvas.ScrollY, reference.Canvas.ScrollY) << where;
}

class FrameTickMatchesReference : public EveryBlitter {};
KORVAN_ON_EVERY_BLITTER(FrameTickMatchesReference);

TEST_P(FrameTickMatchesReference, OnRandomMapsSheetsAndViews)
{
    for (unsigned seed = 1; seed <= 240; ++seed) {
        std::mt19937 rng(seed);
        auto production = MakeEditor();
        RandomiseMap(*production, rng);
        RandomiseSheets(*production, rng);
        RandomiseView(*production, rng);
        auto reference = std::make_unique<Editor>(*production);
        for (int frame = 0; frame < 3; ++frame) {
            const std::string where = "seed " + std::to_string(seed) + ", frame " + std::to_string(frame);
            const auto productionError = Tick(FrameTick, *production);
            const auto referenceError = Tick(reference::FrameTick, *reference);
            EXPECT_EQ(productionError, referenceError) << where;
            ExpectSameFrame(*production, *reference, where);
            if (HasFatalFailure())
                return;
            // Move the cursor between frames, as the pointer does.
            production->Canvas.CursorX = reference->Canvas.CursorX = RandomCoordinate(rng, -100, 740);
            production->Canvas.CursorY = reference->Canvas.CursorY = RandomCoordinate(rng, -100, 560);
        }
    }
}

TEST_P(FrameTickMatchesReference, BlitsAtEveryPositionAroundTheView)
{
    // Every blitter at positions that cut its window at each edge, with tiles that reach past
    // small sheets, and every shimmer phase.
    std::mt19937 rng(99);
    auto production = MakeEditor();
    RandomiseSheets(*production, rng);
    auto reference = std::make_unique<Editor>(*production);
    const std::int64_t xs[] = {-70, -66, -65, -64, -1, 0, 300, 574, 575, 576, 605, 606, 607, 638, 639, 640};
    const std::int64_t ys[] = {-50, -34, -33, -17, 0, 200, 413, 414, 428, 429, 444, 445, 460, 461, 462};
    for (int slot = 1; slot < SheetCount; ++slot)
        for (std::int64_t x : xs)
            for (std::int64_t y : ys) {
                const int column = slot == TerritSheet ? 0 : int(rng() % 18);
                const int row = int(rng() % 12);
                const int phase = int(rng() % 6);
                production->Canvas.ShimmerOffset = reference->Canvas.ShimmerOffset = PhaseOffset[phase];
                production->Canvas.ShimmerRising = reference->Canvas.ShimmerRising = PhaseRising[phase];
                const reference::Window windows[] = {
                    {}, reference::UnitsWindow(column, row), reference::TerritWindow(row),
                    reference::LandsWindow(column, row), reference::TerrainWindow(column, row),
                    reference::QuadriWindow(column, row)};
                std::optional<std::string> a, b;
                try {
                    BlitWindow(production->Canvas, slot, x, y, column, row);
                } catch (const KorvanError& error) {
                    a = error.what();
                }
                try {
                    reference::Blit(*reference, windows[slot], x, y);
                } catch (const KorvanError& error) {
                    b = error.what();
                }
                const std::string where = "slot " + std::to_string(slot) + " at " + std::to_string(x) + "," +
                                          std::to_string(y) + " tile " + std::to_string(column) + "," +
                                          std::to_string(row);
                EXPECT_EQ(a, b) << where;
                ExpectSameFrame(*production, *reference, where);
                if (HasFatalFailure())
                    return;
            }
}

}  // namespace

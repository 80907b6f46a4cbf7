// One frame tick, production against the reference renderer, on three scenes: a generated map
// at the start view, the same map at "Zona Centrale", and a dense map with every layer filled.
#include "render/ReferenceRenderer.h"  // tests/render: the per-pixel oracle
#include "render/RenderFixtures.h"

#include "map/MapGenerator.h"
#include "render/MapView.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using namespace korvan;
using namespace korvan::testing;

// Sheets shaped like tile art: a diamond per tile window, transparent around it, water in the sea
// tile, in every other Lands tile and in the coast pieces, so the shimmer does its full work.
IndexedImage DiamondSheet(int slot)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    return SheetOf(MinimumWidth[slot], MinimumHeight[slot], [slot, &g](int x, int y) -> std::uint8_t {
        const int cellW = g.GridWidth == 0 ? g.WindowWidth : g.GridWidth, cellH = g.GridHeight;
        const int column = x / cellW, row = y / cellH;
        const double dx = std::abs((x % cellW) - (cellW - 1) / 2.0) / (cellW / 2.0);
        const double dy = std::abs((y % cellH) - (cellH - 1) / 2.0) / (cellH / 2.0);
        if (dx + dy > 1.0)
            return 0;
        const bool water = slot == QuadriSheet || (slot == TerritSheet && row == 9) ||
                           (slot == LandsSheet && (column + row) % 2 == 1);
        if (water)
            return std::uint8_t(68 + (x + 2 * y) % 8);
        return std::uint8_t(32 + (x * 7 + y * 3 + slot) % 28);
    });
}

enum class Scene { StartView, ZonaCentrale, Dense };

std::unique_ptr<Editor> SceneEditor(Scene scene)
{
    auto editor = MakeEditor();
    for (int slot = 1; slot < SheetCount; ++slot)
        SetSheet(*editor, slot, DiamondSheet(slot));
    UseAsBackBuffer(*editor, IndexedImage());
    editor->Rng.State = 1;
    GenerateMap(*editor);
    editor->EditMode = 3;
    editor->CursorX = 300;  // outside every edge band, so the view stays put
    editor->CursorY = 200;
    if (scene != Scene::StartView) {
        editor->ScrollX = -800;
        editor->ScrollY = 0;
    }
    if (scene == Scene::Dense) {
        std::mt19937 rng(5);
        for (auto& row : editor->Cells)
            for (auto& cell : row) {
                cell.Terrain = std::uint8_t(rng() % 10);
                cell.LandsTile = std::uint8_t(rng() % 60);
                cell.TerrainTile = std::uint8_t(rng() % 48);
                for (int k = 0; k < 4; ++k)
                    cell.CornerTiles[k] = std::uint8_t(4 * (rng() % 8) + std::uint32_t(k));
            }
    }
    return editor;
}

void BM_FrameTick(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    for (auto _ : state) {
        FrameTick(*editor);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
    }
}

void BM_FrameTickReference(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    for (auto _ : state) {
        reference::FrameTick(*editor);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
    }
}

// Argument: 0 start view, 1 "Zona Centrale", 2 dense map.
BENCHMARK(BM_FrameTick)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameTickReference)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

// The three scenes the frame benchmarks draw (a generated map at the start view and at
// "Zona Centrale", a dense map with every layer filled), on the real artwork of the run folder.
#pragma once

#include "render/RenderFixtures.h"  // tests/render: sheets and editors made up for drawing

#include "base/AssetLookup.h"
#include "edit/NewMap.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace korvan::bench {

using namespace korvan::testing;

// Stands in for a sheet missing from the run folder: a diamond per tile window, transparent
// around it, water in the sea tile, in every other Lands tile and in the coast pieces.
inline IndexedImage DiamondSheet(int slot)
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

inline const char* const SheetNames[SheetCount] = {"Cities", "Units", "Territ", "Lands", "Terrain", "Quadri"};

inline IndexedImage ArtOrStandIn(int slot)
{
    const std::string path = std::string(KORVAN_RUN_DIR) + "/Graphic/" + SheetNames[slot] + ".BMP";
    if (std::filesystem::exists(path))
        return ReadIndexedBmp(path);
    return DiamondSheet(slot);
}

inline bool RealArtwork()
{
    return std::filesystem::exists(std::string(KORVAN_RUN_DIR) + "/Graphic/Territ.BMP");
}

enum class Scene { StartView, ZonaCentrale, Dense };

inline std::unique_ptr<Editor> SceneEditor(Scene scene)
{
    auto editor = MakeEditor();
    if (RealArtwork())  // as the program sets it up
        SetUpArtwork(editor->Canvas, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
    else
        for (int slot = 1; slot < SheetCount; ++slot)
            SetSheet(editor->Canvas, slot, ArtOrStandIn(slot));
    editor->Rng.State = 1;
    GenerateMap(*editor);
    editor->Brush.EditMode = 3;
    editor->Canvas.CursorX = 300;  // outside every edge band, so the view stays put
    editor->Canvas.CursorY = 200;
    if (scene != Scene::StartView) {
        editor->Canvas.ScrollX = -800;
        editor->Canvas.ScrollY = 0;
    }
    if (scene == Scene::Dense) {
        std::mt19937 rng(5);
        for (auto& row : editor->Map.Cells)
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

// How many opaque pixels one frame writes, overdraw included: every window the frame draws,
// counted pixel by pixel inside the view.
class OpaqueWriteCounter {
public:
    explicit OpaqueWriteCounter(const Editor& e) : e_(e) {}

    std::size_t Frame()
    {
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) {
                const MapCell& cell = e_.Map.Cells[r][c];
                const std::int64_t x = std::int64_t(cell.ScreenX) + e_.Canvas.ScrollX;
                const std::int64_t y = std::int64_t(cell.ScreenY) + e_.Canvas.ScrollY;
                if (!(e_.Canvas.CullLeft < x && x < e_.Canvas.ViewRight && e_.Canvas.CullTop < y && y < e_.Canvas.ViewBottom))
                    continue;
                if (cell.Terrain < TerritTiles)
                    Count(TerritSheet, TerritPlace(cell.Terrain), x, y);
                const std::int64_t dx[4] = {16, 16, -1, 32}, dy[4] = {0, 16, 8, 9};
                for (int k = 0; k < 4; ++k)
                    if (const std::uint8_t v = cell.CornerTiles[k]; v < QuadriTiles)
                        Count(QuadriSheet, QuadriPlace(v), x + dx[k], y + dy[k]);
                if (cell.LandsTile < LandsTiles)
                    Count(LandsSheet, LandsPlace(cell.LandsTile), x, y);
                if (cell.TerrainTile < TerrainTiles)
                    Count(TerrainSheet, TerrainPlace(cell.TerrainTile), x, y);
            }
        if (e_.Brush.EditMode == 3)  // the scenes' brush mode: a Units sprite at the cursor
            Count(UnitsSheet, UnitsPlace(e_.Brush.ItemUnits), e_.Canvas.CursorX, e_.Canvas.CursorY);
        return count_;
    }

private:
    void Count(int slot, TilePlace place, std::int64_t x, std::int64_t y)
    {
        const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
        const IndexedImage& sheet = e_.Canvas.Sheets[std::size_t(slot)];
        const std::int64_t sx0 = std::int64_t(g.GridWidth) * place.Column, sy0 = std::int64_t(g.GridHeight) * place.Row;
        for (int i = 0; i < g.WindowHeight; ++i)
            for (int j = 0; j < g.WindowWidth; ++j) {
                const std::int64_t dx = x + j, dy = y + i, sx = sx0 + j, sy = sy0 + i;
                if (dx < 0 || dx > 639 || dy < 0 || dy > 461 || sx >= sheet.Width || sy >= sheet.Height)
                    continue;
                count_ += IsOpaque(sheet.Pixels[std::size_t(sy * sheet.Width + sx)]);
            }
    }

    const Editor& e_;
    std::size_t count_ = 0;
};

}  // namespace korvan::bench

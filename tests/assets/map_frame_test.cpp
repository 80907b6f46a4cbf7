// Frames composed from the generated sheets: ground tiles leave no gap, and coast pieces put a
// beach along every shore.
#include "AssetFiles.h"

#include "Preview.h"
#include "PreviewMap.h"
#include "edit/Editor.h"
#include "edit/NewMap.h"

#include <gtest/gtest.h>

#include <memory>

namespace korvan {
namespace {

const art::PreviewSheets& Sheets()
{
    static const art::PreviewSheets sheets = art::LoadPreviewSheets(KORVAN_RUN_DIR);
    return sheets;
}

IndexedImage Frame(const MapGrid& cells, long long scrollX, long long scrollY)
{
    IndexedImage frame(640, 480);
    art::ComposeMap(cells, Sheets(), scrollX, scrollY, 461, frame);
    return frame;
}

std::unique_ptr<MapGrid> UniformMap(int terrain)
{
    auto cells = std::make_unique<MapGrid>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            ClearCell(*cells, r, c);
            (*cells)[r][c].Terrain = std::uint8_t(terrain);
        }
    return cells;
}

TEST(MapFrame, AMapOfOneTerrainCoversTheWholeView)
{
    ASSERT_FALSE(Sheets().Territ.Empty());
    for (int terrain = 0; terrain <= 9; ++terrain) {
        const auto cells = UniformMap(terrain);
        for (auto [sx, sy] : {std::pair{-3000LL, 0LL}, {-3001LL, 7LL}, {-3500LL, 100LL}, {-4200LL, -300LL}}) {
            const IndexedImage frame = Frame(*cells, sx, sy);
            int gaps = 0;
            for (int y = 0; y <= 461; ++y)
                for (int x = 0; x < 640; ++x)
                    gaps += frame.ScanLine(y)[x] == 0;
            EXPECT_EQ(gaps, 0) << "terrain " << terrain << " scroll " << sx << "," << sy;
        }
    }
}

bool SeaIndex(int v) { return v >= 68 && v <= 75; }
bool LandIndex(int v) { return v != 0 && !SeaIndex(v); }

// Composes the frame with and without coast pieces: every sea pixel that touches a land pixel
// in the bare frame must be covered by beach in the full one, so no shore is left open.
TEST(MapFrame, CoastPiecesLineEveryShoreOfAGeneratedMap)
{
    for (std::uint32_t seed : {1u, 77u, 123456u}) {
        auto editor = std::make_unique<Editor>();
        editor->Rng.State = seed;
        GenerateMap(*editor);
        auto bare = std::make_unique<MapGrid>(editor->Map.Cells);
        for (auto& row : *bare)
            for (MapCell& cell : row) {
                cell.TerrainTile = NoTerrainTile;
                std::fill(std::begin(cell.CornerTiles), std::end(cell.CornerTiles), NoCorner);
            }
        auto coast = std::make_unique<MapGrid>(*bare);
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c)
                std::copy(std::begin(editor->Map.Cells[r][c].CornerTiles), std::end(editor->Map.Cells[r][c].CornerTiles),
                          (*coast)[r][c].CornerTiles);
        int shorelineSeen = 0;
        for (auto [sx, sy] : {std::pair{-800LL, 0LL}, {-3000LL, 400LL}, {-6000LL, -900LL}, {-2000LL, 900LL}}) {
            const IndexedImage plain = Frame(*bare, sx, sy), shore = Frame(*coast, sx, sy);
            int open = 0, shoreline = 0;
            for (int y = 1; y < 461; ++y)
                for (int x = 1; x < 639; ++x) {
                    if (!SeaIndex(plain.ScanLine(y)[x]))
                        continue;
                    const bool touchesLand = LandIndex(plain.ScanLine(y)[x - 1]) || LandIndex(plain.ScanLine(y)[x + 1]) ||
                                             LandIndex(plain.ScanLine(y - 1)[x]) || LandIndex(plain.ScanLine(y + 1)[x]);
                    if (!touchesLand)
                        continue;
                    ++shoreline;
                    open += SeaIndex(shore.ScanLine(y)[x]) && shore.ScanLine(y)[x] == plain.ScanLine(y)[x];
                }
            shorelineSeen += shoreline;
            EXPECT_EQ(open, 0) << "seed " << seed << " scroll " << sx << "," << sy;
        }
        EXPECT_GT(shorelineSeen, 100) << "seed " << seed;
    }
}

}  // namespace
}  // namespace korvan

// The generator consumes the random stream in a fixed order: the same state always gives the
// same map, draw for draw. Do not reorder draws or short-circuits here.
#include "map/MapGenerator.h"

#include "map/RandomSource.h"

namespace korvan {
namespace {

// A draw away from a type's blobs starts a new blob with one chance in this many.
constexpr std::uint32_t SeedOdds = 500;

// Features: the land type they grow on takes one of the first LandFeatures feature tiles on about
// every other cell; one sea cell in about SeaFeatureOdds takes one of the SeaFeatures after them,
// the last of which is the "none" value.
constexpr std::uint8_t FeatureLand = 5;
constexpr std::uint32_t LandFeatureOdds = 2;
constexpr std::uint32_t LandFeatures = 40;
constexpr std::uint32_t SeaFeatureOdds = 25;
constexpr std::uint32_t SeaFeatures = 9;

bool HasEdgeNeighbourOfType(const MapGrid& cells, int row, int col, std::uint8_t terrain)
{
    // Tested in this order; a neighbour outside the grid never matches.
    if (row > 0 && cells[row - 1][col].Terrain == terrain)
        return true;
    if (row < LastIndex && cells[row + 1][col].Terrain == terrain)
        return true;
    if (col > 0 && cells[row][col - 1].Terrain == terrain)
        return true;
    return col < LastIndex && cells[row][col + 1].Terrain == terrain;
}

void GrowTerrain(MapGrid& cells, RandomSource& rng)
{
    for (int type = 0; type <= SeaTerrain; ++type) {
        const auto terrain = static_cast<std::uint8_t>(type);
        for (int remaining = GrowthTargets[type]; remaining > 0;) {
            const int row = static_cast<int>(rng.Random(MapSize));
            const int col = static_cast<int>(rng.Random(MapSize));
            // The seed draw happens only when no neighbour already has the type.
            if (HasEdgeNeighbourOfType(cells, row, col, terrain) || rng.Random(SeedOdds) == 1) {
                cells[row][col].Terrain = terrain;
                --remaining;
            }
        }
    }
}

void SeaBorder(MapGrid& cells)
{
    for (int i = 0; i < MapSize; ++i) {
        cells[i][0].Terrain = SeaTerrain;
        cells[i][LastIndex].Terrain = SeaTerrain;
    }
    for (int j = 0; j < MapSize; ++j) {
        cells[0][j].Terrain = SeaTerrain;
        cells[LastIndex][j].Terrain = SeaTerrain;
    }
}

void CoastCorners(MapGrid& cells)
{
    for (int row = 0; row < MapSize; ++row)
        for (int col = 0; col < MapSize; ++col) {
            if (cells[row][col].Terrain != SeaTerrain)
                continue;
            if (col > 0 && row < LastIndex)
                SetCornerTop(cells, row, col);
            if (col < LastIndex && row > 0)
                SetCornerBottom(cells, row, col);
            if (row > 0 && col > 0)
                SetCornerLeft(cells, row, col);
            if (row < LastIndex && col < LastIndex)
                SetCornerRight(cells, row, col);
        }
}

void ScatterFeatures(MapGrid& cells, RandomSource& rng)
{
    for (auto& row : cells)
        for (auto& cell : row)
            if (rng.Random(LandFeatureOdds) == 1 && cell.Terrain == FeatureLand)
                cell.TerrainTile = static_cast<std::uint8_t>(rng.Random(LandFeatures));
    for (auto& row : cells)
        for (auto& cell : row)
            if (rng.Random(SeaFeatureOdds) == 1 && cell.Terrain == SeaTerrain)
                cell.TerrainTile = static_cast<std::uint8_t>(rng.Random(SeaFeatures) + LandFeatures);
}

// value = 16*[A land] + 8*[B land] + 4*[D land] + k, written only when one of them is land.
void SetCorner(MapGrid& cells, int row, int col, int slot, const MapCell& a, const MapCell& b, const MapCell& d)
{
    const int pattern = 4 * IsLand(a) + 2 * IsLand(b) + IsLand(d);
    if (pattern != 0)
        cells[row][col].CornerTiles[slot] = static_cast<std::uint8_t>(4 * pattern + slot);
}

}  // namespace

void SetCornerTop(MapGrid& cells, int r, int c)
{
    SetCorner(cells, r, c, CornerTop, cells[r][c - 1], cells[r + 1][c], cells[r + 1][c - 1]);
}

void SetCornerBottom(MapGrid& cells, int r, int c)
{
    SetCorner(cells, r, c, CornerBottom, cells[r][c + 1], cells[r - 1][c], cells[r - 1][c + 1]);
}

void SetCornerLeft(MapGrid& cells, int r, int c)
{
    SetCorner(cells, r, c, CornerLeft, cells[r - 1][c], cells[r][c - 1], cells[r - 1][c - 1]);
}

void SetCornerRight(MapGrid& cells, int r, int c)
{
    SetCorner(cells, r, c, CornerRight, cells[r + 1][c], cells[r][c + 1], cells[r + 1][c + 1]);
}

void GenerateMap(MapGrid& cells, RandomSource& rng)
{
    for (int row = 0; row < MapSize; ++row)
        for (int col = 0; col < MapSize; ++col)
            ClearCell(cells, row, col);
    GrowTerrain(cells, rng);
    SeaBorder(cells);
    CoastCorners(cells);
    ScatterFeatures(cells, rng);
}

}  // namespace korvan

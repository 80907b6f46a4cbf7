// The random map generator and the four coast corner rules.
#pragma once

#include "map/MapGrid.h"

namespace korvan {

struct RandomSource;

// Fills the grid with a new random map, drawing from rng.
void GenerateMap(MapGrid& cells, RandomSource& rng);

// The coast rules: each writes one corner byte of the sea cell (row, col) when one of its three
// neighbours on that corner's side is land. The caller keeps the neighbours inside the grid.
void SetCornerTop(MapGrid& cells, int row, int col);
void SetCornerBottom(MapGrid& cells, int row, int col);
void SetCornerLeft(MapGrid& cells, int row, int col);
void SetCornerRight(MapGrid& cells, int row, int col);

// How many placements each terrain type gets while growing, in placing order.
inline constexpr int GrowthTargets[10] = {250, 250, 600, 5, 2800, 2500, 4800, 400, 100, 0};

}  // namespace korvan

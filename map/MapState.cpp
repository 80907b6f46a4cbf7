// The stamps that name the contents of a map grid.
#include "map/MapGrid.h"

#include <atomic>

namespace korvan {

MapGrid& ChangeCells(MapState& map)
{
    // One counter for every grid, so that two grids never share a stamp unless one was copied
    // from the other; atomic, as grids may be written on several threads.
    static std::atomic<std::uint64_t> stamps{0};
    map.CellsVersion = stamps.fetch_add(1, std::memory_order_relaxed) + 1;
    return map.Cells;
}

}  // namespace korvan

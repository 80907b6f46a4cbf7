// The five blitters, each one tile blit of its sheet by the blitter in use.
#include "render/Blitters.h"

#include "render/Blitter.h"

namespace korvan {

void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    ActiveBlitter().BlitWindow(canvas, slot, x, y, column, row);
}

void BlitTerrit(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t tile)
{
    BlitWindow(canvas, TerritSheet, x, y, 0, tile);
}

void BlitLands(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(canvas, LandsSheet, x, y, column, row);
}

void BlitTerrain(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(canvas, TerrainSheet, x, y, column, row);
}

void BlitUnits(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(canvas, UnitsSheet, x, y, column, row);
}

void BlitQuadri(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(canvas, QuadriSheet, x, y, column, row);
}

}  // namespace korvan

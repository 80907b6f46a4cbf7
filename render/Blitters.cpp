// The five blitters, each one tile blit of its sheet.
#include "render/Blitters.h"

#include "render/TileBlitter.h"

namespace korvan {

void BlitWindow(Editor& editor, int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    TileBlitter(editor).Blit(slot, x, y, column, row);
}

void BlitTerrit(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t tile)
{
    BlitWindow(editor, TerritSheet, x, y, 0, tile);
}

void BlitLands(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, LandsSheet, x, y, column, row);
}

void BlitTerrain(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, TerrainSheet, x, y, column, row);
}

void BlitUnits(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, UnitsSheet, x, y, column, row);
}

void BlitQuadri(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, QuadriSheet, x, y, column, row);
}

}  // namespace korvan

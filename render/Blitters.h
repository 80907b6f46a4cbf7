// The five blitters: copy one tile window of a sheet into the back buffer, clipped per pixel,
// transparent at 0 and 240..255, water shimmering on Territ, Lands and Quadri.
#pragma once

#include "render/Canvas.h"

#include <cstdint>

namespace korvan {

void BlitTerrit(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t tile);
void BlitLands(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row);
void BlitTerrain(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row);
void BlitUnits(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row);
void BlitQuadri(Canvas& canvas, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row);

// The blit behind all five, with a position wide enough for any anchor plus any scroll.
// A source row past the sheet's last raises ScanLineError once the rows before it are drawn.
void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row);

}  // namespace korvan

// The simple blitter: each window read pixel by pixel, by the literal rule. Slow,
// and plain enough to check by eye; the other blitters must leave the same bytes and shimmer.
#pragma once

#include "render/Blitter.h"

namespace korvan {

// Every pixel of the window: rows outside the clip rectangle skipped whole, a row past the
// sheet's last raises ScanLineError, columns outside the clip or past the sheet's width and
// transparent pixels skipped, each opaque pixel of a shimmering sheet steps the shimmer and
// water indices move by its offset. Nothing is written outside the back buffer.
void BlitPerPixel(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row);

class SimpleBlitter final : public Blitter {
public:
    BlitterKind Kind() const override { return BlitterKind::Simple; }
    void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const override;
    void DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const override;
};

}  // namespace korvan

// The per-pixel blit.
#include "render/SimpleBlitter.h"

#include "render/CellPasses.h"
#include "render/Shimmer.h"

namespace korvan {
namespace {

struct PerPixel {
    Canvas& Target;

    template <int Slot>
    void Blit(std::int64_t x, std::int64_t y, int column, int row)
    {
        BlitPerPixel(Target, Slot, x, y, column, row);
    }
};

}  // namespace

void BlitPerPixel(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    const IndexedImage& sheet = canvas.Sheets[std::size_t(slot)];
    IndexedImage& buffer = canvas.BackBuffer;
    const std::int64_t sx0 = std::int64_t(g.GridWidth) * column, sy0 = std::int64_t(g.GridHeight) * row;
    for (int i = 0; i < g.WindowHeight; ++i) {
        const std::int64_t dy = y + i;
        if (dy < canvas.ViewTop || dy > canvas.ViewBottom || dy < 0 || dy >= buffer.Height)
            continue;
        const std::int64_t sy = sy0 + i;
        if (sy >= sheet.Height)
            throw ScanLineError();
        for (int j = 0; j < g.WindowWidth; ++j) {
            const std::int64_t dx = x + j, sx = sx0 + j;
            if (dx < canvas.ViewLeft || dx > canvas.ViewRight || dx < 0 || dx >= buffer.Width || sx >= sheet.Width)
                continue;
            std::uint8_t v = sheet.Pixels[std::size_t(sy * sheet.Width + sx)];
            if (!IsOpaque(v))
                continue;
            if (g.Shimmer) {
                StepShimmer(canvas.ShimmerOffset, canvas.ShimmerRising);
                if (IsWater(v))
                    v = std::uint8_t(v + canvas.ShimmerOffset);
            }
            buffer.Pixels[std::size_t(dy * buffer.Width + dx)] = v;
        }
    }
}

void SimpleBlitter::BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const
{
    PerPixel blit{canvas};
    BlitSlot(blit, slot, x, y, column, row);
}

void SimpleBlitter::DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const
{
    PerPixel blit{canvas};
    DrawCellPasses(blit, cells, count, canvas.ScrollX, canvas.ScrollY);
}

}  // namespace korvan

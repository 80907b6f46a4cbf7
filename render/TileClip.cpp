// The clip and shimmer phase of the encoded blitters.
#include "render/TileClip.h"

#include "render/SimpleBlitter.h"

#include <algorithm>

namespace korvan {

TileClip::TileClip(Canvas& canvas)
    : canvas_(canvas),
      // The clip rectangle, narrowed to the back buffer so that no write can leave it.
      clip_{std::max<std::int64_t>(canvas.ViewLeft, 0), std::max<std::int64_t>(canvas.ViewTop, 0),
            std::min<std::int64_t>(canvas.ViewRight, std::int64_t(canvas.BackBuffer.Width) - 1),
            std::min<std::int64_t>(canvas.ViewBottom, std::int64_t(canvas.BackBuffer.Height) - 1)},
      buffer_(canvas.BackBuffer.Pixels.data()),
      pitch_(canvas.BackBuffer.Width),
      phase_(ShimmerPhase(canvas.ShimmerOffset, canvas.ShimmerRising))
{
    for (int slot = 0; slot < SheetCount; ++slot) {
        // A whole window's runs and mask records are laid out for a 640-byte row.
        const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
        Rect& whole = whole_[std::size_t(slot)];
        whole = {clip_.Left, clip_.Top, clip_.Right - g.WindowWidth + 1, clip_.Bottom - g.WindowHeight + 1};
        if (pitch_ != WholeRunPitch || g.WindowWidth == 0)
            whole = {0, 0, -1, -1};
    }
}

TileClip::~TileClip()
{
    if (phase_ >= 0) {
        canvas_.ShimmerOffset = PhaseOffset[phase_];
        canvas_.ShimmerRising = PhaseRising[phase_];
    }
}

bool TileClip::CutWindow(int slot, std::int64_t x, std::int64_t y, int column, int row, Cut& cut)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    cut.FirstRow = std::max<std::int64_t>(0, clip_.Top - y);
    cut.LastRow = std::min<std::int64_t>(g.WindowHeight - 1, clip_.Bottom - y);
    if (cut.FirstRow > cut.LastRow)
        return false;
    const std::int64_t sy0 = std::int64_t(row) * g.GridHeight;
    if (g.Shimmer && phase_ < 0) {
        BlitPerPixel(canvas_, slot, x, y, column, row);
        phase_ = ShimmerPhase(canvas_.ShimmerOffset, canvas_.ShimmerRising);
        return false;
    }
    cut.FirstColumn = std::max<std::int64_t>(0, clip_.Left - x);
    cut.LastColumn = std::min<std::int64_t>(g.WindowWidth - 1, clip_.Right - x);
    cut.RowsInSheet =
        std::clamp<std::int64_t>(std::int64_t(canvas_.Sheets[std::size_t(slot)].Height) - sy0, 0, g.WindowHeight);
    cut.LastDrawn = std::min(cut.LastRow, cut.RowsInSheet - 1);
    cut.RowsOnly = cut.FirstColumn == 0 && cut.LastColumn == g.WindowWidth - 1 && pitch_ == WholeRunPitch;
    return true;
}

void TileClip::CheckSheetEnd(const Cut& cut)
{
    if (cut.LastRow >= cut.RowsInSheet && cut.FirstRow <= cut.LastRow)
        throw ScanLineError();
}

}  // namespace korvan

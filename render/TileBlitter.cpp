// The tile blit: whole windows copied run by run (or row by row as masked stores, on the AVX-512
// path) from a pixel stream that already carries the shimmer, clipped windows run by run or row
// by row from the stream that matches the shimmer at each.
#include "render/TileBlitter.h"

#include "render/VectorPath.h"
#include "render/Shimmer.h"

#include <algorithm>
#include <cstring>

namespace korvan {

TileBlitter::TileBlitter(Canvas& canvas)
    : canvas_(canvas),
      // The clip rectangle, narrowed to the back buffer so that no write can leave it.
      clip_{std::max<std::int64_t>(canvas.ViewLeft, 0), std::max<std::int64_t>(canvas.ViewTop, 0),
            std::min<std::int64_t>(canvas.ViewRight, std::int64_t(canvas.BackBuffer.Width) - 1),
            std::min<std::int64_t>(canvas.ViewBottom, std::int64_t(canvas.BackBuffer.Height) - 1)},
      buffer_(canvas.BackBuffer.Pixels.data()),
      pitch_(canvas.BackBuffer.Width),
      masked_(ActiveVectorPath() == VectorPath::Avx512),
      phase_(ShimmerPhase(canvas.ShimmerOffset, canvas.ShimmerRising))
{
    for (int slot = 0; slot < SheetCount; ++slot) {
        SheetCode& code = canvas.SheetCodes[std::size_t(slot)];
        const IndexedImage& sheet = canvas.Sheets[std::size_t(slot)];
        if (!IsCodeOf(code, sheet))
            code = EncodeSheet(sheet, SheetGeometries[std::size_t(slot)]);
        codes_[std::size_t(slot)] = &code;

        // A whole window's runs and mask records are laid out for a 640-byte row.
        const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
        Rect& whole = whole_[std::size_t(slot)];
        whole = {clip_.Left, clip_.Top, clip_.Right - g.WindowWidth + 1, clip_.Bottom - g.WindowHeight + 1};
        if (pitch_ != WholeRunPitch || g.WindowWidth == 0)
            whole = {0, 0, -1, -1};
    }
}

TileBlitter::~TileBlitter()
{
    if (phase_ >= 0) {
        canvas_.ShimmerOffset = PhaseOffset[phase_];
        canvas_.ShimmerRising = PhaseRising[phase_];
    }
}

void TileBlitter::Blit(int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    switch (slot) {
    case UnitsSheet:
        return Blit<UnitsSheet>(x, y, column, row);
    case TerritSheet:
        return Blit<TerritSheet>(x, y, column, row);
    case LandsSheet:
        return Blit<LandsSheet>(x, y, column, row);
    case TerrainSheet:
        return Blit<TerrainSheet>(x, y, column, row);
    case QuadriSheet:
        return Blit<QuadriSheet>(x, y, column, row);
    default:
        return;  // Cities is never drawn
    }
}

// A window cut by the clip rectangle or by the sheet's end: run by run, each run cut to the
// columns inside, from the stream that gives its first drawn pixel the shimmer's next offset.
void TileBlitter::BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    if (g.GridWidth == 0)
        column = 0;  // a one-column sheet: every column is its first
    const std::int64_t firstRow = std::max<std::int64_t>(0, clip_.Top - y);
    const std::int64_t lastRow = std::min<std::int64_t>(g.WindowHeight - 1, clip_.Bottom - y);
    if (firstRow > lastRow)
        return;
    const std::int64_t sy0 = std::int64_t(row) * g.GridHeight;
    if (g.Shimmer && phase_ < 0) {
        BlitPixels(slot, x, y, std::int64_t(column) * g.GridWidth, sy0);
        phase_ = ShimmerPhase(canvas_.ShimmerOffset, canvas_.ShimmerRising);
        return;
    }

    const std::int64_t firstColumn = std::max<std::int64_t>(0, clip_.Left - x);
    const std::int64_t lastColumn = std::min<std::int64_t>(g.WindowWidth - 1, clip_.Right - x);
    const std::int64_t rowsInSheet =
        std::clamp<std::int64_t>(std::int64_t(canvas_.Sheets[std::size_t(slot)].Height) - sy0, 0, g.WindowHeight);
    const SheetCode& code = *codes_[std::size_t(slot)];
    const TileWindow* window = code.Window(column, row);
    const std::int64_t lastDrawn = std::min(lastRow, rowsInSheet - 1);
    if (window != nullptr && firstColumn <= lastColumn && firstRow <= lastDrawn) {
        const std::uint32_t* rowStarts = code.RowStarts(column, row);
        const std::uint8_t* pixels = code.Pool.data() + window->Pixels;
        std::uint8_t* origin = buffer_ + y * pitch_ + x;
        const bool rowsOnly = firstColumn == 0 && lastColumn == g.WindowWidth - 1 && pitch_ == WholeRunPitch;
        if (rowsOnly && masked_) {
            const int after = BlitRowsMasked(code.MaskRowsByWidth.data() + window->FirstMaskRow, window->ByWidth,
                                             code.RowIndex(column, row), pixels, window->Stride, origin, firstRow,
                                             lastDrawn, g.Shimmer ? phase_ : -1);
            if (g.Shimmer)
                phase_ = after;
        } else if (rowsOnly) {
            // Only rows are cut: the runs of the rows inside, in order, as for a whole window.
            const std::uint32_t first = rowStarts[firstRow], end = rowStarts[lastDrawn + 1];
            if (first != end) {
                const TileRun& firstRun = code.Runs[first];
                const std::uint8_t* source = pixels + firstRun.Before;
                if (g.Shimmer) {
                    const std::uint32_t after = end == window->FirstRun + window->RunCount ? window->Opaque : code.Runs[end].Before;
                    source += std::size_t(Mod6Of(phase_ - firstRun.BeforeMod6)) * window->Stride;
                    phase_ = int((std::uint32_t(phase_) + (after - firstRun.Before)) % ShimmerPeriod);
                }
                for (const WholeRun *run = code.WholeRuns.data() + first, *stop = code.WholeRuns.data() + end; run != stop; ++run) {
                    CopyRun(origin + run->Target, source, run->Length);
                    source += run->Length;
                }
            }
        } else if (masked_) {
            const MaskRow* rows = code.MaskRows.data() + window->FirstMaskRow;
            const int phase = g.Shimmer ? phase_ : -1;
            const MaskedClip cut{firstRow, lastDrawn, firstColumn, lastColumn};
            const std::uint32_t n = window->MaskRowCount, streamBytes = window->Stride;
            int after;
            // A buffer of another width, or a view narrower than the window: the general cut.
            if (pitch_ != WholeRunPitch || (firstColumn > 0 && lastColumn < g.WindowWidth - 1))
                after = BlitClippedMasked(rows, n, pixels, streamBytes, origin, pitch_, cut, phase);
            else if (firstColumn > 0)  // cut by the clip's left edge
                after = BlitFromColumnMasked(rows, n, pixels, streamBytes, origin, cut, phase);
            else  // by its right edge
                after = BlitToColumnMasked(rows, n, pixels, streamBytes, origin, cut, phase);
            if (g.Shimmer)
                phase_ = after;
        } else {
            for (std::int64_t i = firstRow; i <= lastDrawn; ++i) {
                std::uint8_t* destination = buffer_ + (y + i) * pitch_ + x;
                const TileRun* run = code.Runs.data() + rowStarts[i];
                for (const TileRun* end = code.Runs.data() + rowStarts[i + 1]; run != end; ++run) {
                    const std::int64_t start = std::max<std::int64_t>(run->Start, firstColumn);
                    const std::int64_t stop = std::min<std::int64_t>(run->Start + run->Length - 1, lastColumn);
                    if (start > stop) {
                        if (run->Start > lastColumn)
                            break;
                        continue;
                    }
                    const int skipped = int(start - run->Start);
                    const int count = int(stop - start + 1);
                    const std::uint8_t* source = pixels + run->Before + skipped;
                    if (g.Shimmer) {
                        source += std::size_t(Mod6Of(phase_ - run->BeforeMod6 - skipped)) * window->Stride;
                        phase_ = Mod6Of(phase_ + count);
                    }
                    CopyRun(destination + start, source, std::size_t(count));
                }
            }
        }
    }
    if (lastRow >= rowsInSheet && firstRow <= lastRow)
        throw ScanLineError();
}

// Pixel by pixel, for a shimmer state off its cycle (a stray field value): the state then
// steps through values the streams do not hold.
void TileBlitter::BlitPixels(int slot, std::int64_t x, std::int64_t y, std::int64_t sx0, std::int64_t sy0)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    const IndexedImage& sheet = canvas_.Sheets[std::size_t(slot)];
    for (std::int64_t i = 0; i < g.WindowHeight; ++i) {
        const std::int64_t dy = y + i;
        if (dy < clip_.Top || dy > clip_.Bottom)
            continue;
        const std::int64_t sy = sy0 + i;
        if (sy >= sheet.Height)
            throw ScanLineError();
        const std::uint8_t* source = sheet.Pixels.data() + sy * sheet.Width;
        std::uint8_t* destination = buffer_ + dy * pitch_;
        for (std::int64_t j = 0; j < g.WindowWidth; ++j) {
            const std::int64_t dx = x + j;
            const std::int64_t sx = sx0 + j;
            if (dx < clip_.Left || dx > clip_.Right || sx >= sheet.Width)
                continue;
            std::uint8_t v = source[sx];
            if (v == 0 || v >= 240)
                continue;
            StepShimmer(canvas_.ShimmerOffset, canvas_.ShimmerRising);
            if (IsWater(v))
                v = std::uint8_t(v + canvas_.ShimmerOffset);
            destination[dx] = v;
        }
    }
}

}  // namespace korvan

// The portable blitter's cut windows, and its place behind the blitter interface.
#include "render/RunBlitter.h"

#include "render/CellPasses.h"

#include <algorithm>

namespace korvan {

RunTileBlitter::RunTileBlitter(Canvas& canvas) : TileClip(canvas)
{
    for (int slot = 0; slot < SheetCount; ++slot)
        codes_[std::size_t(slot)] = &EncodingOf<RunCode>(canvas, BlitterKind::Portable, slot, EncodeRuns);
}

// A window cut by the clip rectangle or by the sheet's end.
void RunTileBlitter::BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    Cut cut;
    if (!CutWindow(slot, x, y, column, row, cut))
        return;
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    const RunCode& code = *codes_[std::size_t(slot)];
    const RunWindow* window = code.Window(column, row);
    if (window != nullptr && cut.FirstColumn <= cut.LastColumn && cut.FirstRow <= cut.LastDrawn) {
        if (cut.RowsOnly)
            BlitRows(code, *window, code.RowStarts(column, row), cut, g.Shimmer, buffer_ + y * pitch_ + x);
        else
            BlitRuns(code, *window, code.RowStarts(column, row), cut, g.Shimmer, x, y);
    }
    CheckSheetEnd(cut);
}

// Only rows are cut: the runs of the rows inside, in order, as for a whole window.
void RunTileBlitter::BlitRows(const RunCode& code, const RunWindow& window, const std::uint32_t* rowStarts,
                              const Cut& cut, bool shimmer, std::uint8_t* origin)
{
    const std::uint32_t first = rowStarts[cut.FirstRow], end = rowStarts[cut.LastDrawn + 1];
    if (first == end)
        return;
    const TileRun& firstRun = code.Runs[first];
    const std::uint8_t* source = code.Pool.data() + window.Pixels + firstRun.Before;
    if (shimmer) {
        const std::uint32_t after = end == window.FirstRun + window.RunCount ? window.Opaque : code.Runs[end].Before;
        source += std::size_t(Mod6Of(phase_ - firstRun.BeforeMod6)) * window.Stride;
        phase_ = int((std::uint32_t(phase_) + (after - firstRun.Before)) % ShimmerPeriod);
    }
    for (const WholeRun *run = code.WholeRuns.data() + first, *stop = code.WholeRuns.data() + end; run != stop; ++run) {
        CopyRun(origin + run->Target, source, run->Length);
        source += run->Length;
    }
}

// Run by run, each run cut to the columns inside, from the stream that gives its first drawn
// pixel the shimmer's next offset.
void RunTileBlitter::BlitRuns(const RunCode& code, const RunWindow& window, const std::uint32_t* rowStarts,
                              const Cut& cut, bool shimmer, std::int64_t x, std::int64_t y)
{
    const std::uint8_t* pixels = code.Pool.data() + window.Pixels;
    for (std::int64_t i = cut.FirstRow; i <= cut.LastDrawn; ++i) {
        std::uint8_t* destination = buffer_ + (y + i) * pitch_ + x;
        const TileRun* run = code.Runs.data() + rowStarts[i];
        for (const TileRun* end = code.Runs.data() + rowStarts[i + 1]; run != end; ++run) {
            const std::int64_t start = std::max<std::int64_t>(run->Start, cut.FirstColumn);
            const std::int64_t stop = std::min<std::int64_t>(run->Start + run->Length - 1, cut.LastColumn);
            if (start > stop) {
                if (run->Start > cut.LastColumn)
                    break;
                continue;
            }
            const int skipped = int(start - run->Start);
            const int count = int(stop - start + 1);
            const std::uint8_t* source = pixels + run->Before + skipped;
            if (shimmer) {
                source += std::size_t(Mod6Of(phase_ - run->BeforeMod6 - skipped)) * window.Stride;
                phase_ = Mod6Of(phase_ + count);
            }
            CopyRun(destination + start, source, std::size_t(count));
        }
    }
}

void PortableBlitter::BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const
{
    RunTileBlitter blit(canvas);
    BlitSlot(blit, slot, x, y, column, row);
}

void PortableBlitter::DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const
{
    RunTileBlitter blit(canvas);
    DrawCellPasses(blit, cells, count, canvas.ScrollX, canvas.ScrollY);
}

}  // namespace korvan

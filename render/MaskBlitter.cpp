// The AVX-512 blitter's cut windows, and its place behind the blitter interface.
#include "render/MaskBlitter.h"

#include "render/CellPasses.h"

namespace korvan {

MaskTileBlitter::MaskTileBlitter(Canvas& canvas) : TileClip(canvas)
{
    for (int slot = 0; slot < SheetCount; ++slot)
        codes_[std::size_t(slot)] = &EncodingOf<MaskCode>(canvas, BlitterKind::Avx512, slot, EncodeMasks);
}

// A window cut by the clip rectangle or by the sheet's end: the records of the rows inside, each
// cut to the columns inside, from the stream that matches the shimmer at each.
void MaskTileBlitter::BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    Cut cut;
    if (!CutWindow(slot, x, y, column, row, cut))
        return;
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    const MaskCode& code = *codes_[std::size_t(slot)];
    const MaskWindow* window = code.Window(column, row);
    if (window != nullptr && cut.FirstColumn <= cut.LastColumn && cut.FirstRow <= cut.LastDrawn) {
        const std::uint8_t* pixels = code.Pool.data() + window->Pixels;
        std::uint8_t* origin = buffer_ + y * pitch_ + x;
        const int phase = g.Shimmer ? phase_ : -1;
        const MaskRow* rows = code.MaskRows.data() + window->FirstMaskRow;
        const MaskedClip clip{cut.FirstRow, cut.LastDrawn, cut.FirstColumn, cut.LastColumn};
        const std::uint32_t n = window->MaskRowCount, streamBytes = window->Stride;
        int after;
        if (cut.RowsOnly)
            after = BlitRowsMasked(code.MaskRowsByWidth.data() + window->FirstMaskRow, window->ByWidth,
                                   code.RowIndex(column, row), pixels, streamBytes, origin, cut.FirstRow,
                                   cut.LastDrawn, phase);
        // A buffer of another width, or a view narrower than the window: the general cut.
        else if (pitch_ != WholeRunPitch || (cut.FirstColumn > 0 && cut.LastColumn < g.WindowWidth - 1))
            after = BlitClippedMasked(rows, n, pixels, streamBytes, origin, pitch_, clip, phase);
        else if (cut.FirstColumn > 0)  // cut by the clip's left edge
            after = BlitFromColumnMasked(rows, n, pixels, streamBytes, origin, clip, phase);
        else  // by its right edge
            after = BlitToColumnMasked(rows, n, pixels, streamBytes, origin, clip, phase);
        if (g.Shimmer)
            phase_ = after;
    }
    CheckSheetEnd(cut);
}

void Avx512Blitter::BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const
{
    MaskTileBlitter blit(canvas);
    BlitSlot(blit, slot, x, y, column, row);
}

void Avx512Blitter::DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const
{
    MaskTileBlitter blit(canvas);
    DrawCellPasses(blit, cells, count, canvas.ScrollX, canvas.ScrollY);
}

}  // namespace korvan

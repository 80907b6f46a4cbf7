// The AVX-512 blitter's encoding of a sheet: each tile window's opaque pixels as 64-column bit
// masks, so that one masked store draws up to 64 pixels of a row.
#pragma once

#include "render/SheetEncoding.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

// The opaque pixels of one window row that lie within 64 columns from Start, as a bit mask
// (bit k: column Start + k). A row whose opaque pixels span more than 64 columns has a second
// record.
struct MaskRow {
    std::uint64_t Mask;
    std::uint16_t Before;    // opaque pixels of the window before this record
    std::uint8_t BeforeMod6;
    std::uint8_t Row;
    std::uint8_t Start;
    std::uint8_t Count;      // opaque pixels in the record
    std::uint16_t Target;    // Row * WholeRunPitch + Start: its place from a whole window's origin
};
// What lies before a window row: its opaque pixels, and its records of each width class in
// MaskCode::MaskRowsByWidth. Within a class the records keep row order, so the rows of a clip
// are one range of each class, and their first pixel's place picks the stream.
struct MaskRowIndex {
    std::uint16_t Opaque;
    std::uint8_t ByWidth[3];
    std::uint8_t Unused;
};

// A window's records, and its pixels as streams (see StreamPlace) in the records' order.
struct MaskWindow {
    std::uint32_t FirstMaskRow = 0;  // in MaskRows and in MaskRowsByWidth
    std::uint32_t MaskRowCount = 0;
    std::uint16_t ByWidth[3] = {};   // records over 32 columns wide, over 16, the rest
    std::uint32_t Opaque = 0;
    std::uint32_t Pixels = 0;        // its first stream, in Pool
    std::uint32_t Stride = 0;        // bytes from one phase's stream to the next
    std::uint8_t OpaqueMod6 = 0;
    bool InSheet = false;            // every row of the window lies inside the sheet
};

struct MaskCode : SheetEncoding {
    std::vector<MaskWindow> Windows;  // row by row
    std::vector<MaskRow> MaskRows;    // row by row
    // Each window's records again, the widest first: a whole window has no order to keep, and
    // narrow records move with narrower, cheaper stores.
    std::vector<MaskRow> MaskRowsByWidth;
    // Per window, WindowHeight + 1 entries: what lies before each row (see MaskRowIndex).
    std::vector<MaskRowIndex> MaskRowIndices;
    std::vector<std::uint8_t> Pool;

    const MaskWindow* Window(int column, int row) const
    {
        if (column >= Columns || row >= Rows)
            return nullptr;  // a window wholly outside the sheet: nothing opaque
        return &Windows[std::size_t(row * Columns + column)];
    }
    const MaskRowIndex* RowIndex(int column, int row) const
    {
        return MaskRowIndices.data() + std::size_t(row * Columns + column) * std::size_t(WindowHeight + 1);
    }
};

MaskCode EncodeMasks(const IndexedImage& sheet, const SheetGeometry& geometry);

}  // namespace korvan

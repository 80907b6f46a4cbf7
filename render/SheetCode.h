// Tile windows of a sheet, encoded once into opaque runs, so that a blit skips transparent
// pixels in bulk and copies opaque runs whole.
#pragma once

#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

struct TileRun {
    std::uint8_t Row;     // window row
    std::uint8_t Start;   // first window column of the run
    std::uint8_t Length;
    std::uint8_t BeforeMod6;  // Before mod 6, so that a clipped blit finds its stream without a division
    std::uint32_t Before;     // opaque pixels of the window before this run: its place in a stream
};

// A run of a window drawn whole into a back buffer 640 bytes wide: where it starts from the
// window's origin, and how long it is.
struct WholeRun {
    std::uint16_t Target;  // row * 640 + start
    std::uint8_t Length;
    std::uint8_t Unused;
};
inline constexpr int WholeRunPitch = 640;

// The opaque pixels of one window row that lie within 64 columns from Start, as a bit mask
// (bit k: column Start + k), for blitters that move a row with one masked store. A row whose
// opaque pixels span more than 64 columns has a second record.
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
// SheetCode::MaskRowsByWidth. Within a class the records keep row order, so the rows of a clip
// are one range of each class, and their first pixel's place picks the stream.
struct MaskRowIndex {
    std::uint16_t Opaque;
    std::uint8_t ByWidth[3];
    std::uint8_t Unused;
};

// A masked blit reads a whole 64-byte block of a stream from any pixel: the pool has this many
// bytes after its last stream.
inline constexpr std::size_t PoolTail = 64;

// A window's runs in reading order, and its pixels as streams: the opaque pixels back to back in
// that order. A shimmering sheet keeps one stream for each shimmer phase p (ShimmerPeriod of them,
// Stride bytes apart), the n-th pixel of stream p already moved by PhaseOffset[(p + n + 1) % 6]:
// the offset it gets when the window is drawn whole from phase p. A window without water looks
// the same from every phase: it keeps one stream, and a Stride of 0.
struct TileWindow {
    std::uint32_t FirstRun = 0;
    std::uint32_t RunCount = 0;
    std::uint32_t Opaque = 0;    // pixels in the window's runs
    std::uint32_t Pixels = 0;    // its first stream, in SheetCode::Pool
    std::uint32_t Stride = 0;    // bytes from one phase's stream to the next
    std::uint32_t FirstMaskRow = 0;  // in MaskRows and in MaskRowsByWidth
    std::uint32_t MaskRowCount = 0;
    std::uint16_t ByWidth[3] = {};   // records over 32 columns wide, over 16, the rest
    std::uint8_t OpaqueMod6 = 0;
    bool InSheet = false;        // every row of the window lies inside the sheet
};

struct SheetCode {
    // The picture this was made from; a different one (or a copied editor) is encoded anew.
    std::uintptr_t Source = 0;
    int Width = -1;
    int Height = -1;

    int WindowHeight = 0;
    int Columns = 0;  // windows encoded: column < Columns and row < Rows, origin inside the sheet
    int Rows = 0;
    std::vector<TileWindow> Windows;     // row by row
    std::vector<std::uint32_t> RowRuns;  // per window, WindowHeight + 1 indices into Runs: where each row's runs begin
    std::vector<TileRun> Runs;
    std::vector<WholeRun> WholeRuns;  // the same runs, as a whole-window blit reads them
    std::vector<MaskRow> MaskRows;    // the same pixels, row by row as masks
    // Each window's records again, the widest first: a whole window has no order to keep, and
    // narrow records move with narrower, cheaper stores.
    std::vector<MaskRow> MaskRowsByWidth;
    // Per window, WindowHeight + 1 entries: what lies before each row (see MaskRowIndex).
    std::vector<MaskRowIndex> MaskRowIndices;
    std::vector<std::uint8_t> Pool;

    const TileWindow* Window(int column, int row) const
    {
        if (column >= Columns || row >= Rows)
            return nullptr;  // a window wholly outside the sheet: nothing opaque
        return &Windows[std::size_t(row * Columns + column)];
    }
    const std::uint32_t* RowStarts(int column, int row) const
    {
        return RowRuns.data() + std::size_t(row * Columns + column) * std::size_t(WindowHeight + 1);
    }
    const MaskRowIndex* RowIndex(int column, int row) const
    {
        return MaskRowIndices.data() + std::size_t(row * Columns + column) * std::size_t(WindowHeight + 1);
    }
};

SheetCode EncodeSheet(const IndexedImage& sheet, const SheetGeometry& geometry);
bool IsCodeOf(const SheetCode& code, const IndexedImage& sheet);

}  // namespace korvan

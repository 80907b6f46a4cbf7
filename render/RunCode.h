// The portable blitter's encoding of a sheet: each tile window as its opaque runs, so that a
// blit skips transparent pixels in bulk and copies opaque runs whole.
#pragma once

#include "render/SheetEncoding.h"

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

// A run of a window drawn whole into a back buffer WholeRunPitch bytes wide: where it starts
// from the window's origin, and how long it is.
struct WholeRun {
    std::uint16_t Target;  // row * WholeRunPitch + start
    std::uint8_t Length;
    std::uint8_t Unused;
};

// A window's runs in reading order, and its pixels as streams (see StreamPlace).
struct RunWindow {
    std::uint32_t FirstRun = 0;
    std::uint32_t RunCount = 0;
    std::uint32_t Opaque = 0;  // pixels in the window's runs
    std::uint32_t Pixels = 0;  // its first stream, in Pool
    std::uint32_t Stride = 0;  // bytes from one phase's stream to the next
    std::uint8_t OpaqueMod6 = 0;
    bool InSheet = false;      // every row of the window lies inside the sheet
};

struct RunCode : SheetEncoding {
    std::vector<RunWindow> Windows;      // row by row
    std::vector<std::uint32_t> RowRuns;  // per window, WindowHeight + 1 indices into Runs: where each row's runs begin
    std::vector<TileRun> Runs;
    std::vector<WholeRun> WholeRuns;  // the same runs, as a whole-window blit reads them
    std::vector<std::uint8_t> Pool;

    const RunWindow* Window(int column, int row) const
    {
        if (column >= Columns || row >= Rows)
            return nullptr;  // a window wholly outside the sheet: nothing opaque
        return &Windows[std::size_t(row * Columns + column)];
    }
    const std::uint32_t* RowStarts(int column, int row) const
    {
        return RowRuns.data() + std::size_t(row * Columns + column) * std::size_t(WindowHeight + 1);
    }
};

RunCode EncodeRuns(const IndexedImage& sheet, const SheetGeometry& geometry);

}  // namespace korvan

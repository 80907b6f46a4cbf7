// One small interface over the three blitters that sit side by side, each with its own way of
// holding a sheet: the simple one reads the sheet pixel by pixel, the portable one copies opaque
// runs, the AVX-512 one stores masked rows. All three leave the same bytes and the same shimmer
// state. One is chosen when the program starts, by processor and by KORVAN_BLITTER.
#pragma once

#include "render/BlitterKind.h"
#include "render/Canvas.h"
#include "render/Cull.h"

#include <cstddef>
#include <cstdint>

namespace korvan {

class Blitter {
public:
    virtual ~Blitter() = default;

    virtual BlitterKind Kind() const = 0;

    // The window (column, row) of the sheet in slot, its top-left pixel at (x, y) in the back
    // buffer, clipped to the view. A source row past the sheet's last raises ScanLineError once
    // the rows before it are drawn.
    virtual void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const = 0;

    // The map drawing's two passes over cells that passed the cull test, in their order: ground
    // tiles and coast pieces of every cell, then the Lands and Terrain overlays.
    virtual void DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const = 0;
};

// "simple", "portable", "avx512".
const char* BlitterName(BlitterKind kind);

// Why this processor cannot run the blitter, or nullptr when it can.
const char* BlitterUnavailable(BlitterKind kind);

// The blitter of a kind the processor can run.
const Blitter& BlitterOf(BlitterKind kind);

// The blitter in use. It starts as StartingBlitter says for the environment and the processor.
const Blitter& ActiveBlitter();

// The blitter the program starts with, given KORVAN_BLITTER and KORVAN_VECTOR (nullptr when
// unset) and whether the processor runs the AVX-512 blitter: the one KORVAN_BLITTER names
// (simple, portable or avx512) when the processor can run it, otherwise the fastest it can run,
// the portable one when KORVAN_VECTOR=portable.
BlitterKind StartingBlitter(const char* blitterVariable, const char* vectorVariable, bool avx512Runs);

// Chooses a blitter for what follows; returns false, changing nothing, if the processor lacks it.
bool SetActiveBlitter(BlitterKind kind);

}  // namespace korvan

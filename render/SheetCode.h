// Tile windows of a sheet, encoded once into opaque runs per window row, so that a blit skips
// transparent pixels in bulk and copies opaque runs whole.
#pragma once

#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"

#include <cstdint>
#include <vector>

namespace korvan {

struct TileRun {
    std::uint16_t Start;   // first window column of the run
    std::uint16_t Length;
    std::uint32_t Pixels;  // in SheetCode::Pool; a shimmering sheet keeps six copies back to back,
                           // copy q holding each pixel k already moved by PhaseOffset[(q + k) % 6]
};

struct TileRow {
    std::uint32_t FirstRun;
    std::uint32_t RunCount;
};

struct SheetCode {
    // The picture this was made from; a different one (or a copied editor) is encoded anew.
    std::uintptr_t Source = 0;
    int Width = -1;
    int Height = -1;

    int Columns = 0;  // windows encoded: column < Columns and row < Rows, origin inside the sheet
    int Rows = 0;
    std::vector<TileRow> WindowRows;  // WindowHeight entries per window, windows row by row
    std::vector<TileRun> Runs;
    std::vector<std::uint8_t> Pool;
};

SheetCode EncodeSheet(const IndexedImage& sheet, const SheetGeometry& geometry);
bool IsCodeOf(const SheetCode& code, const IndexedImage& sheet);

}  // namespace korvan

// The tile palettes of the tile windows: where each item of a brush's sheet sits in a palette,
// which item a click lands on, the palette's picture, and choosing an item as the keys would.
// The terrain legend keeps its own layout of ten tiles stacked 33 pixels apart.
#pragma once

#include "edit/BrushState.h"
#include "render/Artwork.h"

namespace korvan {

struct PaletteRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool Contains(int x, int y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
};

// Items in value order, left to right and top to bottom, each in a cell of its tile's grid size
// plus a pad on every side; the cells touch, so every point of the grid belongs to one item.
struct PaletteLayout {
    int Mode = -1;
    int Items = 0;
    int Columns = 0;
    int Rows = 0;
    int PitchX = 0;  // a cell's size
    int PitchY = 0;
    int Width = 0;   // the whole palette, margins included
    int Height = 0;
};

inline constexpr int PaletteMargin = 3;  // between the palette's edge and the grid
inline constexpr int PalettePad = 2;     // between a cell's edge and its tile's grid box

// As many columns as fit in width (at least one); coast pieces keep their groups of four (one
// piece in its four corners) on one row. A mode that is none gives an empty layout.
PaletteLayout LayoutPalette(int mode, int width);

// The cell of an item (what a click selects it in) and where its tile's window is drawn, 1:1.
PaletteRect PaletteCell(const PaletteLayout& layout, int item);
PaletteRect PaletteTile(const PaletteLayout& layout, int item);

// The item whose cell holds (x, y), or -1 for the margins and the cells past the last item.
int PaletteItemAt(const PaletteLayout& layout, int x, int y);

// The palette's picture: every item's tile window copied from its sheet, opaque pixels only, and
// index 0 everywhere else; with the given palette (Black.BMP's). Parts of a window that lie
// outside a sheet too small for it are left out.
IndexedImage DrawPalette(const Artwork& artwork, const PaletteLayout& layout);

// A click on an item: the mode becomes current and the item its mode's item, as if the keys had
// stepped there. Values that are no mode or no item of it change nothing.
void ChooseItem(BrushState& brush, int mode, int item);

// The terrain legend: terrain t owns the rows 33t..33t+32 (its tile, the frame row above it and
// the name beside it), the last one also the rows below, down to the window's height.
inline constexpr int LegendStep = 33;
int LegendItemAt(int y, int height);

}  // namespace korvan

// Palette layout, hit test, picture and choice.
#include "edit/TilePalette.h"

#include "edit/Brush.h"
#include "edit/BrushModes.h"

#include <algorithm>

namespace korvan {
namespace {

// The box a tile takes in its sheet's grid; Territ is one column, as wide as its window.
struct TileBox {
    int Width;
    int Height;
};

TileBox BoxOf(int slot)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    return {g.GridWidth != 0 ? g.GridWidth : g.WindowWidth, g.GridHeight};
}

// Coast pieces come in fours: one piece in its top, bottom, left and right corner.
int GroupOf(int mode) { return mode == QuadriMode ? 4 : 1; }

}  // namespace

PaletteLayout LayoutPalette(int mode, int width)
{
    const BrushModeInfo* info = BrushModeOf(mode);
    if (info == nullptr)
        return {};
    const TileBox box = BoxOf(info->Slot);
    PaletteLayout layout;
    layout.Mode = mode;
    layout.Items = info->Items;
    layout.PitchX = box.Width + 2 * PalettePad;
    layout.PitchY = box.Height + 2 * PalettePad;
    int columns = std::max(1, (width - 2 * PaletteMargin) / layout.PitchX);
    const int group = GroupOf(mode);
    if (columns >= group)
        columns -= columns % group;
    layout.Columns = std::min(columns, layout.Items);
    layout.Rows = (layout.Items + layout.Columns - 1) / layout.Columns;
    layout.Width = 2 * PaletteMargin + layout.Columns * layout.PitchX;
    layout.Height = 2 * PaletteMargin + layout.Rows * layout.PitchY;
    return layout;
}

PaletteRect PaletteCell(const PaletteLayout& layout, int item)
{
    if (item < 0 || item >= layout.Items)
        return {};
    return {PaletteMargin + item % layout.Columns * layout.PitchX, PaletteMargin + item / layout.Columns * layout.PitchY,
            layout.PitchX, layout.PitchY};
}

PaletteRect PaletteTile(const PaletteLayout& layout, int item)
{
    const PaletteRect cell = PaletteCell(layout, item);
    const BrushModeInfo* info = BrushModeOf(layout.Mode);
    if (cell.Width == 0 || info == nullptr)
        return {};
    const SheetGeometry& g = SheetGeometries[std::size_t(info->Slot)];
    return {cell.X + PalettePad, cell.Y + PalettePad, g.WindowWidth, g.WindowHeight};
}

int PaletteItemAt(const PaletteLayout& layout, int x, int y)
{
    if (layout.Items <= 0 || x < PaletteMargin || y < PaletteMargin)
        return -1;
    const int column = (x - PaletteMargin) / layout.PitchX;
    const int row = (y - PaletteMargin) / layout.PitchY;
    if (column >= layout.Columns || row >= layout.Rows)
        return -1;
    const int item = row * layout.Columns + column;
    return item < layout.Items ? item : -1;
}

IndexedImage DrawPalette(const Artwork& artwork, const PaletteLayout& layout)
{
    IndexedImage picture(layout.Width, layout.Height);
    picture.Palette = artwork.BackBuffer.Palette;
    const BrushModeInfo* info = BrushModeOf(layout.Mode);
    if (info == nullptr)
        return picture;
    const IndexedImage& sheet = artwork.Sheets[std::size_t(info->Slot)];
    const SheetGeometry& g = SheetGeometries[std::size_t(info->Slot)];
    for (int item = 0; item < layout.Items; ++item) {
        const TilePlace place = info->Place(item);
        const int sx0 = place.Column * g.GridWidth, sy0 = place.Row * g.GridHeight;
        const PaletteRect tile = PaletteTile(layout, item);
        for (int i = 0; i < g.WindowHeight && sy0 + i < sheet.Height; ++i) {
            const std::uint8_t* source = sheet.Pixels.data() + std::size_t(sy0 + i) * std::size_t(sheet.Width);
            std::uint8_t* target = picture.Pixels.data() + std::size_t(tile.Y + i) * std::size_t(picture.Width);
            for (int j = 0; j < g.WindowWidth && sx0 + j < sheet.Width; ++j)
                if (IsOpaque(source[sx0 + j]))
                    target[tile.X + j] = source[sx0 + j];
        }
    }
    return picture;
}

void ChooseItem(BrushState& brush, int mode, int item)
{
    const BrushModeInfo* info = BrushModeOf(mode);
    if (info == nullptr || item < 0 || item >= info->Items)
        return;
    brush.EditMode = mode;
    brush.*info->Item = item;
}

int LegendItemAt(int y, int height)
{
    if (y < 0 || y >= height)
        return -1;
    return std::min(y / LegendStep, TerritTiles - 1);
}

}  // namespace korvan

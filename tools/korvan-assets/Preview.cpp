// The preview composition: the two drawing passes over the grid.
#include "Preview.h"

#include "render/SheetCatalogue.h"

namespace korvan::art {
namespace {

struct Clip {
    int Right, Bottom;
};

void Blit(const IndexedImage& sheet, int sx0, int sy0, int w, int h, long long x, long long y, const Clip& clip,
          IndexedImage& out)
{
    for (int i = 0; i < h; ++i) {
        const long long dy = y + i;
        if (dy < 0 || dy > clip.Bottom || sy0 + i >= sheet.Height)
            continue;
        const std::uint8_t* src = sheet.ScanLine(sy0 + i);
        std::uint8_t* dst = out.ScanLine(int(dy));
        for (int j = 0; j < w; ++j) {
            const long long dx = x + j;
            if (dx < 0 || dx > clip.Right || sx0 + j >= sheet.Width)
                continue;
            const std::uint8_t v = src[sx0 + j];
            if (IsOpaque(v))
                dst[dx] = v;
        }
    }
}

}  // namespace

void ComposeMap(const MapGrid& cells, const PreviewSheets& sheets, long long scrollX, long long scrollY, int bottom,
                IndexedImage& out)
{
    const Clip clip{out.Width - 1, bottom};
    auto visible = [&](const MapCell& cell, long long& x, long long& y) {
        x = cell.ScreenX + scrollX;
        y = cell.ScreenY + scrollY;
        return x > -65 && x < clip.Right && y > -35 && y < clip.Bottom;
    };
    long long x = 0, y = 0;
    for (const MapRow& row : cells)
        for (const MapCell& cell : row) {
            if (!visible(cell, x, y))
                continue;
            if (cell.Terrain <= 9)
                Blit(sheets.Territ, 0, 33 * cell.Terrain, 66, 34, x, y, clip, out);
            static constexpr int order[4] = {0, 1, 3, 2};
            static constexpr int dx[4] = {16, 16, -1, 32}, dy[4] = {0, 16, 8, 9};
            for (int slot : order) {
                const int v = cell.CornerTiles[slot];
                if (v < 32)
                    Blit(sheets.Quadri, (v % 16) * 33, (v / 16) * 17, 34, 18, x + dx[slot], y + dy[slot], clip, out);
            }
        }
    for (const MapRow& row : cells)
        for (const MapCell& cell : row) {
            if (!visible(cell, x, y))
                continue;
            if (cell.LandsTile < 60)
                Blit(sheets.Lands, (cell.LandsTile / 9) * 65, (cell.LandsTile % 9) * 33, 65, 34, x, y, clip, out);
            if (cell.TerrainTile < 48)
                Blit(sheets.Terrain, (cell.TerrainTile % 8) * 65, (cell.TerrainTile / 8) * 33, 65, 34, x, y, clip, out);
        }
}

}  // namespace korvan::art

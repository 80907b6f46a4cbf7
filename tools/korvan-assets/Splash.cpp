// The intro picture (an island scene drawn with our own map tiles, under the title) and the
// Cities sheet, which the editor loads but never draws.
#include "Artwork.h"
#include "LandsCatalogue.h"
#include "PixelFont.h"
#include "Preview.h"
#include "Sprites.h"

#include "map/MapGenerator.h"
#include "render/SharedPalette.h"

#include <cmath>
#include <memory>

namespace korvan::art {
namespace {

// A small archipelago around cell (60, 60), with coast pieces from the editor's own rules.
std::unique_ptr<MapGrid> IslandMap()
{
    auto cells = std::make_unique<MapGrid>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(*cells, r, c);
    Rng rng(2024);
    for (int r = 50; r <= 72; ++r)
        for (int c = 50; c <= 72; ++c) {
            const double dr = r - 61.5, dc = c - 60.5;
            const double d = std::sqrt(dr * dr + dc * dc) + rng.Range(-0.8, 0.8);
            const double d2 = std::sqrt((r - 57.0) * (r - 57.0) + (c - 67.0) * (c - 67.0));
            MapCell& cell = (*cells)[r][c];
            if (d < 4.3) {
                cell.Terrain = d < 1.8 ? 6 : d < 3.0 ? 5 : (dr + dc > 1 ? 0 : 2);
                if (d < 1.1)
                    cell.LandsTile = std::uint8_t(lands::Mountains.First + 3 + rng.Below(2));
                else if (cell.Terrain == 6 || (cell.Terrain == 2 && rng.Below(2)))
                    cell.LandsTile = std::uint8_t(lands::Deciduous.First + 3 + rng.Below(3));
                else if (cell.Terrain == 5)
                    cell.TerrainTile = std::uint8_t(rng.Below(2) ? 12 + rng.Below(5) : rng.Below(6));
                else if (cell.Terrain == 0 && rng.Below(2))
                    cell.LandsTile = std::uint8_t(lands::Palms.First + rng.Below(3));
            } else if (d2 < 1.6) {
                cell.Terrain = 4;
                cell.LandsTile = std::uint8_t(lands::Hills.First + 1);
            }
        }
    for (int r = 1; r < LastIndex; ++r)
        for (int c = 1; c < LastIndex; ++c)
            if ((*cells)[r][c].Terrain == SeaTerrain) {
                SetCornerTop(*cells, r, c);
                SetCornerBottom(*cells, r, c);
                SetCornerLeft(*cells, r, c);
                SetCornerRight(*cells, r, c);
            }
    (*cells)[64][54].TerrainTile = 43;  // a wreck, a whale and a buoy offshore
    (*cells)[66][62].TerrainTile = 41;
    (*cells)[57][59].TerrainTile = 44;
    (*cells)[63][66].TerrainTile = 40;
    return cells;
}

// Half-tone darkening: every other pixel in a checker becomes a dark blue.
void Darken(IndexedImage& image, int y0, int y1, int strength)
{
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const double fade = std::min(1.0, (y1 - y) / double(strength));
            if (Bayer(x, y) + 0.5 < 0.62 * fade)
                image.Pixels[std::size_t(y) * image.Width + x] = 82;
        }
}

void Title(IndexedImage& image, const std::string& text, int y, int scale)
{
    const int x = (image.Width - TextWidth(text, scale)) / 2;
    auto at = [&](int px, int py) -> std::uint8_t& { return image.Pixels[std::size_t(py) * image.Width + px]; };
    // Shadow, then a dark outline, then the letters lit in a gold gradient.
    DrawText(text, x + scale / 2 + 2, y + scale / 2 + 2, scale, [&](int px, int py) { at(px, py) = 83; });
    DrawText(text, x, y, scale, [&](int px, int py) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                at(px + dx, py + dy) = pal::OrangeBrown + 15;
    });
    const Ramp gold{{pal::Gold + 7, pal::Gold + 5, pal::Gold + 3, pal::Gold + 1, pal::Gold + 0, pal::Yellow + 0, 31}};
    DrawText(text, x, y, scale, [&](int px, int py) {
        const double t = (py - y) / double(7 * scale);
        const double level = t < 0.45 ? 0.95 - t * 0.6 : 0.5 - (t - 0.45) * 0.8;
        at(px, py) = std::uint8_t(Shade(gold, level, px, py));
    });
}

void Subtitle(IndexedImage& image, const std::string& text, int y, int scale, int colour)
{
    const int x = (image.Width - TextWidth(text, scale)) / 2;
    auto at = [&](int px, int py) -> std::uint8_t& { return image.Pixels[std::size_t(py) * image.Width + px]; };
    DrawText(text, x + 1, y + 1, scale, [&](int px, int py) { at(px, py) = 192; });
    DrawText(text, x, y, scale, [&](int px, int py) { at(px, py) = std::uint8_t(colour); });
}

}  // namespace

IndexedImage MakeSplatt()
{
    IndexedImage picture = Blank(400, 300);
    const PreviewSheets sheets{MakeTerrit(), MakeLands(), MakeTerrainFeatures(), MakeQuadri()};
    const auto cells = IslandMap();
    // Cell (61, 60) lands in the lower middle of the picture.
    const long long sx = 200 - AnchorX(61, 60) - 33, sy = 228 - AnchorY(61, 60) - 16;
    ComposeMap(*cells, sheets, sx, sy, picture.Height - 1, picture);
    Darken(picture, 0, 120, 60);
    Title(picture, "KORVAN", 22, 9);
    Subtitle(picture, "Generatore & Editor di Mappe Isometriche", 98, 1, 31);
    // A thin gold rule under the subtitle.
    for (int x = 80; x < 320; ++x)
        picture.Pixels[std::size_t(110) * 400 + x] = std::uint8_t((x / 2) % 2 ? pal::Gold + 1 : pal::Gold + 3);
    return picture;
}

IndexedImage MakeCities()
{
    IndexedImage sheet = Blank(4 * 65, 49);
    const Ramp wall = ramps::Beige().Slice(4, 12), stone = ramps::Grey().Slice(10, 18);
    for (int i = 0; i < 4; ++i) {
        Canvas box(65, 49);
        Scene scene;
        for (int k = 0; k <= i + 1; ++k)
            scene.Add(k, [=](Canvas& l) {
                House(l, 18 + k * 9, 30 + (k % 2) * 8, 4, 3, 5 + i, k % 2 ? stone : wall, ramps::Red());
            }, InkIndex);
        scene.Render(box);
        Paste(box, sheet, i * 65, 0);
    }
    return sheet;
}

}  // namespace korvan::art

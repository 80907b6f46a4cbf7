// The Quadri sheet: coast quarter pieces. Each piece is drawn from the distance to the land
// cells it knows of (its corner's two edge neighbours and the diagonal one), measured on the
// same pixel diamonds the ground uses, so that the pieces of neighbouring sea cells meet in one
// continuous beach.
#include "Artwork.h"
#include "Draw.h"
#include "TileShape.h"

#include "render/SharedPalette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvan::art {
namespace {

struct Offset {
    int X, Y;
};

// Where each piece's window lands relative to the cell's anchor (top, bottom, left, right),
// and the anchor offsets of the corner's neighbours A, B and D.
constexpr Offset PieceAt[4] = {{16, 0}, {16, 16}, {-1, 8}, {32, 9}};
constexpr Offset Neighbour[4][3] = {
    {{-33, -16}, {33, -15}, {0, -31}},   // top: upper left, upper right, up
    {{33, 16}, {-33, 15}, {0, 31}},      // bottom: lower right, lower left, down
    {{-33, 15}, {-33, -16}, {-66, -1}},  // left: lower left, upper left, left
    {{33, -15}, {33, 16}, {66, 1}},      // right: upper right, lower right, right
};

// The usable part of a piece window: its first row and column are shared with the cells above
// and to the left in the sheet, and its last ones with the cells below and to the right.
bool Usable(int i, int j) { return i >= 1 && i <= 32 && j >= 1 && j <= 16; }

// Which corner's piece draws a pixel of the cell: the nearest corner, or, where that piece's
// window cannot reach, a neighbouring corner that can (both know the shared edge's neighbour).
int OwnerOf(int x, int y)
{
    const double nx = (x - 32.5) / 33.0, ny = (y - 16.75) / 15.75;
    int order[4];
    if (std::abs(nx) > std::abs(ny)) {
        const int side = nx < 0 ? 2 : 3, vertical = ny < 0 ? 0 : 1;
        order[0] = side; order[1] = vertical; order[2] = 1 - vertical; order[3] = 5 - side;
    } else {
        const int vertical = ny < 0 ? 0 : 1, side = nx < 0 ? 2 : 3;
        order[0] = vertical; order[1] = side; order[2] = 5 - side; order[3] = 1 - vertical;
    }
    for (int k : order)
        if (Usable(x - PieceAt[k].X, y - PieceAt[k].Y))
            return k;
    return -1;
}

// Distance on the ground (vertical pixels count double) from (x, y) to the nearest pixel of
// the diamond anchored at (ax, ay).
double DistanceToCell(int x, int y, int ax, int ay)
{
    double best = 1e9;
    for (int j = 1; j <= 32; ++j)
        for (int i = 1; i <= 64; ++i)
            if (InDiamond(i, j)) {
                const double dx = x - (ax + i), dy = 2.0 * (y - (ay + j));
                best = std::min(best, dx * dx + dy * dy);
            }
    return std::sqrt(best);
}

// Sand, surf and the brighter shallows that fade into the sea beyond it. The width is the
// same for every piece, so neighbouring pieces meet in one band; it stays well under the 23
// pixels from an edge to the middle of the cell, where the pieces that know of a neighbour end.
constexpr double BeachWidth = 13.5;

// Sand against the land, then wet sand, a line of surf and shallow water fading into the sea.
int BeachPixel(double d, int x, int y)
{
    const double jitter = (HashUnit(x, y, 77) - 0.5) * 1.6;
    const double e = d + jitter;
    if (e < 4.5)
        return Shade(ramps::Beige().Slice(9, 7), 0.75 - e * 0.06 + (HashUnit(x, y, 5) - 0.5) * 0.5, x, y);
    if (e < 6.0)
        return Shade(ramps::Beige().Slice(3, 7), 0.5, x, y);
    if (e < 7.5)
        return (HashUnit(x, y, 9) > 0.25) ? pal::Grey + 30 : 65;
    if (d < 9.5)
        return Shade(ramps::Water().Slice(83 - 67, 3), 0.6, x, y);  // 67..65, shimmering
    // Shallows thinning out: ever fewer lighter pixels over the sea tile.
    if (HashUnit(x, y, 13) > (BeachWidth - d) / (BeachWidth - 9.5))
        return 0;
    return (HashUnit(x, y, 11) > 0.5) ? 67 : 68;
}

// A corner with no land at all: open water over the whole quarter, the same water as the sea
// tile, with a light dotted line along the quarter's edges so that the piece shows as a brush
// even over the sea.
int OpenWaterPixel(int k, int x, int y)
{
    auto mine = [&](int px, int py) { return px >= 0 && px < 66 && py >= 0 && py < 34 && InDiamond(px, py) && OwnerOf(px, py) == k; };
    const bool edge = !mine(x - 1, y) || !mine(x + 1, y) || !mine(x, y - 1) || !mine(x, y + 1);
    if (edge && x % 3 == 0)
        return 64;
    return GroundPixel(9, x, y);
}

}  // namespace

IndexedImage MakeQuadri()
{
    IndexedImage sheet = Blank(16 * 33 + 1, 2 * 17 + 1);
    for (int v = 0; v < 32; ++v) {
        const int k = v % 4;
        const bool land[3] = {(v & 16) != 0, (v & 8) != 0, (v & 4) != 0};
        const int ox = (v % 16) * 33, oy = (v / 16) * 17;
        for (int j = 1; j <= 16; ++j)
            for (int i = 1; i <= 32; ++i) {
                const int x = PieceAt[k].X + i, y = PieceAt[k].Y + j;  // in the cell's window
                if (x < 0 || x > 65 || y < 0 || y > 33 || !InDiamond(x, y) || OwnerOf(x, y) != k)
                    continue;
                std::uint8_t& out = sheet.Pixels[std::size_t(oy + j) * sheet.Width + ox + i];
                if (v < 4) {
                    out = std::uint8_t(OpenWaterPixel(k, x, y));
                    continue;
                }
                double d = 1e9;
                for (int n = 0; n < 3; ++n)
                    if (land[n])
                        d = std::min(d, DistanceToCell(x, y, Neighbour[k][n].X, Neighbour[k][n].Y));
                if (d < BeachWidth)
                    out = std::uint8_t(BeachPixel(d, x, y));
            }
    }
    return sheet;
}

}  // namespace korvan::art

// The Terrain sheet: 40 land features for the fertile land (mostly natural ones, drawn in
// WildFeatures.cpp, and a few farms, houses and ruins) and 8 sea features whose water is left
// transparent.
#include "Artwork.h"
#include "Sprites.h"
#include "WildFeatures.h"

#include "render/SharedPalette.h"

#include <cmath>

namespace korvan::art {
namespace {

constexpr int TileW = 65, TileH = 33;

// A field: a small diamond of furrows in the middle of the cell.
void Field(Canvas& c, const Ramp& soil, const Ramp& crop, int kind)
{
    for (int y = 8; y <= 26; ++y)
        for (int x = 12; x <= 53; ++x) {
            const double nx = std::abs(x + 0.5 - 32.5) / 21.0, ny = std::abs(y + 0.5 - 17) / 9.5;
            if (nx + ny > 1.0)
                continue;
            const int furrow = ((x + 2 * y) / 3) % 2;  // rows run along one diamond edge
            int v = Shade(furrow ? soil : crop, 0.35 + 0.4 * HashUnit(x, y, kind), x, y);
            if (nx + ny > 0.9)
                v = pal::OrangeBrown + 10;  // a low earth bank around the field
            c.Put(x, y, v);
        }
}

void Vines(Canvas& c, bool fruit)
{
    for (int row = 0; row < 5; ++row)
        for (int k = 0; k < 7; ++k) {
            const int x = 32 + int((k - row) * 3.5), y = 11 + int((k + row) * 1.75);
            if (fruit) {
                DeciduousTree(c, x, y, 2.5, ramps::Green().Slice(2, 12));
                if (HashUnit(x, y, 1) > 0.4)
                    c.Put(x, y - 4, pal::Red + 5);
            } else {
                c.Put(x, y, pal::OrangeBrown + 12);
                c.Put(x, y - 1, pal::Green + 6);
                c.Put(x + 1, y - 1, pal::Green + 9);
                c.Put(x, y - 2, HashUnit(x, y, 2) > 0.5 ? pal::Single + 0 : pal::Green + 7);
            }
        }
}

void Animal(Canvas& c, int x, int y, int body, int head, bool fluffy)
{
    if (fluffy) {
        Ellipsoid(c, x, y - 3, 3.2, 2.2, ramps::Grey().Slice(20, 12));
    } else {
        for (int i = -3; i <= 2; ++i) {
            c.Put(x + i, y - 3, body);
            c.Put(x + i, y - 4, body);
        }
    }
    c.Put(x - 3, y - 1, InkIndex); c.Put(x - 3, y - 2, body);
    c.Put(x + 2, y - 1, InkIndex); c.Put(x + 2, y - 2, body);
    c.Put(x + 3, y - 5, head); c.Put(x + 4, y - 5, head); c.Put(x + 4, y - 4, head);
}

void Herd(Canvas& c, int seed, int body, int head, bool fluffy, bool spots)
{
    Rng rng(seed);
    for (int i = 0; i < 4; ++i) {
        const int x = 20 + rng.Below(24), y = 13 + rng.Below(11);
        Animal(c, x, y, body, head, fluffy);
        if (spots)
            c.Put(x - 1, y - 4, pal::Grey + 2);
    }
}

void Crystals(Canvas& c, int a, int b)
{
    Rock(c, 32, 24, 8, 4, ramps::Grey().Slice(6, 16));
    static constexpr int spikes[5][3] = {{27, 20, 6}, {31, 21, 9}, {35, 20, 7}, {38, 22, 5}, {29, 23, 4}};
    for (const auto& s : spikes)
        for (int k = 0; k < s[2]; ++k) {
            c.Put(s[0], s[1] - k, k % 3 ? a : b);
            c.Put(s[0] + 1, s[1] - k, b);
        }
}

void OreRock(Canvas& c, int fleck, int seed)
{
    Rock(c, 28, 24, 8, 5, ramps::Grey().Slice(5, 18));
    Rock(c, 38, 25, 6, 4, ramps::Grey().Slice(5, 18));
    Rng rng(seed);
    for (int i = 0; i < 14; ++i) {
        const int x = 22 + rng.Below(21), y = 16 + rng.Below(8);
        if (c.Get(x, y))
            c.Put(x, y, fleck);
    }
}

void DrawLandFeature(Canvas& c, int v)
{
    if (DrawWildFeature(c, v))
        return;
    Scene scene;
    const Ramp leaves = ramps::Green().Slice(1, 13);
    const Ramp wall = ramps::Beige().Slice(4, 12), stone = ramps::Grey().Slice(10, 18);
    const Ramp roofRed = ramps::Red(), thatch = ramps::Gold(), slate = ramps::Grey().Slice(4, 12);
    switch (v) {
    case 0: Field(c, ramps::Brown().Slice(4, 8), ramps::Gold().Slice(0, 5), v); break;
    case 4: Vines(c, true); break;
    case 6: scene.Add(0, [&](Canvas& l) { DeciduousTree(l, 32, 26, 9, leaves); }, pal::Green); break;
    case 7:
        scene.Add(20, [&](Canvas& l) { Conifer(l, 27, 22, 7, ramps::Green().Slice(0, 9)); }, pal::Green);
        scene.Add(24, [&](Canvas& l) { Conifer(l, 37, 26, 8, ramps::Green().Slice(0, 9)); }, pal::Green);
        break;
    case 8:
        for (int i = 0; i < 4; ++i)
            scene.Add(18 + i * 2, [=](Canvas& l) {
                const int x = 24 + i * 6, y = 20 + (i % 2) * 5;
                for (int k = 0; k < 7; ++k)
                    l.Put(x, y - k, k % 3 ? 31 : pal::Grey + 4);
                Ellipsoid(l, x, y - 9, 3.5, 3.5, ramps::Olive().Slice(6, 10));
            }, pal::Olive);
        break;
    case 9:
        scene.Add(0, [&](Canvas& l) {
            DeciduousTree(l, 32, 26, 7, leaves, 0.05);
            for (int i = 0; i < 9; ++i)
                l.Put(27 + int(HashUnit(i, 1, 9) * 10), 12 + int(HashUnit(i, 2, 9) * 8), pal::Red + 6);
        }, pal::Green);
        break;
    case 10:
        for (int i = 0; i < 5; ++i)
            scene.Add(i, [=](Canvas& l) { Bush(l, 20 + i * 6, 20 + (i % 3) * 3, 3 + (i % 2), ramps::Green().Slice(2, 11)); }, pal::Green);
        break;
    case 11:
        scene.Add(0, [](Canvas& l) { DeadTree(l, 30, 26, 11); });
        scene.Add(1, [](Canvas& l) { Ellipsoid(l, 40, 25, 2.5, 1.5, ramps::Brown().Slice(6, 8)); }, InkIndex);
        break;
    case 13: scene.Add(0, [&](Canvas& l) { House(l, 32, 27, 5, 4, 6, wall, roofRed); }, InkIndex); break;
    case 15:
        scene.Add(0, [&](Canvas& l) { House(l, 24, 20, 3, 3, 4, wall, roofRed); }, InkIndex);
        scene.Add(1, [&](Canvas& l) { House(l, 40, 19, 3, 3, 4, wall, thatch); }, InkIndex);
        scene.Add(2, [&](Canvas& l) { House(l, 30, 27, 4, 3, 5, wall, roofRed); }, InkIndex);
        scene.Add(3, [&](Canvas& l) { House(l, 46, 27, 3, 3, 4, wall, slate); }, InkIndex);
        break;
    case 17:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 28, 3, 3, 12, wall, roofRed, true);
            Line(l, 25, 6, 39, 18, pal::OrangeBrown + 12);
            Line(l, 39, 6, 25, 18, pal::OrangeBrown + 12);
            Ellipsoid(l, 32, 12, 1.5, 1.5, ramps::Grey());
        }, InkIndex);
        break;
    case 21:
        for (int i = 0; i < 4; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 20 + i * 8, y = 22 + (i % 2) * 4, h = i == 2 ? 5 : 12;
                ShadedBox(l, x, y - h, x + 2, y, ramps::Grey().Slice(16, 14), 0.7);
                Box(l, x - 1, y - h - 1, x + 3, y - h, pal::Grey + 22);
            }, pal::Grey + 4);
        break;
    case 26: OreRock(c, pal::Yellow + 0, v); break;
    case 27: OreRock(c, pal::Red + 3, v); break;
    case 29: Crystals(c, pal::Signal + 0, pal::Single + 5); break;
    case 30:
        for (int i = 0; i < 5; ++i)
            scene.Add(i, [=](Canvas& l) { Rock(l, 22 + i * 5, 22 + (i % 2) * 3, 4, 3, ramps::Grey().Slice(0, 8)); }, pal::Grey + 8);
        break;
    case 32: Herd(c, 32, pal::OrangeBrown + 9, pal::OrangeBrown + 11, false, false); break;
    case 33: Herd(c, 33, pal::Grey + 29, pal::Grey + 26, false, true); break;
    case 34: Herd(c, 34, pal::Grey + 28, pal::Grey + 4, true, false); break;
    default: break;
    }
    scene.Render(c);
}

// Sea features: only the object is opaque, so the shimmering sea shows around it.
void DrawSeaFeature(Canvas& c, int k)
{
    Scene scene;
    switch (k) {
    case 0:  // a shoal: a dark cloud of fish under the surface, silver flanks flashing, splashes
        for (int y = 10; y <= 27; ++y)
            for (int x = 14; x <= 50; ++x) {
                const double nx = (x - 32) / 16.0, ny = (y - 18.5) / 6.5;
                const double ragged = 0.35 * (HashUnit(x / 2, y / 2, 40) - 0.5);
                if (nx * nx + ny * ny < 0.85 + ragged && HashUnit(x, y, 41) > 0.18)
                    c.Put(x, y, HashUnit(x, y, 42) > 0.5 ? 80 : 79);
            }
        for (int i = 0; i < 16; ++i) {
            const int x = 19 + int(HashUnit(i, 0, 6) * 26), y = 13 + int(HashUnit(i, 1, 6) * 11);
            const int d = HashUnit(i, 2, 6) > 0.5 ? -1 : 1;
            c.Put(x, y, pal::Grey + 30);
            c.Put(x + d, y, pal::Grey + 27);
            c.Put(x + 2 * d, y, pal::Grey + 22);
            c.Put(x - d, y - 1, pal::Grey + 24);  // the tail
        }
        for (int i = 0; i < 8; ++i)
            c.Put(16 + int(HashUnit(i, 3, 6) * 33), 11 + int(HashUnit(i, 4, 6) * 15), pal::Grey + 31);
        break;
    case 1:  // a whale: a long dark back awash in foam, the flukes raised, a spout of spray
        scene.Add(0, [](Canvas& l) {
            for (int j = -12; j <= 12; ++j)
                if (HashUnit(j, 1, 41) > 0.25)
                    l.Put(31 + j, 24 + (std::abs(j) > 9 ? -1 : 0), pal::Grey + 30);
            Ellipsoid(l, 30, 21, 11, 3.2, ramps::Grey().Slice(4, 12));
            const Ramp skin = ramps::Grey().Slice(4, 10);
            Triangle(l, 38, 19, 41, 23, 46, 16, skin, 0.4);  // tail stock rising from the water
            Triangle(l, 46, 17, 39, 11, 43, 11, skin, 0.7);  // the flukes, spread
            Triangle(l, 46, 17, 53, 11, 49, 11, skin, 0.3);
        }, pal::Grey + 1);
        // The spout: a column of spray over the blowhole, opening into a plume.
        for (int k = 0; k < 6; ++k)
            c.Put(24, 17 - k, k % 2 ? pal::Grey + 29 : pal::Grey + 31);
        for (int i = 0; i < 12; ++i) {
            const double a = -3.0 + i * 0.26;
            const int r = 2 + i % 3;
            c.Put(24 + int(std::lround(std::cos(a) * r * 1.4)), 11 + int(std::lround(std::sin(a) * r)),
                  i % 3 ? pal::Grey + 31 : pal::Grey + 27);
        }
        break;
    case 2:  // a reef: a turquoise shallow edged dark, branching corals in warm colours
        scene.Add(0, [](Canvas& l) {
            for (int y = 11; y <= 27; ++y)
                for (int x = 15; x <= 49; ++x) {
                    const double nx = (x - 32) / 15.0, ny = (y - 19) / 6.5;
                    const double wobble = 0.18 * (HashUnit(x / 3, y / 2, 42) - 0.5);
                    if (nx * nx + ny * ny < 1.0 + wobble)
                        l.Put(x, y, Shade(Ramp::Up(pal::Teal + 6, 4), 0.55 + 0.3 * (HashUnit(x, y, 2) - 0.5), x, y));
                }
        }, pal::Teal + 1);
        scene.Add(1, [](Canvas& l) {
            const int colours[5] = {pal::Pink + 1, pal::Yellow + 5, pal::Red + 6, pal::Single + 1, pal::Pink + 0};
            for (int i = 0; i < 9; ++i) {
                const int x = 19 + int(HashUnit(i, 0, 9) * 26), y = 14 + int(HashUnit(i, 1, 9) * 10);
                const int colour = colours[i % 5], dark = i % 2 ? pal::Red + 2 : pal::Pink + 6;
                // A stem that forks twice, lit on its left.
                l.Put(x, y, dark); l.Put(x, y - 1, colour);
                l.Put(x - 1, y - 2, colour); l.Put(x + 1, y - 2, colour);
                l.Put(x - 2, y - 3, colour); l.Put(x, y - 3, dark); l.Put(x + 2, y - 3, colour);
                l.Put(x - 2, y - 4, pal::Grey + 31);
            }
        }, 0);
        break;
    case 3:  // a wreck
        scene.Add(0, [](Canvas& l) {
            Triangle(l, 20, 20, 44, 24, 24, 26, ramps::Brown(), 0.5);
            Line(l, 33, 22, 37, 8, pal::OrangeBrown + 12);
            Line(l, 34, 22, 38, 8, pal::OrangeBrown + 10);
            Triangle(l, 37, 10, 43, 13, 37, 16, ramps::Beige(), 0.6);
        }, InkIndex);
        break;
    case 4:  // a buoy
        scene.Add(0, [](Canvas& l) {
            Ellipsoid(l, 32, 22, 4, 2.5, ramps::Red());
            ShadedBox(l, 31, 13, 33, 20, ramps::Grey().Slice(18, 14), 0.6);
            Box(l, 31, 16, 33, 17, pal::Red + 5);
            l.Put(32, 12, pal::Yellow + 0);
        }, pal::Grey + 2);
        break;
    case 5:  // rocks breaking the surface, with foam
        for (int i = 0; i < 3; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 24 + i * 8, y = 21 + (i % 2) * 3;
                for (int j = -5; j <= 5; ++j)
                    if (HashUnit(j, i, 3) > 0.3)
                        l.Put(x + j, y + 1, 31);
                Rock(l, x, y, 3.5 - i * 0.5, 3, ramps::Grey().Slice(4, 16));
            }, pal::Grey + 2);
        break;
    case 6:  // two dolphins leaping: grey backs, pale bellies, fins, a splash where they dive
        for (int i = 0; i < 2; ++i)
            scene.Add(i, [=](Canvas& l) {
                const double x0 = 17 + i * 17, y0 = 22 + i * 4, len = 15;
                for (int step = 0; step <= 60; ++step) {
                    const double t = step / 60.0;
                    const double px = x0 + len * t, py = y0 - 8 * std::sin(3.1416 * t);
                    const double w = 0.6 + 1.5 * std::sin(3.1416 * std::min(1.0, t * 1.15));
                    for (int dy = -int(w) - 1; dy <= int(w) + 1; ++dy)
                        if (std::abs(dy) <= w)
                            l.Put(int(px), int(py) + dy, dy > 0 ? pal::Grey + 24 : (dy == 0 ? pal::Grey + 15 : pal::Grey + 11));
                }
                // Beak at the leading (right, lower) end, dorsal fin near the top, flukes behind.
                l.Put(int(x0 + len) + 1, int(y0) - 1, pal::Grey + 13);
                l.Put(int(x0 + len) + 2, int(y0), pal::Grey + 13);
                for (int k = 0; k < 3; ++k)
                    l.Put(int(x0 + len * 0.45) - k / 2, int(y0 - 8) - 2 - k, pal::Grey + 9);
                l.Put(int(x0) - 1, int(y0) - 1, pal::Grey + 10); l.Put(int(x0) - 2, int(y0) - 2, pal::Grey + 10);
                l.Put(int(x0) - 1, int(y0) + 1, pal::Grey + 10); l.Put(int(x0) - 2, int(y0) + 2, pal::Grey + 10);
                l.Put(int(x0 + len) - 2, int(y0) - 5, pal::Grey + 4);  // eye
            }, pal::Grey + 3);
        for (int i = 0; i < 16; ++i) {
            const int x = 33 + int(HashUnit(i, 0, 46) * 7) - 3, y = 24 + int(HashUnit(i, 1, 46) * 4) - 2;
            c.Put(x + (i < 8 ? 0 : 17), y + (i < 8 ? 0 : 4), pal::Grey + 31);
        }
        break;
    default:  // kelp: loose fronds afloat, gas bladders catching the light, edged dark
        for (int i = 0; i < 5; ++i)
            scene.Add(i, [=](Canvas& l) {
                const double y0 = 11 + i * 4, x0 = 17 + (i % 2) * 5 + (i == 2 ? 3 : 0);
                const int length = 20 + (i % 3) * 3;
                for (int k = 0; k < length; ++k) {
                    const int x = int(x0 + k), y = int(std::lround(y0 + 1.4 * std::sin(k * 0.5 + i * 1.3)));
                    l.Put(x, y, Shade(Ramp::Up(pal::Olive + 8, 5), 0.3 + 0.5 * HashUnit(x, y, 47), x, y));
                    if ((k + 2 * i) % 5 == 0)
                        l.Put(x, y - 1, pal::Olive + 14);  // a bladder
                }
            }, pal::Olive + 0);
    }
    scene.Render(c);
}

}  // namespace

IndexedImage MakeTerrainFeatures()
{
    IndexedImage sheet = Blank(8 * TileW, 6 * TileH + 1);
    for (int v = 0; v < 48; ++v) {
        Canvas tile(TileW, TileH + 1);
        if (v < 40)
            DrawLandFeature(tile, v);
        else
            DrawSeaFeature(tile, v - 40);
        const int ox = (v % 8) * TileW, oy = (v / 8) * TileH;
        // Row 0 and row 33 of a window are shared with the tiles above and below: keep them clear.
        for (int y = 1; y < TileH; ++y)
            for (int x = 0; x < TileW; ++x)
                if (const int index = tile.Get(x, y))
                    sheet.Pixels[std::size_t(oy + y) * sheet.Width + ox + x] = std::uint8_t(index);
    }
    return sheet;
}

}  // namespace korvan::art

// The Terrain sheet: 40 land features for the fertile land (fields, trees, buildings, ruins,
// resources, animals, camps) and 8 sea features whose water is left transparent.
#include "Artwork.h"
#include "Sprites.h"

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
    Scene scene;
    const Ramp leaves = ramps::Green().Slice(1, 13);
    const Ramp wall = ramps::Beige().Slice(4, 12), stone = ramps::Grey().Slice(10, 18);
    const Ramp roofRed = ramps::Red(), thatch = ramps::Gold(), slate = ramps::Grey().Slice(4, 12);
    switch (v) {
    case 0: Field(c, ramps::Brown().Slice(4, 8), ramps::Gold().Slice(0, 5), v); break;
    case 1: Field(c, ramps::Brown().Slice(6, 8), ramps::Green().Slice(6, 9), v); break;
    case 2: Field(c, ramps::Brown().Slice(5, 9), ramps::Brown().Slice(3, 7), v); break;
    case 3: Vines(c, false); break;
    case 4: Vines(c, true); break;
    case 5:
        Field(c, ramps::Green().Slice(3, 6), ramps::Yellow().Slice(0, 5), v);
        break;
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
    case 12: scene.Add(0, [&](Canvas& l) { House(l, 32, 26, 4, 3, 4, ramps::Brown().Slice(4, 8), thatch); }, InkIndex); break;
    case 13: scene.Add(0, [&](Canvas& l) { House(l, 32, 27, 5, 4, 6, wall, roofRed); }, InkIndex); break;
    case 14:
        scene.Add(0, [&](Canvas& l) { House(l, 26, 22, 4, 3, 5, wall, roofRed); }, InkIndex);
        scene.Add(1, [&](Canvas& l) { House(l, 40, 28, 4, 4, 5, wall, thatch); }, InkIndex);
        break;
    case 15:
        scene.Add(0, [&](Canvas& l) { House(l, 24, 20, 3, 3, 4, wall, roofRed); }, InkIndex);
        scene.Add(1, [&](Canvas& l) { House(l, 40, 19, 3, 3, 4, wall, thatch); }, InkIndex);
        scene.Add(2, [&](Canvas& l) { House(l, 30, 27, 4, 3, 5, wall, roofRed); }, InkIndex);
        scene.Add(3, [&](Canvas& l) { House(l, 46, 27, 3, 3, 4, wall, slate); }, InkIndex);
        break;
    case 16:
        scene.Add(0, [&](Canvas& l) {
            House(l, 36, 28, 6, 3, 6, stone, slate);
            IsoBlock(l, 24, 24, 2, 2, 16, stone, slate, false);
            Triangle(l, 20, 9, 28, 9, 24, 1, slate, 0.5);
            l.Put(24, 13, pal::Yellow + 2);
        }, InkIndex);
        break;
    case 17:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 28, 3, 3, 12, wall, roofRed, true);
            Line(l, 25, 6, 39, 18, pal::OrangeBrown + 12);
            Line(l, 39, 6, 25, 18, pal::OrangeBrown + 12);
            Ellipsoid(l, 32, 12, 1.5, 1.5, ramps::Grey());
        }, InkIndex);
        break;
    case 18:
        scene.Add(0, [&](Canvas& l) {
            Ellipsoid(l, 32, 23, 5, 3, stone);
            Disc(l, 32, 22, 3, 1.5, 74);
            Line(l, 27, 22, 27, 13, pal::OrangeBrown + 11);
            Line(l, 37, 22, 37, 13, pal::OrangeBrown + 11);
            Triangle(l, 25, 14, 39, 14, 32, 9, roofRed, 0.5);
        }, InkIndex);
        break;
    case 19:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 29, 3, 3, 18, stone, stone, false);
            for (int i = 0; i < 4; ++i)
                Box(l, 26 + i * 3, 6, 27 + i * 3, 7, pal::Grey + 16);
        }, InkIndex);
        break;
    case 20:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 28, 24, 6, 1, 5, stone, stone, false);
            IsoBlock(l, 42, 27, 1, 5, 3, stone, stone, false);
            Rock(l, 36, 26, 2, 1.5, stone);
        }, pal::Grey + 4);
        break;
    case 21:
        for (int i = 0; i < 4; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 20 + i * 8, y = 22 + (i % 2) * 4, h = i == 2 ? 5 : 12;
                ShadedBox(l, x, y - h, x + 2, y, ramps::Grey().Slice(16, 14), 0.7);
                Box(l, x - 1, y - h - 1, x + 3, y - h, pal::Grey + 22);
            }, pal::Grey + 4);
        break;
    case 22:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 28, 3, 3, 13, stone, stone, false);
            for (int x = 24; x <= 40; ++x)
                for (int y = 0; y < 8; ++y)
                    if (HashUnit(x, y, 4) > 0.45 - y * 0.05 && l.Get(x, y + 6))
                        l.Put(x, y + 6, 0);
        }, pal::Grey + 4);
        break;
    case 23:
        for (int i = 0; i < 8; ++i) {
            const double a = i * 0.785;
            const double x = 32 + std::cos(a) * 14, y = 18 + std::sin(a) * 6;
            scene.Add(y, [=](Canvas& l) { ShadedBox(l, int(x), int(y) - 6, int(x) + 2, int(y), stone, 0.6); }, pal::Grey + 4);
        }
        break;
    case 24:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 28, 3, 3, 4, stone, stone, false);
            Ellipsoid(l, 32, 15, 2.5, 5, ramps::Teal());
            Ellipsoid(l, 32, 8, 2, 2, ramps::Teal());
        }, pal::Grey + 4);
        break;
    case 25:
        for (int i = 0; i < 5; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 20 + i * 6, y = 18 + (i % 2) * 5;
                Box(l, x, y - 4, x + 2, y, pal::Grey + 18);
                l.Put(x + 1, y - 5, pal::Grey + 18);
                Box(l, x - 1, y + 1, x + 3, y + 2, pal::OrangeBrown + 10);
            }, pal::Grey + 4);
        break;
    case 26: OreRock(c, pal::Yellow + 0, v); break;
    case 27: OreRock(c, pal::Red + 3, v); break;
    case 28:
        for (int i = 0; i < 6; ++i)
            scene.Add(i, [=](Canvas& l) {
                IsoBlock(l, 22 + (i % 3) * 9, 22 + (i / 3) * 5, 2, 2, 3, ramps::Grey().Slice(14, 16), ramps::Grey().Slice(18, 14), false);
            }, pal::Grey + 4);
        break;
    case 29: Crystals(c, pal::Signal + 0, pal::Single + 5); break;
    case 30:
        for (int i = 0; i < 5; ++i)
            scene.Add(i, [=](Canvas& l) { Rock(l, 22 + i * 5, 22 + (i % 2) * 3, 4, 3, ramps::Grey().Slice(0, 8)); }, pal::Grey + 8);
        break;
    case 31:
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3 - i; ++j)
                scene.Add(i * 10 + j, [=](Canvas& l) {
                    const int x = 24 + j * 6 + i * 3, y = 24 - i * 3;
                    for (int k = 0; k < 12; ++k)
                        l.Put(x + k - 4, y + k / 2 - 3, Shade(ramps::Brown(), 0.3 + (k % 4) * 0.1, x + k, y));
                    Disc(l, x - 4, y - 3, 1.5, 1.5, pal::OrangeBrown + 2);
                }, InkIndex);
        break;
    case 32: Herd(c, 32, pal::OrangeBrown + 9, pal::OrangeBrown + 11, false, false); break;
    case 33: Herd(c, 33, pal::Grey + 29, pal::Grey + 26, false, true); break;
    case 34: Herd(c, 34, pal::Grey + 28, pal::Grey + 4, true, false); break;
    case 35:
        scene.Add(0, [&](Canvas& l) {
            IsoBlock(l, 32, 27, 4, 4, 6, ramps::Brown().Slice(4, 9), thatch, false);
            Ellipsoid(l, 32, 16, 6, 4, thatch);
        }, InkIndex);
        break;
    case 36:
        scene.Add(0, [&](Canvas& l) {
            Triangle(l, 22, 26, 34, 26, 28, 14, ramps::Beige(), 0.8);
            Triangle(l, 34, 26, 40, 23, 28, 14, ramps::Beige(), 0.45);
            Line(l, 28, 26, 28, 22, InkIndex);
        }, InkIndex);
        break;
    case 37:
        scene.Add(0, [&](Canvas& l) {
            Line(l, 32, 27, 32, 12, pal::OrangeBrown + 11);
            ShadedBox(l, 26, 13, 38, 15, ramps::Beige(), 0.6);
            ShadedBox(l, 28, 18, 38, 20, ramps::Beige(), 0.5);
        }, InkIndex);
        break;
    case 38:
        scene.Add(0, [&](Canvas& l) {
            for (int i = 0; i < 6; ++i)
                Rock(l, 26 + i * 2.5, 26 - (i % 2), 1.5, 1, stone);
            Triangle(l, 28, 24, 36, 24, 32, 13, ramps::Yellow(), 0.5);
            Triangle(l, 30, 24, 34, 24, 32, 17, ramps::Yellow(), 0.95);
        }, pal::Red + 1);
        break;
    default:
        scene.Add(0, [&](Canvas& l) {
            Line(l, 32, 27, 32, 6, pal::OrangeBrown + 12);
            ShadedBox(l, 33, 6, 43, 12, ramps::Red(), 0.65);
            Box(l, 36, 8, 39, 10, pal::Yellow + 1);
        }, InkIndex);
    }
    scene.Render(c);
}

// Sea features: only the object is opaque, so the shimmering sea shows around it.
void DrawSeaFeature(Canvas& c, int k)
{
    Scene scene;
    switch (k) {
    case 0:  // a shoal of fish
        for (int i = 0; i < 9; ++i) {
            const int x = 20 + int(HashUnit(i, 0, 5) * 24), y = 10 + int(HashUnit(i, 1, 5) * 14);
            c.Put(x, y, pal::Grey + 26); c.Put(x + 1, y, pal::Grey + 22); c.Put(x + 2, y, pal::Grey + 18);
            c.Put(x + 3, y - 1, pal::Grey + 18); c.Put(x + 3, y + 1, pal::Grey + 18);
        }
        break;
    case 1:  // a whale's back and spout
        scene.Add(0, [](Canvas& l) {
            Ellipsoid(l, 32, 21, 11, 3.5, ramps::Grey().Slice(3, 14));
            for (int i = 0; i < 6; ++i) {
                l.Put(27 - i / 2, 16 - i, 31);
                l.Put(28 + i / 2, 16 - i, 29);
            }
            l.Put(44, 18, pal::Grey + 5); l.Put(45, 17, pal::Grey + 5); l.Put(45, 19, pal::Grey + 5);
        }, pal::Grey + 1);
        break;
    case 2:  // a coral reef
        for (int i = 0; i < 7; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 20 + i * 4, y = 18 + (i % 3) * 2;
                Ellipsoid(l, x, y, 2.5, 1.6, i % 2 ? ramps::Pink() : ramps::Yellow());
            }, pal::Teal + 2);
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
    case 6:  // dolphins leaping
        for (int i = 0; i < 2; ++i)
            scene.Add(i, [=](Canvas& l) {
                const int x = 24 + i * 14, y = 20 + i * 3;
                for (int a = 0; a < 10; ++a) {
                    const double t = a / 9.0 * 3.1416;
                    const int px = x + a, py = y - int(std::sin(t) * 6);
                    l.Put(px, py, pal::Grey + 12);
                    l.Put(px, py + 1, pal::Grey + 20);
                }
                l.Put(x + 5, y - 7, pal::Grey + 10);
            }, pal::Grey + 3);
        break;
    default:  // kelp and seaweed
        for (int i = 0; i < 6; ++i) {
            const int x = 22 + i * 4, y = 24 - (i % 3) * 2;
            for (int k = 0; k < 6; ++k)
                c.Put(x + ((k / 2) % 2), y - k, Shade(ramps::Olive(), 0.3 + k * 0.08, x, k));
        }
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

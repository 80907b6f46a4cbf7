// The Lands sheet: 60 overlays (forests, hills, mountains, snow, marsh, dunes, rocks, rivers,
// lakes…), each kept inside the ground diamond of its cell, transparent elsewhere.
#include "Artwork.h"
#include "LandsCatalogue.h"
#include "Sprites.h"
#include "TileShape.h"

#include "render/SharedPalette.h"

#include <cmath>

namespace korvan::art {
namespace {

constexpr int TileW = 65, TileH = 33;

struct Point {
    double X, Y;
};
// Midpoints of the diamond's edges, matched so that a river leaving one cell enters the next.
constexpr Point UpperLeft{16.25, 8.5}, UpperRight{49.25, 9.0}, LowerRight{49.25, 24.5}, LowerLeft{16.25, 24.0};
constexpr Point Centre{32.75, 16.5};

bool Footprint(int x, int y) { return y >= 1 && y <= 32 && InDiamond(x, y); }

// Random spots inside the diamond, kept a margin away from its edges.
Point SpotIn(Rng& rng, double margin)
{
    for (;;) {
        const double x = rng.Range(2, 63), y = rng.Range(2, 31);
        const double nx = std::abs(x - 32.5) / 32.0, ny = std::abs(y - 16.5) / 15.5;
        if (nx + ny < 1.0 - margin)
            return {x, y};
    }
}

void DrawForest(Canvas& c, int seed, int count, int kind)
{
    Rng rng(seed);
    Scene scene;
    for (int i = 0; i < count; ++i) {
        const Point p = SpotIn(rng, 0.32);
        const double size = rng.Range(4.5, 7.0);
        const double light = rng.Range(-0.1, 0.1);
        const int pick = kind == 2 ? rng.Below(2) : kind;
        scene.Add(p.Y, [=](Canvas& layer) {
            if (pick == 0)
                DeciduousTree(layer, p.X, p.Y + 3, size, ramps::Green().Slice(1, 13), light);
            else
                Conifer(layer, p.X, p.Y + 3, size, ramps::Green().Slice(0, 9));
        }, pal::Green);
    }
    scene.Render(c);
}

void DrawPalms(Canvas& c, int seed, int count)
{
    Rng rng(seed);
    Scene scene;
    for (int i = 0; i < count; ++i) {
        const Point p = SpotIn(rng, 0.35);
        const double size = rng.Range(6, 8);
        scene.Add(p.Y, [=](Canvas& layer) { Palm(layer, p.X, p.Y + 4, size); });
        scene.Add(p.Y - 0.1, [=](Canvas& layer) { Disc(layer, p.X + 2, p.Y + 4, 4, 1.5, pal::Gold + 6); });
    }
    scene.Render(c);
}

// A mound lit from the upper left, with grass or stone texture.
void Hill(Canvas& c, double cx, double cy, double rx, double ry, const Ramp& ramp, int seed)
{
    for (int y = int(cy - ry); y <= int(cy); ++y)
        for (int x = int(cx - rx); x <= int(cx + rx); ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny > 1.0)
                continue;
            const double nz = std::sqrt(1 - nx * nx - ny * ny);
            const double lit = -0.6 * nx - 0.3 * ny + 0.5 * nz;
            c.Put(x, y, Shade(ramp, 0.35 + 0.6 * lit + 0.15 * (HashUnit(x, y, seed) - 0.5), x, y));
        }
}

void DrawHills(Canvas& c, int variant)
{
    static const Ramp grass = ramps::Green().Slice(3, 12), dry = ramps::Olive().Slice(3, 12),
                      sand = ramps::Gold(), stone = ramps::GreyBrown();
    const Ramp* ramps[5] = {&grass, &grass, &dry, &sand, &stone};
    Rng rng(300 + variant);
    Scene scene;
    const int count = variant == 1 ? 3 : 2;
    for (int i = 0; i < count; ++i) {
        const double cx = 21 + i * (23.0 / std::max(1, count - 1)) + rng.Range(-2, 2);
        const double cy = 20 + rng.Range(-3, 4) + (i % 2) * 3;
        const double rx = rng.Range(12, 16), ry = rng.Range(9, 12);
        const Ramp* ramp = ramps[variant];
        scene.Add(cy, [=](Canvas& layer) { Hill(layer, cx, cy, rx, ry, *ramp, variant * 10 + i); });
    }
    scene.Render(c);
    if (variant == 4) {
        Rock(c, 24, 26, 3, 2, ramps::Grey().Slice(8, 18));
        Rock(c, 42, 24, 2.5, 2, ramps::Grey().Slice(8, 18));
    }
}

// A peak: lit west face, shaded east face, ridges, and snow above snowLine (0..1 of its height).
void Peak(Canvas& c, double px, double py, double left, double right, double baseY, double snowLine, int seed)
{
    const Ramp rock = ramps::Grey().Slice(6, 20);
    const Ramp snow = ramps::Grey().Slice(22, 10);
    for (int y = int(py); y <= int(baseY); ++y) {
        const double t = (y - py) / (baseY - py);
        const double x0 = px - (px - left) * t, x1 = px + (right - px) * t;
        for (int x = int(std::floor(x0)); x <= int(std::ceil(x1)); ++x) {
            const bool west = x < px + std::sin(y * 0.7 + seed) * 1.2 * t;
            const double jag = HashUnit(x, y, seed);
            double level = west ? 0.7 : 0.25;
            level += 0.2 * (jag - 0.5);
            const bool snowy = t < snowLine + 0.12 * (HashUnit(x / 2, 0, seed) - 0.5);
            c.Put(x, y, snowy ? Shade(snow, level + 0.2, x, y) : Shade(rock, level, x, y));
        }
    }
}

void DrawMountains(Canvas& c, int variant)
{
    Canvas layer(TileW, TileH + 1);
    switch (variant) {
    case 0: Peak(layer, 32, 3, 10, 54, 27, 0.0, 1); break;
    case 1: Peak(layer, 26, 4, 6, 44, 26, 0.0, 2); Peak(layer, 41, 8, 26, 58, 27, 0.0, 3); break;
    case 2: Peak(layer, 20, 8, 4, 36, 24, 0.2, 4); Peak(layer, 34, 3, 18, 52, 27, 0.25, 5); Peak(layer, 47, 10, 36, 61, 25, 0.1, 6); break;
    case 3: Peak(layer, 32, 2, 8, 56, 28, 0.4, 7); break;
    case 4: Peak(layer, 24, 5, 6, 42, 26, 0.45, 8); Peak(layer, 42, 3, 26, 60, 27, 0.5, 9); break;
    default: {  // a volcano: a cut cone with a glowing crater
        for (int y = 6; y <= 27; ++y) {
            const double t = (y - 6) / 21.0;
            const double x0 = 27 - 19 * t, x1 = 38 + 19 * t;
            for (int x = int(x0); x <= int(x1); ++x)
                layer.Put(x, y, Shade(ramps::GreyBrown(), (x < 32 ? 0.55 : 0.2) + 0.2 * (HashUnit(x, y, 12) - 0.5), x, y));
        }
        Disc(layer, 32.5, 6.5, 5.5, 1.6, pal::Red + 2);
        Disc(layer, 32.5, 6.5, 3.5, 1, pal::Yellow + 5);
        for (int k = 0; k < 6; ++k)
            layer.Put(30 + k % 3, 8 + k, pal::Yellow + 6);
    }
    }
    Outline(layer, pal::Grey + 3);
    for (int y = 0; y < layer.Height; ++y)
        for (int x = 0; x < layer.Width; ++x)
            if (const int v = layer.Get(x, y))
                c.Put(x, y, v);
}

// Snow lying on the ground: patches with ragged edges, a blue shade on their lower rims.
void DrawSnowCaps(Canvas& c, int variant)
{
    const double cover = 0.42 + variant * 0.12;
    auto snowAt = [&](int x, int y) {
        const double nx = (x + 0.5 - 32.5) / 32.0, ny = (y + 0.5 - 16.5) / 15.5;
        const double n = PeriodicNoise(x / 6.0, y / 3.0, 64, 500 + variant) * 0.7 + HashUnit(x, y, variant) * 0.12;
        return n + 0.35 * (1 - std::abs(nx) - std::abs(ny)) > 1.0 - cover;
    };
    for (int y = 1; y <= 32; ++y)
        for (int x = 1; x <= 64; ++x) {
            if (!snowAt(x, y))
                continue;
            const bool rim = !snowAt(x, y + 1) || !snowAt(x + 1, y + 1);
            const bool lit = !snowAt(x, y - 1) || !snowAt(x - 1, y - 1);
            c.Put(x, y, rim ? (HashUnit(x, y, 4) > 0.5 ? 64 : pal::Grey + 24) : lit ? 31 : Shade(ramps::Grey().Slice(26, 6), 0.6, x, y));
        }
    if (variant == 2) {
        Rock(c, 26, 20, 3, 2, ramps::Grey().Slice(8, 18));
        Rock(c, 40, 15, 2.5, 2, ramps::Grey().Slice(8, 18));
    }
}

void Pool(Canvas& c, double cx, double cy, double rx, double ry, int seed)
{
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            const double r = nx * nx + ny * ny + 0.25 * (HashUnit(x, y, seed) - 0.5);
            if (r <= 1.0)
                c.Put(x, y, r > 0.7 ? 66 : Shade(ramps::Water().Slice(8, 9), 0.3 + 0.4 * r, x, y));  // 75..67, shimmering
            else if (r <= 1.35)
                c.Put(x, y, Shade(ramps::Olive().Slice(2, 8), 0.4, x, y));
        }
}

void DrawMarsh(Canvas& c, int variant)
{
    Rng rng(600 + variant);
    for (int i = 0; i < 3 + variant; ++i) {
        const Point p = SpotIn(rng, 0.35);
        Pool(c, p.X, p.Y, rng.Range(4, 8), rng.Range(2, 3.5), i);
    }
    for (int i = 0; i < 26; ++i) {
        const Point p = SpotIn(rng, 0.2);
        const int h = 2 + rng.Below(4);
        for (int k = 0; k < h; ++k)
            c.Put(int(p.X), int(p.Y) - k, k == h - 1 ? pal::OrangeBrown + 9 : pal::Olive + 6 + (k % 2) * 3);
    }
}

void DrawDunes(Canvas& c, int variant)
{
    const Ramp sand = ramps::Gold().Slice(0, 7);
    for (int y = 1; y <= 32; ++y)
        for (int x = 1; x <= 64; ++x) {
            const double u = x * 0.2 + y * 0.55 + variant * 1.7 + 0.8 * std::sin(x * 0.15 + variant);
            const double phase = u - std::floor(u / 3.2) * 3.2;  // 0..3.2 across one dune
            if (phase < 2.0)
                c.Put(x, y, Shade(sand, phase < 1.1 ? 0.85 : 0.35, x, y));
            else if (phase < 2.35)
                c.Put(x, y, pal::Gold + 6);
        }
}

void DrawRocks(Canvas& c, int variant)
{
    Rng rng(700 + variant);
    Scene scene;
    const int count = 3 + variant * 3;
    for (int i = 0; i < count; ++i) {
        const Point p = SpotIn(rng, 0.3);
        const double rx = rng.Range(2, 5.5) * (variant == 0 ? 1.3 : 1.0), ry = rx * 0.7;
        const Ramp ramp = variant == 1 ? ramps::GreyBrown() : ramps::Grey().Slice(7, 19);
        scene.Add(p.Y, [=](Canvas& layer) { Rock(layer, p.X, p.Y + 2, rx, ry, ramp); }, pal::Grey + 4);
    }
    scene.Render(c);
}

// A river as a quadratic curve through the cell's centre from one edge midpoint to another (or
// to a spring in the middle), with muddy banks and water that shimmers.
void River(Canvas& c, Point from, Point to, bool spring, double width = 5.0)
{
    const Point mid = spring ? to : Centre;
    for (int y = 1; y <= 32; ++y)
        for (int x = 0; x <= 64; ++x) {
            double best = 1e9;
            for (int i = 0; i <= 64; ++i) {
                const double t = i / 64.0;
                const double bx = (1 - t) * (1 - t) * from.X + 2 * (1 - t) * t * mid.X + t * t * to.X;
                const double by = (1 - t) * (1 - t) * from.Y + 2 * (1 - t) * t * mid.Y + t * t * to.Y;
                const double w = spring ? width * (0.45 + 0.55 * (1 - t)) : width;
                const double dx = x + 0.5 - bx, dy = 2 * (y + 0.5 - by);
                best = std::min(best, std::sqrt(dx * dx + dy * dy) / w);
            }
            if (best <= 0.7)
                c.Put(x, y, Shade(ramps::Water().Slice(8, 11), 0.55 - best * 0.4, x, y));  // 65..75
            else if (best <= 1.0)
                c.Put(x, y, best < 0.85 ? 66 : Shade(ramps::Olive().Slice(2, 7), 0.5, x, y));
        }
}

// A river's source: a small pond among stones in the middle of the cell.
void DrawSpring(Canvas& c)
{
    Pool(c, Centre.X, Centre.Y, 6, 3, 21);
    Rock(c, Centre.X - 6, Centre.Y + 2, 2, 1.5, ramps::Grey().Slice(8, 18));
    Rock(c, Centre.X + 5, Centre.Y - 1, 1.5, 1.2, ramps::Grey().Slice(8, 18));
}

void DrawRivers(Canvas& c, int variant)
{
    switch (variant) {
    case 0: River(c, UpperLeft, LowerRight, false); break;
    case 1: River(c, UpperRight, LowerLeft, false); break;
    case 2: River(c, UpperLeft, UpperRight, false); break;
    case 3: River(c, UpperRight, LowerRight, false); break;
    case 4: River(c, LowerRight, LowerLeft, false); break;
    case 5: River(c, LowerLeft, UpperLeft, false); break;
    case 6: River(c, UpperLeft, Centre, true); DrawSpring(c); break;
    case 7: River(c, UpperRight, Centre, true); DrawSpring(c); break;
    case 8: River(c, LowerRight, Centre, true); DrawSpring(c); break;
    case 9: River(c, LowerLeft, Centre, true); DrawSpring(c); break;
    case 10: River(c, UpperLeft, LowerRight, false); River(c, UpperRight, LowerLeft, false); break;
    default:  // a fork: one river parting in two
        River(c, UpperLeft, LowerRight, false);
        River(c, Centre, LowerLeft, false, 3.0);
    }
}

void DrawLakes(Canvas& c, int variant)
{
    switch (variant) {
    case 0: Pool(c, 32.5, 17, 9, 4.5, 1); break;
    case 1: Pool(c, 32.5, 16.5, 20, 9, 2); break;
    case 2:  // an oasis
        Pool(c, 32.5, 18, 10, 4.5, 3);
        {
            Scene scene;
            scene.Add(14, [](Canvas& l) { Palm(l, 22, 16, 7); });
            scene.Add(15, [](Canvas& l) { Palm(l, 44, 17, 6.5); });
            scene.Render(c);
        }
        break;
    default:
        Pool(c, 32.5, 16.5, 19, 8.5, 4);
        Hill(c, 34, 18, 6, 4, ramps::Green().Slice(4, 10), 9);
        DeciduousTree(c, 34, 16, 4, ramps::Green().Slice(1, 13));
    }
}

void DrawMisc(Canvas& c, int variant)
{
    Rng rng(800 + variant);
    switch (variant) {
    case 0: {  // snowy firs
        Scene scene;
        for (int i = 0; i < 7; ++i) {
            const Point p = SpotIn(rng, 0.32);
            const double size = rng.Range(4.5, 6.5);
            scene.Add(p.Y, [=](Canvas& l) { Conifer(l, p.X, p.Y + 3, size, ramps::Green().Slice(0, 8), true); }, pal::Green);
        }
        scene.Render(c);
        break;
    }
    case 1: {  // dead wood
        Scene scene;
        for (int i = 0; i < 6; ++i) {
            const Point p = SpotIn(rng, 0.3);
            const double size = rng.Range(5, 9);
            scene.Add(p.Y, [=](Canvas& l) { DeadTree(l, p.X, p.Y + 3, size); });
        }
        scene.Render(c);
        break;
    }
    case 2:  // a crater
        for (int y = 1; y <= 32; ++y)
            for (int x = 1; x <= 64; ++x) {
                const double nx = (x + 0.5 - 32.5) / 18, ny = (y + 0.5 - 17) / 9;
                const double r = std::sqrt(nx * nx + ny * ny);
                if (r < 0.75)
                    c.Put(x, y, Shade(ramps::GreyBrown(), 0.1 + 0.4 * r + (nx - ny) * 0.2, x, y));
                else if (r < 1.0)
                    c.Put(x, y, Shade(ramps::GreyBrown(), 0.8 - (nx + ny) * 0.25, x, y));
            }
        break;
    case 3:  // flowers
        for (int i = 0; i < 70; ++i) {
            const Point p = SpotIn(rng, 0.1);
            static constexpr int colours[5] = {pal::Red + 6, pal::Yellow + 1, pal::Single + 1, pal::Single + 5, 31};
            c.Put(int(p.X), int(p.Y), colours[rng.Below(5)]);
            c.Put(int(p.X), int(p.Y) + 1, pal::Green + 4);
        }
        break;
    case 4:  // tall grass
        for (int i = 0; i < 60; ++i) {
            const Point p = SpotIn(rng, 0.12);
            const int h = 2 + rng.Below(3), lean = rng.Below(3) - 1;
            for (int k = 0; k < h; ++k)
                c.Put(int(p.X) + (k == h - 1 ? lean : 0), int(p.Y) - k, Shade(ramps::Olive(), 0.4 + 0.15 * k, int(p.X), k));
        }
        break;
    default:  // cliffs: layered rock ledges
        for (int y = 4; y <= 29; ++y)
            for (int x = 1; x <= 64; ++x) {
                const double ridge = 10 + (x - 32.5) * 0.22 + 2 * std::sin(x * 0.3);
                if (y < ridge || y > ridge + 12)
                    continue;
                const int band = int((y - ridge) / 3);
                c.Put(x, y, Shade(ramps::GreyBrown(), band % 2 ? 0.3 : 0.65, x, y));
            }
    }
}

void DrawOverlay(Canvas& c, int v)
{
    using namespace lands;
    auto in = [v](LandsGroup g) { return v >= g.First && v < g.First + g.Count; };
    if (in(Deciduous))
        DrawForest(c, 100 + v, 4 + (v - Deciduous.First) * 2, 0);
    else if (in(Conifers))
        DrawForest(c, 200 + v, 4 + (v - Conifers.First) * 2, v - Conifers.First >= 4 ? 2 : 1);
    else if (in(Palms))
        DrawPalms(c, 250 + v, 3 + (v - Palms.First) * 2);
    else if (in(Hills))
        DrawHills(c, v - Hills.First);
    else if (in(Mountains))
        DrawMountains(c, v - Mountains.First);
    else if (in(SnowCaps))
        DrawSnowCaps(c, v - SnowCaps.First);
    else if (in(Marsh))
        DrawMarsh(c, v - Marsh.First);
    else if (in(Dunes))
        DrawDunes(c, v - Dunes.First);
    else if (in(Rocks))
        DrawRocks(c, v - Rocks.First);
    else if (in(Rivers))
        DrawRivers(c, v - Rivers.First);
    else if (in(Lakes))
        DrawLakes(c, v - Lakes.First);
    else
        DrawMisc(c, v - Misc.First);
}

}  // namespace

IndexedImage MakeLands()
{
    IndexedImage sheet = Blank(7 * TileW, 9 * TileH + 1);
    for (int v = 0; v < 60; ++v) {
        Canvas tile(TileW, TileH + 1);
        DrawOverlay(tile, v);
        const int ox = (v / 9) * TileW, oy = (v % 9) * TileH;
        for (int y = 0; y <= TileH; ++y)
            for (int x = 0; x < TileW; ++x)
                if (Footprint(x, y) && tile.Get(x, y))
                    sheet.Pixels[std::size_t(oy + y) * sheet.Width + ox + x] = tile.Get(x, y);
    }
    return sheet;
}

}  // namespace korvan::art

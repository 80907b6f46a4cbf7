// The natural features of the fertile land: groves, meadows, ponds, rocks, game. Half the cells
// of that land carry a feature, so most of them are things that grow there, and only a few are
// the work of people.
#include "Sprites.h"
#include "WildFeatures.h"

#include "render/SharedPalette.h"

#include <cmath>

namespace korvan::art {
namespace {

// Places count points in a loose cluster around (cx, cy), the same every build.
template <typename Plant>
void Cluster(int seed, int count, double cx, double cy, double rx, double ry, Plant plant)
{
    for (int i = 0; i < count; ++i) {
        const double a = HashUnit(i, 0, seed) * 6.2832, r = std::sqrt(HashUnit(i, 1, seed));
        plant(i, cx + std::cos(a) * r * rx, cy + std::sin(a) * r * ry);
    }
}

void Tuft(Canvas& c, int x, int y, int height, const Ramp& blades)
{
    for (int k = 0; k < height; ++k) {
        c.Put(x, y - k, blades.Indices[std::size_t(std::min(blades.size() - 1, k))]);
        if (k < height - 1) {
            c.Put(x - 1 - k / 3, y - k, blades.Indices[std::size_t(k / 2)]);
            c.Put(x + 1 + k / 3, y - k, blades.Indices[std::size_t(k / 2)]);
        }
    }
}

// Still water drawn with the darker blues (no shimmer on this sheet) and a muddy rim.
void Pond(Canvas& c, double cx, double cy, double rx, double ry)
{
    Disc(c, cx, cy, rx + 1.2, ry + 0.8, pal::OrangeBrown + 12);
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0)
                c.Put(x, y, Shade(Ramp{{74, 72, 70, 68}}, 0.35 + 0.5 * (ny + 1) / 2, x, y));
        }
    c.Put(int(cx - rx * 0.3), int(cy - ry * 0.2), 65);
    c.Put(int(cx - rx * 0.3) + 1, int(cy - ry * 0.2), 66);
}

void Reeds(Canvas& c, int x, int y, int count, int seed)
{
    for (int i = 0; i < count; ++i) {
        const int px = x + i * 2 - count, h = 4 + int(HashUnit(i, 0, seed) * 4);
        for (int k = 0; k < h; ++k)
            c.Put(px + (k > h - 2 ? 1 : 0), y - k, k == h - 1 ? pal::OrangeBrown + 10 : pal::Olive + 7 + k % 3);
    }
}

void Mushroom(Canvas& c, int x, int y)
{
    c.Put(x, y, pal::Beige + 14);
    c.Put(x - 1, y - 1, pal::Red + 4); c.Put(x, y - 1, pal::Red + 6); c.Put(x + 1, y - 1, pal::Red + 3);
    c.Put(x, y - 2, pal::Red + 5);
    c.Put(x - 1, y - 1, HashUnit(x, y, 3) > 0.5 ? pal::Grey + 31 : pal::Red + 4);
}

void Deer(Canvas& c, int x, int y, bool stag)
{
    const int coat = pal::OrangeBrown + 8, dark = pal::OrangeBrown + 12;
    for (int i = -3; i <= 2; ++i) {
        c.Put(x + i, y - 4, coat);
        c.Put(x + i, y - 5, i < 0 ? pal::OrangeBrown + 6 : coat);
    }
    c.Put(x - 3, y - 3, dark); c.Put(x - 3, y - 2, dark); c.Put(x - 3, y - 1, dark);
    c.Put(x + 2, y - 3, dark); c.Put(x + 2, y - 2, dark); c.Put(x + 2, y - 1, dark);
    c.Put(x + 3, y - 6, coat); c.Put(x + 3, y - 7, coat); c.Put(x + 4, y - 7, coat); c.Put(x + 5, y - 7, dark);
    c.Put(x - 4, y - 5, pal::Beige + 14);  // the pale tail
    if (stag) {
        c.Put(x + 3, y - 8, dark); c.Put(x + 2, y - 9, dark); c.Put(x + 4, y - 9, dark);
        c.Put(x + 2, y - 10, dark); c.Put(x + 5, y - 10, dark);
    }
}

void Poplar(Canvas& c, double x, double y, double height, const Ramp& leaves)
{
    c.Put(int(x), int(y), pal::OrangeBrown + 12);
    c.Put(int(x), int(y) - 1, pal::OrangeBrown + 12);
    Ellipsoid(c, x + 0.5, y - 1 - height / 2, 2.3, height / 2, leaves);
}

void Fern(Canvas& c, int x, int y, int seed)
{
    static constexpr double angles[5] = {-2.7, -2.2, -1.57, -0.95, -0.45};
    for (int f = 0; f < 5; ++f)
        for (int k = 0; k < 5 + (f == 2 ? 1 : 0); ++k) {
            const int px = x + int(std::lround(std::cos(angles[f]) * k * 1.3)),
                      py = y + int(std::lround(std::sin(angles[f]) * k * 0.9 + k * k * 0.06));
            c.Put(px, py, (k + f + seed) % 3 ? pal::Green + 9 + k % 3 : pal::Green + 6);
        }
}

}  // namespace

bool DrawWildFeature(Canvas& c, int v)
{
    Scene scene;
    const Ramp leaves = ramps::Green().Slice(1, 13);
    const Ramp grass = Ramp{{pal::Green + 6, pal::Green + 8, pal::Olive + 9, pal::Olive + 11, pal::Olive + 12}};
    const Ramp stone = ramps::Grey().Slice(10, 18);
    switch (v) {
    case 1:  // a meadow in flower
        Cluster(11, 34, 32, 19, 15, 7, [&](int i, double x, double y) {
            static constexpr int petals[4] = {pal::Yellow + 1, pal::Single + 5, pal::Grey + 31, pal::Single + 1};
            c.Put(int(x), int(y), pal::Green + 7);
            c.Put(int(x), int(y) - 1, petals[i % 4]);
            if (i % 3 == 0)
                c.Put(int(x) + 1, int(y) - 1, petals[(i + 1) % 4]);
        });
        break;
    case 2:  // tall grass
        Cluster(12, 9, 32, 20, 14, 6, [&](int i, double x, double y) { Tuft(c, int(x), int(y), 4 + i % 3, grass); });
        break;
    case 3:  // a pond among reeds
        Pond(c, 32, 20, 10, 4.5);
        Reeds(c, 24, 20, 4, 3);
        Reeds(c, 43, 22, 3, 4);
        break;
    case 5:  // gorse in bloom
        Cluster(15, 5, 32, 21, 11, 4, [&](int, double x, double y) {
            scene.Add(y, [=](Canvas& l) {
                Bush(l, x, y, 4, ramps::Green().Slice(2, 9));
                for (int k = 0; k < 5; ++k)
                    l.Put(int(x) - 2 + int(HashUnit(k, int(x), 5) * 5), int(y) - 1 - int(HashUnit(k, int(y), 5) * 4), pal::Yellow + 1);
            }, pal::Green + 1);
        });
        break;
    case 12:  // a grove
        for (int i = 0; i < 3; ++i)
            scene.Add(i == 1 ? 30 : 20 + i, [=](Canvas& l) {
                DeciduousTree(l, 22 + i * 10, i == 1 ? 28 : 23, 6 + (i % 2), ramps::Green().Slice(1, 13), 0.05 * i);
            }, pal::Green);
        break;
    case 14:  // a copse of young firs
        for (int i = 0; i < 4; ++i)
            scene.Add(i, [=](Canvas& l) { Conifer(l, 22 + i * 7, 21 + (i % 2) * 5, 5, ramps::Green().Slice(0, 9)); }, pal::Green);
        break;
    case 16:  // a mossy outcrop
        scene.Add(0, [&](Canvas& l) {
            Rock(l, 30, 25, 9, 5, stone);
            Rock(l, 39, 26, 5, 3, stone);
            for (int x = 23; x < 38; ++x)
                if (l.Get(x, 20) && HashUnit(x, 0, 16) > 0.4)
                    l.Put(x, 20 - (x % 3 == 0), pal::Olive + 9);
        }, pal::Grey + 5);
        scene.Add(1, [](Canvas& l) { Bush(l, 22, 27, 3, ramps::Green().Slice(2, 10)); }, pal::Green);
        break;
    case 18:  // a spring in a ring of stones
        Pond(c, 32, 21, 6, 3);
        Cluster(18, 7, 32, 21, 8.5, 4.2, [&](int, double x, double y) { Rock(c, x, y + 1, 1.6, 1.1, stone); });
        break;
    case 19:  // a grassy hillock
        Ellipsoid(c, 32, 22, 14, 6, ramps::Green().Slice(4, 10), 0.05);
        for (int i = 0; i < 6; ++i)
            Tuft(c, 24 + i * 3, 21 - (i % 2), 3, grass);
        break;
    case 20:  // a ring of toadstools
        for (int i = 0; i < 9; ++i)
            Mushroom(c, 32 + int(std::cos(i * 0.698) * 10), 21 + int(std::sin(i * 0.698) * 4.5));
        break;
    case 22:  // a fallen trunk, mossy
        scene.Add(0, [](Canvas& l) {
            for (int k = 0; k < 18; ++k)
                for (int w = 0; w < 3; ++w)
                    l.Put(24 + k, 18 + k / 2 + w, w == 0 ? (k % 4 ? pal::Olive + 9 : pal::OrangeBrown + 9) : pal::OrangeBrown + 10 + w);
            Disc(l, 24, 19, 1.6, 1.6, pal::Beige + 10);
            l.Put(24, 19, pal::OrangeBrown + 9);
        }, InkIndex);
        break;
    case 23:  // a tree with undergrowth
        scene.Add(0, [&](Canvas& l) { DeciduousTree(l, 30, 25, 8, leaves); }, pal::Green);
        scene.Add(1, [](Canvas& l) { Bush(l, 40, 27, 4, ramps::Green().Slice(3, 10)); }, pal::Green);
        scene.Add(2, [](Canvas& l) { Bush(l, 22, 28, 3, ramps::Green().Slice(3, 10)); }, pal::Green);
        break;
    case 24:  // pale boulders
        Cluster(24, 4, 32, 23, 9, 3, [&](int i, double x, double y) {
            scene.Add(y, [=](Canvas& l) { Rock(l, x, y + 2, 3.5 - i * 0.4, 2.6, ramps::Beige().Slice(2, 13)); }, pal::GreyBrown + 6);
        });
        break;
    case 25:  // deer
        Deer(c, 26, 22, true);
        Deer(c, 38, 25, false);
        Deer(c, 31, 28, false);
        break;
    case 28:  // heather
        Cluster(28, 7, 32, 21, 13, 5, [&](int, double x, double y) {
            scene.Add(y, [=](Canvas& l) { Bush(l, x, y, 3, Ramp{{pal::Single + 0, pal::Single + 0, pal::Single + 1, pal::Pink + 1}}); }, pal::Olive + 2);
        });
        break;
    case 31:  // a thicket
        Cluster(31, 9, 32, 21, 12, 5, [&](int i, double x, double y) {
            scene.Add(y, [=](Canvas& l) { Bush(l, x, y + 2, 3 + i % 3, ramps::Green().Slice(1, 11)); }, pal::Green);
        });
        break;
    case 35:  // a tree in autumn colours
        scene.Add(0, [&](Canvas& l) { DeciduousTree(l, 32, 26, 9, Ramp{{pal::OrangeBrown + 13, pal::OrangeBrown + 10, pal::Yellow + 7, pal::Yellow + 5, pal::Yellow + 3, pal::Yellow + 1}}); }, pal::OrangeBrown + 14);
        break;
    case 36:  // a row of poplars
        for (int i = 0; i < 3; ++i)
            scene.Add(i, [=](Canvas& l) { Poplar(l, 24 + i * 8, 23 + i * 3, 14, ramps::Green().Slice(2, 12)); }, pal::Green);
        break;
    case 37:  // ferns
        Cluster(37, 5, 32, 22, 11, 4, [&](int i, double x, double y) { Fern(c, int(x), int(y), i); });
        break;
    case 38:  // a marsh
        Pond(c, 27, 20, 5, 2.5);
        Pond(c, 38, 24, 6, 2.5);
        Reeds(c, 33, 21, 3, 38);
        Reeds(c, 22, 25, 3, 39);
        Tuft(c, 44, 21, 4, grass);
        break;
    case 39:  // a pine among boulders
        scene.Add(24, [&](Canvas& l) { Rock(l, 38, 24, 5, 3.5, stone); }, pal::Grey + 5);
        scene.Add(26, [](Canvas& l) { Conifer(l, 29, 26, 8, ramps::Green().Slice(0, 9)); }, pal::Green);
        scene.Add(28, [&](Canvas& l) { Rock(l, 36, 28, 3, 2, stone); }, pal::Grey + 5);
        break;
    default:
        return false;
    }
    scene.Render(c);
    return true;
}

}  // namespace korvan::art

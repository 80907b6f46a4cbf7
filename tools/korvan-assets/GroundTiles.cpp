// The ten ground tiles of the Territ sheet (and of the terrain legend): textured diamonds whose
// texture wraps with the lattice, so that a field of one terrain shows no seams.
#include "Artwork.h"
#include "Draw.h"
#include "TileShape.h"

#include "render/SharedPalette.h"

#include <cmath>

namespace korvan::art {
namespace {

constexpr double Pi = 3.14159265358979;

// Smooth noise and grain, both functions of the torus position only.
struct Texture {
    int S, T, Seed;
    double Noise(int period, int salt) const
    {
        return PeriodicNoise(S * period / double(LatticeCells), T * period / double(LatticeCells), period, Seed + salt);
    }
    double Grain(int salt) const { return HashUnit(S, T, Seed + salt); }
    double Wave(int ks, int kt, double phase) const
    {
        return std::sin(2 * Pi * (ks * S + kt * T) / double(LatticeCells) + phase);
    }
};

// Golden sand with low dunes.
int Desert(const Texture& t, int x, int y)
{
    const double dune = 0.5 + 0.25 * t.Wave(3, 1, 0.3) + 0.15 * t.Wave(2, -3, 1.1);
    const double level = 0.5 + 0.55 * (dune - 0.5) + 0.35 * (t.Noise(8, 1) - 0.5) + 0.25 * (t.Grain(2) - 0.5);
    if (t.Grain(3) > 0.985)
        return pal::Gold + 6;  // a pebble
    return Shade(ramps::Gold().Slice(1, 7), level + 0.1, x, y);
}

// Pale stony beige with scattered pebbles.
int DesertStony(const Texture& t, int x, int y)
{
    const double level = 0.55 + 0.3 * (t.Noise(6, 1) - 0.5) + 0.2 * (t.Grain(2) - 0.5);
    const double g = t.Grain(3);
    if (g > 0.975)
        return pal::GreyBrown + 5;
    if (g > 0.955)
        return pal::Beige + 15;
    return Shade(ramps::Beige().Slice(5, 10), level, x, y);
}

int Meadow(const Texture& t, int x, int y, const Ramp& ramp, double base, double speckle, int flowers)
{
    const double level = base + 0.35 * (t.Noise(6, 1) - 0.5) + 0.2 * (t.Noise(16, 4) - 0.5) +
                         speckle * (t.Grain(2) - 0.5);
    const double g = t.Grain(3);
    if (flowers && g > 0.992)
        return flowers;
    return Shade(ramp, level, x, y);
}

// Fertile land 4 also mixes olive patches into the green, as the features stand on it.
int MixedGreen(const Texture& t, int x, int y)
{
    const double patch = t.Noise(5, 7);
    if (patch > 0.62)
        return Meadow(t, x, y, ramps::Olive().Slice(4, 10), 0.55, 0.3, 0);
    return Meadow(t, x, y, ramps::Green().Slice(3, 11), 0.55, 0.35, pal::Yellow + 1);
}

int Tundra(const Texture& t, int x, int y)
{
    const double moss = t.Noise(7, 3);
    const double level = 0.5 + 0.3 * (t.Noise(12, 1) - 0.5) + 0.3 * (t.Grain(2) - 0.5);
    if (moss > 0.58)
        return Shade(ramps::Olive().Slice(3, 9), level, x, y);
    if (t.Grain(5) > 0.97)
        return pal::Green + 6;
    return Shade(ramps::Grey().Slice(12, 14), level, x, y);
}

int Ice(const Texture& t, int x, int y)
{
    const double level = 0.7 + 0.25 * (t.Noise(6, 1) - 0.5) + 0.12 * (t.Grain(2) - 0.5);
    if (t.Noise(9, 4) > 0.7 && t.Grain(5) > 0.6)
        return pal::Beige + 14;
    const double crack = std::abs(t.Wave(4, -1, 0.7) + 0.5 * t.Wave(1, 5, 2.0));
    if (crack < 0.05)
        return pal::Grey + 24;
    return Shade(ramps::Grey().Slice(25, 7), level, x, y);
}

// The sea: only indices 68..75, so that every pixel of it shimmers.
int Sea(const Texture& t, int x, int y)
{
    const double swell = 0.5 + 0.22 * t.Wave(2, 5, 0.0) + 0.14 * t.Wave(-3, 4, 1.7) + 0.25 * (t.Noise(8, 1) - 0.5);
    const Ramp deep = ramps::Water().Slice(83 - 75, 8);  // 75 (dark) .. 68 (light)
    const double crest = t.Wave(1, 6, 0.4);
    if (crest > 0.93 && t.Grain(4) > 0.35)
        return 68;
    return Shade(deep, 0.25 + 0.5 * (swell - 0.5) + 0.35 * (t.Grain(2) - 0.5) + 0.2, x, y);
}

int GroundPixel(int terrain, int x, int y)
{
    Texture tex{0, 0, 1000 + terrain * 37};
    TorusCoordinates(x, y, tex.S, tex.T);
    switch (terrain) {
    case 0: return Desert(tex, x, y);
    case 1: return DesertStony(tex, x, y);
    case 2: return Meadow(tex, x, y, ramps::Green().Slice(6, 10), 0.55, 0.3, pal::Single + 13);
    case 3: return Meadow(tex, x, y, ramps::Olive().Slice(6, 10), 0.6, 0.35, pal::Single + 5);
    case 4: return Meadow(tex, x, y, ramps::Green().Slice(2, 10), 0.5, 0.4, 0);
    case 5: return MixedGreen(tex, x, y);
    case 6: return Meadow(tex, x, y, ramps::Olive().Slice(1, 9), 0.45, 0.4, 0);
    case 7: return Tundra(tex, x, y);
    case 8: return Ice(tex, x, y);
    default: return Sea(tex, x, y);
    }
}

}  // namespace

IndexedImage Blank(int width, int height)
{
    IndexedImage image(width, height);
    image.Palette = SharedPalette();
    return image;
}

IndexedImage MakeBlack() { return Blank(640, 480); }

IndexedImage MakeTerrit()
{
    IndexedImage sheet = Blank(66, 331);
    for (int y = 0; y < sheet.Height; ++y)
        for (int x = 0; x < sheet.Width; ++x) {
            const int t = y / 33, row = y % 33;
            std::uint8_t v = 0;
            if (row == 0 || x == 0 || x == 65)
                v = pal::Frame;
            else if (t < 10 && InDiamond(x, row))
                v = std::uint8_t(GroundPixel(t, x, row));
            sheet.Pixels[std::size_t(y) * 66 + x] = v;
        }
    return sheet;
}

}  // namespace korvan::art

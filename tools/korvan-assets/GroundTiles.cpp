// The ten ground tiles of the Territ sheet (and of the terrain legend): textured diamonds whose
// texture wraps with the lattice, so that a field of one terrain shows no seams.
#include "Artwork.h"
#include "Draw.h"
#include "TileShape.h"

#include "render/SharedPalette.h"

#include <vector>

namespace korvan::art {
namespace {

// Smooth noise and grain, both functions of the torus position only.
struct Texture {
    int S, T, Seed;
    double Noise(int period, int salt) const
    {
        return PeriodicNoise(S * period / double(LatticeCells), T * period / double(LatticeCells), period, Seed + salt);
    }
    double Grain(int salt) const { return HashUnit(S, T, Seed + salt); }
};

// Every cell of one terrain shows the same tile, so anything that stands out in a tile (a blob,
// a dot, a line) repeats at every cell and draws the lattice. The textures are therefore grain
// and fine mottling only: a narrow run of neighbouring palette entries, plus accent pixels of
// other hues at nearly the same lightness, so the ground has colour but no shapes.
struct Accent {
    int Index;
    double Share;  // of the tile's pixels
};

struct Ground {
    Ramp Base;                    // three or four neighbouring entries, dark to light
    double Level;                 // 0..1 along the ramp
    std::vector<Accent> Accents;  // scattered by grain, each pixel on its own
    double Mottle = 0.4;          // amplitude of the fine noise (features of one or two pixels)
};

int Grainy(const Texture& t, int x, int y, const Ground& g)
{
    double pick = t.Grain(3), below = 0;
    for (const Accent& a : g.Accents) {
        below += a.Share;
        if (pick < below)
            return a.Index;
    }
    const double level = g.Level + g.Mottle * (t.Noise(24, 1) - 0.5) + 0.3 * (t.Grain(2) - 0.5);
    return Shade(g.Base, level, x, y);
}

const Ground& GroundOf(int terrain)
{
    static const std::vector<Ground> grounds = {
        // 0 sand, 1 pale stony ground, 2 bright grass, 3 olive meadow, 4 green, 5 fertile mixed green,
        // 6 dark olive, 7 tundra (grey with lichen), 8 ice, 9 sea (68..75 only, so all of it shimmers)
        {Ramp{{pal::Gold + 2, pal::Gold + 1, pal::Gold + 0}}, 0.5, {{pal::Beige + 9, 0.04}, {pal::Beige + 10, 0.04}}},
        {Ramp{{pal::Beige + 8, pal::Beige + 9, pal::Beige + 10}}, 0.5, {{pal::GreyBrown + 0, 0.05}, {pal::Beige + 12, 0.03}}},
        {Ramp::Up(pal::Green + 11, 3), 0.5, {{pal::Olive + 11, 0.05}, {pal::Olive + 12, 0.03}}},
        {Ramp::Up(pal::Olive + 9, 3), 0.5, {{pal::Green + 10, 0.05}, {pal::Green + 11, 0.03}}},
        {Ramp::Up(pal::Green + 6, 3), 0.5, {{pal::Olive + 5, 0.05}, {pal::Olive + 6, 0.04}}},
        {Ramp::Up(pal::Green + 8, 3), 0.45, {{pal::Olive + 8, 0.08}, {pal::Olive + 7, 0.05}, {pal::Olive + 6, 0.02}}},
        {Ramp::Up(pal::Olive + 3, 3), 0.5, {{pal::Green + 5, 0.05}, {pal::Green + 4, 0.03}}},
        {Ramp::Up(pal::Grey + 15, 3), 0.5, {{pal::Olive + 10, 0.22}, {pal::Olive + 9, 0.12}, {pal::Olive + 11, 0.05}}},
        {Ramp::Up(pal::Grey + 28, 3), 0.5, {{pal::Grey + 27, 0.06}, {pal::Beige + 15, 0.04}}},
        {Ramp{{72, 71, 70}}, 0.5, {{73, 0.04}, {69, 0.04}}},
    };
    return grounds[std::size_t(terrain)];
}

}  // namespace

int GroundPixel(int terrain, int x, int y)
{
    Texture tex{0, 0, 1000 + terrain * 37};
    TorusCoordinates(x, y, tex.S, tex.T);
    return Grainy(tex, x, y, GroundOf(terrain));
}

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

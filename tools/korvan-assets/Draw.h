// Drawing helpers shared by every picture: a fixed-seed generator, periodic noise, dithered
// shading along palette ramps and a few shaded shapes on an indexed canvas.
#pragma once

#include "render/IndexedImage.h"

#include <cstdint>
#include <vector>

namespace korvan::art {

// A small fixed-seed generator (SplitMix64), so every build draws the same pictures.
struct Rng {
    std::uint64_t State;
    explicit Rng(std::uint64_t seed) : State(seed) {}
    std::uint32_t Next();
    int Below(int n) { return int(Next() % std::uint32_t(n)); }
    double Unit() { return Next() / 4294967296.0; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
};

std::uint32_t Hash(int x, int y, int seed);
double HashUnit(int x, int y, int seed);

// Value noise in 0..1 over [0, period)^2 that wraps at the period on both axes.
double PeriodicNoise(double x, double y, int period, int seed);

// A run of palette indices from dark to light.
struct Ramp {
    std::vector<int> Indices;
    static Ramp Up(int first, int count);    // indices ascend from dark to light
    static Ramp Down(int first, int count);  // indices descend from dark to light
    Ramp Slice(int from, int count) const;
    int size() const { return int(Indices.size()); }
};

// Light level 0..1 mapped onto the ramp with 4x4 ordered dithering at pixel (x, y).
int Shade(const Ramp& ramp, double level, int x, int y);
double Bayer(int x, int y);  // -0.5..0.5

// A sprite canvas: index 0 is transparent.
struct Canvas {
    int Width, Height;
    std::vector<std::uint8_t> Pixels;
    Canvas(int w, int h) : Width(w), Height(h), Pixels(std::size_t(w) * h, 0) {}
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    std::uint8_t Get(int x, int y) const { return Inside(x, y) ? Pixels[std::size_t(y) * Width + x] : 0; }
    void Put(int x, int y, int index)
    {
        if (Inside(x, y))
            Pixels[std::size_t(y) * Width + x] = std::uint8_t(index);
    }
};

// Shapes lit from the upper left; levels are offsets added to the base light.
void Ellipsoid(Canvas& c, double cx, double cy, double rx, double ry, const Ramp& ramp, double light = 0.0);
void Box(Canvas& c, int x0, int y0, int x1, int y1, int index);
void ShadedBox(Canvas& c, int x0, int y0, int x1, int y1, const Ramp& ramp, double level);
void Line(Canvas& c, int x0, int y0, int x1, int y1, int index);
void Triangle(Canvas& c, double ax, double ay, double bx, double by, double cx, double cy, const Ramp& ramp,
              double level);
// A flat ellipse of one index (shadows, ponds).
void Disc(Canvas& c, double cx, double cy, double rx, double ry, int index);
// An isometric box: footprint w x d (ground), height h, placed with its front-bottom corner at (x, y).
void IsoBlock(Canvas& c, int x, int y, int w, int d, int h, const Ramp& wall, const Ramp& roof, bool pitched);
// Dark outline around every opaque pixel, on transparent neighbours.
void Outline(Canvas& c, int index);

// Copies the canvas onto an image at (x, y); index 0 stays as the image had it.
void Paste(const Canvas& c, IndexedImage& image, int x, int y);

// A canvas with the shared palette's ramps ready.
namespace ramps {
Ramp Grey();
Ramp Green();
Ramp Olive();
Ramp Water();  // dark to light, 64..83
Ramp Teal();
Ramp Red();
Ramp Yellow();
Ramp Gold();
Ramp Pink();
Ramp Skin();
Ramp Brown();      // orange-brown, dark to light
Ramp GreyBrown();
Ramp Beige();
}  // namespace ramps

}  // namespace korvan::art

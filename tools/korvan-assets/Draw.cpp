// Drawing helpers: generator, noise, dithering and shaded shapes.
#include "Draw.h"

#include "render/SharedPalette.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvan::art {

std::uint32_t Rng::Next()
{
    State += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = State;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return std::uint32_t((z ^ (z >> 31)) >> 16);
}

std::uint32_t Hash(int x, int y, int seed)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + std::uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double HashUnit(int x, int y, int seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777216.0; }

double PeriodicNoise(double x, double y, int period, int seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = ((int(fx) % period) + period) % period, y0 = ((int(fy) % period) + period) % period;
    const int x1 = (x0 + 1) % period, y1 = (y0 + 1) % period;
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = HashUnit(x0, y0, seed), b = HashUnit(x1, y0, seed);
    const double c = HashUnit(x0, y1, seed), d = HashUnit(x1, y1, seed);
    return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
}

Ramp Ramp::Up(int first, int count)
{
    Ramp r;
    for (int i = 0; i < count; ++i)
        r.Indices.push_back(first + i);
    return r;
}

Ramp Ramp::Down(int first, int count)
{
    Ramp r;
    for (int i = count - 1; i >= 0; --i)
        r.Indices.push_back(first + i);
    return r;
}

Ramp Ramp::Slice(int from, int count) const
{
    Ramp r;
    r.Indices.assign(Indices.begin() + from, Indices.begin() + from + count);
    return r;
}

double Bayer(int x, int y)
{
    static constexpr int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

int Shade(const Ramp& ramp, double level, int x, int y)
{
    const int n = ramp.size();
    const double pos = std::clamp(level, 0.0, 1.0) * (n - 1) + Bayer(x, y) * 0.9;
    return ramp.Indices[std::size_t(std::clamp(int(std::lround(pos)), 0, n - 1))];
}

void Ellipsoid(Canvas& c, double cx, double cy, double rx, double ry, const Ramp& ramp, double light)
{
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            const double r2 = nx * nx + ny * ny;
            if (r2 > 1.0)
                continue;
            const double nz = std::sqrt(1.0 - r2);
            const double lit = (-0.55 * nx - 0.6 * ny + 0.58 * nz);
            c.Put(x, y, Shade(ramp, 0.15 + 0.75 * std::max(0.0, lit) + light, x, y));
        }
}

void Box(Canvas& c, int x0, int y0, int x1, int y1, int index)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            c.Put(x, y, index);
}

void ShadedBox(Canvas& c, int x0, int y0, int x1, int y1, const Ramp& ramp, double level)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            c.Put(x, y, Shade(ramp, level, x, y));
}

void Line(Canvas& c, int x0, int y0, int x1, int y1, int index)
{
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.Put(x0, y0, index);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Triangle(Canvas& c, double ax, double ay, double bx, double by, double cx, double cy, const Ramp& ramp,
              double level)
{
    const int x0 = int(std::floor(std::min({ax, bx, cx}))), x1 = int(std::ceil(std::max({ax, bx, cx})));
    const int y0 = int(std::floor(std::min({ay, by, cy}))), y1 = int(std::ceil(std::max({ay, by, cy})));
    auto edge = [](double px, double py, double qx, double qy, double x, double y) {
        return (qx - px) * (y - py) - (qy - py) * (x - px);
    };
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double e0 = edge(ax, ay, bx, by, px, py), e1 = edge(bx, by, cx, cy, px, py),
                         e2 = edge(cx, cy, ax, ay, px, py);
            if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                c.Put(x, y, Shade(ramp, level, x, y));
        }
}

void Disc(Canvas& c, double cx, double cy, double rx, double ry, int index)
{
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0)
                c.Put(x, y, index);
        }
}

void IsoBlock(Canvas& c, int x, int y, int w, int d, int h, const Ramp& wall, const Ramp& roof, bool pitched)
{
    // Front corner at (x, y); the left face runs up-left by w, the right face up-right by d.
    for (int i = 0; i <= w * 2; ++i)
        for (int k = 0; k < h; ++k)
            c.Put(x - i, y - i / 2 - k, Shade(wall, 0.75, x - i, y - k));
    for (int i = 0; i <= d * 2; ++i)
        for (int k = 0; k < h; ++k)
            c.Put(x + i, y - i / 2 - k, Shade(wall, 0.4, x + i, y - k));
    const int top = y - h;
    if (!pitched) {
        for (int i = 0; i <= w * 2; ++i)
            for (int j = 0; j <= d * 2; ++j)
                c.Put(x - i + j, top - i / 2 - j / 2, Shade(roof, 0.6, x - i + j, top - i / 2 - j / 2));
        return;
    }
    // A gable roof whose ridge runs along the right face.
    const int rise = w + 1;
    for (int j = 0; j <= d * 2; ++j) {
        for (int i = 0; i <= w * 2 + 1; ++i) {
            const int up = i <= w ? i : (2 * w + 1 - i);
            const int px = x - i + j, py = top - i / 2 - j / 2 - up * rise / std::max(1, w);
            c.Put(px, py, Shade(roof, i <= w ? 0.75 : 0.35, px, py));
            c.Put(px, py + 1, Shade(roof, i <= w ? 0.7 : 0.3, px, py + 1));
        }
    }
}

void Outline(Canvas& c, int index)
{
    Canvas copy = c;
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x)
            if (copy.Get(x, y) == 0 && (copy.Get(x - 1, y) || copy.Get(x + 1, y) || copy.Get(x, y - 1) || copy.Get(x, y + 1)))
                c.Put(x, y, index);
}

void Paste(const Canvas& c, IndexedImage& image, int x, int y)
{
    for (int j = 0; j < c.Height; ++j)
        for (int i = 0; i < c.Width; ++i) {
            const int v = c.Get(i, j);
            const int px = x + i, py = y + j;
            if (v && px >= 0 && py >= 0 && px < image.Width && py < image.Height)
                image.Pixels[std::size_t(py) * image.Width + px] = std::uint8_t(v);
        }
}

namespace ramps {
Ramp Grey() { return Ramp::Up(pal::Grey, 32); }
Ramp Green() { return Ramp::Up(pal::Green, 16); }
Ramp Olive() { return Ramp::Up(pal::Olive, 16); }
Ramp Water() { return Ramp::Down(pal::Water, 20); }
Ramp Teal() { return Ramp::Up(pal::Teal, 12); }
Ramp Red() { return Ramp::Up(pal::Red, 8); }
Ramp Yellow() { return Ramp::Down(pal::Yellow, 8); }
Ramp Gold() { return Ramp::Down(pal::Gold, 8); }
Ramp Pink() { return Ramp::Down(pal::Pink, 8); }
Ramp Skin() { return Ramp::Down(pal::Skin, 8); }
Ramp Brown() { return Ramp::Down(pal::OrangeBrown, 16); }
Ramp GreyBrown() { return Ramp::Down(pal::GreyBrown, 8); }
Ramp Beige() { return Ramp::Up(pal::Beige, 16); }
}  // namespace ramps

}  // namespace korvan::art

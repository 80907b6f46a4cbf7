// Drawing of the small objects.
#include "Sprites.h"

#include "render/SharedPalette.h"

#include <algorithm>
#include <cmath>

namespace korvan::art {

void Scene::Render(Canvas& target) const
{
    std::vector<const Item*> order;
    for (const Item& item : Items)
        order.push_back(&item);
    std::stable_sort(order.begin(), order.end(), [](const Item* a, const Item* b) { return a->BaseY < b->BaseY; });
    for (const Item* item : order) {
        Canvas layer(target.Width, target.Height);
        item->Draw(layer);
        if (item->OutlineIndex)
            Outline(layer, item->OutlineIndex);
        for (int y = 0; y < target.Height; ++y)
            for (int x = 0; x < target.Width; ++x)
                if (const int v = layer.Get(x, y))
                    target.Put(x, y, v);
    }
}

void DeciduousTree(Canvas& c, double x, double y, double size, const Ramp& leaves, double light)
{
    const int trunkH = int(size * 0.5) + 1;
    for (int k = 0; k < trunkH; ++k) {
        c.Put(int(x), int(y) - k, pal::OrangeBrown + 11);
        c.Put(int(x) + 1, int(y) - k, pal::OrangeBrown + 13);
    }
    const double cy = y - trunkH - size * 0.45;
    Ellipsoid(c, x + 0.5, cy, size * 0.62, size * 0.55, leaves, light);
    // Clumps give the crown a lumpy edge.
    Ellipsoid(c, x - size * 0.35, cy + size * 0.15, size * 0.35, size * 0.32, leaves, light - 0.05);
    Ellipsoid(c, x + size * 0.4, cy + size * 0.12, size * 0.33, size * 0.3, leaves, light - 0.15);
    Ellipsoid(c, x, cy - size * 0.3, size * 0.35, size * 0.3, leaves, light + 0.1);
}

void Conifer(Canvas& c, double x, double y, double size, const Ramp& needles, bool snow)
{
    c.Put(int(x), int(y), pal::OrangeBrown + 12);
    c.Put(int(x), int(y) - 1, pal::OrangeBrown + 12);
    const double h = size * 1.6;
    for (int tier = 0; tier < 3; ++tier) {
        const double base = y - 1 - tier * h * 0.25, top = base - h * 0.5, half = size * (0.55 - tier * 0.13);
        for (int yy = int(top); yy <= int(base); ++yy) {
            const double t = (yy - top) / std::max(1.0, base - top);
            const double w = half * t;
            for (int xx = int(std::floor(x - w)); xx <= int(std::ceil(x + w)); ++xx) {
                const double side = (xx - x) / std::max(0.5, w);  // -1 left .. 1 right
                double level = 0.55 - 0.35 * side + 0.15 * (1 - t);
                int index = Shade(needles, level, xx, yy);
                if (snow && (t < 0.35 || (HashUnit(xx, yy, 3) > 0.6 && side < 0.2)))
                    index = Shade(ramps::Grey().Slice(24, 8), 0.8 - 0.3 * side, xx, yy);
                c.Put(xx, yy, index);
            }
        }
    }
}

void Palm(Canvas& c, double x, double y, double size)
{
    const double h = size * 1.5;
    for (int k = 0; k < int(h); ++k) {
        const double bend = std::sin(k / h * 1.4) * size * 0.25;
        c.Put(int(x + bend), int(y) - k, (k % 3) ? pal::OrangeBrown + 8 : pal::OrangeBrown + 11);
    }
    const double tx = x + std::sin(1.4) * size * 0.25, ty = y - h;
    static constexpr double angles[6] = {-2.8, -2.1, -1.2, -0.3, 0.4, 1.6};
    for (double a : angles)
        for (int k = 0; k < int(size * 0.8); ++k) {
            const double px = tx + std::cos(a) * k, py = ty + std::sin(a) * k * 0.6 + k * k * 0.04;
            c.Put(int(px), int(py), Shade(ramps::Green().Slice(4, 10), 0.8 - k / size, int(px), int(py)));
            c.Put(int(px), int(py) + 1, pal::Green + 5);
        }
}

void Rock(Canvas& c, double x, double y, double rx, double ry, const Ramp& ramp)
{
    Ellipsoid(c, x, y - ry, rx, ry, ramp);
    for (int i = -int(rx) + 1; i < int(rx) - 1; ++i)
        if (HashUnit(i, int(y), 7) > 0.7)
            c.Put(int(x) + i, int(y - ry), ramp.Indices[std::size_t(ramp.size() / 3)]);
}

void DeadTree(Canvas& c, double x, double y, double size)
{
    const int ink = pal::OrangeBrown + 13;
    Line(c, int(x), int(y), int(x), int(y - size), ink);
    Line(c, int(x), int(y - size * 0.5), int(x - size * 0.4), int(y - size * 0.85), ink);
    Line(c, int(x), int(y - size * 0.65), int(x + size * 0.45), int(y - size * 1.0), ink);
    Line(c, int(x + 1), int(y), int(x + 1), int(y - size * 0.6), pal::OrangeBrown + 10);
}

void Bush(Canvas& c, double x, double y, double size, const Ramp& ramp)
{
    Ellipsoid(c, x, y - size * 0.5, size * 0.8, size * 0.55, ramp);
}

void House(Canvas& c, int x, int y, int w, int d, int h, const Ramp& walls, const Ramp& roof)
{
    IsoBlock(c, x, y, w, d, h, walls, roof, true);
    // A door on the lit face.
    c.Put(x - w, y - w / 2 - 1, pal::OrangeBrown + 13);
    c.Put(x - w, y - w / 2 - 2, pal::OrangeBrown + 13);
    c.Put(x - w - 1, y - w / 2 - 1, pal::OrangeBrown + 13);
    c.Put(x - w - 1, y - w / 2 - 2, pal::OrangeBrown + 13);
}

}  // namespace korvan::art

// Small outlined objects (trees, rocks, houses…) shared by the overlay, feature and unit sheets.
#pragma once

#include "Draw.h"

#include <functional>
#include <vector>

namespace korvan::art {

// Objects are drawn on canvases of their own, outlined, then pasted back to front.
struct Scene {
    struct Item {
        double BaseY;
        std::function<void(Canvas&)> Draw;
        int OutlineIndex;
    };
    std::vector<Item> Items;
    void Add(double baseY, std::function<void(Canvas&)> draw, int outline = 0) { Items.push_back({baseY, std::move(draw), outline}); }
    void Render(Canvas& target) const;
};

void DeciduousTree(Canvas& c, double x, double y, double size, const Ramp& leaves, double light = 0.0);
void Conifer(Canvas& c, double x, double y, double size, const Ramp& needles, bool snow = false);
void Palm(Canvas& c, double x, double y, double size);
void Rock(Canvas& c, double x, double y, double rx, double ry, const Ramp& ramp);
void DeadTree(Canvas& c, double x, double y, double size);
void Bush(Canvas& c, double x, double y, double size, const Ramp& ramp);
void House(Canvas& c, int x, int y, int w, int d, int h, const Ramp& walls, const Ramp& roof);

// Outline colour used for most objects: the darkest brown-black.
inline constexpr int InkIndex = 151;

}  // namespace korvan::art

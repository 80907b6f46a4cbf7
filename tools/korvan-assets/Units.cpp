// The Units sheet: nine kinds of unit (spearmen, archers, cavalry, cannon, tank, supply wagon,
// sailing ship, gunboat, biplane) in six faction colours, standing low in their 65 x 49 boxes.
#include "Artwork.h"
#include "Sprites.h"

#include "render/SharedPalette.h"

#include <cmath>

namespace korvan::art {
namespace {

constexpr int BoxW = 65, BoxH = 49, Ground = 43;

Ramp FactionRamp(int faction)
{
    switch (faction) {
    case 0: return ramps::Red();
    case 1: return ramps::Water().Slice(2, 14);
    case 2: return ramps::Green().Slice(1, 14);
    case 3: return ramps::Yellow();
    case 4: return Ramp{{pal::Single + 2, pal::Single + 0, pal::Single + 0, pal::Single + 1, pal::Single + 1, pal::Single + 5}};
    default: return ramps::Grey().Slice(14, 18);
    }
}

void Figure(Canvas& c, int x, int y, const Ramp& coat, int weapon)
{
    const int skin = pal::Skin + 2, boots = pal::OrangeBrown + 14;
    c.Put(x, y, boots); c.Put(x + 2, y, boots);
    c.Put(x, y - 1, pal::GreyBrown + 6); c.Put(x + 2, y - 1, pal::GreyBrown + 6);
    c.Put(x, y - 2, pal::GreyBrown + 5); c.Put(x + 2, y - 2, pal::GreyBrown + 5);
    for (int k = 3; k <= 7; ++k)
        for (int i = 0; i <= 2; ++i)
            c.Put(x + i, y - k, Shade(coat, i == 0 ? 0.8 : i == 1 ? 0.55 : 0.3, x + i, y - k));
    c.Put(x - 1, y - 6, Shade(coat, 0.7, 0, 0));
    c.Put(x + 3, y - 6, Shade(coat, 0.3, 0, 0));
    c.Put(x, y - 8, skin); c.Put(x + 1, y - 8, skin); c.Put(x + 2, y - 8, pal::Skin + 4);
    c.Put(x, y - 9, skin); c.Put(x + 1, y - 9, skin); c.Put(x + 2, y - 9, pal::Skin + 4);
    for (int i = -1; i <= 3; ++i)
        c.Put(x + i, y - 10, Shade(coat, 0.2, 0, 0));  // a cap in the faction's dark shade
    if (weapon == 0) {  // a spear
        for (int k = 2; k <= 15; ++k)
            c.Put(x + 4, y - k, pal::OrangeBrown + 9);
        c.Put(x + 4, y - 16, pal::Grey + 28);
        c.Put(x + 4, y - 17, pal::Grey + 24);
    } else {  // a bow
        for (int k = 0; k < 7; ++k)
            c.Put(x + 4 + (k == 0 || k == 6 ? 0 : 1), y - 4 - k, pal::OrangeBrown + 11);
        Line(c, x + 4, y - 4, x + 4, y - 10, pal::Grey + 26);
    }
}

void Horse(Canvas& c, int x, int y, const Ramp& coat)
{
    const Ramp hide = ramps::Brown().Slice(5, 9);
    Ellipsoid(c, x, y - 7, 7, 3.2, hide);
    for (int leg : {-5, -3, 3, 5})
        for (int k = 0; k < 5; ++k)
            c.Put(x + leg, y - k, k == 0 ? InkIndex : pal::OrangeBrown + 11);
    Line(c, x + 6, y - 8, x + 9, y - 13, pal::OrangeBrown + 10);
    Ellipsoid(c, x + 10, y - 13, 2.5, 1.6, hide);
    Line(c, x - 7, y - 8, x - 9, y - 4, pal::OrangeBrown + 13);
    Figure(c, x - 1, y - 8, coat, 0);
    for (int i = -4; i <= 4; ++i)
        c.Put(x + i, y - 5, Shade(coat, 0.5, x + i, 0));  // saddle cloth
}

void Cannon(Canvas& c, int x, int y, const Ramp& coat)
{
    const Ramp bronze = ramps::Gold();
    for (int i = 0; i < 16; ++i)
        for (int k = 0; k < 3; ++k)
            c.Put(x - 4 + i, y - 9 - i / 3 + k, Shade(bronze, 0.8 - k * 0.3, x + i, k));
    Ellipsoid(c, x, y - 4, 4, 4, ramps::Brown().Slice(4, 10));
    Disc(c, x, y - 4, 1, 1, InkIndex);
    Line(c, x - 4, y - 5, x - 11, y - 1, pal::OrangeBrown + 11);
    Figure(c, x - 17, y, coat, 1);
}

void Tank(Canvas& c, int x, int y, const Ramp& coat)
{
    for (int i = -12; i <= 12; ++i)
        for (int k = 0; k < 4; ++k)
            c.Put(x + i, y - k, (i + k) % 3 ? pal::Grey + 6 : pal::Grey + 10);
    for (int i = -11; i <= 11; ++i)
        for (int k = 4; k < 9; ++k)
            c.Put(x + i, y - k, Shade(coat, 0.75 - (k - 4) * 0.02 - i * 0.015, x + i, y - k));
    Ellipsoid(c, x - 1, y - 11, 6, 3.5, coat);
    for (int i = 4; i < 18; ++i)
        c.Put(x + i, y - 12, pal::Grey + 8);
}

void Wagon(Canvas& c, int x, int y, const Ramp& coat)
{
    ShadedBox(c, x - 10, y - 10, x + 8, y - 5, ramps::Brown().Slice(3, 9), 0.6);
    Ellipsoid(c, x - 1, y - 13, 9.5, 5, ramps::Beige().Slice(6, 10));
    for (int i = -9; i <= 8; i += 3)
        c.Put(x + i, y - 13, Shade(coat, 0.5, 0, 0));
    for (int wheel : {-7, 5}) {
        Disc(c, x + wheel, y - 3, 3, 3, pal::OrangeBrown + 12);
        c.Put(x + wheel, y - 3, pal::OrangeBrown + 6);
    }
    Horse(c, x + 20, y, coat);
}

void SailingShip(Canvas& c, int x, int y, const Ramp& coat)
{
    for (int k = 0; k < 6; ++k)
        for (int i = -16 + k; i <= 16 - k / 2; ++i)
            c.Put(x + i, y - 6 + k, Shade(ramps::Brown(), 0.6 - k * 0.08, x + i, k));
    for (int k = 0; k < 26; ++k)
        c.Put(x - 2, y - 6 - k, pal::OrangeBrown + 12);
    for (int k = 0; k < 18; ++k)
        c.Put(x + 8, y - 6 - k, pal::OrangeBrown + 12);
    ShadedBox(c, x - 8, y - 28, x + 3, y - 10, ramps::Beige().Slice(8, 8), 0.7);
    ShadedBox(c, x + 4, y - 22, x + 12, y - 10, ramps::Beige().Slice(8, 8), 0.45);
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 3; ++k)
            c.Put(x - 1 + i, y - 33 + k, Shade(coat, 0.6, i, k));
    for (int i = -16; i <= 16; i += 2)
        c.Put(x + i, y + 1, 31);
}

void Gunboat(Canvas& c, int x, int y, const Ramp& coat)
{
    for (int k = 0; k < 5; ++k)
        for (int i = -18 + k; i <= 18 - k; ++i)
            c.Put(x + i, y - 5 + k, Shade(ramps::Grey().Slice(6, 14), 0.6 - k * 0.1, x + i, k));
    ShadedBox(c, x - 8, y - 11, x + 6, y - 6, ramps::Grey().Slice(14, 14), 0.6);
    ShadedBox(c, x - 4, y - 19, x, y - 12, coat, 0.6);
    Box(c, x - 4, y - 19, x, y - 18, InkIndex);
    for (int i = 7; i < 16; ++i)
        c.Put(x + i, y - 8, pal::Grey + 8);
    Ellipsoid(c, x - 8, y - 23, 3, 2, ramps::Grey().Slice(20, 12));
    for (int i = -18; i <= 18; i += 3)
        c.Put(x + i, y + 1, 31);
}

void Biplane(Canvas& c, int x, int y, const Ramp& coat)
{
    const int alt = y - 20;
    Disc(c, x, y - 1, 10, 2, pal::Grey + 8);  // its shadow on the ground
    for (int i = -12; i <= 10; ++i)
        for (int k = 0; k < 3; ++k)
            c.Put(x + i, alt + k, Shade(coat, 0.8 - k * 0.25, x + i, k));
    ShadedBox(c, x - 3, alt - 6, x + 2, alt + 7, coat, 0.55);
    ShadedBox(c, x - 2, alt - 6, x + 1, alt - 5, ramps::Grey().Slice(16, 14), 0.5);
    for (int i = -10; i <= 8; i += 6)
        Line(c, x + i, alt - 4, x + i, alt, pal::OrangeBrown + 12);
    for (int i = -12; i <= 10; ++i)
        c.Put(x + i, alt - 5, Shade(coat, 0.7, x + i, 0));
    c.Put(x, alt + 8, pal::Grey + 24);
    Line(c, x - 4, alt + 9, x + 4, alt + 9, pal::Grey + 20);
}

void DrawUnit(Canvas& c, int kind, int faction)
{
    const Ramp coat = FactionRamp(faction);
    Scene scene;
    switch (kind) {
    case 0:
    case 1:
        for (int i = 0; i < 3; ++i)
            scene.Add(i, [=](Canvas& l) { Figure(l, 22 + i * 8 - (i == 1 ? 0 : 2), Ground - (i == 1 ? 0 : 3), coat, kind); }, InkIndex);
        break;
    case 2: scene.Add(0, [=](Canvas& l) { Horse(l, 30, Ground, coat); }, InkIndex); break;
    case 3: scene.Add(0, [=](Canvas& l) { Cannon(l, 36, Ground, coat); }, InkIndex); break;
    case 4: scene.Add(0, [=](Canvas& l) { Tank(l, 30, Ground, coat); }, InkIndex); break;
    case 5: scene.Add(0, [=](Canvas& l) { Wagon(l, 24, Ground, coat); }, InkIndex); break;
    case 6: scene.Add(0, [=](Canvas& l) { SailingShip(l, 32, Ground, coat); }, InkIndex); break;
    case 7: scene.Add(0, [=](Canvas& l) { Gunboat(l, 32, Ground, coat); }, InkIndex); break;
    default: scene.Add(0, [=](Canvas& l) { Biplane(l, 32, Ground + 3, coat); }, InkIndex);
    }
    scene.Render(c);
}

}  // namespace

IndexedImage MakeUnits()
{
    IndexedImage sheet = Blank(9 * BoxW, 6 * BoxH);
    for (int v = 0; v < 54; ++v) {
        Canvas box(BoxW, BoxH);
        DrawUnit(box, v % 9, v / 9);
        Paste(box, sheet, (v % 9) * BoxW, (v / 9) * BoxH);
    }
    return sheet;
}

}  // namespace korvan::art

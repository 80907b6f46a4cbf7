// The shared palette, built once from a few anchor colours per range.
#include "render/SharedPalette.h"

#include <initializer_list>
#include <utility>

namespace korvan {
namespace {

using Palette = std::array<std::uint32_t, 256>;

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

int Channel(std::uint32_t c, int shift) { return int((c >> shift) & 0xFF); }

// Fills first..last by straight lines between anchors given as (index, colour), ascending.
void Ramp(Palette& p, std::initializer_list<std::pair<int, std::uint32_t>> anchors)
{
    const auto* a = anchors.begin();
    for (const auto* b = a + 1; b != anchors.end(); a = b, ++b) {
        const int span = b->first - a->first;
        for (int i = 0; i <= span; ++i) {
            auto mix = [&](int shift) {
                const int from = Channel(a->second, shift), to = Channel(b->second, shift);
                return (from * (span - i) + to * i + span / 2) / span;
            };
            p[std::size_t(a->first + i)] = Rgb(mix(16), mix(8), mix(0));
        }
    }
}

Palette Build()
{
    Palette p{};
    Ramp(p, {{0, Rgb(0, 0, 0)}, {31, Rgb(255, 255, 255)}});
    Ramp(p, {{32, Rgb(10, 40, 8)}, {40, Rgb(52, 128, 36)}, {47, Rgb(150, 214, 96)}});
    Ramp(p, {{48, Rgb(40, 42, 12)}, {56, Rgb(112, 116, 44)}, {63, Rgb(196, 196, 116)}});
    // The water ramp: anchors fixed so that shimmering entries stay inside one blue ramp.
    Ramp(p, {{64, Rgb(0x7f, 0xa3, 0xf7)}, {65, Rgb(0x7b, 0x9b, 0xef)}, {68, Rgb(0x67, 0x7f, 0xd7)},
             {75, Rgb(0x37, 0x47, 0x9f)}, {78, Rgb(0x23, 0x2b, 0x87)}, {81, Rgb(0x0f, 0x13, 0x6f)},
             {83, Rgb(0x00, 0x00, 0x5f)}});
    Ramp(p, {{84, Rgb(8, 56, 60)}, {95, Rgb(150, 232, 220)}});
    Ramp(p, {{96, Rgb(72, 6, 6)}, {103, Rgb(250, 96, 84)}});
    Ramp(p, {{104, Rgb(255, 244, 120)}, {111, Rgb(236, 120, 16)}});
    Ramp(p, {{112, Rgb(248, 212, 96)}, {115, Rgb(212, 160, 56)}, {119, Rgb(110, 70, 24)}});
    Ramp(p, {{120, Rgb(252, 188, 196)}, {127, Rgb(104, 52, 40)}});
    Ramp(p, {{128, Rgb(255, 222, 190)}, {135, Rgb(120, 72, 44)}});
    Ramp(p, {{136, Rgb(244, 176, 104)}, {151, Rgb(70, 34, 10)}});
    Ramp(p, {{152, Rgb(188, 176, 160)}, {159, Rgb(64, 56, 48)}});
    const std::uint32_t singles[16] = {
        Rgb(96, 48, 160), Rgb(160, 96, 220), Rgb(40, 40, 120), Rgb(80, 96, 200),   // purples, navies
        Rgb(200, 40, 120), Rgb(255, 140, 200), Rgb(24, 96, 64), Rgb(120, 200, 160),  // magentas, jade
        Rgb(170, 30, 30), Rgb(230, 200, 60), Rgb(60, 60, 70), Rgb(220, 220, 236),  // flag colours
        Rgb(140, 90, 40), Rgb(255, 250, 220), Rgb(30, 120, 200), Rgb(250, 250, 250)};
    for (int i = 0; i < 16; ++i)
        p[std::size_t(160 + i)] = singles[i];
    Ramp(p, {{176, Rgb(120, 100, 70)}, {184, Rgb(206, 186, 146)}, {191, Rgb(250, 240, 216)}});
    for (int i = 192; i <= 235; ++i)
        p[std::size_t(i)] = Rgb(0, 0, 0);
    const std::uint32_t signal[5] = {Rgb(0, 255, 255), Rgb(255, 128, 0), Rgb(0, 0, 255), Rgb(255, 0, 0),
                                     Rgb(255, 0, 255)};
    for (int i = 236; i <= 253; ++i)
        p[std::size_t(i)] = signal[(i - 236) % 5];
    p[254] = Rgb(0, 255, 0);
    p[255] = Rgb(0x87, 0x87, 0x87);
    return p;
}

}  // namespace

const std::array<std::uint32_t, 256>& SharedPalette()
{
    static const Palette palette = Build();
    return palette;
}

}  // namespace korvan

// Indexed pixels to 32-bit colours through a table of 256, as presenting a frame needs: the
// portable path looks each pixel up, the AVX-512 path sixty-four at a time with byte shuffles
// over the table's four byte planes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvan {

class PaletteConverter {
public:
    // The 32-bit value each index becomes.
    void SetColours(const std::array<std::uint32_t, 256>& colours);
    const std::array<std::uint32_t, 256>& Colours() const { return colours_; }

    void Convert(const std::uint8_t* source, std::uint32_t* target, std::size_t count) const;

    // The first and last place where a row changed; First > Last when nothing did.
    struct Changes {
        std::ptrdiff_t First;
        std::ptrdiff_t Last;
        bool Any() const { return First <= Last; }
    };
    // Brings a converted row up to date: where `current` differs from `shown`, the pixel is
    // converted into `target` and copied into `shown`. `target` must hold `shown` converted: a
    // pixel that did not change may be written again, with the colour it holds.
    Changes ConvertChanged(const std::uint8_t* current, std::uint8_t* shown, std::uint32_t* target,
                           std::size_t count) const;

private:
    std::array<std::uint32_t, 256> colours_{};
    // Byte k of every colour, for k = 0..3 (lowest first), 256 bytes each.
    alignas(64) std::array<std::uint8_t, 4 * 256> planes_{};
};

}  // namespace korvan

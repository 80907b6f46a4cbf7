// An 8-bit indexed picture: the back buffer and the tile sheets.
#pragma once

#include "base/KorvanError.h"

#include <array>
#include <cstdint>
#include <vector>

namespace korvan {

// Raised when a row past the last one of a picture is asked for.
class ScanLineError : public KorvanError {
public:
    ScanLineError() : KorvanError("Scan line index out of range") {}
};

struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;          // Height rows of Width bytes, top row first
    std::array<std::uint32_t, 256> Palette{};  // 0xAARRGGBB, as the file carries it

    IndexedImage() = default;
    IndexedImage(int width, int height) : Width(width), Height(height), Pixels(std::size_t(width) * height) {}

    bool Empty() const { return Width <= 0 || Height <= 0; }

    // Row y from the top; a row outside the picture raises ScanLineError.
    const std::uint8_t* ScanLine(int y) const
    {
        if (y < 0 || y >= Height)
            throw ScanLineError();
        return Pixels.data() + std::size_t(y) * Width;
    }
    std::uint8_t* ScanLine(int y)
    {
        if (y < 0 || y >= Height)
            throw ScanLineError();
        return Pixels.data() + std::size_t(y) * Width;
    }
};

}  // namespace korvan

// Editors, sheets and maps made up for the rendering tests and benchmarks.
#pragma once

#include "edit/Editor.h"
#include "render/BackBuffer.h"
#include "render/Sheets.h"
#include "render/Shimmer.h"
#include "render/ViewState.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <random>

namespace korvan::testing {

// The least size of each sheet, in slot order (Cities has none).
inline constexpr int MinimumWidth[SheetCount] = {1, 585, 66, 455, 520, 529};
inline constexpr int MinimumHeight[SheetCount] = {1, 294, 331, 298, 199, 35};

// Mostly a value in low..high; otherwise one near either end of the 32-bit range, or any.
inline std::int32_t RandomCoordinate(std::mt19937& rng, std::int32_t low, std::int32_t high)
{
    switch (rng() % 8) {
    case 0:
        return std::numeric_limits<std::int32_t>::min() + std::int32_t(rng() % 100);
    case 1:
        return std::numeric_limits<std::int32_t>::max() - std::int32_t(rng() % 100);
    case 2:
        return std::int32_t(rng());
    default:
        return low + std::int32_t(rng() % std::uint32_t(high - low + 1));
    }
}

inline IndexedImage SheetOf(int width, int height, const std::function<std::uint8_t(int x, int y)>& pixel)
{
    IndexedImage sheet(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sheet.Pixels[std::size_t(y) * width + x] = pixel(x, y);
    return sheet;
}

inline IndexedImage SolidSheet(int slot, std::uint8_t value)
{
    return SheetOf(MinimumWidth[slot], MinimumHeight[slot], [value](int, int) { return value; });
}

// The start state of the editor with a cleared map, a zero back buffer and fully transparent
// sheets of the least size.
inline std::unique_ptr<Editor> MakeEditor()
{
    auto editor = std::make_unique<Editor>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(editor->Map.Cells, r, c);
    SetViewStartValues(editor->Canvas);
    StartShimmer(editor->Canvas);
    editor->Brush.EditMode = 3;
    UseAsBackBuffer(editor->Canvas, IndexedImage());
    for (int slot = 0; slot < SheetCount; ++slot)
        SetSheet(editor->Canvas, slot, IndexedImage(MinimumWidth[slot], MinimumHeight[slot]));
    return editor;
}

// A pixel as tile art has it: mostly transparent or water, some plain colours and edges.
inline std::uint8_t RandomPixel(std::mt19937& rng)
{
    const unsigned kind = rng() % 10;
    if (kind < 3)
        return 0;
    if (kind < 4)
        return std::uint8_t(240 + rng() % 16);
    if (kind < 7)
        return std::uint8_t(63 + rng() % 18);  // 63..80: water and its neighbours
    return std::uint8_t(rng() % 256);
}

inline IndexedImage RandomSheet(std::mt19937& rng, int width, int height)
{
    // Runs of one value, as in real art, so that run copies meet every clip position.
    IndexedImage sheet(width, height);
    std::uint8_t value = 0;
    for (auto& pixel : sheet.Pixels) {
        if (rng() % 4 == 0)
            value = RandomPixel(rng);
        pixel = value;
    }
    return sheet;
}

}  // namespace korvan::testing

// The blitters: opaque runs copied whole, the shimmer moved by whole runs.
#include "render/Blitters.h"

#include "render/Shimmer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace korvan {

namespace {

// The clip rectangle, narrowed to the back buffer so that no write can leave it.
struct Clip {
    std::int64_t Left, Top, Right, Bottom;
};

Clip ClipOf(const Editor& editor)
{
    return {std::max<std::int64_t>(editor.ViewLeft, 0), std::max<std::int64_t>(editor.ViewTop, 0),
            std::min<std::int64_t>(editor.ViewRight, std::int64_t(editor.BackBuffer.Width) - 1),
            std::min<std::int64_t>(editor.ViewBottom, std::int64_t(editor.BackBuffer.Height) - 1)};
}

// n mod 6 for n in -Mod6Bias..Mod6Bias, without a division in the run loop (n is a phase plus or
// minus a run offset, both under a window's width).
inline constexpr int Mod6Bias = 96;
constexpr std::array<std::uint8_t, 2 * Mod6Bias + 1> Mod6Table()
{
    std::array<std::uint8_t, 2 * Mod6Bias + 1> table{};
    for (int n = -Mod6Bias; n <= Mod6Bias; ++n)
        table[std::size_t(n + Mod6Bias)] = std::uint8_t(((n % ShimmerPeriod) + ShimmerPeriod) % ShimmerPeriod);
    return table;
}
inline constexpr auto Mod6 = Mod6Table();

const SheetCode& CodeFor(Editor& editor, int slot)
{
    SheetCode& code = editor.SheetCodes[std::size_t(slot)];
    const IndexedImage& sheet = editor.Sheets[std::size_t(slot)];
    if (!IsCodeOf(code, sheet))
        code = EncodeSheet(sheet, SheetGeometries[std::size_t(slot)]);
    return code;
}

// Pixel by pixel, for a shimmer state off its cycle (a stray field value): the state then
// steps through values the run copies do not hold.
void BlitPixels(Editor& editor, const SheetGeometry& g, const IndexedImage& sheet, const Clip& clip,
                std::int64_t x, std::int64_t y, std::int64_t sx0, std::int64_t sy0)
{
    IndexedImage& target = editor.BackBuffer;
    for (std::int64_t i = 0; i < g.WindowHeight; ++i) {
        const std::int64_t dy = y + i;
        if (dy < clip.Top || dy > clip.Bottom)
            continue;
        const std::int64_t sy = sy0 + i;
        if (sy >= sheet.Height)
            throw ScanLineError();
        const std::uint8_t* source = sheet.Pixels.data() + sy * sheet.Width;
        std::uint8_t* destination = target.Pixels.data() + dy * target.Width;
        for (std::int64_t j = 0; j < g.WindowWidth; ++j) {
            const std::int64_t dx = x + j;
            const std::int64_t sx = sx0 + j;
            if (dx < clip.Left || dx > clip.Right || sx >= sheet.Width)
                continue;
            std::uint8_t v = source[sx];
            if (v == 0 || v >= 240)
                continue;
            StepShimmer(editor.ShimmerOffset, editor.ShimmerRising);
            if (IsWater(v))
                v = std::uint8_t(v + editor.ShimmerOffset);
            destination[dx] = v;
        }
    }
}

}  // namespace

void BlitWindow(Editor& editor, int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    const SheetGeometry& g = SheetGeometries[std::size_t(slot)];
    if (g.WindowWidth == 0)
        return;
    const Clip clip = ClipOf(editor);
    const std::int64_t firstRow = std::max<std::int64_t>(0, clip.Top - y);
    const std::int64_t lastRow = std::min<std::int64_t>(g.WindowHeight - 1, clip.Bottom - y);
    if (firstRow > lastRow)
        return;

    const IndexedImage& sheet = editor.Sheets[std::size_t(slot)];
    const std::int64_t sx0 = std::int64_t(column) * g.GridWidth;
    const std::int64_t sy0 = std::int64_t(row) * g.GridHeight;
    int phase = 0;
    if (g.Shimmer) {
        phase = ShimmerPhase(editor.ShimmerOffset, editor.ShimmerRising);
        if (phase < 0)
            return BlitPixels(editor, g, sheet, clip, x, y, sx0, sy0);
    }

    const SheetCode& code = CodeFor(editor, slot);
    const TileRow* rows = column < code.Columns && row < code.Rows
                              ? code.WindowRows.data() + std::size_t(row * code.Columns + column) * g.WindowHeight
                              : nullptr;  // a window wholly outside the sheet: nothing opaque
    const std::int64_t rowsInSheet = std::clamp<std::int64_t>(sheet.Height - sy0, 0, g.WindowHeight);
    const std::int64_t firstColumn = std::max<std::int64_t>(0, clip.Left - x);
    const std::int64_t lastColumn = std::min<std::int64_t>(g.WindowWidth - 1, clip.Right - x);
    IndexedImage& target = editor.BackBuffer;

    for (std::int64_t i = firstRow; i <= lastRow; ++i) {
        if (i >= rowsInSheet) {
            if (g.Shimmer) {
                editor.ShimmerOffset = PhaseOffset[phase];
                editor.ShimmerRising = PhaseRising[phase];
            }
            throw ScanLineError();
        }
        if (rows == nullptr || firstColumn > lastColumn)
            continue;
        std::uint8_t* destination = target.Pixels.data() + (y + i) * target.Width;
        const TileRow& tileRow = rows[i];
        const TileRun* run = code.Runs.data() + tileRow.FirstRun;
        for (const TileRun* end = run + tileRow.RunCount; run != end; ++run) {
            const std::int64_t start = std::max<std::int64_t>(run->Start, firstColumn);
            const std::int64_t stop = std::min<std::int64_t>(run->Start + run->Length - 1, lastColumn);
            if (start > stop) {
                if (run->Start > lastColumn)
                    break;
                continue;
            }
            const std::int64_t skipped = start - run->Start;
            const std::int64_t count = stop - start + 1;
            const std::uint8_t* source = code.Pool.data() + run->Pixels + skipped;
            if (g.Shimmer) {
                source += std::size_t(Mod6[phase + 1 - skipped + Mod6Bias]) * run->Length;
                phase = Mod6[phase + count + Mod6Bias];
            }
            std::memcpy(destination + (x + start), source, std::size_t(count));
        }
    }
    if (g.Shimmer) {
        editor.ShimmerOffset = PhaseOffset[phase];
        editor.ShimmerRising = PhaseRising[phase];
    }
}

void BlitTerrit(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t tile)
{
    BlitWindow(editor, TerritSheet, x, y, 0, tile);
}

void BlitLands(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, LandsSheet, x, y, column, row);
}

void BlitTerrain(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, TerrainSheet, x, y, column, row);
}

void BlitUnits(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, UnitsSheet, x, y, column, row);
}

void BlitQuadri(Editor& editor, std::int32_t x, std::int32_t y, std::uint8_t column, std::uint8_t row)
{
    BlitWindow(editor, QuadriSheet, x, y, column, row);
}

}  // namespace korvan

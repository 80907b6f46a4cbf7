// Encoding a sheet's tile windows into opaque runs.
#include "render/SheetCode.h"

#include "render/Shimmer.h"

#include <algorithm>

namespace korvan {

namespace {

bool IsOpaque(std::uint8_t v) { return v != 0 && v < 240; }

// Windows whose origin lies inside the sheet; column and row are bytes, so at most 256 each.
int WindowCount(int size, int grid)
{
    if (size <= 0)
        return 0;
    if (grid == 0)
        return 1;
    return std::min(256, (size + grid - 1) / grid);
}

void AddRun(SheetCode& code, const std::uint8_t* source, int start, int length, bool shimmer)
{
    code.Runs.push_back({std::uint16_t(start), std::uint16_t(length), std::uint32_t(code.Pool.size())});
    if (!shimmer) {
        code.Pool.insert(code.Pool.end(), source, source + length);
        return;
    }
    for (int q = 0; q < ShimmerPeriod; ++q)
        for (int k = 0; k < length; ++k) {
            const std::uint8_t v = source[k];
            code.Pool.push_back(IsWater(v) ? std::uint8_t(v + PhaseOffset[(q + k) % ShimmerPeriod]) : v);
        }
}

}  // namespace

SheetCode EncodeSheet(const IndexedImage& sheet, const SheetGeometry& geometry)
{
    SheetCode code;
    code.Source = reinterpret_cast<std::uintptr_t>(sheet.Pixels.data());
    code.Width = sheet.Width;
    code.Height = sheet.Height;
    if (geometry.WindowWidth == 0 || sheet.Empty())
        return code;
    code.Columns = WindowCount(sheet.Width, geometry.GridWidth);
    code.Rows = WindowCount(sheet.Height, geometry.GridHeight);

    for (int row = 0; row < code.Rows; ++row)
        for (int column = 0; column < code.Columns; ++column) {
            const int sx0 = column * geometry.GridWidth;
            const int sy0 = row * geometry.GridHeight;
            // Columns past the sheet's width are transparent; rows past its height are never read.
            const int width = std::min(geometry.WindowWidth, sheet.Width - sx0);
            const int height = std::min(geometry.WindowHeight, sheet.Height - sy0);
            for (int i = 0; i < geometry.WindowHeight; ++i) {
                TileRow tileRow{std::uint32_t(code.Runs.size()), 0};
                if (i < height) {
                    const std::uint8_t* source = sheet.ScanLine(sy0 + i) + sx0;
                    for (int j = 0; j < width;) {
                        if (!IsOpaque(source[j])) {
                            ++j;
                            continue;
                        }
                        int end = j;
                        while (end < width && IsOpaque(source[end]))
                            ++end;
                        AddRun(code, source + j, j, end - j, geometry.Shimmer);
                        j = end;
                    }
                }
                tileRow.RunCount = std::uint32_t(code.Runs.size()) - tileRow.FirstRun;
                code.WindowRows.push_back(tileRow);
            }
        }
    return code;
}

bool IsCodeOf(const SheetCode& code, const IndexedImage& sheet)
{
    return code.Source == reinterpret_cast<std::uintptr_t>(sheet.Pixels.data()) && code.Width == sheet.Width &&
           code.Height == sheet.Height;
}

}  // namespace korvan

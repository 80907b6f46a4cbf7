// Encoding a sheet's tile windows into opaque runs and pixel streams.
#include "render/SheetCode.h"

#include "render/Shimmer.h"

#include <algorithm>
#include <bit>
#include <span>

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

int MaskWidthClass(std::uint64_t mask)
{
    const int width = 64 - std::countl_zero(mask);
    return width > 32 ? 0 : width > 16 ? 1 : 2;
}

// The window's opaque pixels as mask records, row by row; the stream holds them in that order.
void EncodeMaskRows(SheetCode& code, TileWindow& window, const IndexedImage& sheet, int sx0, int sy0, int width,
                    int height)
{
    window.FirstMaskRow = std::uint32_t(code.MaskRows.size());
    std::uint32_t before = 0;
    for (int i = 0; i < height; ++i) {
        const std::uint8_t* source = sheet.ScanLine(sy0 + i) + sx0;
        for (int j = 0; j < width;) {
            if (!IsOpaque(source[j])) {
                ++j;
                continue;
            }
            MaskRow record{0, std::uint16_t(before), std::uint8_t(before % ShimmerPeriod), std::uint8_t(i),
                           std::uint8_t(j), 0, std::uint16_t(i * WholeRunPitch + j)};
            const int end = std::min(width, j + 64);
            for (int k = j; k < end; ++k)
                if (IsOpaque(source[k]))
                    record.Mask |= std::uint64_t(1) << (k - j);
            record.Count = std::uint8_t(std::popcount(record.Mask));
            before += record.Count;
            code.MaskRows.push_back(record);
            j = end;
        }
    }
    window.MaskRowCount = std::uint32_t(code.MaskRows.size()) - window.FirstMaskRow;

    const auto records = std::span(code.MaskRows).subspan(window.FirstMaskRow);
    for (int widthClass = 0; widthClass < 3; ++widthClass)
        for (const MaskRow& record : records)
            if (MaskWidthClass(record.Mask) == widthClass) {
                code.MaskRowsByWidth.push_back(record);
                ++window.ByWidth[widthClass];
            }

    MaskRowIndex index{};
    auto record = records.begin();
    for (int i = 0; i <= code.WindowHeight; ++i) {
        for (; record != records.end() && record->Row < i; ++record) {
            index.Opaque = std::uint16_t(index.Opaque + record->Count);
            ++index.ByWidth[MaskWidthClass(record->Mask)];
        }
        code.MaskRowIndices.push_back(index);
    }
}

void EncodeWindow(SheetCode& code, const IndexedImage& sheet, const SheetGeometry& geometry, int column, int row)
{
    const int sx0 = column * geometry.GridWidth;
    const int sy0 = row * geometry.GridHeight;
    // Columns past the sheet's width are transparent; rows past its height are never read.
    const int width = std::min(geometry.WindowWidth, sheet.Width - sx0);
    const int height = std::min(geometry.WindowHeight, sheet.Height - sy0);

    TileWindow window;
    window.FirstRun = std::uint32_t(code.Runs.size());
    window.Pixels = std::uint32_t(code.Pool.size());
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < geometry.WindowHeight; ++i) {
        code.RowRuns.push_back(std::uint32_t(code.Runs.size()));
        if (i >= height)
            continue;
        const std::uint8_t* source = sheet.ScanLine(sy0 + i) + sx0;
        for (int j = 0; j < width;) {
            if (!IsOpaque(source[j])) {
                ++j;
                continue;
            }
            int end = j;
            while (end < width && IsOpaque(source[end]))
                ++end;
            const auto before = std::uint32_t(stream.size());
            code.Runs.push_back({std::uint8_t(i), std::uint8_t(j), std::uint8_t(end - j),
                                 std::uint8_t(before % ShimmerPeriod), before});
            code.WholeRuns.push_back({std::uint16_t(i * WholeRunPitch + j), std::uint8_t(end - j), 0});
            stream.insert(stream.end(), source + j, source + end);
            j = end;
        }
    }
    code.RowRuns.push_back(std::uint32_t(code.Runs.size()));
    window.RunCount = std::uint32_t(code.Runs.size()) - window.FirstRun;
    window.Opaque = std::uint32_t(stream.size());
    window.OpaqueMod6 = std::uint8_t(window.Opaque % ShimmerPeriod);
    window.InSheet = height == geometry.WindowHeight;
    const bool wet = geometry.Shimmer && std::any_of(stream.begin(), stream.end(), IsWater);
    window.Stride = wet ? window.Opaque : 0;
    EncodeMaskRows(code, window, sheet, sx0, sy0, width, height);
    code.Windows.push_back(window);

    if (!wet) {
        code.Pool.insert(code.Pool.end(), stream.begin(), stream.end());
        return;
    }
    for (int p = 0; p < ShimmerPeriod; ++p)
        for (std::size_t n = 0; n < stream.size(); ++n) {
            const std::uint8_t v = stream[n];
            code.Pool.push_back(IsWater(v) ? std::uint8_t(v + PhaseOffset[(std::size_t(p) + n + 1) % ShimmerPeriod]) : v);
        }
}

}  // namespace

SheetCode EncodeSheet(const IndexedImage& sheet, const SheetGeometry& geometry)
{
    SheetCode code;
    code.Source = reinterpret_cast<std::uintptr_t>(sheet.Pixels.data());
    code.Width = sheet.Width;
    code.Height = sheet.Height;
    code.WindowHeight = geometry.WindowHeight;
    if (geometry.WindowWidth == 0 || sheet.Empty())
        return code;
    code.Columns = WindowCount(sheet.Width, geometry.GridWidth);
    code.Rows = WindowCount(sheet.Height, geometry.GridHeight);
    for (int row = 0; row < code.Rows; ++row)
        for (int column = 0; column < code.Columns; ++column)
            EncodeWindow(code, sheet, geometry, column, row);
    code.Pool.resize(code.Pool.size() + PoolTail);
    return code;
}

bool IsCodeOf(const SheetCode& code, const IndexedImage& sheet)
{
    return code.Source == reinterpret_cast<std::uintptr_t>(sheet.Pixels.data()) && code.Width == sheet.Width &&
           code.Height == sheet.Height;
}

}  // namespace korvan

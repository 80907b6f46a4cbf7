// Encoding a sheet's tile windows into mask records and pixel streams.
#include "render/MaskCode.h"

#include "render/Shimmer.h"

#include <algorithm>
#include <bit>
#include <span>

namespace korvan {
namespace {

int MaskWidthClass(std::uint64_t mask)
{
    const int width = 64 - std::countl_zero(mask);
    return width > 32 ? 0 : width > 16 ? 1 : 2;
}

// The window's opaque pixels as mask records, row by row, appended to the stream in that order.
void EncodeMaskRows(MaskCode& code, MaskWindow& window, const std::uint8_t* const* sourceRows, int width,
                    int height, std::vector<std::uint8_t>& stream)
{
    window.FirstMaskRow = std::uint32_t(code.MaskRows.size());
    for (int i = 0; i < height; ++i) {
        const std::uint8_t* source = sourceRows[i];
        for (int j = 0; j < width;) {
            if (!IsOpaque(source[j])) {
                ++j;
                continue;
            }
            const auto before = std::uint32_t(stream.size());
            MaskRow record{0, std::uint16_t(before), std::uint8_t(before % ShimmerPeriod), std::uint8_t(i),
                           std::uint8_t(j), 0, std::uint16_t(i * WholeRunPitch + j)};
            const int end = std::min(width, j + 64);
            for (int k = j; k < end; ++k)
                if (IsOpaque(source[k])) {
                    record.Mask |= std::uint64_t(1) << (k - j);
                    stream.push_back(source[k]);
                }
            record.Count = std::uint8_t(std::popcount(record.Mask));
            code.MaskRows.push_back(record);
            j = end;
        }
    }
    window.MaskRowCount = std::uint32_t(code.MaskRows.size()) - window.FirstMaskRow;
}

// The records again by width class, and what lies before each row.
void IndexMaskRows(MaskCode& code, MaskWindow& window)
{
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

void EncodeWindow(MaskCode& code, const IndexedImage& sheet, const SheetGeometry& geometry, const WindowArea& area)
{
    std::vector<const std::uint8_t*> sourceRows;
    for (int i = 0; i < area.Height; ++i)
        sourceRows.push_back(sheet.ScanLine(area.Y + i) + area.X);

    MaskWindow window;
    std::vector<std::uint8_t> stream;
    EncodeMaskRows(code, window, sourceRows.data(), area.Width, area.Height, stream);
    IndexMaskRows(code, window);
    PlaceWindow(window, code.Pool, stream, area, geometry);
    code.Windows.push_back(window);
}

}  // namespace

MaskCode EncodeMasks(const IndexedImage& sheet, const SheetGeometry& geometry)
{
    return EncodeWindows<MaskCode>(sheet, geometry, EncodeWindow);
}

}  // namespace korvan

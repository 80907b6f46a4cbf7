// Encoding a sheet's tile windows into opaque runs and pixel streams.
#include "render/RunCode.h"

#include "render/Shimmer.h"

#include <algorithm>

namespace korvan {
namespace {

void EncodeWindow(RunCode& code, const IndexedImage& sheet, const SheetGeometry& geometry, int column, int row)
{
    const int sx0 = column * geometry.GridWidth;
    const int sy0 = row * geometry.GridHeight;
    // Columns past the sheet's width are transparent; rows past its height are never read.
    const int width = std::min(geometry.WindowWidth, sheet.Width - sx0);
    const int height = std::min(geometry.WindowHeight, sheet.Height - sy0);

    RunWindow window;
    window.FirstRun = std::uint32_t(code.Runs.size());
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
    const StreamPlace place = AppendStreams(code.Pool, stream, geometry.Shimmer);
    window.Pixels = place.Pixels;
    window.Stride = place.Stride;
    code.Windows.push_back(window);
}

}  // namespace

RunCode EncodeRuns(const IndexedImage& sheet, const SheetGeometry& geometry)
{
    RunCode code;
    BeginEncoding(code, sheet, geometry);
    for (int row = 0; row < code.Rows; ++row)
        for (int column = 0; column < code.Columns; ++column)
            EncodeWindow(code, sheet, geometry, column, row);
    code.Pool.resize(code.Pool.size() + PoolTail);
    return code;
}

}  // namespace korvan

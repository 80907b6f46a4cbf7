// Encoding a sheet's tile windows into opaque runs and pixel streams.
#include "render/RunCode.h"

#include "render/Shimmer.h"

#include <algorithm>

namespace korvan {
namespace {

void EncodeWindow(RunCode& code, const IndexedImage& sheet, const SheetGeometry& geometry, const WindowArea& area)
{
    const int width = area.Width;
    const int height = area.Height;

    RunWindow window;
    window.FirstRun = std::uint32_t(code.Runs.size());
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < geometry.WindowHeight; ++i) {
        code.RowRuns.push_back(std::uint32_t(code.Runs.size()));
        if (i >= height)
            continue;
        const std::uint8_t* source = sheet.ScanLine(area.Y + i) + area.X;
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
    PlaceWindow(window, code.Pool, stream, area, geometry);
    code.Windows.push_back(window);
}

}  // namespace

RunCode EncodeRuns(const IndexedImage& sheet, const SheetGeometry& geometry)
{
    return EncodeWindows<RunCode>(sheet, geometry, EncodeWindow);
}

}  // namespace korvan

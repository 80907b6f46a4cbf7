// The parts of a sheet's encoding that the fast blitters share.
#include "render/SheetEncoding.h"

#include "render/Shimmer.h"

#include <algorithm>

namespace korvan {
namespace {

// Windows whose origin lies inside the sheet; column and row are bytes, so at most 256 each.
int WindowCount(int size, int grid)
{
    if (size <= 0)
        return 0;
    if (grid == 0)
        return 1;
    return std::min(256, (size + grid - 1) / grid);
}

}  // namespace

void BeginEncoding(SheetEncoding& code, const IndexedImage& sheet, const SheetGeometry& geometry)
{
    code.WindowHeight = geometry.WindowHeight;
    if (geometry.WindowWidth == 0 || sheet.Empty())
        return;
    code.Columns = WindowCount(sheet.Width, geometry.GridWidth);
    code.Rows = WindowCount(sheet.Height, geometry.GridHeight);
}

WindowArea AreaOf(const IndexedImage& sheet, const SheetGeometry& geometry, int column, int row)
{
    const int x = column * geometry.GridWidth;
    const int y = row * geometry.GridHeight;
    return {x, y, std::min(geometry.WindowWidth, sheet.Width - x), std::min(geometry.WindowHeight, sheet.Height - y)};
}

StreamPlace AppendStreams(std::vector<std::uint8_t>& pool, const std::vector<std::uint8_t>& stream, bool shimmer)
{
    const StreamPlace place{std::uint32_t(pool.size()),
                            shimmer && std::any_of(stream.begin(), stream.end(), IsWater) ? std::uint32_t(stream.size()) : 0};
    if (place.Stride == 0) {
        pool.insert(pool.end(), stream.begin(), stream.end());
        return place;
    }
    for (int p = 0; p < ShimmerPeriod; ++p)
        for (std::size_t n = 0; n < stream.size(); ++n) {
            const std::uint8_t v = stream[n];
            pool.push_back(IsWater(v) ? std::uint8_t(v + PhaseOffset[(std::size_t(p) + n + 1) % ShimmerPeriod]) : v);
        }
    return place;
}

}  // namespace korvan

// The overview's picture: regions of the map drawn at full size, then averaged down.
#include "render/OverviewPicture.h"

#include "render/Shimmer.h"

#include <algorithm>
#include <cstring>

namespace korvan {
namespace {

// The pixels a cell's drawing can touch, from its anchor: the left coast piece starts one column
// left of it, the ground tile is 66 x 34.
constexpr int CellLeft = -1;
constexpr int CellRight = 66;  // one past
constexpr int CellBottom = 34;

// Around a region, drawn but not averaged, so that the strict cull bounds at the back buffer's
// edges never leave out a cell that reaches into the region.
constexpr int Margin = 2;

// Rows of overview pixels drawn at once when drawing everything.
constexpr int StripRows = 8;

int FloorDiv(std::int64_t a, int b) { return int(a >= 0 ? a / b : -((-a + b - 1) / b)); }

bool SameAnchor(const MapCell& a, const MapCell& b) { return a.ScreenX == b.ScreenX && a.ScreenY == b.ScreenY; }

}  // namespace

OverviewPicture::OverviewPicture() : pixels_(std::size_t(OverviewWidth) * OverviewHeight, 0xFF000000u) {}

void OverviewPicture::TakeArtwork(const Artwork& artwork)
{
    canvas_.Sheets = artwork.Sheets;
    canvas_.Encodings = artwork.Encodings;
    colours_ = artwork.BackBuffer.Palette;
    // The water shimmers by the number of pixels drawn before it, which differs from one region
    // to the next: every shade it can show is taken as the mean of the sea's shades, so that a
    // region drawn alone averages to the same colour as in the whole picture.
    std::uint32_t r = 0, g = 0, b = 0;
    for (int v = 68; v <= 78; ++v) {
        r += (colours_[std::size_t(v)] >> 16) & 0xFF;
        g += (colours_[std::size_t(v)] >> 8) & 0xFF;
        b += colours_[std::size_t(v)] & 0xFF;
    }
    const std::uint32_t water = 0xFF000000u | (r / 11) << 16 | (g / 11) << 8 | (b / 11);
    for (int v = 65; v <= 81; ++v)
        colours_[std::size_t(v)] = water;
}

bool OverviewPicture::Update(const Artwork& artwork, const MapGrid& cells, std::uint64_t version)
{
    if (shown_ && version == version_)
        return false;
    version_ = version;
    if (!shown_ || drawn_ == nullptr) {
        TakeArtwork(artwork);
        drawn_ = std::make_unique<MapGrid>(cells);
        shown_ = true;
        DrawAll(cells);
        return true;
    }
    struct Changed {
        int Row, Col;
    };
    std::vector<Changed> changed;
    bool moved = false;
    for (int r = 0; r < MapSize && !moved; ++r) {
        if (std::memcmp(&cells[r], &(*drawn_)[r], sizeof(MapRow)) == 0)
            continue;
        for (int c = 0; c < MapSize; ++c)
            if (std::memcmp(&cells[r][c], &(*drawn_)[r][c], sizeof(MapCell)) != 0) {
                moved = moved || !SameAnchor(cells[r][c], (*drawn_)[r][c]);
                changed.push_back({r, c});
            }
    }
    if (changed.empty())
        return false;
    *drawn_ = cells;
    if (moved || changed.size() > std::size_t(MostCellsRedrawn)) {
        TakeArtwork(artwork);
        DrawAll(cells);
        return true;
    }
    for (const Changed& cell : changed) {
        const MapCell& c = cells[cell.Row][cell.Col];
        const std::int64_t left = std::int64_t(c.ScreenX) + CellLeft - OverviewLeft;
        const std::int64_t top = std::int64_t(c.ScreenY) - OverviewTop;
        const int x0 = std::max(0, FloorDiv(left, OverviewScale));
        const int y0 = std::max(0, FloorDiv(top, OverviewScale));
        const int x1 = std::min(OverviewWidth, FloorDiv(left + (CellRight - CellLeft) + OverviewScale - 1, OverviewScale));
        const int y1 = std::min(OverviewHeight, FloorDiv(top + CellBottom + OverviewScale - 1, OverviewScale));
        if (x0 < x1 && y0 < y1)
            DrawRegion(cells, x0, y0, x1, y1);
    }
    return true;
}

void OverviewPicture::DrawAll(const MapGrid& cells)
{
    for (int y = 0; y < OverviewHeight; y += StripRows)
        DrawRegion(cells, 0, y, OverviewWidth, std::min(OverviewHeight, y + StripRows));
}

void OverviewPicture::DrawRegion(const MapGrid& cells, int x0, int y0, int x1, int y1)
{
    const int width = (x1 - x0) * OverviewScale + 2 * Margin;
    const int height = (y1 - y0) * OverviewScale + 2 * Margin;
    IndexedImage& buffer = canvas_.BackBuffer;
    if (buffer.Width != width || buffer.Height != height)
        buffer = IndexedImage(width, height);
    else
        std::fill(buffer.Pixels.begin(), buffer.Pixels.end(), std::uint8_t(0));
    canvas_.ViewLeft = 0;
    canvas_.ViewTop = 0;
    canvas_.ViewRight = width - 1;
    canvas_.ViewBottom = height - 1;
    canvas_.CullLeft = canvas_.ViewLeft - CullMarginX;
    canvas_.CullTop = canvas_.ViewTop - CullMarginY;
    canvas_.ScrollX = Margin - (OverviewLeft + x0 * OverviewScale);
    canvas_.ScrollY = Margin - (OverviewTop + y0 * OverviewScale);
    StartShimmer(canvas_);
    // Pixels left black where a blit fails: the picture stands as far as it was drawn.
    struct Average {
        OverviewPicture& picture;
        int x0, y0, x1, y1;
        ~Average()
        {
            const IndexedImage& b = picture.canvas_.BackBuffer;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    std::uint32_t r = 0, g = 0, bl = 0;
                    for (int i = 0; i < OverviewScale; ++i) {
                        const std::uint8_t* row =
                            b.Pixels.data() + std::size_t(Margin + (y - y0) * OverviewScale + i) * std::size_t(b.Width) +
                            std::size_t(Margin + (x - x0) * OverviewScale);
                        for (int j = 0; j < OverviewScale; ++j) {
                            const std::uint32_t colour = picture.colours_[row[j]];
                            r += (colour >> 16) & 0xFF;
                            g += (colour >> 8) & 0xFF;
                            bl += colour & 0xFF;
                        }
                    }
                    constexpr int n = OverviewScale * OverviewScale;
                    picture.pixels_[std::size_t(y) * OverviewWidth + std::size_t(x)] =
                        0xFF000000u | (r / n) << 16 | (g / n) << 8 | (bl / n);
                }
        }
    } average{*this, x0, y0, x1, y1};
    RenderMap(canvas_, cells, 0, 0, LastIndex, LastIndex);
}

}  // namespace korvan

// The overview's picture: the map drawn as the view draws it, every cell at its anchor, and scaled
// down by averaging each 16 x 16 block of pixels into one. It is kept up to date with the map by
// drawing again only around the cells that changed since it was last brought up to date.
#pragma once

#include "map/MapGrid.h"
#include "render/Canvas.h"
#include "render/Overview.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace korvan {

class OverviewPicture {
public:
    OverviewPicture();

    // Brings the picture up to date with the map; the version is the map's CellsVersion, and a
    // version already shown costs nothing. Cells whose bytes changed (anchors kept) are drawn
    // again with the cells around them; a new map, a loaded map or moved anchors draw it all.
    // True when the picture was drawn again. A sheet too small for a value raises the blit's
    // error once; the picture then stands as far as it was drawn.
    bool Update(const Artwork& artwork, const MapGrid& cells, std::uint64_t version);

    // The next Update draws everything.
    void Invalidate() { shown_ = false; }

    // OverviewWidth x OverviewHeight pixels, 0xFFRRGGBB, row by row.
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    // How many cells may change before the whole picture is drawn instead.
    static constexpr int MostCellsRedrawn = 256;

private:
    void DrawAll(const MapGrid& cells);
    // Overview pixels [x0, x1) x [y0, y1), drawn anew from the cells.
    void DrawRegion(const MapGrid& cells, int x0, int y0, int x1, int y1);
    void TakeArtwork(const Artwork& artwork);

    std::vector<std::uint32_t> pixels_;
    std::unique_ptr<MapGrid> drawn_;  // the cells the picture shows
    std::uint64_t version_ = 0;
    bool shown_ = false;
    Canvas canvas_;  // the sheets, and a back buffer for the region being drawn
    std::array<std::uint32_t, 256> colours_{};
};

}  // namespace korvan

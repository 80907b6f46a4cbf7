// A plain composition of map frames from the sheets, for looking at the artwork before (and
// independently of) the editor's renderer: ground and coast pieces, then the two overlays.
#pragma once

#include "map/MapGrid.h"
#include "render/IndexedImage.h"

namespace korvan::art {

struct PreviewSheets {
    IndexedImage Territ, Lands, Terrain, Quadri;
};

// Draws every cell whose drawn anchor (stored anchor + scroll) passes the view's cull test
// (-65 < x < right, -35 < y < bottom) into out, clipped to columns 0..out.Width-1 and rows
// 0..bottom. Shimmer is left out. out must carry the palette and be cleared by the caller.
void ComposeMap(const MapGrid& cells, const PreviewSheets& sheets, long long scrollX, long long scrollY,
                int bottom, IndexedImage& out);

}  // namespace korvan::art

// Everything the editor holds, in one plain aggregate composed of each layer's part: the map
// (Cells), the artwork and back buffer, the view and cursor, the water shimmer (the canvas the
// renderer draws with), the brush, and the random source. Routines take the parts they use.
#pragma once

#include "edit/BrushState.h"
#include "edit/EditHistory.h"
#include "map/MapGrid.h"
#include "map/RandomSource.h"
#include "render/Canvas.h"

namespace korvan {

struct Editor : MapState, Canvas, BrushState {
    EditHistory History;  // the presses that changed Cells since it was generated, loaded or saved
    RandomSource Rng;
};

}  // namespace korvan

// Everything the editor holds, in one plain aggregate of named parts: the map (Cells), the canvas
// the renderer draws with (artwork and back buffer, the view and cursor, the water shimmer), the
// brush, the presses that can be taken back, and the random source. Routines take the parts they
// use by name (editor.Map, editor.Canvas, editor.Brush), never the whole aggregate sliced.
#pragma once

#include "edit/BrushState.h"
#include "edit/EditHistory.h"
#include "map/MapGrid.h"
#include "map/RandomSource.h"
#include "render/Canvas.h"

namespace korvan {

struct Editor {
    MapState Map;
    korvan::Canvas Canvas;
    BrushState Brush;
    EditHistory History;  // the presses that changed Cells since it was generated, loaded or saved
    RandomSource Rng;
};

}  // namespace korvan

// The frame tick: what the editor draws each frame, the map and the brush preview at the cursor.
#pragma once

#include "edit/BrushState.h"
#include "render/Canvas.h"

namespace korvan {

struct Editor;

// The current brush item at the cursor, without scroll.
void DrawBrushPreview(Canvas& canvas, const BrushState& brush);

// One frame into the back buffer: edge scroll, clamp, clear, the whole map, the preview.
void FrameTick(Editor& editor);

}  // namespace korvan

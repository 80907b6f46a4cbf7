// The frame tick and the brush preview.
#include "edit/Frame.h"

#include "edit/BrushModes.h"
#include "edit/Editor.h"
#include "render/Blitters.h"
#include "render/MapView.h"

#include <algorithm>
#include <utility>

namespace korvan {

void DrawBrushPreview(Canvas& canvas, const BrushState& brush)
{
    const BrushModeInfo* mode = BrushModeOf(brush.EditMode);
    if (mode == nullptr)
        return;
    const std::int32_t item = brush.*mode->Item;
    // Items never leave their ranges; one that did would draw nothing.
    if (item < 0 || item >= mode->Items)
        return;
    const TilePlace place = mode->Place(item);
    BlitWindow(canvas, mode->Slot, canvas.CursorX, canvas.CursorY, place.Column, place.Row);
}

void FrameTick(Editor& editor)
{
    Canvas& canvas = editor.Canvas;
    EdgeScroll(canvas);
    ClampScroll(canvas);
    ClearBackBuffer(canvas);
    // The first row and column are always 0 in the editor; kept inside the grid all the same.
    RenderMap(canvas, std::as_const(editor.Map.Cells), std::uint8_t(std::clamp(canvas.FirstRow, 0, LastIndex)),
              std::uint8_t(std::clamp(canvas.FirstCol, 0, LastIndex)), LastIndex, LastIndex);
    DrawBrushPreview(canvas, editor.Brush);
}

}  // namespace korvan

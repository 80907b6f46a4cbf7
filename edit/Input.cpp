// The input bindings.
#include "edit/Input.h"

#include "edit/Brush.h"
#include "edit/Editor.h"
#include "edit/PickItem.h"
#include "render/MapView.h"

#include <utility>

namespace korvan {
namespace {

// The scroll offsets may be pushed past their limits here (the next frame clamps them); wrap
// instead of overflowing if a long series of presses ever reaches the edge of 32 bits.
void AddScroll(std::int32_t& scroll, std::int32_t step)
{
    scroll = static_cast<std::int32_t>(static_cast<std::uint32_t>(scroll) + static_cast<std::uint32_t>(step));
}

}  // namespace

void PointerOverImage(ViewState& view, int x, int y)
{
    view.CursorX = x - ImageCursorShiftX;
    view.CursorY = y - CursorShiftY;
    view.CursorUnknown = 0;
}

void PointerOverWindow(ViewState& view, int x, int y)
{
    view.CursorX = x - WindowCursorShiftX;
    view.CursorY = y - CursorShiftY;
    view.CursorUnknown = 0;
}

void AwaitPointer(ViewState& view) { view.CursorUnknown = 1; }

void PressEdgeScroll(ViewState& view)
{
    // The press has its own top band (-32 < y < 0), unlike the frame tick's (-16 < y < 16).
    if (view.CursorUnknown != 0)
        return;
    if (view.CursorX < view.ViewLeft)
        AddScroll(view.ScrollX, EdgeStepX);
    else if (view.CursorX > view.ViewRight - RightBandWidth)
        AddScroll(view.ScrollX, -EdgeStepX);
    else if (view.CursorY > view.ViewBottom - BottomBandHeight)
        AddScroll(view.ScrollY, -EdgeStepY);
    else if (view.ViewTop - PressTopBandReach < view.CursorY && view.CursorY < view.ViewTop)
        AddScroll(view.ScrollY, EdgeStepY);
}

void PressMap(Editor& editor, MouseButton button)
{
    PressEdgeScroll(editor.Canvas);
    if (button == MouseButton::Left)
        PaintCell(ChangeCells(editor.Map), editor.History, editor.Canvas, editor.Brush);
    else if (button == MouseButton::Right)
        StepItem(editor.Brush, editor.Brush.EditMode);
    else
        PickItem(std::as_const(editor.Map.Cells), editor.Canvas, editor.Brush);
}

void KeyDown(BrushState& brush, int virtualKey)
{
    if (virtualKey == KeyBackslash)
        StepEditMode(brush);
    else if (virtualKey >= KeyDigit1 && virtualKey <= KeyDigit5)
        StepItem(brush, virtualKey - KeyDigit1);
}

}  // namespace korvan

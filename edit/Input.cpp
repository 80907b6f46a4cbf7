#include "edit/Input.h"

#include "edit/Brush.h"
#include "edit/Editor.h"

namespace korvan {
namespace {

// The scroll offsets may be pushed past their limits here (the next frame clamps them); wrap
// instead of overflowing if a long series of presses ever reaches the edge of 32 bits.
void AddScroll(std::int32_t& scroll, std::int32_t step)
{
    scroll = static_cast<std::int32_t>(static_cast<std::uint32_t>(scroll) + static_cast<std::uint32_t>(step));
}

}  // namespace

void PointerOverImage(Editor& editor, int x, int y)
{
    editor.CursorX = x - 34;
    editor.CursorY = y - 20;
}

void PointerOverWindow(Editor& editor, int x, int y)
{
    editor.CursorX = x - 20;
    editor.CursorY = y - 20;
}

void PressEdgeScroll(Editor& editor)
{
    // The press has its own top band (-32 < y < 0), unlike the frame tick's (-16 < y < 16).
    if (editor.CursorX < editor.ViewLeft)
        AddScroll(editor.ScrollX, 65);
    else if (editor.CursorX > editor.ViewRight - 60)
        AddScroll(editor.ScrollX, -65);
    else if (editor.CursorY > editor.ViewBottom - 50)
        AddScroll(editor.ScrollY, -33);
    else if (editor.ViewTop - 32 < editor.CursorY && editor.CursorY < editor.ViewTop)
        AddScroll(editor.ScrollY, 33);
}

void PressMap(Editor& editor, MouseButton button)
{
    PressEdgeScroll(editor);
    if (button == MouseButton::Left)
        PaintCell(editor);
    else if (button == MouseButton::Right)
        StepItem(editor, editor.EditMode);
}

void KeyDown(Editor& editor, int virtualKey)
{
    if (virtualKey == KeyBackslash)
        StepEditMode(editor);
    else if (virtualKey >= KeyDigit1 && virtualKey <= KeyDigit5)
        StepItem(editor, virtualKey - KeyDigit1);
}

}  // namespace korvan

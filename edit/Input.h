// The input bindings: what a pointer move, a button press or a key does to the editor's fields.
// None of them draws; the next frame tick shows the change.
#pragma once

#include "edit/BrushState.h"
#include "render/ViewState.h"

#include <cstdint>

namespace korvan {

struct Editor;

enum class MouseButton { Left, Right, Middle };

// Virtual-key codes of the bound keys.
inline constexpr int KeyBackslash = 220;
inline constexpr int KeyDigit1 = 49;
inline constexpr int KeyDigit5 = 53;

// The pointer over the picture at (x, y) of its client pixels, or over the window elsewhere.
void PointerOverImage(ViewState& view, int x, int y);
void PointerOverWindow(ViewState& view, int x, int y);

// A press takes one edge-scroll step of its own (no clamp), then acts by button: the left paints,
// the right steps the current item, the middle takes the current item from the cell it hits.
void PressEdgeScroll(ViewState& view);
void PressMap(Editor& editor, MouseButton button);

// Key code 220 steps the mode; 49..53 step the items of modes 0..4; every other code does nothing.
void KeyDown(BrushState& brush, int virtualKey);

}  // namespace korvan

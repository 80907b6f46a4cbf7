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

// The cursor is the pointer's position moved up and left, so that the brush preview drawn with its
// top-left corner at the cursor has the pointer near its middle (a ground tile is 66 x 34). The
// shift differs in x over the picture and over the rest of the window.
inline constexpr int ImageCursorShiftX = 34;
inline constexpr int WindowCursorShiftX = 20;
inline constexpr int CursorShiftY = 20;

// A press's top edge band: the rows less than this far above the clip rectangle's top edge (the
// frame tick's reaches into the view as well, render/MapView.h). Its other bands and its steps
// are the frame tick's.
inline constexpr std::int32_t PressTopBandReach = 32;

// The pointer over the picture at (x, y) of its client pixels, or over the window elsewhere. Either
// makes the cursor known.
void PointerOverImage(ViewState& view, int x, int y);
void PointerOverWindow(ViewState& view, int x, int y);

// The editor starts with the cursor at (0, 0), inside the top edge band, before any pointer has
// been seen (a window shown under a still pointer, or a desktop that does not say where the
// pointer is): until the first pointer position over the view arrives, the cursor's value takes
// no edge-scroll step, neither in the frame tick nor on a press. The preview still draws there.
void AwaitPointer(ViewState& view);

// A press takes one edge-scroll step of its own (no clamp, none while the cursor is unknown), then
// acts by button: the left paints, the right steps the current item, the middle takes the current
// item from the cell it hits.
void PressEdgeScroll(ViewState& view);
void PressMap(Editor& editor, MouseButton button);

// Key code 220 steps the mode; 49..53 step the items of modes 0..4; every other code does nothing.
void KeyDown(BrushState& brush, int virtualKey);

}  // namespace korvan

// The fourteen secondary windows as a group: created together at start-up, shown one at a time.
#pragma once

class QWidget;

// Creates the fourteen windows once, hidden and top-level, in the order start-up has always used.
void CreateSecondaryWindows();
void DestroySecondaryWindows();

// What a menu entry does for its window: visible, enabled, focused; nothing else. On Wayland the
// window is tied to owner (the editor's window) first, so that a tiling compositor floats it.
void ShowSecondaryWindow(QWidget* window, QWidget* owner = nullptr);

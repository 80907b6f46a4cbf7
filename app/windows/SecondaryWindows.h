// The fourteen secondary windows as a group: created together at start-up, shown one at a time.
#pragma once

class QWidget;

// Creates the fourteen windows once, hidden and top-level, in the order start-up has always used.
void CreateSecondaryWindows();
void DestroySecondaryWindows();

// What a menu entry does for its window: visible, enabled, focused; nothing else.
void ShowSecondaryWindow(QWidget* window);

// Qt key events to the virtual-key codes the editor's bindings use.
#pragma once

class QKeyEvent;

// 220 for the key that types a backslash on the active layout (Shift or not), 49..53 for the main-block digits 1..5 whatever the
// modifiers (the physical key decides: Shift+1 is still 49), 0 for every other key, keypad
// digits included.
int VirtualKeyCode(const QKeyEvent& event);

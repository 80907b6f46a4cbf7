// Qt key events to the virtual-key codes the editor's bindings use.
#pragma once

#include <QtGlobal>

class QKeyEvent;
struct xkb_keymap;

// 220 for the key that types a backslash on the active layout (Shift or not), 49..53 for the main-block digits 1..5 whatever the
// modifiers (the physical key decides: Shift+1 is still 49), 0 for every other key, keypad
// digits included.
int VirtualKeyCode(const QKeyEvent& event);

// Whether the key with this XKB key code types a backslash alone or with Shift, in the layout of
// keymap that is active: the one in which the key types typedSymbol, the key symbol the event
// carries (the first layout if none does, or typedSymbol is 0).
bool KeyTypesBackslash(xkb_keymap* keymap, quint32 keyCode, quint32 typedSymbol);

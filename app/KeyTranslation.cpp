#include "KeyTranslation.h"

#include "WaylandKeymap.h"
#include "WindowSystem.h"
#include "X11Requests.h"

#include <QKeyEvent>

#include <algorithm>

#include <xkbcommon/xkbcommon.h>

namespace {

// XKB key codes (evdev codes plus 8), which Qt reports on X11 and Wayland alike.
constexpr quint32 XkbDigit1 = 10;
constexpr quint32 XkbDigit5 = 14;
constexpr quint32 BackslashSymbol = 0x5c;

bool LevelTypes(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t layout, xkb_level_index_t level,
                xkb_keysym_t symbol)
{
    const xkb_keysym_t* symbols = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &symbols);
    return std::find(symbols, symbols + std::max(count, 0), symbol) != symbols + std::max(count, 0);
}

// The key whose own character on the active layout is a backslash, with or without Shift: on a
// US layout the key left of Enter (Shift+it types "|"), on an Italian one the key left of 1.
bool TypesBackslash(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backslash)
        return true;
    if (event.nativeScanCode() == 0)
        return false;
    if (OnWayland()) {
        xkb_keymap* keymap = CurrentWaylandKeymap();
        return keymap != nullptr && KeyTypesBackslash(keymap, event.nativeScanCode(), event.nativeVirtualKey());
    }
    const int group = int(event.nativeModifiers() >> 13) & 3;  // the layout group, in the X event's state
    const std::vector<quint32> symbols = PlainAndShiftSymbols(event.nativeScanCode(), group);
    return std::find(symbols.begin(), symbols.end(), BackslashSymbol) != symbols.end();
}

}  // namespace

bool KeyTypesBackslash(xkb_keymap* keymap, quint32 keyCode, quint32 typedSymbol)
{
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, keyCode);
    // A Wayland key event does not say which layout is active; the symbol it typed does, unless
    // two layouts put that symbol on this key.
    bool found = false;
    bool backslash = false;
    for (xkb_layout_index_t layout = 0; layout < layouts && typedSymbol != 0; ++layout) {
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, keyCode, layout);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            if (LevelTypes(keymap, keyCode, layout, level, typedSymbol)) {
                found = true;
                backslash = backslash || LevelTypes(keymap, keyCode, layout, 0, BackslashSymbol) ||
                            LevelTypes(keymap, keyCode, layout, 1, BackslashSymbol);
                break;
            }
        }
    }
    if (found)
        return backslash;
    return layouts > 0 &&
           (LevelTypes(keymap, keyCode, 0, 0, BackslashSymbol) || LevelTypes(keymap, keyCode, 0, 1, BackslashSymbol));
}

int VirtualKeyCode(const QKeyEvent& event)
{
    if (event.modifiers() & Qt::KeypadModifier)
        return 0;
    if (TypesBackslash(event))
        return 220;
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode != 0)
        return scanCode >= XkbDigit1 && scanCode <= XkbDigit5 ? int(49 + scanCode - XkbDigit1) : 0;
    // Synthetic events carry no physical code: fall back on the key itself.
    if (event.key() >= Qt::Key_1 && event.key() <= Qt::Key_5)
        return 49 + event.key() - Qt::Key_1;
    return 0;
}

#include "KeyTranslation.h"

#include "X11Connection.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

// XKB key codes (evdev codes plus 8), which Qt reports on X11 and Wayland alike.
constexpr quint32 XkbDigit1 = 10;
constexpr quint32 XkbDigit5 = 14;
constexpr quint32 BackslashSymbol = 0x5c;

// The key whose own character on the active layout is a backslash, with or without Shift: on a
// US layout the key left of Enter (Shift+it types "|"), on an Italian one the key left of 1.
bool TypesBackslash(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backslash)
        return true;
    if (event.nativeScanCode() == 0)
        return false;
    const int group = int(event.nativeModifiers() >> 13) & 3;  // the layout group, in the X event's state
    const std::vector<quint32> symbols = PlainAndShiftSymbols(event.nativeScanCode(), group);
    return std::find(symbols.begin(), symbols.end(), BackslashSymbol) != symbols.end();
}

}  // namespace

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

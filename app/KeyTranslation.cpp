#include "KeyTranslation.h"

#include <QKeyEvent>

namespace {

// XKB key codes (evdev codes plus 8), which Qt reports on X11 and Wayland alike.
constexpr quint32 XkbDigit1 = 10;
constexpr quint32 XkbDigit5 = 14;
constexpr quint32 XkbBackslash = 51;

}  // namespace

int VirtualKeyCode(const QKeyEvent& event)
{
    if (event.modifiers() & Qt::KeypadModifier)
        return 0;
    if (event.key() == Qt::Key_Backslash)
        return 220;
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode != 0) {
        if (scanCode == XkbBackslash)
            return 220;
        return scanCode >= XkbDigit1 && scanCode <= XkbDigit5 ? int(49 + scanCode - XkbDigit1) : 0;
    }
    // Synthetic events carry no physical code: fall back on the key itself.
    if (event.key() >= Qt::Key_1 && event.key() <= Qt::Key_5)
        return 49 + event.key() - Qt::Key_1;
    return 0;
}

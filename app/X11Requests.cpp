#include "X11Requests.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace {

xcb_connection_t* Connection()
{
    auto* application = qGuiApp;
    if (application == nullptr)
        return nullptr;
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

void FlushToWindowSystem()
{
    if (xcb_connection_t* connection = Connection())
        xcb_flush(connection);
}

std::vector<quint32> PlainAndShiftSymbols(quint32 keyCode, int group)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || keyCode < 8 || keyCode > 255)
        return {};
    const xcb_keycode_t code = static_cast<xcb_keycode_t>(keyCode);
    const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, code, 1), nullptr), &std::free);
    if (!reply)
        return {};
    // The core mapping lists group 1's two levels, then group 2's, then the rest (whose places
    // depend on each group's width): the third and fourth groups fall back on the first.
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int count = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    const int first = group == 1 ? 2 : 0;
    std::vector<quint32> result;
    for (int i = first; i < first + 2 && i < count; ++i)
        if (symbols[i] != 0)
            result.push_back(symbols[i]);
    return result;
}

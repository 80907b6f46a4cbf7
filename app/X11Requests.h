// What the shell asks of the X server itself, beyond what Qt offers, on Qt's own connection to it.
// Without an X server (the offscreen platform, Wayland) every call does nothing or finds nothing.
#pragma once

#include <QtGlobal>

#include <vector>

// Sends the requests Qt has buffered for the X server now. Qt's default (GLib) event loop sends
// them only when it next handles an event from the server, which may be seconds later.
void FlushToWindowSystem();

// The key symbols that the key with this X key code types alone and with Shift in keyboard group
// group (0..3) of the active layout, as the server maps them now.
std::vector<quint32> PlainAndShiftSymbols(quint32 keyCode, int group);

// The keyboard layout of a native Wayland session, as the compositor hands it to its clients: Qt
// keeps its own copy to itself, so the program asks for one of its own, on a connection of its own.
#pragma once

struct xkb_keymap;

// The keymap of the seat's current keyboard, kept up to date as the compositor changes it; null
// outside a Wayland session or before the compositor has sent one. The first call connects.
xkb_keymap* CurrentWaylandKeymap();

// What the window system the program runs on can do, where Qt leaves it to the program to know.
#pragma once

// A native Wayland session (Qt's Wayland platform): windows have no places of their own, the
// pointer's position is known only from the events a window receives, and a window cannot be
// made translucent as a whole.
bool OnWayland();

// Whether a whole window can be faded (an X server's compositor reads the window's opacity; so
// do the Windows and macOS desktops). Elsewhere Qt prints a warning for every opacity set.
bool WindowOpacityWorks();

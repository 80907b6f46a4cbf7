// What the window system the program runs on can do, where Qt leaves it to the program to know.
#pragma once

// A native Wayland session (Qt's Wayland platform): windows have no places of their own, the
// pointer's position is known only from the events a window receives, and a window cannot be
// made translucent as a whole.
bool OnWayland();

// Whether a whole window can be faded (an X server's compositor reads the window's opacity; so
// do the Windows and macOS desktops). Elsewhere Qt prints a warning for every opacity set.
bool WindowOpacityWorks();

// Whether the main window draws its own title bar: on Wayland where the compositor draws none
// (weston, GNOME's). Qt then draws a stand-in that knows nothing of the window: it centres the
// caption and cuts it at both ends, and shows a maximise button on a window of fixed size. An X
// server's window manager and compositors with server-side decorations (sway, KDE's) follow the
// window's hints instead. Where the user has switched Qt's decorations off, there is none either.
bool ProgramDrawsTitleBar();

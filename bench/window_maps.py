#!/usr/bin/env python3
"""Prints every window that is mapped or unmapped on the X display, as it happens:
"SECONDS map|unmap WIDTH NAME", SECONDS from the monotonic clock. Used by intro_length.sh."""
import ctypes, ctypes.util, sys, time
x11 = ctypes.CDLL(ctypes.util.find_library('X11'))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XFlush.argtypes = [ctypes.c_void_p]
class Attr(ctypes.Structure):
    _fields_ = [('x', ctypes.c_int), ('y', ctypes.c_int), ('width', ctypes.c_int), ('height', ctypes.c_int), ('rest', ctypes.c_byte * 200)]
x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Attr)]
d = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(d)
x11.XSelectInput(d, root, 1 << 19)  # SubstructureNotifyMask
x11.XFlush(d)
print('ready', flush=True)
ev = (ctypes.c_long * 24)()
while True:
    x11.XNextEvent(d, ev)
    t = time.monotonic()
    kind = ctypes.c_int.from_buffer(ev).value
    if kind in (18, 19):  # UnmapNotify, MapNotify
        win = ev[5]
        name = ctypes.c_char_p()
        x11.XFetchName(d, win, ctypes.byref(name))
        a = Attr()
        x11.XGetWindowAttributes(d, win, ctypes.byref(a))
        print(f'{t:.4f} {"map" if kind == 19 else "unmap"} {a.width} {(name.value or b"").decode(errors="replace")}', flush=True)

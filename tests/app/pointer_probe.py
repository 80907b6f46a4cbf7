#!/usr/bin/env python3
"""The X server's current pointer image (XFixes), for the Xvfb tests: screenshots leave it out.

  pointer_probe.py shape          "blank" when the pointer has no visible pixel, else "visible N"
  pointer_probe.py image OUT.pam  the pointer as an RGBA PAM, and on stdout "X Y" of its top-left
                                  corner on the screen, to lay it over a screenshot
"""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [('x', ctypes.c_short), ('y', ctypes.c_short),
                ('width', ctypes.c_ushort), ('height', ctypes.c_ushort),
                ('xhot', ctypes.c_ushort), ('yhot', ctypes.c_ushort),
                ('cursor_serial', ctypes.c_ulong),
                ('pixels', ctypes.POINTER(ctypes.c_ulong)),
                ('atom', ctypes.c_ulong), ('name', ctypes.c_char_p)]


def cursor():
    x11 = ctypes.CDLL(ctypes.util.find_library('X11'))
    xfixes = ctypes.CDLL(ctypes.util.find_library('Xfixes'))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit('cannot open the display')
    image = xfixes.XFixesGetCursorImage(display).contents
    argb = [image.pixels[i] & 0xffffffff for i in range(image.width * image.height)]
    return image.x - image.xhot, image.y - image.yhot, image.width, image.height, argb


def main():
    left, top, width, height, argb = cursor()
    if sys.argv[1] == 'shape':
        opaque = sum(1 for p in argb if p >> 24)
        print('blank' if opaque == 0 else f'visible {opaque}')
    elif sys.argv[1] == 'image':
        with open(sys.argv[2], 'wb') as out:
            out.write(f'P7\nWIDTH {width}\nHEIGHT {height}\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n'.encode())
            # XFixes gives premultiplied ARGB; a cursor's pixels are opaque or fully transparent.
            out.write(bytes(b for p in argb for b in ((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24)))
        print(left, top)
    else:
        sys.exit(f'unknown command {sys.argv[1]}')


if __name__ == '__main__':
    main()

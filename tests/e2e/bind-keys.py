#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Binds each keysym named (Cyrillic_pe, …) to a key code of the X server on $DISPLAY that
has no symbols, for as long as the server runs. xdotool binds a keysym the keyboard lacks
only while it types it, and a busy program that reads the key after that sees no symbol
there; with its own key the symbol stays until the program has read it."""

import ctypes
import sys

KeySym = ctypes.c_ulong


def main():
    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XStringToKeysym.restype = KeySym
    xlib.XGetKeyboardMapping.restype = ctypes.POINTER(KeySym)
    xlib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                         ctypes.POINTER(ctypes.c_int)]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("bind-keys: cannot open the display")
    first, last = ctypes.c_int(), ctypes.c_int()
    xlib.XDisplayKeycodes(ctypes.c_void_p(display), ctypes.byref(first), ctypes.byref(last))
    per_code = ctypes.c_int()
    count = last.value - first.value + 1
    symbols = xlib.XGetKeyboardMapping(display, first.value, count, ctypes.byref(per_code))
    free = [first.value + code for code in range(count)
            if not any(symbols[code * per_code.value + level] for level in range(per_code.value))]
    xlib.XFree(symbols)
    for name in sys.argv[1:]:
        keysym = xlib.XStringToKeysym(name.encode())
        if not keysym or not free:
            sys.exit(f"bind-keys: no key for {name}")
        xlib.XChangeKeyboardMapping(ctypes.c_void_p(display), free.pop(), 1,
                                    ctypes.byref(KeySym(keysym)), 1)
    xlib.XSync(ctypes.c_void_p(display), 0)
    xlib.XCloseDisplay(ctypes.c_void_p(display))


if __name__ == "__main__":
    main()

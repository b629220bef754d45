#!/usr/bin/env python3
"""Waits until one pixel of the X screen has a colour, and prints the moment it had it.

    pixel_wait.py X Y RRGGBB TIMEOUT_SECONDS

Reads the pixel straight from the X server (one 1x1 image a poll, about a millisecond apart), so
the moment printed is within a millisecond or two of the frame that painted it, however large the
screen. Prints the Unix time in seconds and exits 0, or exits 1 at the timeout.
"""
import ctypes
import sys
import time


def main() -> int:
    x, y, colour, timeout = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3], 16), float(sys.argv[4])
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.c_void_p
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XGetPixel.restype = ctypes.c_ulong
    x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    x11.XDestroyImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        return 1
    root = x11.XDefaultRootWindow(display)
    z_pixmap, all_planes = 2, 0xFFFFFFFF
    deadline = time.time() + timeout
    while time.time() < deadline:
        image = x11.XGetImage(display, root, x, y, 1, 1, all_planes, z_pixmap)
        if image:
            pixel = x11.XGetPixel(image, 0, 0) & 0xFFFFFF
            x11.XDestroyImage(image)
            if pixel == colour:
                print(f"{time.time():.6f}")
                return 0
        time.sleep(0.001)
    return 1


if __name__ == "__main__":
    sys.exit(main())

"""The whole X screen as RGB bytes, read in one piece while the server serves no one else.

xwd reads the root's size, then walks every window for its visual, then reads the pixels, each a
separate request: a window that goes away during the walk (BadWindow) or a mode switch that shrinks the
root before the read (BadMatch) makes it fail. Here the size and the pixels are read under a server
grab, so the picture is always one the screen really showed. Standard library only (ctypes, libX11).
"""
import ctypes
import ctypes.util

_ZPIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(-1).value
_LSB_FIRST = 0


class CaptureError(Exception):
    pass


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, as far as the pixel layout goes.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong)]


class _XErrorEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("display", ctypes.c_void_p), ("resourceid", ctypes.c_ulong),
                ("serial", ctypes.c_ulong), ("error_code", ctypes.c_ubyte),
                ("request_code", ctypes.c_ubyte), ("minor_code", ctypes.c_ubyte)]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(_XErrorEvent))
_x11 = None
_errors = []


@_ERROR_HANDLER
def _note_error(display, event):
    # Xlib's own handler would end the whole test process.
    _errors.append((event.contents.error_code, event.contents.request_code))
    return 0


def _library():
    global _x11
    if _x11 is None:
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
            [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
        x11.XGetImage.restype = ctypes.POINTER(_XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        for name in ("XGrabServer", "XUngrabServer", "XCloseDisplay"):
            getattr(x11, name).argtypes = [ctypes.c_void_p]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
        x11.XSetErrorHandler.restype = ctypes.c_void_p
        x11.XSetErrorHandler(_note_error)
        _x11 = x11
    return _x11


def _rgb(image):
    """Packed RGB rows from a 24-bit TrueColor image of 32 bits a pixel."""
    if image.bits_per_pixel != 32 or (image.red_mask, image.green_mask, image.blue_mask) != \
            (0xff0000, 0x00ff00, 0x0000ff):
        raise CaptureError("unexpected pixel layout: %d bits, masks %x %x %x" % (
            image.bits_per_pixel, image.red_mask, image.green_mask, image.blue_mask))
    width, height, stride = image.width, image.height, image.bytes_per_line
    data = ctypes.string_at(image.data, stride * height)
    if stride != 4 * width:
        data = b"".join(data[y * stride:y * stride + 4 * width] for y in range(height))
    # In memory a pixel is B G R X when the image is least significant byte first, else X R G B.
    r, g, b = (2, 1, 0) if image.byte_order == _LSB_FIRST else (1, 2, 3)
    rgb = bytearray(3 * width * height)
    rgb[0::3], rgb[1::3], rgb[2::3] = data[r::4], data[g::4], data[b::4]
    return bytes(rgb)


def capture(display_name):
    """(width, height, rgb bytes) of the default screen of the named display."""
    x11 = _library()
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise CaptureError("cannot open display " + display_name)
    del _errors[:]
    try:
        root = x11.XDefaultRootWindow(display)
        x11.XGrabServer(display)
        try:
            same_root = ctypes.c_ulong()
            x, y = ctypes.c_int(), ctypes.c_int()
            width, height, border, depth = (ctypes.c_uint() for _ in range(4))
            x11.XGetGeometry(display, root, ctypes.byref(same_root), ctypes.byref(x), ctypes.byref(y),
                             ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                             ctypes.byref(depth))
            image = x11.XGetImage(display, root, 0, 0, width.value, height.value, _ALL_PLANES, _ZPIXMAP)
        finally:
            x11.XUngrabServer(display)
            x11.XSync(display, 0)
        if not image or _errors:
            raise CaptureError("the root window could not be read (X errors %s)" % _errors)
        try:
            return image.contents.width, image.contents.height, _rgb(image.contents)
        finally:
            x11.XDestroyImage(image)
    finally:
        x11.XCloseDisplay(display)

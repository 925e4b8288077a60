"""A private Xvfb display and the tools to drive and look at the Linux program on it.

Each test starts its own display (Xvfb picks a free number through -displayfd), so tests never collide
with a display another process is using, and ends everything it started.
"""
import ctypes
import math
import os
import subprocess
import sys
import tempfile
import time

PROGRAM = os.environ.get("ORBITARIUM_PROGRAM", "")
SHOTS = os.environ.get("ORBITARIUM_SHOTS", os.path.join(tempfile.gettempdir(), "orbitarium-shots"))

# The saver's initial camera (scene units) and its perspective: half-height 0.75 at the near plane 1.
INITIAL_EYE = (-224.792, 432.066, 949.615)
INITIAL_TARGET = (-224.635, 431.627, 948.73)


class Display:
    def __init__(self, size="1024x768x24", allow_all=False):
        read_end, write_end = os.pipe()
        # -noreset: by default the server resets itself whenever its last client disconnects, and a
        # client connecting during the reset is refused ("unable to open display"). Between two
        # programs of one test, or while a tool polls before the program under test has connected,
        # that is exactly when clients connect.
        command = ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp", "-noreset"]
        if allow_all:
            command.append("-ac")
        self.server = subprocess.Popen(command, pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XSCREENSAVER_WINDOW", None)

    def close(self):
        self.server.terminate()
        try:
            self.server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()

    def run(self, *command, check=True, timeout=30):
        return subprocess.run(list(command), env=self.env, check=check, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def start(self, *arguments, env=None):
        return subprocess.Popen([PROGRAM, *arguments], env=env or self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True)

    def find_window(self, process, name="Orbitarium", timeout=20.0):
        """The id of the visible window called `name`, once `process` has mapped it. Fails at once
        when the process ends first, with its exit code and what it said."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.run("xdotool", "search", "--onlyvisible", "--name", "^" + name + "$",
                             check=False).stdout.split()
            if found:
                return found[0]
            if process.poll() is not None:
                break
            time.sleep(0.1)
        raise AssertionError("no window named %s: %s" % (name, self.describe(process)))

    def wait_for_frame(self, process, window, width, height, timeout=20.0):
        """Returns once the window is width x height on the server and the program has shown a frame
        it drew at that size, one that cannot come from a buffer of an earlier size (the program
        counts such frames in its _ORBITARIUM_DRAWN property: width, height, frames up to 2)."""
        deadline = time.monotonic() + timeout
        geometry, drawn = None, None
        while time.monotonic() < deadline and process.poll() is None:
            info = self.run("xwininfo", "-id", str(window), check=False).stdout
            fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
            geometry = (int(fields.get("Width", 0)), int(fields.get("Height", 0)))
            drawn = self.drawn(window)
            if geometry == (width, height) and drawn and drawn[:2] == [width, height] and drawn[2] >= 2:
                return
            time.sleep(0.05)
        raise AssertionError("no frame drawn at %d x %d (the window is %s, the program shows %s): %s"
                             % (width, height, geometry, drawn, self.describe(process)))

    def drawn(self, window):
        """The program's _ORBITARIUM_DRAWN on its window: width, height and frames shown at that size
        (counted up to 2, and from 0 again after a rest), or None before the first frame."""
        shown = self.run("xprop", "-id", str(window), "_ORBITARIUM_DRAWN", check=False).stdout
        return [int(v) for v in shown.split("=", 1)[1].split(",")] if "=" in shown else None

    def wait_for_picture(self, process, window="root", unlike=None, keep_as=None, timeout=20.0):
        """The window's pixels once the program has drawn into it: once they differ from `unlike`
        (what the window showed before the program started), or once they are not black."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and process.poll() is None:
            image = self.capture(window, keep_as=keep_as)
            if (image.rgb != unlike.rgb) if unlike else image.mean_brightness() > 5:
                return image
            time.sleep(0.1)
        raise AssertionError("nothing drawn in %s: %s" % (window, self.describe(process)))

    def describe(self, process):
        """The process's state and the server's windows, for a failure message."""
        if process.poll() is None:
            state = "the program still runs"
        else:
            state = "the program ended with %d and said %r" % (process.returncode, process.stderr.read())
        tree = self.run("xwininfo", "-root", "-tree", check=False)
        return "%s; the server shows:\n%s%s" % (state, tree.stdout[-2000:], tree.stderr)

    def save_picture(self, path, keep_as=None):
        """The whole screen written to the picture file `path` (and kept among the screenshots)."""
        self.run("xwd", "-silent", "-root", "-out", path + ".xwd")
        for target in [path] + ([os.path.join(SHOTS, keep_as)] if keep_as else []):
            os.makedirs(os.path.dirname(target), exist_ok=True)
            subprocess.run(["convert", path + ".xwd", target], check=True)
        os.remove(path + ".xwd")

    def capture(self, window="root", keep_as=None):
        """The window's pixels as an Image (xwd, then ImageMagick to a binary PPM)."""
        with tempfile.TemporaryDirectory() as folder:
            xwd = os.path.join(folder, "shot.xwd")
            ppm = os.path.join(folder, "shot.ppm")
            target = ["-root"] if window == "root" else ["-id", str(window)]
            self.run("xwd", "-silent", *target, "-out", xwd)
            subprocess.run(["convert", xwd, ppm], check=True)
            if keep_as:
                os.makedirs(SHOTS, exist_ok=True)
                subprocess.run(["convert", xwd, os.path.join(SHOTS, keep_as)], check=True)
            with open(ppm, "rb") as file:
                return Image.from_ppm(file.read())


class DeskDisplay(Display):
    """A display of two monitors: Xorg with the dummy video driver, the primary 1024x768 at the origin
    and 800x600 to its right (the Windows saver's tests use the same server)."""

    def __init__(self, allow_all=False):
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
        from two_monitors import DummyXorg
        self.xorg = DummyXorg(allow_all=allow_all)
        self.xorg.start()
        self.xorg.arrange()
        self.name = self.xorg.display
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XSCREENSAVER_WINDOW", None)
        self.monitors = self.xorg.monitors()

    def close(self):
        self.xorg.close()


def differing_pixels(picture, other, box, fuzz="6%"):
    """The pixels in `box` (left, top, right, bottom) of two picture files that differ by more than
    `fuzz` of the full scale (ImageMagick's compare)."""
    left, top, right, bottom = box
    crop = "[%dx%d+%d+%d]" % (right - left, bottom - top, left, top)
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", fuzz, picture + crop, other + crop, "null:"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode > 1:
        raise AssertionError("compare failed: " + result.stderr)
    return int(float(result.stderr.split()[0]))


def best_ticks(shot, boxes, arguments, first_tick, count, folder, every=1):
    """For each box of the screenshot file `shot`: the tick, of `count` every `every` from `first_tick`,
    whose still of the desk (--render with `arguments`, which name the monitors) it matches best, and
    the pixels that still differ there."""
    subprocess.run([PROGRAM, *arguments, "--render", folder, "--start-tick", str(first_tick), "--frames",
                    str(count), "--every", str(every)], check=True, timeout=600, stdout=subprocess.DEVNULL,
                   stderr=subprocess.PIPE)
    found = []
    for box in boxes:
        differences = [differing_pixels(shot, os.path.join(folder, "orbitarium-%04d.png" % (i + 1)), box)
                       for i in range(count)]
        best = min(range(count), key=differences.__getitem__)
        found.append((first_tick + best * every, differences[best]))
    return found


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @staticmethod
    def from_ppm(data):
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        return Image(int(fields[1]), int(fields[2]), data[at + 1:])

    def brightness(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i] + self.rgb[i + 1] + self.rgb[i + 2]

    def difference(self, other, flipped=False):
        """Mean absolute difference per channel from `other` (the same size), or from it upside down."""
        row = self.width * 3
        total = 0
        for y in range(self.height):
            theirs_y = self.height - 1 - y if flipped else y
            mine = self.rgb[y * row:(y + 1) * row]
            theirs = other.rgb[theirs_y * row:(theirs_y + 1) * row]
            total += sum(abs(a - b) for a, b in zip(mine, theirs))
        return total / (self.height * row)

    def mean_brightness(self):
        step = 7
        samples = [self.brightness(x, y) for y in range(0, self.height, step) for x in range(0, self.width, step)]
        return sum(samples) / len(samples)

    def sun_box(self, cx, cy):
        """Width and height of the bright, warm region that holds (cx, cy), found by filling from it:
        a body passing in front of the Sun leaves a hole, not a smaller box."""
        def sunlike(x, y):
            i = (y * self.width + x) * 3
            r, g, b = self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]
            return r + g + b > 300 and r > b + 60
        if not sunlike(cx, cy):
            return 0, 0
        seen, todo = {(cx, cy)}, [(cx, cy)]
        left, right, top, bottom = cx, cx, cy, cy
        while todo:
            x, y = todo.pop()
            left, right, top, bottom = min(left, x), max(right, x), min(top, y), max(bottom, y)
            for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if 0 <= nx < self.width and 0 <= ny < self.height and (nx, ny) not in seen and sunlike(nx, ny):
                    seen.add((nx, ny))
                    todo.append((nx, ny))
        return right - left + 1, bottom - top + 1


def project_origin(width, height):
    """Where the scene's origin (the Sun's centre) lands in a width x height view from the initial
    camera, in window pixels with y downwards."""
    forward = [t - e for t, e in zip(INITIAL_TARGET, INITIAL_EYE)]
    length = math.sqrt(sum(f * f for f in forward))
    forward = [f / length for f in forward]
    up = (0.0, 1.0, 0.0)
    side = [forward[1] * up[2] - forward[2] * up[1], forward[2] * up[0] - forward[0] * up[2],
            forward[0] * up[1] - forward[1] * up[0]]
    length = math.sqrt(sum(s * s for s in side))
    side = [s / length for s in side]
    true_up = [side[1] * forward[2] - side[2] * forward[1], side[2] * forward[0] - side[0] * forward[2],
               side[0] * forward[1] - side[1] * forward[0]]
    to_point = [-e for e in INITIAL_EYE]
    x = sum(a * b for a, b in zip(side, to_point))
    y = sum(a * b for a, b in zip(true_up, to_point))
    z = sum(a * b for a, b in zip(forward, to_point))
    half_width = 0.75 * width / height
    ndc_x = (x / z) / half_width
    ndc_y = (y / z) / 0.75
    return int((ndc_x * 0.5 + 0.5) * width), int((0.5 - ndc_y * 0.5) * height)


class VisualInfo(ctypes.Structure):
    _fields_ = [("visual", ctypes.c_void_p), ("visualid", ctypes.c_ulong), ("screen", ctypes.c_int),
                ("depth", ctypes.c_int), ("c_class", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong), ("colormap_size", ctypes.c_int),
                ("bits_per_rgb", ctypes.c_int)]


class WindowAttributes(ctypes.Structure):
    _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("cursor", ctypes.c_ulong)]


GLX_USE_GL, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE = 1, 5, 12


CW_OVERRIDE_REDIRECT = 1 << 9


class SimpleWindow:
    """A plain window made by the test through Xlib (as a settings dialog would make its preview) at
    (x, y). With `without_depth`, its visual is a GL one with no depth buffer (single-buffered where the
    server has one), as GTK gives XScreenSaver's settings preview; `self.visual` then says which. With
    `cover`, no window manager handles it and it is mapped on top of everything."""

    def __init__(self, display_name, width, height, x=50, y=50, without_depth=False, cover=False):
        xlib = self.xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
        xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        xlib.XCreateWindow.restype = ctypes.c_ulong
        xlib.XCreateWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_uint, ctypes.c_void_p,
                                    ctypes.c_ulong, ctypes.POINTER(WindowAttributes)]
        xlib.XCreateColormap.restype = ctypes.c_ulong
        xlib.XCreateColormap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_int]
        xlib.XGetVisualInfo.restype = ctypes.POINTER(VisualInfo)
        xlib.XGetVisualInfo.argtypes = [ctypes.c_void_p, ctypes.c_long, ctypes.POINTER(VisualInfo),
                                     ctypes.POINTER(ctypes.c_int)]
        xlib.XFree.argtypes = [ctypes.c_void_p]
        xlib.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        xlib.XDestroyWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = xlib.XOpenDisplay(display_name.encode())
        assert self.display, "cannot open " + display_name
        root = xlib.XDefaultRootWindow(self.display)
        self.visual = None
        if without_depth:
            info = self.visual = self.visual_without_depth()
            attributes = WindowAttributes(border_pixel=0, background_pixel=0x404040,
                                          colormap=xlib.XCreateColormap(self.display, root, info.visual, 0))
            # CWBackPixel | CWBorderPixel | CWColormap: a visual other than the root's needs all three.
            self.id = xlib.XCreateWindow(self.display, root, x, y, width, height, 0, info.depth, 1, info.visual,
                                      (1 << 1) | (1 << 3) | (1 << 13), ctypes.byref(attributes))
        else:
            self.id = xlib.XCreateSimpleWindow(self.display, root, x, y, width, height, 0, 0, 0x404040)
        if cover:
            xlib.XChangeWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                                     ctypes.POINTER(WindowAttributes)]
            attributes = WindowAttributes(override_redirect=1)
            xlib.XChangeWindowAttributes(self.display, self.id, CW_OVERRIDE_REDIRECT, ctypes.byref(attributes))
        xlib.XMapWindow(self.display, self.id)
        xlib.XSync(self.display, 0)

    def visual_without_depth(self):
        gl = ctypes.CDLL("libGL.so.1")
        gl.glXGetConfig.argtypes = [ctypes.c_void_p, ctypes.POINTER(VisualInfo), ctypes.c_int,
                                    ctypes.POINTER(ctypes.c_int)]
        count = ctypes.c_int(0)
        # TrueColor (class 4) visuals of the default depth.
        wanted = VisualInfo(c_class=4, depth=24)
        found = self.xlib.XGetVisualInfo(self.display, 0x8 | 0x4, ctypes.byref(wanted), ctypes.byref(count))
        chosen = None
        for i in range(count.value):
            def config(attribute):
                value = ctypes.c_int(0)
                return value.value if gl.glXGetConfig(self.display, found[i], attribute, ctypes.byref(value)) == 0 else -1
            if config(GLX_USE_GL) == 1 and config(GLX_DEPTH_SIZE) == 0:
                if chosen is None or config(GLX_DOUBLEBUFFER) == 0:
                    chosen = VisualInfo.from_buffer_copy(found[i])
        if found:
            self.xlib.XFree(found)
        assert chosen is not None, "the server offers no GL visual without a depth buffer"
        return chosen

    def destroy(self):
        self.xlib.XDestroyWindow(self.display, self.id)
        self.xlib.XSync(self.display, 0)

    def close(self):
        self.xlib.XCloseDisplay(self.display)


def cpu_seconds(pid):
    """User and system CPU that a process (all its threads) has used so far, in seconds."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def render_still(arguments, size, folder):
    """The program's first still (--render) at `size` ("WxH") with `arguments`, as an Image."""
    subprocess.run([PROGRAM, *arguments, "--render", folder, "--size", size], check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    ppm = os.path.join(folder, "still.ppm")
    subprocess.run(["convert", os.path.join(folder, "orbitarium-0001.png"), ppm], check=True)
    with open(ppm, "rb") as file:
        return Image.from_ppm(file.read())


def wait_exit(process, timeout):
    """The exit code and the seconds it took, or None when the process still runs after `timeout`."""
    start = time.monotonic()
    try:
        code = process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, timeout
    return code, time.monotonic() - start

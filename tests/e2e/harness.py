"""Drives the real Orbitarium.scr under Wine on a private Xvfb display, the way a user would.

A Session owns what it starts (Xvfb, the Wine server of its prefix, the saver) and ends all of it when
closed, and nothing else. Standard library only.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import xcapture

SAVER_KEY = r"HKCU\Software\Zelkor\Orbitarium Saver"
SYSTEM_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers"

# Wine with the address layout fixed, which every process it starts inherits. With the layout at
# random, one Wine process start in several thousand fails ("wine: failed to map the shared user
# data"): the kernel puts the program break anywhere in the gigabyte above Wine's 64-bit preloader,
# now and then where Wine maps the shared user data. With it fixed, the break is always just above.
WINE = ["setarch", "-R", "wine"]


class HarnessError(Exception):
    pass


class Image:
    """RGB pixels of a screenshot, rows top-down."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def read(cls, path):
        size = subprocess.run(["convert", path, "-format", "%w %h", "info:"], check=True,
                              capture_output=True, text=True).stdout.split()
        rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                             capture_output=True).stdout
        return cls(int(size[0]), int(size[1]), rgb)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def lit_fraction(self, threshold=40):
        """Share of pixels brighter than threshold (sum of the three channels)."""
        lit = sum(1 for i in range(0, len(self.rgb), 3)
                  if self.rgb[i] + self.rgb[i + 1] + self.rgb[i + 2] > threshold)
        return lit / (self.width * self.height)

    def difference(self, other):
        """Share of pixels that differ between two images of the same size."""
        differ = sum(1 for i in range(0, len(self.rgb), 3) if self.rgb[i:i + 3] != other.rgb[i:i + 3])
        return differ / (self.width * self.height)

    def blobs(self, min_pixels, threshold=60, step=2):
        """Sizes of the connected lit regions of at least min_pixels (sampled every step pixels)."""
        w, h = self.width // step, self.height // step
        lit = bytearray(w * h)
        for y in range(h):
            for x in range(w):
                r, g, b = self.at(x * step, y * step)
                lit[y * w + x] = r + g + b > threshold
        sizes = []
        for start in range(w * h):
            if not lit[start]:
                continue
            lit[start] = 0
            stack, size = [start], 0
            while stack:
                i = stack.pop()
                size += 1
                x, y = i % w, i // w
                for n in (i - 1 if x > 0 else -1, i + 1 if x < w - 1 else -1, i - w, i + w):
                    if 0 <= n < w * h and lit[n]:
                        lit[n] = 0
                        stack.append(n)
            if size * step * step >= min_pixels:
                sizes.append(size * step * step)
        return sorted(sizes, reverse=True)


def start_x_server(command, folder, timeout):
    """Starts an X server (command without its -displayfd) on the first free display number, which the
    server writes into a file in folder once it accepts clients. Returns the process and ":N"."""
    number_file = os.path.join(folder, "display")
    with open(number_file, "w") as out:
        process = subprocess.Popen(
            [command[0], "-displayfd", str(out.fileno()), *command[1:]],
            pass_fds=(out.fileno(),), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        with open(number_file) as f:
            number = f.read().strip()
        if number:
            return process, ":" + number
        if process.poll() is not None:
            break
        time.sleep(0.05)
    try:
        os.killpg(process.pid, signal.SIGKILL)  # a server that never came up is ended here
    except (ProcessLookupError, PermissionError):
        pass
    process.wait()
    raise HarnessError("%s did not start" % command[0])


class Session:
    def __init__(self, scr, prefix, shots_dir=None, width=1024, height=768, display=None, host=None):
        self.scr = os.path.abspath(scr)
        self.host = os.path.abspath(host or HOST)
        self.prefix = os.path.abspath(prefix)
        self.shots_dir = shots_dir
        self.size = (width, height)
        self.display = display  # an existing display to use instead of a private one
        self._xvfb = None
        self._saver = None
        self._tmp = tempfile.mkdtemp(prefix="orbitarium-e2e-")
        self._saver_log = os.path.join(self._tmp, "saver.log")
        self._wine_windows = set()

    # --- lifetime -------------------------------------------------------------------------------
    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        if not self.display:
            self._start_xvfb()
        env = self.env()
        # A persistent server and Wine's own service processes, detached from our output pipes.
        # "wineserver -p" does nothing (exit status 2) while a server of the prefix still runs; without
        # a persistent one each Wine program starts and ends its own, and one that starts while the
        # last ends fails at once. So wait for any server of the prefix to end first.
        for _ in range(20):
            subprocess.run(["wineserver", "-w"], env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            started = subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     start_new_session=True)
            if started.returncode == 0:
                break
        else:
            raise HarnessError("no persistent Wine server for %s" % self.prefix)
        subprocess.run([*WINE, "cmd", "/c", "exit"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
                       timeout=120)
        # Wine keeps a window of its own on the display; only windows beyond these are the saver's.
        self._wine_windows = set(self._visible_window_ids())

    def close(self):
        if self._saver and self._saver.poll() is None:
            self._kill(self._saver)
        subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if self._xvfb:
            self._kill(self._xvfb)
            self._xvfb = None
        shutil.rmtree(self._tmp, ignore_errors=True)

    def _start_xvfb(self):
        # -noreset: by default the server resets whenever its last client leaves and refuses clients
        # that connect meanwhile, so a short-lived client (xdotool, xwd) could fail by chance.
        self._xvfb, self.display = start_x_server(
            ["Xvfb", "-screen", "0", "%dx%dx24" % self.size, "-nolisten", "tcp", "-noreset", "+extension", "GLX"],
            self._tmp, timeout=10)

    @staticmethod
    def _kill(process):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass
        process.wait()

    def system_folder(self):
        """The prefix's folder that the saver sees as the Windows system folder: system32 for a 64-bit
        saver, syswow64 for a 32-bit one in a 64-bit prefix."""
        with open(self.scr, "rb") as f:
            header = f.read(4096)
        pe = int.from_bytes(header[0x3C:0x40], "little")
        machine = int.from_bytes(header[pe + 4:pe + 6], "little")
        windows = os.path.join(self.prefix, "drive_c", "windows")
        if machine == 0x14C and os.path.isdir(os.path.join(windows, "syswow64")):
            return os.path.join(windows, "syswow64")
        return os.path.join(windows, "system32")

    def env(self):
        env = dict(os.environ)
        env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        if self.display:
            env["DISPLAY"] = self.display
        return env

    # --- the saver ------------------------------------------------------------------------------
    def launch(self, *args, cwd=None, extra_env=None):
        """Starts Orbitarium.scr with the given command-line words (in folder cwd, with extra_env)."""
        env = self.env()
        env.update(extra_env or {})
        # What Wine itself prints (it cannot load, its server went away) is kept for the error messages.
        # The host starts the saver with CreateProcess; the saver's folder is drive Z: in Wine.
        command = [*WINE, self.host, "Z:" + self.scr.replace("/", "\\"), *args]
        with open(self._saver_log, "wb") as log:
            self._saver = subprocess.Popen(command, env=env, cwd=cwd,
                                           stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                           start_new_session=True)
        return self._saver

    def exit_report(self):
        """Why the saver is gone: its exit code and the last lines that it, the host or Wine printed."""
        with open(self._saver_log, errors="replace") as log:
            printed = log.read().strip().splitlines()[-5:]
        return "code %d%s" % (self._saver.returncode, "".join("\n  " + line for line in printed))

    def wait_exit(self, timeout):
        """The saver's exit code; kills it and raises when it runs longer than timeout seconds."""
        try:
            return self._saver.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self._kill(self._saver)
            raise HarnessError("the saver did not exit within %.0f s" % timeout)

    def running(self):
        return self._saver is not None and self._saver.poll() is None

    # --- windows and input ----------------------------------------------------------------------
    def _xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True, text=True)
        if check and result.returncode != 0:
            raise HarnessError("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def _visible_window_ids(self):
        out = self._xdotool("search", "--onlyvisible", "--name", "", check=False)
        return [int(w) for w in out.split()]

    def visible_windows(self):
        """Ids of the visible windows that appeared after the session started."""
        return [w for w in self._visible_window_ids() if w not in self._wine_windows]

    def windows_titled(self, title):
        """Ids of the visible windows with exactly this title."""
        out = self._xdotool("search", "--onlyvisible", "--name", "^%s$" % title, check=False)
        return [int(w) for w in out.split()]

    def wait_window(self, title, timeout=30):
        """The id of a visible window with exactly this title, waiting up to timeout seconds."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows_titled(title)
            if found:
                return found[0]
            if self._saver is not None and self._saver.poll() is not None:
                raise HarnessError("the saver exited before window %r appeared: %s"
                                   % (title, self.exit_report()))
            time.sleep(0.2)
        raise HarnessError("no window %r within %.0f s" % (title, timeout))

    def focus(self, window):
        # No window manager runs, so a window gets the keyboard only when asked.
        self._xdotool("windowfocus", "--sync", str(window))

    def key(self, window, *keys):
        self.focus(window)
        self._xdotool("key", *keys)

    def mouse_move(self, x, y):
        self._xdotool("mousemove", str(x), str(y))

    def click(self, button=1):
        self._xdotool("click", str(button))

    def button_down(self, button=1):
        self._xdotool("mousedown", str(button))

    def button_up(self, button=1):
        self._xdotool("mouseup", str(button))

    def screenshot(self, name):
        """Saves the whole display as <shots_dir>/<name>.png and returns the path."""
        if not self.shots_dir:
            raise HarnessError("this session has no screenshot folder")
        os.makedirs(self.shots_dir, exist_ok=True)
        raw = os.path.join(self._tmp, name + ".ppm")
        png = os.path.join(self.shots_dir, name + ".png")
        image = self.grab()
        with open(raw, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (image.width, image.height) + image.rgb)
        subprocess.run(["convert", raw, png], check=True)
        os.remove(raw)
        return png

    def _raw_screen(self):
        return self.grab().rgb

    def wait_frames(self, count=8, timeout=60):
        """Waits until the screen has changed count times: at least count frames were drawn.

        The saver handles one queued message per frame and reads the cursor when it handles a move,
        so input that must be seen one event at a time waits for frames, not for a fixed time (which
        a loaded machine overruns). Only for a picture that moves by itself (the tour flying)."""
        deadline = time.monotonic() + timeout
        last, seen = self._raw_screen(), 0
        while seen < count:
            if time.monotonic() > deadline:
                raise HarnessError("%d of %d frames in %.0f s" % (seen, count, timeout))
            if not self.running():
                raise HarnessError("the saver exited while frames were awaited: %s" % self.exit_report())
            screen = self._raw_screen()
            if screen != last:
                last, seen = screen, seen + 1

    def grab(self):
        """The display now, as an Image."""
        try:
            return Image(*xcapture.capture(self.display))
        except xcapture.CaptureError as e:
            raise HarnessError(str(e))

    # --- registry -------------------------------------------------------------------------------
    def _reg(self, *args, check=True):
        result = subprocess.run([*WINE, "reg", *args], env=self.env(), capture_output=True,
                                text=True, stdin=subprocess.DEVNULL)
        if check and result.returncode != 0:
            raise HarnessError("wine reg %s failed: %s" % (" ".join(args), result.stdout + result.stderr))
        return result

    def reg_set(self, name, value, key=SAVER_KEY, kind="REG_DWORD"):
        if kind == "REG_DWORD":
            value = int(value) & 0xFFFFFFFF  # negative numbers as their 32-bit pattern
        self._reg("add", key, "/v", name, "/t", kind, "/d", str(value), "/f")

    def reg_get(self, name, key=SAVER_KEY):
        """The value's data as reg prints it (e.g. '0x4'), or None when it is absent."""
        result = self._reg("query", key, "/v", name, check=False)
        for line in result.stdout.splitlines():
            words = line.split()
            if len(words) >= 3 and words[0] == name and words[1].startswith("REG_"):
                return words[2]
        return None

    def reg_delete_key(self, key=SAVER_KEY):
        self._reg("delete", key, "/f", check=False)


# What CTest hands every end-to-end test: the saver, the Wine prefix, and a folder for screenshots.
SCR = os.environ.get("ORBITARIUM_SCR")
PREFIX = os.environ.get("ORBITARIUM_E2E_PREFIX")
SHOTS = os.environ.get("ORBITARIUM_SHOTS")
HOST = os.environ.get("ORBITARIUM_SCR_HOST")  # scr_host.exe of the saver's build


class SaverTestCase(unittest.TestCase):
    """Checks on the saver of self.session."""

    def assertExitCode(self, expected, timeout, what=""):
        """Waits up to timeout seconds for the saver to end with the expected code; when it ends with
        another, the failure shows what was printed (the host's or Wine's words when they ended it)."""
        code = self.session.wait_exit(timeout=timeout)
        self.assertEqual(code, expected, "%s%s" % (what and "%s: " % (what,), self.session.exit_report()))

    def end_saver_left_running(self):
        """After a failed case: ends the saver if it still runs (wait_exit kills what does not end)."""
        if self.session.running():
            try:
                self.session.wait_exit(timeout=0)
            except HarnessError:
                pass

    def assertExitsAtOnceWithoutAWindow(self, *args):
        """Starts the saver with these options and checks that it ends with 0, showing no window."""
        self.session.launch(*args)
        started = time.monotonic()
        seen = []
        while self.session.running() and time.monotonic() - started < 15:
            seen += self.session.visible_windows()
            time.sleep(0.05)
        self.assertExitCode(0, timeout=1, what=args)
        seen += self.session.visible_windows()
        self.assertEqual(seen, [], "a window appeared for %s" % (args,))
        # "At once" allows for Wine's own start-up.
        self.assertLess(time.monotonic() - started, 10, args)


class SessionTestCase(SaverTestCase):
    """Tests that share one session (display and Wine server) for their whole class."""

    @classmethod
    def setUpClass(cls):
        cls.session = Session(SCR, PREFIX, shots_dir=SHOTS)
        cls.session.start()

    @classmethod
    def tearDownClass(cls):
        cls.session.close()


def wine_installation():
    """The Wine version and the halves (32-bit, 64-bit) installed, as the build stamps its prefixes."""
    version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    halves = [half for half in ("i386", "x86_64")
              if os.path.exists("/usr/lib/%s-linux-gnu/wine/%s-unix" % (half, half))]
    return " ".join([version] + halves)


PREFIX_STAMP = "orbitarium-wine-installation.txt"


def ensure_prefix(prefix):
    """Makes the Wine prefix (10 to 20 s) unless it exists and was made by the Wine installed now.

    A prefix made before the 32-bit half of Wine was installed fails afterwards ("could not load
    kernel32.dll"), so one whose stamp differs from the installation is made anew."""
    prefix = os.path.abspath(prefix)
    stamp = os.path.join(prefix, PREFIX_STAMP)
    installation = wine_installation()
    try:
        with open(stamp) as f:
            if f.read().strip() == installation and os.path.exists(os.path.join(prefix, "system.reg")):
                return
    except FileNotFoundError:
        pass
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY="")
    subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(["setarch", "-R", "wineboot", "-i"], env=env, check=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    with open(stamp, "w") as f:
        f.write(installation + "\n")


def main():
    import argparse
    parser = argparse.ArgumentParser(
        description="Run Orbitarium.scr under Wine: in $DISPLAY when set (until the saver ends), "
                    "else on a private Xvfb display for --seconds, saving screenshots.")
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True, help="scr_host.exe of the same build, which starts the saver")
    parser.add_argument("--prefix", required=True,
                        help="Wine prefix of its own to run in (made when missing or made by another Wine)")
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--shots", default="screenshots", help="folder for the screenshots")
    parser.add_argument("--every", type=float, default=5, help="seconds between screenshots")
    parser.add_argument("args", nargs="*", default=["/s"], help="saver options (default /s)")
    options = parser.parse_args()

    ensure_prefix(options.prefix)
    own_display = os.environ.get("DISPLAY") or None
    with Session(options.scr, options.prefix, shots_dir=options.shots, display=own_display,
                 host=options.host) as session:
        session.launch(*options.args)
        if own_display:
            code = session._saver.wait()
            print("Orbitarium exited with code %d" % code)
            return code
        started = time.monotonic()
        shot = 0
        while session.running() and time.monotonic() - started < options.seconds:
            time.sleep(min(options.every, max(0.0, options.seconds - (time.monotonic() - started))))
            shot += 1
            print("screenshot", session.screenshot("orbitarium-%02d" % shot))
        if session.running():
            print("Orbitarium ran for %.0f s on a private display; stopping it" % options.seconds)
            return 0
        code = session._saver.returncode
        print("Orbitarium exited with code %d after %.1f s" % (code, time.monotonic() - started))
        return code


if __name__ == "__main__":
    raise SystemExit(main())

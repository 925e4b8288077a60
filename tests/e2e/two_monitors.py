"""A harness Session on a real X server with two monitors, for the saver's covers of the other monitors.

Xvfb gives Wine a single monitor whatever its options; Xorg with the dummy video driver and two RandR
outputs gives two. Standard library only.
"""
import os
import shutil
import signal
import subprocess
import tempfile

from harness import HarnessError, Session, start_x_server

XORG_DUMMY_CONFIG = """\
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768"
    Virtual 2048 1024
  EndSubSection
EndSection
"""


class DummyXorg:
    """Xorg with the dummy video driver and two RandR outputs: the primary 1024x768 at the origin and a
    second one of 800x600 to its right, the bare root painted red so that any pixel no window covers
    shows (once arranged). It picks a free display number; close() ends it."""

    PRIMARY = (0, 0, 1024, 768)   # left, top, right, bottom in root-window pixels
    SECOND = (1024, 0, 1824, 600)
    ROOT_COLOUR = (255, 0, 0)

    def __init__(self, allow_all=False):
        self.display = None
        self._allow_all = allow_all  # -ac: clients of any user (a daemon run as another) may connect
        self._process = None
        self._folder = None

    def start(self):
        if not shutil.which("Xorg"):
            raise HarnessError("Xorg is missing (packages xserver-xorg-core xserver-xorg-video-dummy)")
        self._folder = tempfile.mkdtemp(prefix="orbitarium-xorg-")
        config = os.path.join(self._folder, "xorg.conf")
        with open(config, "w") as out:
            out.write(XORG_DUMMY_CONFIG)
        # -sharevts -novtswitch: the server takes over no virtual terminal of the machine.
        try:
            self._process, self.display = start_x_server(
                ["Xorg", "-noreset", "-nolisten", "tcp", "-sharevts", "-novtswitch", "-config", config,
                 "-logfile", os.path.join(self._folder, "xorg.log"), *(["-ac"] if self._allow_all else [])],
                self._folder, timeout=30)
        except HarnessError:
            raise HarnessError("Xorg did not start; see its log in %s" % self._folder)

    def close(self):
        if self._process:
            # SIGTERM first: the server then removes its lock file and socket itself.
            try:
                os.killpg(self._process.pid, signal.SIGTERM)
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self._process.pid, signal.SIGKILL)
                self._process.wait()
            except ProcessLookupError:
                pass
            self._process = None
        if self._folder:
            shutil.rmtree(self._folder, ignore_errors=True)
            self._folder = None

    def run(self, *command, check=True):
        result = subprocess.run(list(command), env=dict(os.environ, DISPLAY=self.display), capture_output=True,
                                text=True)
        if check and result.returncode != 0:
            raise HarnessError("%s failed: %s" % (" ".join(command), result.stderr.strip()))
        return result.stdout

    def arrange(self):
        """Puts the two monitors back as they start (a killed saver leaves its display mode set)."""
        self.run("xrandr", "--output", "DUMMY0", "--mode", "1024x768", "--pos", "0x0", "--primary")
        self.run("xrandr", "--newmode", "800x600_60", "38.25", "800", "832", "912", "1024", "600", "603",
                 "607", "624", "-hsync", "+vsync", check=False)  # already there the second time
        self.run("xrandr", "--addmode", "DUMMY1", "800x600_60", check=False)
        self.run("xrandr", "--output", "DUMMY1", "--mode", "800x600_60", "--right-of", "DUMMY0")
        self.run("xsetroot", "-solid", "red")

    def monitors(self):
        """The connected outputs as xrandr reports them now: (left, top, right, bottom) each."""
        found = []
        for line in self.run("xrandr").splitlines():
            words = line.split()
            if len(words) > 2 and words[1] == "connected":
                for word in words[2:]:
                    if "x" in word and "+" in word:
                        size, x, y = word.split("+")
                        w, h = size.split("x")
                        found.append((int(x), int(y), int(x) + int(w), int(y) + int(h)))
                        break
        return found


class TwoMonitorSession(Session):
    """A Session on the two-monitor Xorg (Xvfb gives Wine a single monitor whatever its options), the
    server the session's own and ended with it."""

    PRIMARY = DummyXorg.PRIMARY
    SECOND = DummyXorg.SECOND
    ROOT_COLOUR = DummyXorg.ROOT_COLOUR

    def __init__(self, scr, prefix, shots_dir=None):
        super().__init__(scr, prefix, shots_dir=shots_dir, width=1824, height=768)
        self._xorg = DummyXorg()

    def start(self):
        self._xorg.start()
        self.display = self._xorg.display
        try:
            self.arrange_monitors()
            super().start()
        except BaseException:
            self.close()
            raise

    def close(self):
        super().close()
        self._xorg.close()

    def _x(self, *command, check=True):
        return self._xorg.run(*command, check=check)

    def arrange_monitors(self):
        self._xorg.arrange()

    def monitors(self):
        return self._xorg.monitors()

    def window_boxes(self):
        """(id, (left, top, right, bottom)) of each visible window that appeared since the session began,
        leaving out the 1x1 helper windows that Wine maps now and then."""
        boxes = []
        for window in self.visible_windows():
            geometry = self._xdotool("getwindowgeometry", "--shell", str(window), check=False)
            values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            if "WIDTH" not in values:
                continue  # gone meanwhile
            left, top = int(values["X"]), int(values["Y"])
            width, height = int(values["WIDTH"]), int(values["HEIGHT"])
            if width > 1 or height > 1:
                boxes.append((window, (left, top, left + width, top + height)))
        return boxes

"""The real XScreenSaver daemon runs the program as its only hack: activated, the scene is on the
screen; deactivated, the hack is gone promptly after the daemon's signal; told to exit, nothing is
left running.

The daemon refuses to start hacks as root, so as root the test makes an unprivileged user for it.
Without XScreenSaver installed the test reports itself skipped (exit code 77), never passed.
"""
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from x11_harness import Display, PROGRAM, project_origin

USER = "orbitarium-xss"
SKIPPED = 77
# Seconds the daemon may take to end its graphics helper, and the hack to end after it.
HELPER_WAIT = 30
HACK_WAIT = 2.5


def as_user(command, env):
    """The command run as the daemon's user (through runuser when we are root) with only the variables
    it needs: nothing of the caller's session (its display, bus, X authority) reaches the daemon."""
    user = USER if os.geteuid() == 0 else pwd.getpwuid(os.geteuid()).pw_name
    # The system's PATH: the daemon finds its helpers there, and root's own folders are closed to it.
    variables = ["DISPLAY=" + env["DISPLAY"], "HOME=" + env["HOME"], "USER=" + user, "LOGNAME=" + user,
                 "PATH=/usr/local/bin:/usr/bin:/bin"]
    clean = ["env", "-i", *variables, *command]
    return ["runuser", "-u", USER, "--", *clean] if os.geteuid() == 0 else clean


def on_display(pid, display):
    """True when the process was started for this display (other runs may use the same user). The daemon
    hands its hacks the display with the screen named, ":N.0"."""
    try:
        with open("/proc/%d/environ" % pid, "rb") as environ:
            variables = environ.read().decode(errors="replace").split("\0")
    except OSError:
        return False
    return any(v == "DISPLAY=" + display or v.startswith("DISPLAY=" + display + ".") for v in variables)


def user_processes(display):
    """Process ids of the daemon's user on this display (none of them ours, as root)."""
    name = USER if os.geteuid() == 0 else pwd.getpwuid(os.geteuid()).pw_name
    found = subprocess.run(["pgrep", "-u", name], stdout=subprocess.PIPE, text=True).stdout.split()
    return [int(p) for p in found if int(p) != os.getpid() and running(int(p)) and on_display(int(p), display)]


def running(pid):
    """False once the process has ended, including as a zombie waiting for its parent."""
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def hack_processes(user, display):
    found = subprocess.run(["pgrep", "-u", user, "-x", "orbitarium"], stdout=subprocess.PIPE, text=True)
    return [int(p) for p in found.stdout.split() if running(int(p)) and on_display(int(p), display)]


def process_name(pid):
    try:
        with open("/proc/%d/comm" % pid) as comm:
            return comm.read().strip()
    except OSError:
        return ""


def describe(pids):
    names = []
    for pid in pids:
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
                names.append("%d %s" % (pid, cmdline.read().replace(b"\0", b" ").decode()))
        except OSError:
            pass
    return "; ".join(names)


def process_states(pids):
    """What each process is doing: its state, where it waits, its pending and caught signals."""
    found = []
    for pid in pids:
        try:
            with open("/proc/%d/status" % pid) as status:
                fields = dict(line.split(":", 1) for line in status.read().splitlines() if ":" in line)
            with open("/proc/%d/wchan" % pid) as wchan:
                waits = wchan.read()
        except OSError:
            continue
        found.append("%d %s: %s, waits in %s, pending %s/%s, caught %s, blocked %s" % (
            pid, fields["Name"].strip(), fields["State"].strip(), waits, fields["SigPnd"].strip(),
            fields["ShdPnd"].strip(), fields["SigCgt"].strip(), fields["SigBlk"].strip()))
    return "\n".join(found)


class DaemonCase(unittest.TestCase):
    """The daemon on a display of the class's kind, the program its only hack."""
    DISPLAY = Display

    def setUp(self):
        self.display = self.DISPLAY(allow_all=True)
        if os.geteuid() == 0:
            try:
                pwd.getpwnam(USER)
            except KeyError:
                subprocess.run(["useradd", "--create-home", "--shell", "/bin/sh", USER], check=True)
            self.user = USER
        else:
            self.user = pwd.getpwuid(os.geteuid()).pw_name
        # A home of its own for every run: no settings, caches or logs of an earlier run or of a run
        # beside this one (the user is shared) reach the daemon.
        self.home = tempfile.mkdtemp(prefix="orbitarium-xss-")
        os.chmod(self.home, 0o755)
        if os.geteuid() == 0:
            shutil.chown(self.home, USER, USER)
        self.env = dict(self.display.env, HOME=self.home)
        # Whatever the user ran before this test is not the test's to judge.
        self.before = set(user_processes(self.display.name))
        self.daemon = None

    def start_daemon(self, arguments="--root"):
        """Starts the daemon with the program and `arguments` as its only hack, and waits until it
        answers."""
        # nice 0: the daemon runs hacks at nice 10 by default, and on a machine busy with other work
        # a process of that priority gets a tenth of the share of the others: the time from
        # "deactivate" to the hack's end would then measure the scheduler, not the hack.
        with open(os.path.join(self.home, ".xscreensaver"), "w") as config:
            config.write("mode:\t\tone\nselected:\t0\nsplash:\t\tFalse\nlock:\t\tFalse\n"
                         "timeout:\t1:00:00\nfade:\t\tFalse\nunfade:\t\tFalse\nnice:\t\t0\n"
                         "programs:\tGL: %s %s\n" % (PROGRAM, arguments))
        if os.geteuid() == 0:
            shutil.chown(os.path.join(self.home, ".xscreensaver"), USER, USER)
        self.log = open(os.path.join(self.home, "daemon.log"), "w")
        self.daemon = subprocess.Popen(as_user(["xscreensaver", "-no-splash", "-verbose"], self.env),
                                       stdout=self.log, stderr=subprocess.STDOUT)
        self.wait_for(lambda: self.command("-version").returncode == 0, 20, "the daemon did not answer: ")

    def tearDown(self):
        if self.daemon:
            subprocess.run(as_user(["xscreensaver-command", "-exit"], self.env), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            try:
                self.daemon.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.daemon.kill()
                self.daemon.wait()
            self.log.close()
        self.display.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def command(self, *arguments):
        return subprocess.run(as_user(["xscreensaver-command", *arguments], self.env), stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, text=True, timeout=30)

    def wait_for(self, condition, timeout, what, step=0.05):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(step)
        self.fail("%s within %.1f s; %s" % (what, timeout, self.describe_daemon()))

    def describe_daemon(self):
        """The daemon's state, what it logged and what the X server shows, for a failure message."""
        code = self.daemon.poll() if self.daemon else "never started"
        state = "the daemon still runs" if code is None else "the daemon ended with %d" % code
        self.log.flush()
        with open(os.path.join(self.home, "daemon.log")) as log:
            said = log.read()[-3000:]
        shown = subprocess.run(["xwininfo", "-root", "-children"], env=self.display.env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True).stdout
        version = subprocess.run(["xprop", "-root", "_SCREENSAVER_VERSION"], env=self.display.env,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout
        states = process_states(user_processes(self.display.name))
        return "%s; it said:\n%s\nthe server shows:\n%s%s\nthe user's processes on the display:\n%s" % (
            state, said, shown[-1500:], version, states)


class XScreenSaverTest(DaemonCase):
    def test_the_daemon_shows_the_scene_and_ends_the_hack_promptly(self):
        self.start_daemon()
        self.assertEqual(self.command("-activate").returncode, 0)
        self.wait_for(lambda: hack_processes(self.user, self.display.name), 20, "the daemon started no orbitarium")
        # The daemon's own window is black until the hack's first frame is on it.
        shown = []

        def drawn():
            shown[:] = [self.display.capture(keep_as="xscreensaver.png")]
            return shown[0].mean_brightness() > 5
        self.wait_for(drawn, 20, "the screen stayed black under the running hack")
        image = shown[0]
        bright = sum(1 for y in range(0, image.height, 4) for x in range(0, image.width, 4)
                     if image.brightness(x, y) > 500)
        self.assertGreater(bright, 200, "no Sun on the screen")

        # The hacks running now, watched through /proc: a pgrep every few milliseconds would cost the
        # busy machine more than the daemon and the hack need to end it.
        hacks = hack_processes(self.user, self.display.name)
        helpers = [pid for pid in user_processes(self.display.name) if process_name(pid) == "xscreensaver-gf"]
        self.assertTrue(helpers, "no graphics helper runs the hack: " + describe(user_processes(self.display.name)))
        self.assertEqual(self.command("-deactivate").returncode, 0)
        # The daemon ends its graphics helper, whose answer is to signal the hack and end itself at once.
        # It notices that signal in its event loop, which misses a signal that comes just before it waits
        # (about one run in fifty here) until its next timer fires, seconds later. That wait is the
        # daemon's; the hack is judged from the moment the helper has acted.
        start = time.monotonic()
        helper_gone = None
        while True:
            # The helper first, so that a hack found gone together with it counts as ending with it.
            helper_running = any(running(pid) for pid in helpers)
            hack_running = any(running(pid) for pid in hacks)
            ended = time.monotonic()
            if helper_gone is None and not helper_running:
                helper_gone = ended
            if not hack_running or ended > (helper_gone + HACK_WAIT if helper_gone else start + HELPER_WAIT):
                break
            time.sleep(0.005)
        if helper_gone is not None and helper_gone - start > HACK_WAIT:
            print("the daemon's graphics helper ended %.1f s after -deactivate" % (helper_gone - start),
                  file=sys.stderr)
        if hack_running:
            self.fail("the hack was still running %.1f s after %s; %s" % (
                ended - (helper_gone or start),
                "its graphics helper ended" if helper_gone else "-deactivate, its graphics helper still runs",
                self.describe_daemon()))
        self.assertLess(ended - (helper_gone or start), HACK_WAIT, "the hack took too long to end")
        self.assertEqual(hack_processes(self.user, self.display.name), [], "a hack was started again")

        self.command("-exit")
        self.daemon.wait(timeout=10)
        left = (lambda: sorted(set(user_processes(self.display.name)) - self.before)) if os.geteuid() == 0 else (lambda: hack_processes(self.user, self.display.name))
        self.wait_for(lambda: not left(), 5, "processes were left running: %s" % describe(left()))

    def test_fifty_quick_cycles_end_every_hack_cleanly(self):
        # Cancelled just as it starts, or a little later: each hack ends as asked, none crashes or
        # fails (the daemon logs a hack that ends before it is told to), and none is left behind.
        self.start_daemon()
        for cycle in range(50):
            self.assertEqual(self.command("-activate").returncode, 0)
            self.wait_for(lambda: hack_processes(self.user, self.display.name), 20,
                          "cycle %d: the daemon started no orbitarium" % cycle, step=0.01)
            time.sleep((cycle % 10) * 0.03)
            self.assertEqual(self.command("-deactivate").returncode, 0)
            self.wait_for(lambda: not hack_processes(self.user, self.display.name), HELPER_WAIT,
                          "cycle %d: the hack did not end" % cycle, step=0.01)
        self.log.flush()
        with open(os.path.join(self.home, "daemon.log")) as log:
            said = log.read()
        # "child pid N (.../orbitarium) unexpectedly terminated with SIGABRT", or "... with status 1".
        crashes = [line for line in said.splitlines() if "orbitarium" in line and "terminated" in line]
        self.assertEqual(crashes, [], said[-3000:])
        self.command("-exit")
        self.daemon.wait(timeout=10)
        left = (lambda: sorted(set(user_processes(self.display.name)) - self.before)) if os.geteuid() == 0 else (lambda: hack_processes(self.user, self.display.name))
        self.wait_for(lambda: not left(), 5, "processes were left running: %s" % describe(left()))


if __name__ == "__main__":
    if not shutil.which("xscreensaver") or not shutil.which("xscreensaver-command"):
        print("skipped: XScreenSaver is not installed")
        sys.exit(SKIPPED)
    if os.geteuid() == 0 and not (shutil.which("useradd") and shutil.which("runuser")):
        print("skipped: no useradd or runuser to run the daemon as an unprivileged user")
        sys.exit(SKIPPED)
    unittest.main()

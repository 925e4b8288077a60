"""cmake --install puts the program, its settings description and its manual page where XScreenSaver
and man look for them, and every setting the description offers is one the program takes; the Debian
package passes lintian."""
import configparser
import glob
import gzip
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

from x11_harness import PROGRAM

BUILD = os.environ.get("ORBITARIUM_BUILD_DIR", "")
CMAKE = os.environ.get("ORBITARIUM_CMAKE", "cmake")


def run_program(arguments, folder):
    """Exit code of the program with `arguments`, drawing one tiny still instead of opening a window."""
    command = [PROGRAM, *arguments, "--render", os.path.join(folder, "stills"), "--size", "32x24"]
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=60)


class InstallTest(unittest.TestCase):
    def test_install_puts_the_files_where_the_daemon_looks(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
            hack = os.path.join(prefix, "libexec", "xscreensaver", "orbitarium")
            self.assertTrue(os.access(hack, os.X_OK))
            self.assertEqual(subprocess.run([hack, "--help"], stdout=subprocess.DEVNULL).returncode, 0)
            config = os.path.join(prefix, "share", "xscreensaver", "config", "orbitarium.xml")
            self.assertEqual(ElementTree.parse(config).getroot().get("name"), "orbitarium")
            manual = os.path.join(prefix, "share", "man", "man6", "orbitarium.6.gz")
            with gzip.open(manual, "rt") as page:
                text = page.read()
            for flag in ("root", "window\\-id", "delay", "render", "seed", "version"):
                self.assertIn("\\-\\-" + flag, text)
            # Run by hand through the link on PATH, and from the desktop's menu with the project's icon.
            command = os.path.join(prefix, "bin", "orbitarium")
            self.assertEqual(os.readlink(command), "../libexec/xscreensaver/orbitarium")
            result = subprocess.run([command, "--version"], stdout=subprocess.PIPE, text=True)
            self.assertEqual((result.returncode, result.stdout.split()[0]), (0, "orbitarium"))
            entry = configparser.ConfigParser(interpolation=None)
            entry.read(os.path.join(prefix, "share", "applications", "orbitarium.desktop"))
            self.assertEqual(entry["Desktop Entry"]["Exec"], "orbitarium")
            icon = entry["Desktop Entry"]["Icon"]
            for size in (48, 256):
                with open(os.path.join(prefix, "share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                       icon + ".png"), "rb") as png:
                    head = png.read(24)
                self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
                self.assertEqual((int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")), (size, size))
            for name in ("copyright", "changelog.gz"):
                self.assertTrue(os.path.isfile(os.path.join(prefix, "share", "doc", "orbitarium", name)), name)

    def test_the_package_passes_lintian(self):
        if not shutil.which("lintian"):
            self.skipTest("lintian is not installed")
        with tempfile.TemporaryDirectory() as folder:
            cpack = os.path.join(os.path.dirname(CMAKE), "cpack") if os.path.isabs(CMAKE) else "cpack"
            subprocess.run([cpack, "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", folder],
                           check=True, stdout=subprocess.DEVNULL, timeout=600)
            package = glob.glob(os.path.join(folder, "*.deb"))[0]
            result = subprocess.run(["lintian", "--display-info", "--pedantic", package], stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, text=True, timeout=600)
            tags = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:", "I:", "P:")]
            print("lintian: " + ("; ".join(tags) or "no tags"), file=sys.stderr)
            self.assertEqual([t for t in tags if t[:2] in ("E:", "W:")], [], result.stdout)

    def test_every_setting_of_the_description_is_taken_by_the_program(self):
        source = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "linux", "orbitarium.xml")
        root = ElementTree.parse(source).getroot()
        self.assertEqual(root.find("command").get("arg"), "--root")
        numbers = root.findall("number")
        self.assertEqual(sorted(n.get("arg").split()[0] for n in numbers),
                         ["--camera-speed", "--delay", "--planet-speed", "--stars"])
        booleans = root.findall("boolean")
        self.assertEqual(sorted(b.get("arg-set") for b in booleans), ["--fps", "--invert-mouse", "--manual"])
        with tempfile.TemporaryDirectory() as folder:
            for number in numbers:
                for key in ("low", "high", "default"):
                    arguments = number.get("arg").replace("%", number.get(key)).split()
                    result = run_program(arguments, folder)
                    self.assertEqual(result.returncode, 0, "%s: %s" % (arguments, result.stderr))
                # One past the slider's end is refused: the slider covers the whole range.
                past = str(int(number.get("high")) + 1)
                if number.get("id") != "delay":
                    arguments = number.get("arg").replace("%", past).split()
                    self.assertEqual(run_program(arguments, folder).returncode, 2, arguments)
            for boolean in booleans:
                result = run_program([boolean.get("arg-set")], folder)
                self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()

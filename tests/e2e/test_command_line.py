"""The saver started by the screen-saver host with options that must do nothing visible."""
import time
import unittest

import harness


class QuietOptions(harness.SessionTestCase):
    def assert_exits_at_once_without_a_window(self, *args):
        self.session.launch(*args)
        started = time.monotonic()
        seen = []
        while self.session.running() and time.monotonic() - started < 15:
            seen += self.session.visible_windows()
            time.sleep(0.05)
        code = self.session.wait_exit(timeout=1)
        seen += self.session.visible_windows()
        self.assertEqual(code, 0, args)
        self.assertEqual(seen, [], "a window appeared for %s" % (args,))
        # "At once" allows for Wine's own start-up.
        self.assertLess(time.monotonic() - started, 10, args)

    def test_preview_exits_without_a_window(self):
        self.assert_exits_at_once_without_a_window("/p", "1234")
        self.assert_exits_at_once_without_a_window("/l", "1234")

    def test_unknown_option_and_lone_prefixes_exit_without_a_window(self):
        self.assert_exits_at_once_without_a_window("/x")
        self.assert_exits_at_once_without_a_window("/")
        self.assert_exits_at_once_without_a_window("-")

    def test_change_password_returns_at_once(self):
        # Windows NT and Wine have no screen-saver password of the saver's kind: nothing to show.
        self.assert_exits_at_once_without_a_window("/a")
        self.assert_exits_at_once_without_a_window("/a:0")

    def test_preview_reads_and_writes_no_options(self):
        self.session.reg_delete_key()
        self.assert_exits_at_once_without_a_window("/p", "1234")
        self.assertIsNone(self.session.reg_get("ScrWidth"))


if __name__ == "__main__":
    unittest.main()

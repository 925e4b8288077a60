"""The saver started by the screen-saver host with options that must do nothing visible."""
import unittest

import harness


class QuietOptions(harness.SessionTestCase):
    def test_preview_exits_without_a_window(self):
        self.assertExitsAtOnceWithoutAWindow("/p", "1234")
        self.assertExitsAtOnceWithoutAWindow("/l", "1234")

    def test_unknown_option_and_lone_prefixes_exit_without_a_window(self):
        self.assertExitsAtOnceWithoutAWindow("/x")
        self.assertExitsAtOnceWithoutAWindow("/")
        self.assertExitsAtOnceWithoutAWindow("-")

    def test_change_password_returns_at_once(self):
        # Windows NT and Wine have no screen-saver password of the saver's kind: nothing to show.
        self.assertExitsAtOnceWithoutAWindow("/a")
        self.assertExitsAtOnceWithoutAWindow("/a:0")

    def test_preview_reads_and_writes_no_options(self):
        self.session.reg_delete_key()
        self.assertExitsAtOnceWithoutAWindow("/p", "1234")
        self.assertIsNone(self.session.reg_get("ScrWidth"))


if __name__ == "__main__":
    unittest.main()

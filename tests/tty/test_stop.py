"""Ctrl-Z at a terminal: zeb stops with the terminal as it found it, and on
`fg` its line and the editor's terminal mode come back."""
import os
import termios
import time
import unittest

from tty_session import (CTRL_D, ENTER, HOME, LEFT, PROMPT, RIGHT, SessionTest, needs_editor,
                         screen_lines)

CTRL_Z = "\x1a"
FOUND = "rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0"


@needs_editor
class StopAndGoOn(SessionTest):
    def setUp(self):
        super().setUp()
        self.zeb = self.start(self.replay("a.spr", racer="rokan2"), job_control=True)
        self.zeb.expect_prompt()
        self.pid = self.zeb.zeb_pid()
        self.terminal = os.open(os.readlink(f"/proc/{self.pid}/fd/0"), os.O_RDWR | os.O_NOCTTY)
        self.addCleanup(os.close, self.terminal)

    def state(self):
        with open(f"/proc/{self.pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0]

    def stop_and_fg(self):
        z = self.zeb
        editing = termios.tcgetattr(self.terminal)[3]
        z.keys(CTRL_Z)
        z.expect("[stopped]")
        deadline = time.monotonic() + 10
        while self.state() != "T" and time.monotonic() < deadline:
            time.sleep(0.01)
        self.assertEqual(self.state(), "T")
        # Stopped, zeb left the terminal line-wise with echo, as it found it.
        mode = termios.tcgetattr(self.terminal)[3]
        self.assertTrue(mode & termios.ICANON and mode & termios.ECHO)
        z.keys("fg" + ENTER)
        z.expect("fg\r\n")
        return editing

    def test_the_line_and_the_mode_come_back_at_the_prompt(self):
        z = self.zeb
        z.type_and_wait("fnd rokan2")
        editing = self.stop_and_fg()
        z.expect(PROMPT + "fnd rokan2")
        self.assertEqual(termios.tcgetattr(self.terminal)[3], editing)
        # The editor edits: no key shows as ^[[D, the insertion lands inside.
        z.keys(HOME + RIGHT + "i")
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertNotIn("^[", z.shown)
        self.assertIn(FOUND, screen_lines(z.run("")))

    def test_at_a_del_confirmation_the_answer_still_decides(self):
        z = self.zeb
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)? ")
        z.type_and_wait("x")
        self.stop_and_fg()
        z.expect("delete racer rokan2 from everywhere (y/)? x")
        z.keys(LEFT + "n" + ENTER)
        self.assertIn("\toperation cancelled by the user", screen_lines(z.expect_prompt()))
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        z.keys(CTRL_D)
        out = z.wait_for_end()
        self.assertIn("status=0", out)
        self.assertIn(" icanon", out)

    def test_a_stop_during_a_command_leaves_one_prompt(self):
        z = self.zeb
        z.run("h")
        self.stop_and_fg()
        # Stopped at the prompt with an empty line: the prompt shows once again.
        z.expect(PROMPT)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))


if __name__ == "__main__":
    unittest.main()

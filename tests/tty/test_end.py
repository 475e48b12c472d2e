"""The end of a terminal session: Ctrl-D ends as the end of input does, and
the terminal is left as zeb found it."""
import os
import signal
import unittest

from tty_session import CTRL_C, CTRL_D, ENTER, PROMPT, SessionTest, needs_editor

SANE = (" icanon", " echo ", " isig", " icrnl", " opost")


class Ending(SessionTest):
    def assertSaneTerminal(self, out):
        stty = out[out.index("status="):]
        self.assertIn("status=0", stty)
        for setting in SANE:
            self.assertIn(setting, stty.replace("\r\n", " ").replace("\n", " "))

    def test_ctrl_d_on_an_empty_line_ends_with_status_0(self):
        z = self.start(self.replay("a.spr", racer="rokan2"), shell=True)
        z.expect_prompt()
        z.keys(CTRL_D)
        self.assertSaneTerminal(z.wait_for_end())
        self.assertNotIn("loaded!\r\n\tappended at pos 0\r\nZEB> \r\nZEB>", z.shown)

    def test_ctrl_d_after_ctrl_c_and_edits(self):
        z = self.start(shell=True)
        z.expect_prompt()
        z.type_and_wait("pdb")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        z.keys("h" + ENTER)
        z.expect_prompt()
        z.keys(CTRL_D)
        self.assertSaneTerminal(z.wait_for_end())

    def test_ctrl_d_at_a_del_confirmation_refuses_and_ends(self):
        z = self.start(self.replay("a.spr", racer="rokan2"), shell=True)
        z.expect_prompt()
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)? ")
        z.keys(CTRL_D)
        z.expect("\toperation cancelled by the user")
        out = z.wait_for_end()
        self.assertNotIn("deletion completed", z.shown)
        self.assertSaneTerminal(out)

    def test_quit_and_a_terminating_signal_leave_the_terminal_sane(self):
        z = self.start(shell=True)
        z.expect_prompt()
        z.keys("q" + ENTER)
        self.assertSaneTerminal(z.wait_for_end())
        z = self.start(shell=True)
        z.expect_prompt()
        z.type_and_wait("pd")  # the editor holds the terminal now
        os.kill(z.zeb_pid(), signal.SIGTERM)
        out = z.wait_for_end()
        stty = out[out.index("status="):].replace("\r\n", " ")
        self.assertIn("status=143", stty)
        for setting in SANE:
            self.assertIn(setting, stty)


if __name__ == "__main__":
    unittest.main()

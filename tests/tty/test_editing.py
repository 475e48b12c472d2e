"""The line editor at the prompt: editing inside a line, the keys, history."""
import unittest

from tty_session import (BACKSPACE, CTRL_A, CTRL_C, CTRL_D, CTRL_E, CTRL_K, CTRL_R, CTRL_U, CTRL_W,
                         DELETE, DOWN, END, ENTER, HOME, LEFT, PROMPT, RIGHT, UP, SessionTest,
                         needs_editor, screen_lines)

FOUND = "rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0"


@needs_editor
class Editing(SessionTest):
    def setUp(self):
        super().setUp()
        self.zeb = self.start(self.replay("a.spr", racer="rokan2"))
        self.zeb.expect_prompt()

    def test_insert_inside_a_line_runs_the_edited_command(self):
        self.zeb.type_and_wait("fnd rokan2")
        # Left to the "n", insert the missing "i".
        self.zeb.keys(LEFT * 9 + "i")
        self.assertEqual(self.zeb.current_line(), PROMPT + "find rokan2")
        out = self.zeb.run("")
        lines = screen_lines(out)
        self.assertIn(FOUND, lines)
        self.assertNotIn("\tpress h (or help) for help", lines)
        self.assertNoEscapeText(screen_lines(self.zeb.shown))

    def test_left_twice_then_insert(self):
        self.zeb.type_and_wait("hlp")
        self.zeb.keys(LEFT + LEFT + "e")
        self.assertEqual(self.zeb.current_line(), PROMPT + "help")
        out = screen_lines(self.zeb.run(""))
        self.assertIn("\thelp (or h) [command]\t\t\t- help on available commands", out)
        self.assertNoEscapeText(screen_lines(self.zeb.shown))

    def test_line_keys(self):
        z = self.zeb
        # Home/End and Ctrl-A/Ctrl-E move to the ends; Right moves back in.
        z.type_and_wait("ind rokan2")
        z.keys(HOME + "f" + END + "X")
        self.assertEqual(z.current_line(), PROMPT + "find rokan2X")
        z.keys(BACKSPACE + CTRL_A + RIGHT + DELETE + "i" + CTRL_E)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        # Ctrl-W takes the word before the cursor, Ctrl-K the rest of the line.
        z.keys(CTRL_W + "rokan2 extra")
        self.assertEqual(z.current_line(), PROMPT + "find rokan2 extra")
        z.keys(LEFT * 6 + CTRL_K)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        lines = screen_lines(z.run(""))
        self.assertIn(FOUND, lines)
        # Ctrl-U drops everything before the cursor.
        z.type_and_wait("pdb -t xx")
        z.keys(CTRL_U + "find rokan2")
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, screen_lines(z.run("")))


@needs_editor
class History(SessionTest):
    def setUp(self):
        super().setUp()
        self.zeb = self.start(self.replay("a.spr", racer="rokan2"))
        self.zeb.expect_prompt()

    def test_up_recalls_and_reruns(self):
        z = self.zeb
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, screen_lines(z.run("")))

    def test_edits_of_a_line_dropped_with_ctrl_c_leave_the_history_as_it_was(self):
        z = self.zeb
        z.run("h")
        z.run("find rokan2")
        # Recall and edit the last line, go up further, then drop it all.
        z.keys(UP + "x" + UP + "y")
        z.drain()
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, screen_lines(z.run("")))
        z.keys(UP + UP)
        self.assertEqual(z.current_line(), PROMPT + "h")

    def test_a_history_line_edited_twice_then_dropped_frees_its_edits_once(self):
        # Leaving the edited line and coming back makes readline keep two
        # undo lists that share their first records.
        z = self.zeb
        z.run("h")
        z.run("find rokan2")
        z.keys(UP + "x" + UP + DOWN + "y")
        self.assertEqual(z.current_line(), PROMPT + "find rokan2xy")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, screen_lines(z.run("")))
        self.assertTrue(z.alive())

    def test_ctrl_c_in_a_search_begun_on_an_edited_history_line(self):
        z = self.zeb
        z.run("h")
        z.run("find rokan2")
        # Ctrl-R searches back from the edited line; Ctrl-C ends the search
        # and the line, and the history holds the lines as entered.
        z.keys(UP + "x" + CTRL_R + "h")
        z.expect("h': h")
        z.drain()
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "h")
        z.keys(CTRL_U)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))

    def test_ctrl_x_ends_a_search_and_what_follows_is_typed(self):
        # Inside a search, Ctrl-X then e (or an upper-case or unbound key)
        # once ran into a null pointer in the line editor.
        z = self.zeb
        z.run("h")
        for key in ("e", "E", ")", "b"):
            z.keys(CTRL_R + "h")
            z.expect("h': ")
            z.keys("\x18" + key)
            z.drain()
            self.assertTrue(z.alive(), key)
            z.keys(CTRL_E + CTRL_U)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))

    def test_edits_of_history_lines_are_undone_when_another_line_runs(self):
        z = self.zeb
        z.run("h")
        z.run("find rokan2")
        z.keys(UP + UP + CTRL_E + " q" + DOWN)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, screen_lines(z.run("")))
        z.keys(UP + UP)
        self.assertEqual(z.current_line(), PROMPT + "h")

    def test_a_repeat_is_kept_once_and_down_walks_back(self):
        z = self.zeb
        z.run("find rokan2")
        z.run("help q")
        z.run("help q")
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "help q")
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        z.keys(DOWN)
        self.assertEqual(z.current_line(), PROMPT + "help q")
        z.keys(DOWN)
        self.assertEqual(z.current_line(), PROMPT.rstrip())

    def test_the_del_answer_stays_out_of_the_history(self):
        z = self.zeb
        z.run("find rokan2")
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)? ")
        z.keys("no" + ENTER)
        z.expect("\toperation cancelled by the user")
        z.expect_prompt()
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "d -r rokan2")
        z.keys(UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        # The answer line was edited with the same editor: Left works there too.
        z.keys(DOWN + ENTER)
        z.expect("(y/)? ")
        z.type_and_wait("e")
        z.keys(LEFT + "y")
        z.keys(ENTER)
        z.expect_prompt()
        self.assertIn("\toperation cancelled by the user", screen_lines(z.shown))
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        z.keys(CTRL_D)
        z.wait_for_end()


if __name__ == "__main__":
    unittest.main()

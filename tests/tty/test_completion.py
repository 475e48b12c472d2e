"""Tab at the prompt: command words, and in DataCompletion the file names,
flags, codes and racers the completer finds."""
import os
import unittest

from tty_session import (CTRL_C, ENTER, PROMPT, TAB, SessionTest, make_replays, needs_editor,
                         screen_lines)

@needs_editor
class CommandWords(SessionTest):
    def setUp(self):
        super().setUp()
        self.zeb = self.start(self.replay("a.spr", racer="rokan2"))
        self.zeb.expect_prompt()

    def test_tab_completes_a_command_word_and_adds_a_blank(self):
        z = self.zeb
        z.type_and_wait("fi")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "find")
        z.keys("rokan2")  # the blank came with the completion
        self.assertIn("rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0",
                      screen_lines(z.run("")))

    def test_a_second_tab_lists_the_matches_once(self):
        z = self.zeb
        z.type_and_wait("p")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "p")
        z.keys(TAB)
        z.drain()
        lines = screen_lines(z.shown)
        listed = [line for line in lines if "pdb" in line and "print" in line]
        self.assertEqual(len(listed), 1, lines)
        self.assertEqual(listed[0].split(), ["p", "pdb", "print"])
        # The prompt and the line come back under the list.
        self.assertEqual(lines[-1], PROMPT + "p")


@needs_editor
class DataCompletion(SessionTest):
    def setUp(self):
        super().setUp()
        os.mkdir(os.path.join(self.folder, "laps"))
        # Distinct times: a newcomer tying a time already filed is refused.
        self.replay("lap_one.spr", racer="rokan2", time="1,20,0,0")
        self.replay("laps/speedy.spr", racer="speedy", time="1,21,0,0")
        self.replay("laps/spencer.spr", racer="spencer", time="1,22,0,0")
        self.zeb = self.start(os.path.join(self.folder, "lap_one.spr"),
                              os.path.join(self.folder, "laps/speedy.spr"),
                              os.path.join(self.folder, "laps/spencer.spr"))
        self.zeb.expect_prompt()

    def test_a_file_name_after_load(self):
        z = self.zeb
        z.type_and_wait("load lap_")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "load lap_one.spr")
        z.keys("x")  # a blank came after the file name
        self.assertEqual(z.current_line(), PROMPT + "load lap_one.spr x")

    def test_a_folder_gets_a_slash_and_no_blank(self):
        z = self.zeb
        z.type_and_wait("l lap")
        z.keys("s" + TAB)
        self.assertEqual(z.current_line(), PROMPT + "l laps/")
        z.keys("spee" + TAB)
        self.assertEqual(z.current_line(), PROMPT + "l laps/speedy.spr")

    def test_a_code_after_pdb_cs(self):
        z = self.zeb
        z.type_and_wait("pdb -cs mr")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "pdb -cs mrt")
        z.keys("we1" + TAB + TAB)
        z.drain()
        self.assertTrue(any(line.split() == ["we1", "we1r"] for line in screen_lines(z.shown)))

    def test_a_racer_name_after_find(self):
        z = self.zeb
        z.type_and_wait("find rok")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn("rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0",
                      screen_lines(z.run("")))

    def test_a_second_tab_lists_several_racers(self):
        z = self.zeb
        z.type_and_wait("find sp")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "find spe")
        z.keys(TAB)
        z.drain()
        lines = screen_lines(z.shown)
        self.assertTrue(any(line.split() == ["speedy", "spencer"] for line in lines), lines)
        self.assertEqual(lines[-1], PROMPT + "find spe")

    def test_ctrl_c_answers_the_question_before_a_long_list(self):
        specs = [(os.path.join(self.folder, f"r{i}.spr"), {"racer": f"many{i:03d}", "time": f"1,{i // 100 + 20},{i % 100},0"})
                 for i in range(120)]
        z = self.start(*make_replays(specs))
        z.expect_prompt()
        z.type_and_wait("find many")
        z.keys(TAB + TAB)
        z.expect("Display all 120 possibilities? (y or n)")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        # Readline may be writing the list when the Ctrl-C comes, and draw the
        # old line once more behind the fresh prompt: what counts is that the
        # next line typed runs on its own.
        z.drain()
        z.take_buffered()
        z.keys("find many007" + ENTER)
        z.expect("many007 found on track Blackwood (bl1)")
        z.expect_prompt()
        self.assertTrue(z.alive())


if __name__ == "__main__":
    unittest.main()

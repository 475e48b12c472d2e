"""zeb.exe at a Windows console, under Wine: the console's own editing and
history, Tab as at a Linux terminal, Ctrl-C and Ctrl-Z Enter."""
import os
import re
import time
import unittest

from tty_session import (CTRL_C, END, ENTER, HOME, LEFT, PROMPT, TAB, UP, WINDOWS, SessionTest,
                         make_replays)

FOUND = "rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0"
CTRL_Z = "\x1a"
CARS = ["BMW SAUBER", "FORMULA V8", "FXO TURBO", "FZ50", "LX4", "LX6", "MRT5", "RA", "RB4 GT",
        "UF 1000", "UF GTR", "XF GTI", "XF GTR", "XR GT", "XR GTR"]  # not rokan2's car


@unittest.skipUnless(WINDOWS, "runs zeb.exe, the Windows build")
class AtTheConsole(SessionTest):
    def setUp(self):
        super().setUp()
        for folder in ("laps", "tiempos_señal", "store"):
            os.mkdir(os.path.join(self.folder, folder))
        self.replay("lap_one.spr", racer="rokan2", time="1,20,0,0")
        self.replay("tiempos_señal/ñandú.spr", racer="ñandú", time="1,23,0,0")
        self.zeb = self.start("lap_one.spr")
        self.zeb.expect_prompt()

    def test_editing_and_the_history_without_the_del_answer(self):
        z = self.zeb
        z.type_and_wait("ind rokn2")
        z.keys(LEFT + LEFT + "a" + HOME + "f" + END)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, z.run(""))
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)?")
        z.run("n")
        z.keys(UP + UP)
        self.assertEqual(z.current_line(), PROMPT + "find rokan2")
        self.assertIn(FOUND, z.run(""))

    def test_tab_completes_words_names_codes_and_racers(self):
        z = self.zeb
        for typed, completed in [("fi", "find "), ("load lap_", "load lap_one.spr "),
                                 ("l laps", "l laps\\"), ("pdb -t B", "pdb -t bl "),
                                 ("find rok", "find rokan2 ")]:
            z.type_and_wait(typed)
            z.keys(TAB + "x")  # after the blank that came with it, or after the folder's "\"
            self.assertEqual(z.current_line(), PROMPT + completed + "x")
            z.keys(CTRL_C)
            z.expect_prompt()
        z.type_and_wait("p")
        z.keys(TAB + TAB)  # the second lists
        z.expect(PROMPT + "p")
        self.assertIn(["p", "pdb", "print"], [line.split() for line in z.screen()])
        z.keys(CTRL_C)
        z.expect_prompt()
        z.type_and_wait("l tiem")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "l tiempos_señal\\")
        z.run("")
        self.assertIn("ñandú found on track Blackwood (bl1)", z.run("find ñandú"))

    def test_tab_ignores_letter_case_and_keeps_the_cursor_in_mid_line(self):
        os.mkdir(os.path.join(self.folder, "tabt"))
        self.replay("tabt/One.spr", racer="uno", time="1,21,0,0")
        z = self.zeb
        z.type_and_wait("l TA x")
        z.keys(LEFT + LEFT + TAB + "O")  # Tab in mid-line, then a key typed where the cursor is
        self.assertEqual(z.current_line(), PROMPT + "l tabt\\O x")
        z.keys(CTRL_C)
        z.expect_prompt()
        z.type_and_wait("l TABT\\o")
        z.keys(TAB)  # the folder as typed, the name in their own case
        self.assertEqual(z.current_line(), PROMPT + "l tabt\\One.spr")
        self.assertIn("One.spr loaded!", z.run(""))

    def test_ctrl_c_at_the_prompt_and_at_a_del_question(self):
        z = self.zeb
        z.type_and_wait("pdb -t b")
        z.keys(CTRL_C)
        z.expect_prompt()
        self.assertEqual(z.current_line(), PROMPT.rstrip())
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)?")
        z.type_and_wait("y")
        z.keys(CTRL_C)
        z.expect("operation cancelled by the user")
        z.expect_prompt()
        self.assertIn(FOUND, z.run("find rokan2"))
        z.keys(CTRL_Z + ENTER)
        z.wait_for_end()
        self.assertEqual(z.exitstatus, 0)

    def test_ctrl_c_stops_a_listing(self):
        tracks = [("Blackwood", "BL1"), ("South City", "SO1"), ("Fern Bay", "FE1")]
        make_replays([(os.path.join(self.folder, "store", f"{code}{c:02d}_{r:03d}.spr"),
                       {"racer": f"racer{r}", "car": car, "track": track, "code": code,
                        "time": f"1,{10 + r // 100},{r % 100},0"})
                      for track, code in tracks for c, car in enumerate(CARS) for r in range(150)])
        total = len(tracks) * len(CARS) * 150
        z = self.zeb
        z.run("load store")
        # Wine's console takes the rows faster than it shows them: the Ctrl-C
        # comes soon after Enter. One before zeb has the line drops the line,
        # one that Wine hands on late comes after the listing: another try.
        for delay in (0.02, 0.05, 0.02, 0.08, 0.02, 0.1):
            z.keys("pdb" + ENTER)
            time.sleep(delay)
            z.keys(CTRL_C)
            rows = len(re.findall(r"\n\d+ +racer\d+ ", z.expect_prompt()))
            z.catch_up()  # a Ctrl-C that came after the listing: its fresh prompt
            if 0 < rows < total:
                break
        self.assertTrue(0 < rows < total, rows)
        self.assertEqual(z.current_line(), PROMPT.rstrip())
        self.assertEqual(z.run("find racer149").count("racer149 found on track"), total // 150)

if __name__ == "__main__":
    unittest.main()

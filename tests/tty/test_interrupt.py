"""Ctrl-C at a terminal: the line, the confirmation and the listing stop;
the process and its store stay."""
import os
import unittest

from tty_session import (CTRL_C, CTRL_D, ENTER, PROMPT, SessionTest, make_replays,
                         screen_lines)

FOUND = "rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0"

CARS = ["BMW SAUBER", "FORMULA V8", "FORMULA XR", "FXO TURBO", "FZ50", "FZ50 GTR", "LX4",
        "LX6", "MRT5", "RA", "RB4 GT", "UF 1000", "UF GTR", "XF GTI", "XF GTR", "XR GT",
        "XR GTR", "XR GT TURBO"]
RACERS_PER_CAR = 150


class AtThePrompt(SessionTest):
    def setUp(self):
        super().setUp()
        self.zeb = self.start(self.replay("a.spr", racer="rokan2"))
        self.zeb.expect_prompt()

    def test_a_half_typed_line_is_dropped_and_the_store_stays(self):
        z = self.zeb
        z.type_and_wait("pdb -t b")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        self.assertTrue(z.alive())
        self.assertEqual(z.current_line(), PROMPT.rstrip())
        out = screen_lines(z.run("find rokan2"))
        self.assertIn(FOUND, out)
        # A second Ctrl-C on an empty line gives one more fresh prompt.
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))

    def test_ctrl_c_inside_a_bracketed_paste_drops_the_line(self):
        # ESC [ 200 ~ starts a paste that the editor reads up to its end mark;
        # Ctrl-C before that mark must still give a fresh prompt.
        z = self.zeb
        z.type_and_wait("pdb")
        z.keys("\x1b[200~d -r rokan2")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        self.assertEqual(z.current_line(), PROMPT.rstrip())
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        # The same at a del confirmation: no answer, nothing deleted.
        z.keys("d -r rokan2" + ENTER)
        z.expect("(y/)? ")
        z.keys("\x1b[200~y")
        z.keys(CTRL_C)
        self.assertIn("\toperation cancelled by the user", screen_lines(z.expect_prompt()))
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))

    def test_a_prefix_key_without_binding_during_a_history_search(self):
        # Ctrl-R searches the history; Ctrl-X and then a key it does not lead
        # to anything: a bell, and the session goes on.
        z = self.zeb
        z.keys("\x12\x18b")
        z.keys(CTRL_C)
        z.expect("\n" + PROMPT)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        self.assertTrue(z.alive())

    def test_at_a_del_confirmation_nothing_is_deleted(self):
        z = self.zeb
        z.keys("d -r rokan2" + ENTER)
        z.expect("delete racer rokan2 from everywhere (y/)? ")
        z.type_and_wait("y")
        z.keys(CTRL_C)
        out = z.expect_prompt()
        self.assertIn("\toperation cancelled by the user", screen_lines(out))
        self.assertNotIn("deletion completed", z.shown)
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))
        # The same for the whole store.
        z.keys("d" + ENTER)
        z.expect("completely delete everything in the database (y/)? ")
        z.keys(CTRL_C)
        self.assertIn("\toperation cancelled by the user", screen_lines(z.expect_prompt()))
        self.assertIn(FOUND, screen_lines(z.run("find rokan2")))


class DuringAListing(SessionTest):
    """A store of 2,700 entries: a listing far longer than the terminal and
    the output buffers, so zeb is still writing rows when Ctrl-C comes."""

    @classmethod
    def setUpClass(cls):
        import tempfile
        cls.store_folder = tempfile.mkdtemp(prefix="zeb-tty-store-")
        specs = []
        for c, car in enumerate(CARS):
            for r in range(RACERS_PER_CAR):
                path = os.path.join(cls.store_folder, f"{c:02d}_{r:03d}.spr")
                specs.append((path, {"racer": f"racer{r}", "car": car,
                                     "time": f"1,{10 + r // 100},{r % 100},0"}))
        cls.replays = make_replays(specs)

    @classmethod
    def tearDownClass(cls):
        import shutil
        shutil.rmtree(cls.store_folder, True)

    def test_ctrl_c_stops_the_listing_and_the_next_command_works(self):
        z = self.start(*self.replays)
        z.expect_prompt()
        self.assertIn("\tappended at pos 149", z.shown)
        # The whole listing would end with the last car's slowest entry.
        last_row = "149\tracer149\t\tBL1\tXR GT TURBO"
        z.keys("pdb" + ENTER)
        z.expect("LAPTIME (LAP)")
        # zeb now waits for the terminal to take more rows: nothing is read here.
        import time
        time.sleep(1.0)
        z.keys(CTRL_C)
        out = z.expect_prompt()
        lines = screen_lines(out)
        self.assertNotIn(last_row, "\n".join(lines))
        rows = [line for line in lines if line.count("\t") >= 5]
        self.assertLess(len(rows), len(CARS) * RACERS_PER_CAR)
        # The prompt stands on a line of its own, and the store is whole.
        self.assertEqual(z.current_line(), PROMPT.rstrip())
        found = screen_lines(z.run("find racer149"))
        self.assertEqual(sum("racer149 found on track Blackwood (bl1)" in line for line in found),
                         len(CARS))
        z.keys(CTRL_D)
        z.wait_for_end()
        self.assertEqual(z.child.exitstatus, 0)


if __name__ == "__main__":
    unittest.main()

"""A watch loses nothing: a save during the first load, more changes at
once than the system's queue holds, a watched folder removed and back, a
writer that holds its file open, Ctrl-C in the middle of an arrival."""
import os
import shutil
import subprocess
import time
import unittest

import test_watch
from test_watch import ARRIVAL_SECONDS, SEP, pipe_run
from tty_session import (BUILDER, CTRL_C, ENTER, TIMEOUT, WINDOWS, SessionTest,
                         make_replays, needs_editor)

# A first load with a save in the middle of it, and a copy of more files
# than the system's queue of changes holds (inotify's 16384 events, three a
# file; ReadDirectoryChangesW's 64 KiB). Fewer under Wine, where each file
# costs far more; the long run loads 100,000.
FIRST_LOAD = int(os.environ.get("ZEB_WATCH_FIRST_LOAD", "3000" if WINDOWS else "10000"))
COPIED = int(os.environ.get("ZEB_WATCH_COPIED", "3000" if WINDOWS else "8000"))


@needs_editor
class NothingLost(test_watch.WatchedFolder):
    def test_thousands_copied_in_while_a_question_waits_all_load(self):
        z = self.zeb
        aside = os.path.join(self.folder, "aside")
        os.mkdir(aside)
        make_replays([(os.path.join(aside, f"{i:05}.spr"),
                       {"racer": f"c{i % 300}", "time": f"1,{i % 50},{i % 89},0",
                        "code": ["BL1", "BL2", "SO1"][i % 3]}) for i in range(COPIED)])
        copy = os.path.join(self.folder, "r", "copy")
        os.mkdir(copy)
        time.sleep(1)  # watched by now
        z.keys("d -r alpha" + ENTER)
        z.expect("(y/)?")
        # Copied file by file into a watched folder while nothing takes the
        # changes: the system's queue overflows.
        subprocess.run(["cp", "-t", copy] + sorted(os.path.join(aside, name) for name in os.listdir(aside)),
                       check=True, timeout=300)
        z.keys("n" + ENTER)
        self.assertEqual(self.summaries("r", COPIED), COPIED)
        z.expect_prompt()
        listing = z.run("pdb").replace("\r\n", "\n")
        expected = pipe_run(self.folder, "l r/a.spr\nl r/copy\npdb\n").split("ZEB> ")[-1]
        self.assertIn(expected.strip("\n"), listing)

    def test_a_folder_removed_or_moved_away_is_watched_again_when_back(self):
        r = os.path.join(self.folder, "r")
        shutil.rmtree(r)
        self.arrives("\tr is gone; it will be watched again when it is back")
        os.mkdir(r)
        time.sleep(0.2)
        self.replay("r/b.spr", racer="beta", time="1,10,0,0")
        self.arrives(f"r{SEP}b.spr loaded!")
        os.rename(r, os.path.join(self.folder, "away"))
        self.arrives("\tr is gone; it will be watched again when it is back")
        os.rename(os.path.join(self.folder, "away"), r)
        self.arrives(f"r{SEP}b.spr")  # what it holds arrives again
        self.replay("r/c.spr", racer="carl", time="1,05,0,0")
        self.arrives(f"r{SEP}c.spr loaded!")
        self.zeb.expect_prompt()
        self.assertIn("carl found", self.zeb.run("find carl"))

    def test_a_writer_holding_the_file_open_gets_it_loaded_once_after_closing(self):
        # The fixture builder writes half, waits, writes the rest, waits, closes.
        writer = subprocess.Popen(BUILDER + [os.path.join(self.folder, "r", "h.spr"),
                                             "racer=holder", "hold=1500"])
        self.addCleanup(writer.kill)
        time.sleep(2.5)
        shown = self.shown()
        self.assertNotIn("h.spr", shown)
        # Written just before the start and loaded by the start-up load, quietly: not again.
        self.assertNotIn("a.spr", shown)
        writer.wait(timeout=TIMEOUT)
        self.arrives(f"r{SEP}h.spr loaded!")
        time.sleep(ARRIVAL_SECONDS)
        shown = self.shown()
        self.assertEqual(shown.count("h.spr"), 1, shown)

    def test_ctrl_c_ends_a_large_arrival_and_the_next_line_runs(self):
        z = self.zeb
        aside = os.path.join(self.folder, "aside")
        os.mkdir(aside)
        many = 1500 if WINDOWS else 5000
        # Every other one no hotlap: a line each, which holds zeb at the
        # terminal until read, so the arrival is still on when Ctrl-C comes.
        make_replays([(os.path.join(aside, f"{i:05}.spr"), {"racer": f"m{i % 300}", "hotlap": i % 2})
                      for i in range(many)])
        os.rename(aside, os.path.join(self.folder, "r", "many"))
        z.expect("not a hotlap file")
        z.keys(CTRL_C)
        counted = self.summaries("r", 1)
        self.assertLess(counted, many)
        z.expect_prompt()
        self.assertIn("alpha found", z.run("find alpha"))


@needs_editor
class FirstLoad(SessionTest):
    def test_a_replay_saved_during_the_first_load_arrives_after_it(self):
        big = os.path.join(self.folder, "big")
        os.mkdir(big)
        # One in ten no hotlap: a line each, written from the start of the
        # load on, which holds zeb at the terminal until read.
        make_replays([(os.path.join(big, f"{i:06}.spr"),
                       {"racer": f"p{i % 100}", "time": f"1,{i % 60},{i % 99},0",
                        "hotlap": int(i % 10 != 0)}) for i in range(FIRST_LOAD)])
        z = self.start("big")
        z.expect("not a hotlap file")  # listed, and loading
        self.replay("big/zz_new.spr", racer="newbie", time="0,50,0,0")
        z.expect("watching big for new replays")
        z.expect(f"big{SEP}zz_new.spr loaded!")
        z.expect_prompt()
        shown = z.run("find newbie")
        self.assertIn("newbie found", shown, z.shown[-800:])

if __name__ == "__main__":
    unittest.main()

"""A folder load at a terminal (a progress line and the problems only) and the
folders it leaves watched: replays written into them while the prompt waits
load above the prompt, the line being typed kept."""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from tty_session import (COLUMNS, CTRL_C, ENTER, LEFT, PROMPT, TAB, TIMEOUT, WINDOWS,
                         ConsoleSession, PipedZeb, SessionTest, make_replay, make_replays,
                         needs_editor, screen_lines)

SEP = "\\" if WINDOWS else "/"
# Where folders are scanned (every two seconds), a file counts as complete
# once it stayed the same over two seconds.
ARRIVAL_SECONDS = 4.5 if os.environ.get("ZEB_WATCH_SCANS") else 2.0
# Under Wine every file opened goes through the Wine server: a burst of
# arrivals takes this long a file to load, after it arrived.
LOAD_SECONDS = 0.005 if WINDOWS else 0.0


def read_text(path):
    with open(path, encoding="latin-1") as f:
        return f.read()


def pipe_run(folder, script):
    """zeb with a pipe on both sides: every byte as a script gets it."""
    command = ["wine", os.environ["ZEB"]] if WINDOWS else [os.environ["ZEB"]]
    return subprocess.run(command, input=script.encode(), cwd=folder, capture_output=True,
                          timeout=120).stdout.decode("latin-1")


@needs_editor
class FolderLoadAtATerminal(SessionTest):
    def test_only_problems_show_and_the_progress_line_goes(self):
        os.mkdir(os.path.join(self.folder, "r"))
        make_replays([(os.path.join(self.folder, "r", f"{i:04}.spr"),
                       {"racer": f"p{i % 150}", "time": f"1,{i % 60},0,0"}) for i in range(3000)])
        with open(os.path.join(self.folder, "r", "junk.spr"), "wb") as f:
            f.write(b"not a replay")
        z = self.start()
        z.expect_prompt()
        shown = z.run("l r")
        self.assertNotIn("loaded!", shown)
        self.assertNotIn("pos", shown)
        self.assertIn(f"r{SEP}junk.spr not loaded (this is not a hotlap file)", shown)
        self.assertRegex(shown, r"r: 3001 replay files, \d+ filed")
        self.assertIn("watching r for new replays", shown)
        lines = [line for line in z.screen()] if WINDOWS else screen_lines(z.shown)
        self.assertFalse([line for line in lines if "loading r:" in line], lines)

    def test_nothing_is_watched_when_input_is_a_pipe(self):
        os.mkdir(os.path.join(self.folder, "r"))
        self.replay("r/a.spr", racer="alpha")
        out = pipe_run(self.folder, "l r\nq\n")
        self.assertIn(f"r{SEP}a.spr loaded!", out)
        self.assertNotIn("watching", out)


@needs_editor
class ProgressLine(SessionTest):
    """The progress line never wraps, whatever the terminal's width, and
    leaves no row behind; the word (a long path, as a folder dragged onto
    zeb.exe gives) gives up its middle to "..."."""
    # A load that draws its line a few times and lasts long enough to be
    # seen and stopped: on Linux 150,000 files load in about half a second.
    COUNT = 600 if WINDOWS else 150000

    @classmethod
    def setUpClass(cls):
        cls.top = tempfile.mkdtemp(prefix="zeb-tty-")
        cls.word = os.path.join(cls.top, "replays_of_the_whole_long_season")
        os.mkdir(cls.word)
        if WINDOWS:
            make_replays([(os.path.join(cls.word, f"{i:05}.spr"), {"racer": f"p{i % 150}"})
                          for i in range(cls.COUNT)])
            return
        # Links to a few replays: far quicker to make than as many files.
        sources = [make_replay(os.path.join(cls.top, f"{n}.spr"), racer=f"p{n}")
                   for n in range(4)]
        for i in range(cls.COUNT):
            os.link(sources[i % 4], os.path.join(cls.word, f"{i:06}.spr"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.top, True)

    def load(self, columns, narrower=None, interrupt=False):
        z = self.start(columns=columns)
        self.sessions = [z]
        z.expect_prompt()
        if narrower:
            # Rows above the line: a terminal that wraps it again keeps it
            # on screen, where it can be taken back, and moves older rows
            # into its scrollback instead.
            z.run("help")
        z.keys("l " + self.word + ENTER)
        drawn, deadline = [], time.monotonic() + 60
        while not drawn and time.monotonic() < deadline:
            drawn = [row for row in z.screen(scrolled=False, joined=False) if "loading" in row]
        self.assertTrue(drawn, "no progress line showed")
        self.assertLess(len(drawn[0]), columns, drawn)
        if narrower:
            z.resize(narrower)
        if interrupt:
            z.keys(CTRL_C)
        z.expect(f": {self.COUNT} replay files, " if not interrupt else " replay files, ")
        z.expect_prompt()
        lines = z.screen()
        self.assertFalse([line for line in lines if "loading" in line], lines)
        return drawn[0]

    def test_at_30_columns_the_word_is_cut_in_its_middle(self):
        line = self.load(30)
        self.assertTrue(line.startswith(f"  loading {self.word[0]}...{self.word[-1]}: "), line)

    def test_at_200_columns_the_whole_word_shows(self):
        line = self.load(200)
        self.assertTrue(line.startswith("  loading " + self.word + ": "), line)

    def test_ctrl_c_leaves_the_summary_line_alone(self):
        self.load(200, interrupt=True)
        summary = [line for line in self.sessions[-1].screen() if "replay files," in line]
        self.assertRegex(summary[0], r"^\s+\S+: \d+ replay files, \d+ filed$")
        self.assertNotIn("^C", "\n".join(self.sessions[-1].screen()))

    @unittest.skipIf(WINDOWS, "Wine's console keeps its buffer's width when the terminal it "
                     "draws into is made narrower: zeb has no change to follow there")
    def test_a_terminal_made_narrower_during_the_load(self):
        line = self.load(150, narrower=24)
        self.assertTrue(line.startswith("  loading " + self.word + ": "), line)


class WatchedFolder(SessionTest):
    """zeb at a terminal watching the folder r, which holds a.spr."""
    def setUp(self):
        super().setUp()
        os.mkdir(os.path.join(self.folder, "r"))
        self.replay("r/a.spr", racer="alpha", time="1,20,0,0")
        self.zeb = self.start("r")
        self.zeb.expect("watching r for new replays")
        self.zeb.expect_prompt()

    def arrives(self, text, files=1):
        if WINDOWS:
            # The console writes the messages over the rows of the prompt and
            # the half-typed line, which were waited for: look from there on.
            shown = "\n".join(self.zeb.screen())
            prompt = max(shown.rfind(PROMPT.rstrip(), 0, self.zeb.seen), 0)
            self.zeb.seen = shown.rfind("\n", 0, prompt) + 1
        start = time.monotonic()
        before = self.zeb.expect(text)
        self.assertLess(time.monotonic() - start, ARRIVAL_SECONDS + 1 + LOAD_SECONDS * files)
        return before

    def shown(self):
        if WINDOWS:
            self.zeb.catch_up()
            return "\n".join(self.zeb.screen())
        self.zeb.drain()
        return self.zeb.shown

    def summaries(self, word, total):
        """Waits for the summaries of the arrivals below `word` to count
        `total` files; returns the count."""
        pattern = re.escape(word) + r": (\d+) replay files, \d+ filed"
        if not WINDOWS:
            counted = 0
            while counted < total:
                self.zeb._read_to(pattern, exact=False, timeout=TIMEOUT + total * 0.01)
                counted += int(self.zeb.child.match.group(1))
            return counted
        deadline = time.monotonic() + TIMEOUT + total * 0.05
        while time.monotonic() < deadline:
            counted = sum(int(n) for n in re.findall(pattern, "\n".join(self.zeb.screen())))
            if counted >= total:
                return counted
            time.sleep(0.5)
        return counted

    def line_kept(self, text):
        """The prompt and the half-typed line are drawn again below the messages."""
        self.zeb.expect(PROMPT + text)


@needs_editor
class WatchedFolders(WatchedFolder):
    def test_a_new_replay_shows_above_the_half_typed_line(self):
        z = self.zeb
        z.type_and_wait("find alp")
        self.replay("r/b.spr", racer="beta", time="1,10,0,0")
        self.arrives(f"r{SEP}b.spr loaded!")
        z.expect("inserted at pos: 0")
        self.line_kept("find alp")
        os.mkdir(os.path.join(self.folder, "r", "new"))
        time.sleep(0.2)
        self.replay("r/new/c.spr", racer="carl", time="1,05,0,0")
        self.arrives(f"r{SEP}new{SEP}c.spr loaded!")
        z.expect("inserted at pos: 0")
        self.line_kept("find alp")
        z.keys("ha" + ENTER)  # the cursor stayed at the end of the line
        z.expect("alpha found on track")

    def test_a_faster_rewrite_updates_and_two_halves_load_once(self):
        z = self.zeb
        self.replay("r/a.spr", racer="alpha", time="1,02,0,0")
        self.arrives("about to update racer's laptime")
        z.expect("appended at pos 0")
        whole = open(make_replay(os.path.join(self.folder, "whole"), racer="dora"), "rb").read()
        with open(os.path.join(self.folder, "r", "d.spr"), "wb") as f:
            f.write(whole[:100])
            f.flush()
            time.sleep(0.3)
            f.write(whole[100:])
        self.arrives(f"r{SEP}d.spr loaded!")
        z.catch_up() if WINDOWS else z.drain(1.5)
        shown = "\n".join(z.screen()) if WINDOWS else z.shown
        self.assertEqual(shown.count("d.spr loaded!"), 1)
        self.assertNotIn("not a hotlap", shown)

    def test_files_and_folders_moved_in_load_in_path_order(self):
        z = self.zeb
        os.makedirs(os.path.join(self.folder, "out", "pack"))
        self.replay("out/m.spr", racer="mona", time="1,15,0,0")
        self.replay("out/pack/p1.spr", racer="pia", time="1,16,0,0")
        self.replay("out/pack/p2.SPR", racer="paul", time="1,17,0,0")
        with open(os.path.join(self.folder, "out", "pack", "notes.txt"), "w") as f:
            f.write("not a replay")
        os.remove(self.replay("r/gone.spr", racer="gina"))  # gone before it settled: nothing shows
        os.rename(os.path.join(self.folder, "out", "pack"), os.path.join(self.folder, "r", "pack"))
        os.rename(os.path.join(self.folder, "out", "m.spr"), os.path.join(self.folder, "r", "m.spr"))
        self.arrives(f"r{SEP}m.spr loaded!")
        z.expect(f"r{SEP}pack{SEP}p1.spr loaded!")
        z.expect(f"r{SEP}pack{SEP}p2.SPR loaded!")
        z.expect_prompt()
        shown = z.run("find paul")
        self.assertIn("paul found", shown)
        shown = "\n".join(z.screen()) if WINDOWS else z.shown
        self.assertNotIn("notes.txt", shown)
        self.assertNotIn("gone.spr", shown)

    def test_ctrl_c_drops_the_line_and_a_question_holds_arrivals_back(self):
        z = self.zeb
        z.type_and_wait("find alp")
        z.keys(CTRL_C)
        z.expect_prompt()
        z.keys("d -r alpha" + ENTER)
        z.expect("(y/)?")
        self.replay("r/e.spr", racer="emil", time="1,30,0,0")
        time.sleep(ARRIVAL_SECONDS)
        if WINDOWS:
            shown = "\n".join(z.screen())
        else:
            z.drain()
            shown = z.shown
        self.assertNotIn("e.spr", shown)
        z.keys("n" + ENTER)
        self.arrives(f"r{SEP}e.spr loaded!")
        z.expect_prompt()
        self.assertIn("alpha found", z.run("find alpha"))

    @unittest.skipUnless(WINDOWS, "readline redraws a wrapped line itself")
    def test_a_line_that_wraps_is_drawn_again_whole(self):
        z = self.zeb
        typed = "find " + "x" * 250

        def rows(text):  # the console breaks the line into the pane's rows itself
            return [text[at:at + COLUMNS] for at in range(0, len(text), COLUMNS)]

        z.keys(typed)
        z.expect("\n".join(rows(PROMPT + typed))[len(PROMPT):])
        self.replay("r/b.spr", racer="beta", time="1,10,0,0")
        self.arrives(f"r{SEP}b.spr loaded!")
        z.keys("yz")
        z.expect("\n".join(rows(PROMPT + typed + "yz")))
        lines = z.screen()
        self.assertEqual(lines[-2:], rows(PROMPT + typed + "yz"))
        self.assertEqual(len([line for line in lines if "xxxx" in line]), 2)
        z.keys(CTRL_C)
        z.expect_prompt()

    def test_a_burst_with_a_bad_file_under_a_half_typed_line(self):
        z = self.zeb
        COUNT = 600 if WINDOWS else 10000  # a load that draws its progress line
        os.mkdir(os.path.join(self.folder, "aside"))
        make_replays([(os.path.join(self.folder, "aside", f"lap_{i:03}.spr"),
                       {"racer": f"q{i % 300}", "time": f"1,{i % 50},0,0"}) for i in range(COUNT)])
        with open(os.path.join(self.folder, "aside", "lap_007.spr"), "wb") as f:
            f.write(b"not a replay")
        z.type_and_wait("find q1")
        z.keys(LEFT + LEFT)  # the cursor in mid-line, before "q1"
        time.sleep(0.3)
        os.rename(os.path.join(self.folder, "aside"), os.path.join(self.folder, "r", "m100"))
        self.arrives(f"r: {COUNT} replay files, ", files=COUNT)
        self.line_kept("find q1")
        z.take_buffered() if not WINDOWS else None
        z.keys("x")  # typed where the cursor was
        self.assertEqual(z.current_line(), PROMPT + "find xq1")
        problem = f"r{SEP}m100{SEP}lap_007.spr not loaded (this is not a hotlap file)"
        lines = z.screen() if WINDOWS else screen_lines(z.shown)
        self.assertEqual([line.strip() for line in lines if "lap_007" in line], [problem])
        self.assertFalse([line for line in lines if "loading r:" in line], lines)
        z.keys(CTRL_C)
        z.expect_prompt()

    def test_a_burst_ends_in_a_summary_and_the_store_equals_a_pipe_run(self):
        z = self.zeb
        # Made aside and moved in at once: a copy of a folder, whatever the
        # machine's speed at writing a thousand files.
        specs = [(os.path.join(self.folder, "aside", f"{i:04}.spr"),
                  {"racer": f"b{i % 200}", "time": f"1,{i % 50},{i % 97},0",
                   "code": ["BL1", "BL2", "BL1R"][i % 3]}) for i in range(1000)]
        os.mkdir(os.path.join(self.folder, "aside"))
        make_replays(specs)
        os.rename(os.path.join(self.folder, "aside"), os.path.join(self.folder, "r", "burst"))
        before = self.arrives("r: 1000 replay files, ", files=1000)
        self.assertNotIn("loaded!", before)
        z.expect_prompt() if WINDOWS else None
        listing = z.run("pdb")
        expected = pipe_run(self.folder, "l r/a.spr\nl r/burst\npdb\n").split("ZEB> ")[-1]
        got = listing.replace("\r\n", "\n")
        self.assertIn(expected.strip("\n"), got)


class HeadlessWatcher(SessionTest):
    """zeb --watch without a terminal: arrivals load while the prompt waits for
    a piped line and after the end of input, until q or an end signal."""

    def watcher(self, input_open):
        os.mkdir(os.path.join(self.folder, "r"))
        self.replay("r/a.spr", racer="alpha", time="1,20,0,0")
        z = PipedZeb(os.environ["ZEB"], ["--watch", "r"], cwd=self.folder, input_open=input_open)
        self.addCleanup(z.close)
        z.expect("\tr: 1 replay files, 1 filed\n\twatching r for new replays\nZEB> ")
        return z

    def move_in(self, specs, below):
        """Replays made aside and moved in at once, a folder of them when `below` is set."""
        aside = os.path.join(self.folder, "aside")
        os.mkdir(aside)
        make_replays([(os.path.join(aside, name), fields) for name, fields in specs])
        if below:
            os.rename(aside, os.path.join(self.folder, "r", below))
        else:
            for name, _ in specs:
                os.rename(os.path.join(aside, name), os.path.join(self.folder, "r", name))
            os.rmdir(aside)

    def test_arrivals_write_their_messages_below_the_prompt_and_q_ends_at_once(self):
        z = self.watcher(input_open=True)
        self.move_in([("b.spr", {"racer": "beta", "time": "1,19,0,0"})], below=None)
        z.expect(f"\n\tr{SEP}b.spr loaded!\n\tinserted at pos: 0\nZEB> ", ARRIVAL_SECONDS + 1)
        z.send("p\n")
        z.expect("ZEB> ")
        z.send("q\n")
        self.assertEqual(z.wait_for_end(), 0)

    @unittest.skipUnless(WINDOWS, "SIGINT is the test below")
    def test_ctrl_c_at_the_console_ends_it_with_status_0(self):
        os.mkdir(os.path.join(self.folder, "r"))
        self.replay("r/a.spr", racer="alpha", time="1,20,0,0")
        out = os.path.join(self.folder, "out.txt")
        z = ConsoleSession(["--watch", "r"], cwd=self.folder, output_file=out)
        self.addCleanup(z.close)
        def wait_for(text, seconds):
            deadline = time.monotonic() + seconds
            while not os.path.exists(out) or text not in read_text(out):
                self.assertLess(time.monotonic(), deadline, f"{text!r} did not come")
                time.sleep(0.1)
        wait_for("watching r", 180)  # a new Wine prefix takes a while
        self.move_in([("b.spr", {"racer": "beta", "time": "1,19,0,0"})], below=None)
        wait_for("b.spr loaded!", ARRIVAL_SECONDS + 3)
        z.keys(CTRL_C)
        z.wait_for_end()
        self.assertEqual(z.exitstatus, 0)

    @unittest.skipIf(WINDOWS, "Wine ends a program at SIGTERM as it sees fit")
    def test_the_end_of_input_does_not_end_it_and_signals_end_it_with_status_0(self):
        z = self.watcher(input_open=False)
        time.sleep(0.3)
        self.assertIsNone(z.process.poll())
        # Twelve at once: each file's messages, as in a folder load, then the summary.
        specs = [(f"{i:02}.spr", {"racer": f"c{i}", "time": f"1,{30 + i},0,0"}) for i in range(12)]
        self.move_in(specs, below="burst")
        shown = z.expect("\tr: 12 replay files, 12 filed\n", ARRIVAL_SECONDS + 2)
        self.assertTrue(shown.startswith(f"\n\tr{SEP}burst{SEP}00.spr loaded!\n"), shown)
        self.assertEqual(shown.count(" loaded!\n"), 12)
        self.assertNotIn("ZEB> ", shown)
        self.move_in([("d.spr", {"racer": "delta", "time": "1,5,0,0"})], below=None)
        z.expect(f"\tr{SEP}d.spr loaded!\n\tinserted at pos: 0\n", ARRIVAL_SECONDS + 1)
        z.process.send_signal(signal.SIGTERM)
        self.assertEqual(z.wait_for_end(), 0)
        self.assertFalse(z.text().endswith("\n\n"))
        with self.subTest("SIGINT"):
            shutil.rmtree(os.path.join(self.folder, "r"))
            z = self.watcher(input_open=False)
            z.process.send_signal(signal.SIGINT)
            self.assertEqual(z.wait_for_end(), 0)


@needs_editor
class TabIntoAFolder(SessionTest):
    def test_one_file_in_a_folder_completes(self):
        os.mkdir(os.path.join(self.folder, "exfix"))
        self.replay("exfix/one_lena.spr", racer="lena")
        z = self.start()
        z.expect_prompt()
        z.type_and_wait("l ex")
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + "l exfix" + SEP)
        z.keys(TAB)
        self.assertEqual(z.current_line(), PROMPT + f"l exfix{SEP}one_lena.spr")
        self.assertIn("loaded!", z.run(""))


if __name__ == "__main__":
    unittest.main()


@needs_editor
class BoardAtTheTerminal(SessionTest):
    """--board: a change is on the board within a second, also when it comes
    less than a second after the last rewrite and zeb then waits at the
    prompt; an arriving replay is on it too."""

    def board(self):
        with open(os.path.join(self.folder, "site", "board.json"), encoding="utf-8") as f:
            return f.read()

    def on_board(self, text, seconds):
        start = time.monotonic()
        while text not in self.board():
            self.assertLess(time.monotonic() - start, seconds, text)
            time.sleep(0.05)

    def test_changes_reach_the_board_while_the_prompt_waits(self):
        os.mkdir(os.path.join(self.folder, "r"))
        self.replay("r/a.spr", racer="alpha", time="1,20,0,0")
        self.replay("b.spr", racer="beta", time="1,21,0,0")
        self.replay("c.spr", racer="carl", time="1,22,0,0")
        z = self.start("--board", "site", "r")
        z.expect_prompt()
        self.assertIn('"alpha"', self.board())
        z.run("l b.spr")
        z.run("l c.spr")  # within a second of the rewrite before: written when due
        self.on_board('"carl"', 1.5 + 20 * LOAD_SECONDS)
        self.replay("r/d.spr", racer="dora", time="1,10,0,0")
        self.on_board('"dora"', ARRIVAL_SECONDS + 1.5 + 20 * LOAD_SECONDS)

"""Ctrl-C at random moments of folder loads and listings: the process stays,
every interrupted load writes its summary with the counts so far, the prompt
comes back, and the store stays exactly what the loads that did happen make.

The tree holds replays of many cells, several racers a cell, equal times
and later improvements by the same racer (so that entries are removed and
put back inside rankings while the signals come), and cells with more
racers than a ranking holds. Each round types `l DIR` and sends SIGINT, as
the key (byte 3 through the terminal) or with kill, at a random moment: a
random amount of the load's output, then a random pause. After the rounds
every ranking shown by `pdb` is checked (strictly increasing times,
positions 0..n-1, each racer once), and the store is compared row for row
with a run of zeb on a pipe that loads the same files in the same order:
the `l PATH` lines of each round's interrupted part, then the whole folder
(loads depend on their order: a time refused for a tie can be taken once
the other racer has improved). Every four rounds the store is shown, then
emptied with `d`, so that each pipe run stays short. `zeb DIR FILE` with
SIGINT during the start-up folder load still loads FILE and prompts.

Environment: ZEB_RACE_SEED (printed; random by default), ZEB_RACE_REPLAYS
(the tree's size; 4,000, or 2,000 with AddressSanitizer), ZEB_RACE_ROUNDS
(12, or 6 with AddressSanitizer), ZEB_RACE_TREE (an existing tree to use
instead, read only; its files need not be made by this test). A long run,
from tests/tty, on a tree of 50,000 replays and on the benchmark's workload:

  ZEB=../../build/zeb MAKE_REPLAY=../../build/make_replay \\
    ZEB_RACE_REPLAYS=50000 ZEB_RACE_ROUNDS=200 python3 -m unittest -v test_races
  ZEB=../../build/zeb MAKE_REPLAY=../../build/make_replay ZEB_RACE_TREE=/tmp/zeb-bench \\
    ZEB_RACE_ROUNDS=100 python3 -m unittest -v test_races.LoadsInterrupted
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

import pexpect

from tty_session import (COLUMNS, CTRL_C, CTRL_D, ENTER, PROMPT, ROWS, TIMEOUT, ZEB, Session,
                         SessionTest, make_replays)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from replay_paths import replay_paths  # noqa: E402


def _sanitized():
    with open(ZEB, "rb") as f:
        return b"AddressSanitizer" in f.read()


SANITIZED = _sanitized()
SEED = int(os.environ.get("ZEB_RACE_SEED", random.randrange(1 << 32)))
REPLAYS = int(os.environ.get("ZEB_RACE_REPLAYS", 2000 if SANITIZED else 4000))
ROUNDS = int(os.environ.get("ZEB_RACE_ROUNDS", 6 if SANITIZED else 8))
TREE = os.environ.get("ZEB_RACE_TREE")
print(f"test_races: ZEB_RACE_SEED={SEED} ZEB_RACE_REPLAYS={REPLAYS} ZEB_RACE_ROUNDS={ROUNDS}"
      + (f" ZEB_RACE_TREE={TREE}" if TREE else ""), flush=True)

# The layouts a replay can name, with their track's long name (FE7R is
# never filled from a replay), and the cars by long name.
LAYOUTS = [("Aston", f"AS{n}{r}") for r in ("", "R") for n in range(1, 8)] + \
          [("Blackwood", c) for c in ("BL1", "BL2", "BL1R", "BL2R")] + \
          [("Fern Bay", f"FE{n}{r}") for r in ("", "R") for n in range(1, 7)] + \
          [("Kyoto Ring", f"KY{n}{r}") for r in ("", "R") for n in range(1, 4)] + \
          [("South City", f"SO{n}{r}") for r in ("", "R") for n in range(1, 6)] + \
          [("Westhill", c) for c in ("WE1", "WE1R")]
CARS = ["BMW SAUBER", "FORMULA V8", "FORMULA XR", "FXO TURBO", "FZ50", "FZ50 GTR", "LX4", "LX6",
        "MRT5", "RA", "RB4 GT", "UF 1000", "UF GTR", "XF GTI", "XF GTR", "XR GT", "XR GTR",
        "XR GT TURBO"]

# A listing row: "pos\tracer\t\tcode\tcar padded\ttime (lap)".
ROW = re.compile(r"^(\d+)\t(.*)\t\t(\S*)\t(.*?) *\t(\d\d:\d\d\.\d\d\d) \((\d+)\)$")
WINDOW = 4096  # how far back a wait looks for its text: the output is long


def make_tree(top, count, rng):
    """`count` replays in folders two deep; a few cells get more racers than
    a ranking holds, the others a few dozen; times come from a short range."""
    cells = [(track, code, car) for track, code in LAYOUTS for car in CARS]
    rng.shuffle(cells)
    cells = cells[:max(8, count // 120)]
    pools = [rng.choice([25, 40, 60, 240]) for _ in cells]
    weights = [4 if pool > 150 else 1 for pool in pools]
    # However the pools fall, one ranking overflows: a third of the replays
    # among 240 racers.
    pools[0] = 240
    weights[0] = sum(weights[1:]) // 2 + 1
    specs = []
    for i in range(count):
        c = rng.choices(range(len(cells)), weights)[0]
        track, code, car = cells[c]
        racer = f"r{rng.randrange(pools[c])}"
        ms = 60000 + 10 * rng.randrange(400) + rng.choice([0, 0, 5])
        time_field = f"{ms // 60000},{ms // 1000 % 60},{ms % 1000 // 10},{ms % 10}"
        folder = os.path.join(top, f"g{rng.randrange(8)}", f"h{rng.randrange(8)}")
        name = f"{rng.randrange(10 ** 6):06d}_{i}.{rng.choice(['spr', 'SPR'])}"
        specs.append((os.path.join(folder, name), {
            "racer": racer, "track": track, "code": code, "car": car, "time": time_field,
            "lap": rng.randrange(1, 9)}))
    for folder in {os.path.dirname(p) for p, _ in specs}:
        os.makedirs(folder, exist_ok=True)
    make_replays(specs)


def rows_of(text):
    """The listing rows in `text`, terminal line ends or not. While a command
    runs the terminal echoes a Ctrl-C key as "^C", wherever the output is."""
    text = text.replace("^C", "").replace("\r\n", "\n")
    return [line for line in text.split("\n") if ROW.match(line)]


def listings_of(text):
    """Every pdb listing in a pipe's output, each as its rows."""
    parts = text.split("\nPOS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)\n")[1:]
    return [rows_of(part.split("\nZEB> ")[0]) for part in parts]


class Reader:
    """What zeb writes, taken as it comes: waits look only at the last few
    thousand characters, while everything not yet taken is kept."""

    def __init__(self, child):
        self.child = child
        self.chunks = []  # older text not taken yet
        self.tail = ""  # the newest text, where waits look

    def more(self, timeout):
        try:
            data = self.child.read_nonblocking(65536, timeout=timeout)
        except pexpect.EOF:
            raise AssertionError("zeb ended")
        self.tail += data
        return len(data)

    def keep_tail_short(self):
        if len(self.tail) > WINDOW:
            self.chunks.append(self.tail[:-WINDOW])
            self.tail = self.tail[-WINDOW:]

    def wait(self, pattern, timeout):
        """Waits for the pattern; returns the text before it and the match."""
        deadline = time.monotonic() + timeout
        while True:
            m = pattern.search(self.tail)
            if m:
                before = "".join(self.chunks) + self.tail[:m.start()]
                self.chunks, self.tail = [], self.tail[m.end():]
                return before, m
            self.keep_tail_short()
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"no {pattern.pattern!r} within {timeout} s;"
                                     f" the last text: {self.tail[-300:]!r}")
            try:
                self.more(min(left, 1.0))
            except pexpect.TIMEOUT:
                pass

    def take_rest(self):
        rest = "".join(self.chunks) + self.tail
        self.chunks, self.tail = [], ""
        return rest


class NoFlushSession(Session):
    """zeb in a terminal set to noflsh: Ctrl-C there discards no output not
    yet read (a summary written just before it would be lost otherwise)."""

    def __init__(self, args, cwd):
        env = dict(os.environ, TERM="xterm", INPUTRC="/dev/null", LC_ALL="C")
        env.pop("COLUMNS", None)
        env.pop("LINES", None)
        self.child = pexpect.spawn("/bin/sh", ["-c", 'stty noflsh; exec "$0" "$@"', ZEB, *args],
                                   cwd=cwd, env=env, encoding="utf-8", codec_errors="replace",
                                   dimensions=(ROWS, COLUMNS), timeout=TIMEOUT)
        self.shown = ""
        self.shell = False


class RaceTest(SessionTest):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="zeb-tty-races-")
        if TREE:
            cls.top = os.path.abspath(TREE)
        else:
            cls.top = os.path.join(cls.work, "tree")
            make_tree(cls.top, REPLAYS, random.Random(SEED))
        cls.paths = replay_paths(cls.top)
        cls.extra = os.path.join(cls.work, "extra.spr")
        make_replays([(cls.extra, {"racer": "extra_racer", "code": "WE1", "track": "Westhill"})])
        # The reference: one full load on a pipe.
        out = cls.pipe([b"l " + cls.top.encode(), b"pdb"])
        summary = re.search(rf"\t{re.escape(cls.top)}: (\d+) replay files, (\d+) filed\n", out)
        cls.total = int(summary.group(1))
        cls.full_store = listings_of(out)[-1]
        cls.load_output = out.index("\nPOS\t")  # about the size of one load's output
        if not TREE:  # the tree makes the rankings move
            for message in ("about to update racer's laptime", "database was full",
                            "inserted at pos", "racer has a better laptime"):
                assert message in out, message

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, True)

    @classmethod
    def pipe(cls, lines):
        """zeb on a pipe, given these lines; its output."""
        script = cls.work + "/script"
        with open(script, "wb") as f:
            f.write(b"".join(line + b"\n" for line in lines))
        with open(script, "rb") as f:
            done = subprocess.run([ZEB], stdin=f, capture_output=True, timeout=TIMEOUT * 30)
        return done.stdout.decode("utf-8", "replace")

    def setUp(self):
        super().setUp()
        self.rng = random.Random(SEED + zlib.crc32(self.id().encode()))
        self.signals = 0

    def start_zeb(self, *args):
        z = NoFlushSession(args, self.folder)
        self.addCleanup(z.close)
        self.out = Reader(z.child)
        return z

    def wait(self, text, timeout=None):
        return self.out.wait(re.compile(re.escape(text)), timeout or TIMEOUT * 10)

    def wait_summary(self, timeout=None):
        """The folder load's summary: its two counts."""
        pattern = re.compile(rf"\t{re.escape(self.top)}: (\d+) replay files, (\d+) filed\r\n")
        _, m = self.out.wait(pattern, timeout or TIMEOUT * 30)
        return int(m.group(1)), int(m.group(2))

    def settle(self):
        """Reads until zeb has been quiet a moment; a signal that landed at
        the prompt has shown its fresh prompt by then. Whatever came."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            try:
                self.out.more(0.25)
            except pexpect.TIMEOUT:
                return self.out.take_rest()
            self.out.keep_tail_short()
        self.fail("zeb does not stop writing")

    def back_at_the_prompt(self, z):
        rest = self.settle()
        self.assertTrue(rest == "" or rest.endswith("\n" + PROMPT), repr(rest[-200:]))
        self.assertTrue(z.alive())

    def interrupt_after(self, z, output_bytes):
        """Reads about this much output (less when the prompt comes first),
        waits a random moment, then sends SIGINT, as the key or with kill,
        now and then twice."""
        got = 0
        while got < output_bytes and PROMPT not in self.out.tail[-2 * len(PROMPT):]:
            try:
                got += self.out.more(TIMEOUT)
            except pexpect.TIMEOUT:
                break
        time.sleep(self.rng.choice([0, 0, self.rng.uniform(0, 0.05)]))
        for _ in range(self.rng.choice([1, 1, 1, 2])):
            if self.rng.random() < 0.5:
                z.keys(CTRL_C)
            else:
                os.kill(z.child.pid, signal.SIGINT)
            self.signals += 1

    def check_rankings(self, rows):
        """Every ranking: positions 0..n-1 in order, strictly increasing
        times, each racer once."""
        cells = {}
        for row in rows:
            pos, racer, code, car, laptime, _ = ROW.match(row).groups()
            cells.setdefault((code, car), []).append((int(pos), racer, laptime))
        for cell, entries in cells.items():
            self.assertEqual([p for p, _, _ in entries], list(range(len(entries))), cell)
            times = [t for _, _, t in entries]
            self.assertTrue(all(a < b for a, b in zip(times, times[1:])), cell)
            racers = [r for _, r, _ in entries]
            self.assertEqual(len(set(racers)), len(racers), cell)

    def pdb(self, z, stop=False):
        """The rows of a pdb listing, stopped with a signal when `stop`."""
        z.keys("pdb" + ENTER)
        self.wait("LAPTIME (LAP)")
        if stop:
            self.interrupt_after(z, self.rng.randrange(len(self.full_store) * 40 + 1))
        before, _ = self.wait("\n" + PROMPT, TIMEOUT * 30)
        rows = rows_of(before)
        self.check_rankings(rows)
        return rows


class LoadsInterrupted(RaceTest):
    def test_signals_during_folder_loads_and_listings_keep_every_ranking_whole(self):
        z = self.start_zeb()
        self.wait(PROMPT)
        interrupted = 0
        for segment in range(0, ROUNDS, 4):
            # A few loads, then the store shown and compared with the same
            # loads on a pipe; then the store is emptied for the next ones.
            loads = []  # the pipe's lines that load what the terminal loaded
            shown = []  # the listings, and whether each was stopped
            for round_number in range(segment, min(segment + 4, ROUNDS)):
                z.keys(f"l {self.top}" + ENTER)
                signalled = self.rng.random() < 0.9
                if signalled:
                    self.interrupt_after(z, self.rng.randrange(self.load_output + 1))
                found, filed = self.wait_summary()
                self.assertLessEqual(filed, found)
                self.assertLessEqual(found, self.total)
                if not signalled:
                    self.assertEqual(found, self.total)
                interrupted += found < self.total
                self.wait(PROMPT)
                self.back_at_the_prompt(z)
                loads += [b"l " + p for p in self.paths[:found]]
                if self.rng.random() < 0.3:  # a listing, now and then stopped too
                    stop = self.rng.random() < 0.5
                    shown.append((self.pdb(z, stop), stop))
                    self.back_at_the_prompt(z)
                    loads.append(b"pdb")
            # A last load without signals, then the whole store.
            z.keys(f"l {self.top}" + ENTER)
            self.assertEqual(self.wait_summary()[0], self.total)
            self.wait(PROMPT)
            shown.append((self.pdb(z), False))
            loads += [b"l " + self.top.encode(), b"pdb"]
            expected = listings_of(self.pipe(loads))
            self.assertEqual(len(expected), len(shown))
            for (rows, stopped), whole in zip(shown, expected):
                self.assertEqual(rows, whole[:len(rows)] if stopped else whole)
            z.keys("d" + ENTER)
            self.wait("completely delete everything in the database (y/)? ")
            z.keys("y" + ENTER)
            self.wait("\tdeletion completed succesfully\r\n")
            self.wait(PROMPT)
        z.keys(CTRL_D)
        z.wait_for_end()
        self.assertEqual(z.child.exitstatus, 0)
        print(f"test_races: {ROUNDS} rounds, {interrupted} loads stopped, {self.signals} signals,"
              f" {self.total} replays", flush=True)


class StartUpLoadInterrupted(RaceTest):
    def zeb_catches_ctrl_c(self, pid):
        """Whether zeb has its SIGINT handler yet (before it, Ctrl-C ends any program)."""
        if os.readlink(f"/proc/{pid}/exe") != os.path.realpath(ZEB):
            return False  # still the shell that sets the terminal up
        with open(f"/proc/{pid}/status") as f:
            caught = next(line for line in f if line.startswith("SigCgt:"))
        return int(caught.split()[1], 16) & (1 << (signal.SIGINT - 1))

    def test_ctrl_c_during_the_start_up_folder_load_lets_the_next_arguments_load(self):
        for _ in range(max(2, ROUNDS // 4)):
            z = self.start_zeb(self.top, self.extra)
            deadline = time.monotonic() + TIMEOUT
            while not self.zeb_catches_ctrl_c(z.child.pid):
                self.assertLess(time.monotonic(), deadline)
                time.sleep(0.001)
            self.interrupt_after(z, self.rng.randrange(self.load_output + 1))
            found, filed = self.wait_summary()
            self.assertLessEqual(filed, found)
            self.assertLessEqual(found, self.total)
            self.wait(f"\t{self.extra} loaded!\r\n")
            self.wait(PROMPT)
            self.back_at_the_prompt(z)
            rows = self.pdb(z)
            loads = [b"l " + p for p in self.paths[:found]] + [b"l " + self.extra.encode()]
            self.assertEqual(rows, listings_of(self.pipe(loads + [b"pdb"]))[-1])
            z.keys(CTRL_D)
            z.wait_for_end()
            self.assertEqual(z.child.exitstatus, 0)
        print(f"test_races: start-up loads, {self.signals} signals", flush=True)


if __name__ == "__main__":
    unittest.main()

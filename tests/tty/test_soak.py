"""Key-press soak: random key sequences, Ctrl-C and Ctrl-Z at a terminal,
interleaved with real commands, against a model of what the store holds.

The run is bounded and repeatable: ZEB_SOAK_SEQUENCES key sequences (default
80; CTest's tty.soak_long, labelled long, runs 1500) from the seed ZEB_SOAK_SEED (default printed at the start). The long
run is the same test with more sequences, for example against the sanitizer
build:

    ZEB=build-sanitize/zeb MAKE_REPLAY=build-sanitize/make_replay \\
    ZEB_SOAK_SEQUENCES=20000 ZEB_TTY_TIMEOUT=60 \\
    python3 -m unittest -v test_soak        (from tests/tty)

After every batch of sequences a command with a known answer must get that
answer; at checkpoints `find` of every soak racer must match the model, and
at the end the whole `pdb` listing must equal it cell by cell: nothing lost,
nothing deleted without a "y".
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time
import unittest

from tty_session import (BACKSPACE, CTRL_A, CTRL_C, CTRL_D, CTRL_E, CTRL_K, CTRL_U, CTRL_W,
                         DELETE, DOWN, END, ENTER, HOME, LEFT, PROMPT, RIGHT, UP, SessionTest,
                         make_replays, needs_editor, screen_lines)

# See readline_leaks.supp.
os.environ["LSAN_OPTIONS"] = ":".join(
    filter(None, [os.environ.get("LSAN_OPTIONS"),
                  "suppressions=" + os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                 "readline_leaks.supp")]))
SEQUENCES = int(os.environ.get("ZEB_SOAK_SEQUENCES", "80"))
# Replays copied into the watched folder at once while a question waits:
# more events than the system's queue holds (inotify's 16384, three a file).
BURST = 6000
SEED = int(os.environ.get("ZEB_SOAK_SEED", "15015"))
CTRL_Z = "\x1a"

# The store that makes `pdb` long: every car of Blackwood, FILL racers each.
CARS = ["BMW SAUBER", "FORMULA V8", "FORMULA XR", "FXO TURBO", "FZ50", "FZ50 GTR", "LX4",
        "LX6", "MRT5", "RA", "RB4 GT", "UF 1000", "UF GTR", "XF GTI", "XF GTR", "XR GT",
        "XR GTR", "XR GT TURBO"]
FILL = 120
# The racers that come and go while the soak runs, on a few cars.
SOAK_RACERS = [f"soak{i}" for i in range(6)]
SOAK_CARS = ["FZ50", "XR GT TURBO", "RA"]

# Keys the random sequences are made of. Enter is not among them (a random
# line must not run), nor Ctrl-D (it ends an empty line), Ctrl-Z and Ctrl-\
# (sent on purpose elsewhere) or Ctrl-S/Ctrl-Q (flow control). The history
# keys (Up, Down, Page Up/Down, Ctrl-P/N, Ctrl-R, Alt-P/N/</>/./R, undo) edit
# and search the lines entered before, which is where the undo records that
# readline shares between lines live.
ESCAPES = [LEFT, RIGHT, HOME, END, DELETE, UP, DOWN, "\x1bOH", "\x1bOF", "\x1b[1~", "\x1b[4~",
           "\x1b[2~", "\x1b[5~", "\x1b[6~", "\x1b[1;5C", "\x1b[1;5D", "\x1b[15~", "\x1b[99~",
           "\x1b[Z", "\x1bb", "\x1bf", "\x1bd", "\x1b\x7f", "\x1b", "\x1b[", "\x1bO",
           "\x1bp", "\x1bn", "\x1b<", "\x1b>", "\x1b.", "\x1br", "\x1b3",
           "\x1b[200~", "\x1b[201~", "\x1b[?1;2c", "\x1b[" + "9" * 40 + "x"]
CONTROLS = [CTRL_A, CTRL_E, CTRL_K, CTRL_U, CTRL_W, BACKSPACE, "\x08", "\x02", "\x06", "\x14",
            "\x19", "\x0c", "\x18", "\x16", "\x07", "\x1f", "\x1d", "\t", "\x12", "\x10",
            "\x0e"]


def random_keys(rng):
    keys = []
    for _ in range(rng.randint(1, 12)):
        kind = rng.random()
        if kind < 0.5:
            keys.append("".join(chr(rng.randint(32, 126)) for _ in range(rng.randint(1, 8))))
        elif kind < 0.7:
            keys.append(rng.choice(ESCAPES))
        else:
            keys.append(rng.choice(CONTROLS))
    return "".join(keys)


class Model:
    """What the Blackwood cells hold: car -> {racer: time in hundredths}."""

    def __init__(self):
        self.cells = {car: {} for car in CARS}

    def load(self, racer, car, hundredths):
        cell = self.cells[car]
        if len(cell) >= 150 or racer in cell and cell[racer] <= hundredths:
            return
        if hundredths in cell.values() and cell.get(racer) != hundredths:
            # a tie with another racer is refused; a replacement loses the old entry
            cell.pop(racer, None)
            return
        cell[racer] = hundredths

    def delete_racer(self, racer):
        for cell in self.cells.values():
            cell.pop(racer, None)

    def ranking(self, car):
        cell = self.cells[car]
        return sorted(cell, key=lambda racer: cell[racer])

    def found_lines(self, racer):
        lines = []
        for car in CARS:
            ranking = self.ranking(car)
            if racer in ranking:
                lines.append(f"{racer} found on track Blackwood (bl1) with {car}, "
                             f"at pos {ranking.index(racer)}")
        return lines


def rows_by_car(lines):
    """The rows of a pdb listing: car -> [(pos, racer)] in listing order."""
    cars = {}
    for line in lines:
        fields = line.split("\t")
        if len(fields) == 6 and fields[0].isdigit():
            cars.setdefault(fields[4].rstrip(" "), []).append((int(fields[0]), fields[1]))
    return cars


@needs_editor
class Soak(SessionTest):
    @classmethod
    def setUpClass(cls):
        cls.store_folder = tempfile.mkdtemp(prefix="zeb-tty-soak-")
        specs = []
        for c, car in enumerate(CARS):
            for r in range(FILL):
                specs.append((os.path.join(cls.store_folder, f"f{c:02d}_{r:03d}.spr"),
                              {"racer": f"racer{r}", "car": car,
                               "time": f"1,{10 + r // 100},{r % 100},0"}))
        # Each soak racer on each soak car, in a slow and a faster version.
        cls.pool = []
        for i, racer in enumerate(SOAK_RACERS):
            for c, car in enumerate(SOAK_CARS):
                for speed, seconds in (("slow", 40), ("fast", 30)):
                    hundredths = i * 10 + c
                    path = os.path.join(cls.store_folder, f"{racer}_{c}_{speed}.spr")
                    specs.append((path, {"racer": racer, "car": car,
                                         "time": f"1,{seconds},{hundredths},0"}))
                    cls.pool.append((path, racer, car, (60 + seconds) * 100 + hundredths))
        make_replays(specs)
        cls.fill = [spec[0] for spec in specs[:len(CARS) * FILL]]

    @classmethod
    def tearDownClass(cls):
        import shutil
        shutil.rmtree(cls.store_folder, True)

    def setUp(self):
        super().setUp()
        self.rng = random.Random(SEED)
        self.model = Model()
        for r in range(FILL):
            for car in CARS:
                self.model.load(f"racer{r}", car, 7000 + (r // 100) * 100 + r % 100)
        self.syncs = 0
        self.arrivals = 0
        self.bursts = 0
        self.sent = []
        self.signals = {"SIGINT": 0, "SIGTSTP": 0, "SIGCONT": 0}

    # The terminal answers: a known command gets its known answer.
    def sync(self):
        z = self.zeb
        self.syncs += 1
        line = f"f sync {self.syncs}"
        # A Ctrl-C sent right behind the last keys may still be on its way
        # (a sanitized build is slow to take it): wait until the screen is
        # still, then start from a fresh prompt of our own.
        try:
            z.drain()
            z.keys(CTRL_C)
            z.expect("\r\n" + PROMPT)
            z.drain(0.1)
            z.keys(line + ENTER)
            z.expect(line + "\r\n\tsyntax error\r\n")
        except Exception:
            try:
                z.drain(0.5)
            except Exception:
                pass  # zeb has ended: what it wrote is in z.shown already
            print(f"\nno answer to {line!r}; seed {SEED}; last keys: {self.sent[-10:]!r}; "
                  f"last shown: {z.shown[-1500:]!r}",
                  file=sys.stderr)
            raise
        z.expect_prompt()
        self.assertTrue(z.alive())

    def ctrl_c(self):
        self.signals["SIGINT"] += 1
        self.zeb.keys(CTRL_C)

    def check_finds(self):
        for racer in SOAK_RACERS:
            self.zeb.keys(f"find {racer}" + ENTER)
            self.zeb.expect(f"find {racer}\r\n")
            lines = screen_lines(self.zeb.expect_prompt())
            got = [line for line in lines if " found on track " in line]
            self.assertEqual(got, self.model.found_lines(racer), f"seed {SEED}")

    # A replay saved into the watched folder while keys are being typed: it
    # loads above the line, or, when the keys left the editor reading a key
    # sequence of its own (a paste, a question), once Ctrl-C ends that; the
    # model takes it as a load. The terminal discards what zeb wrote and
    # nobody read yet when Ctrl-C is typed, so the wait for the replay reads
    # the screen all along, as a terminal does.
    def arrive(self, keys):
        path, racer, car, hundredths = self.rng.choice(self.pool)
        self.arrivals += 1
        loaded = f"arrival{self.arrivals}.spr loaded!"
        self.zeb.keys(keys)
        shutil.copyfile(path, os.path.join(self.watched, f"arrival{self.arrivals}.spr"))
        # Ctrl-C at once (the replay loads at the next prompt), or once it
        # had the time to load above the line.
        shown = self.rng.random() < 0.5 and self.zeb.expect_within(loaded, 1.5)
        self.ctrl_c()
        if not shown:
            self.zeb.expect(loaded)
        self.model.load(racer, car, hundredths)

    # Thousands of replays copied in while a del question holds arrivals back:
    # the events overflow the system's queue, and all of them load all the same,
    # in path order, once the question is answered.
    def burst_past_the_queue(self):
        z, rng = self.zeb, self.rng
        self.bursts += 1
        racer = rng.choice(SOAK_RACERS)
        aside = os.path.join(self.folder, f"burst{self.bursts}")
        os.mkdir(aside)
        picks = [rng.choice(self.pool) for _ in range(BURST)]
        for i, (path, _, _, _) in enumerate(picks):
            shutil.copyfile(path, os.path.join(aside, f"{i:05}.spr"))
        into = os.path.join(self.watched, f"burst{self.bursts}")
        os.mkdir(into)
        time.sleep(1)  # watched by now
        z.keys(f"d -r {racer}" + ENTER)
        z.expect(f"delete racer {racer} from everywhere (y/)? ")
        subprocess.run(["cp", "-t", into] + [os.path.join(aside, f"{i:05}.spr") for i in range(BURST)],
                       check=True, timeout=120)
        z.keys("n" + ENTER)
        z.expect("\toperation cancelled by the user")
        summary = re.escape(self.watched) + r": (\d+) replay files, \d+ filed"
        arrived = 0
        while arrived < BURST:
            z._read_to(summary, exact=False, timeout=120)
            arrived += int(z.child.match.group(1))
        self.assertEqual(arrived, BURST, f"seed {SEED}")
        for _, racer, car, hundredths in picks:
            self.model.load(racer, car, hundredths)
        z.expect_prompt()

    # The commands, each with its effect on the model.
    def load(self):
        path, racer, car, hundredths = self.rng.choice(self.pool)
        self.zeb.keys(f"l {path}" + ENTER)
        self.zeb.expect(f"l {path}\r\n")
        self.zeb.expect_prompt()
        self.model.load(racer, car, hundredths)

    def delete(self):
        z, rng = self.zeb, self.rng
        whole = rng.random() < 0.3
        racer = rng.choice(SOAK_RACERS)
        if whole:
            z.keys("d" + ENTER)
            z.expect("completely delete everything in the database (y/)? ")
        else:
            z.keys(f"d -r {racer}" + ENTER)
            z.expect(f"delete racer {racer} from everywhere (y/)? ")
        answer = rng.choice(["y", "Y", "yes", "n", "no", "", "yes please", " y", "ctrl-c",
                             "edited-y", "edited-n"])
        if whole and answer in ("y", "Y", "yes", "edited-y"):
            answer = "n"  # the fill that makes the listings long stays
        held = any(racer in cell for cell in self.model.cells.values())
        done = "\tdeletion completed" if held else "\tno data found to be deleted"
        if answer == "ctrl-c":
            z.type_and_wait(rng.choice(["", "y", "ye"]))
            self.ctrl_c()
            z.expect("\toperation cancelled by the user")
        elif answer.startswith("edited-"):
            # An answer edited with the keys: typed wrong, then corrected.
            final = answer[-1]
            z.keys("x" + LEFT + BACKSPACE + DELETE + final + HOME + RIGHT + CTRL_K + ENTER)
            z.expect(done if final == "y" else "\toperation cancelled by the user")
            answer = final
        else:
            z.keys(answer + ENTER)
            z.expect(done if answer.lower() in ("y", "yes") else "\toperation cancelled by the user")
        z.expect_prompt()
        if answer.lower() in ("y", "yes"):
            self.model.delete_racer(racer)

    def listing_with_ctrl_c(self):
        z = self.zeb
        z.keys("pdb" + ENTER)
        z.expect("LAPTIME (LAP)")
        time.sleep(self.rng.random() * 0.05)
        self.ctrl_c()
        self.sync()

    def stop_and_continue(self):
        """Ctrl-Z stops zeb; the shell takes the terminal back in its own
        mode, and `fg` sends SIGCONT: zeb's line and mode come back."""
        z = self.zeb
        text = "".join(self.rng.choice("abcdefgh") for _ in range(self.rng.randint(1, 6)))
        z.type_and_wait("f " + text)
        editing = termios.tcgetattr(self.terminal)
        self.signals["SIGTSTP"] += 1
        z.keys(CTRL_Z)
        z.expect("[stopped]")
        self.wait_for_state("T")
        # The job shell has the terminal in its own line-wise mode now.
        self.assertTrue(termios.tcgetattr(self.terminal)[3] & termios.ICANON)
        self.signals["SIGCONT"] += 1
        z.keys("fg" + ENTER)
        z.expect("fg\r\n")
        z.expect(PROMPT + "f " + text)
        self.assertEqual(termios.tcgetattr(self.terminal)[3], editing[3], "terminal mode")
        # The editor edits again: Home, a correction, and the line runs.
        z.keys(HOME + RIGHT + "ind" + CTRL_E + "z" + BACKSPACE)
        self.assertEqual(z.current_line(0.1), PROMPT + "find " + text)
        z.keys(ENTER)
        z.expect_prompt()

    def wait_for_state(self, state):
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            with open(f"/proc/{self.pid}/stat") as f:
                if f.read().rsplit(")", 1)[1].split()[0] == state:
                    return
            time.sleep(0.01)
        self.fail(f"zeb did not reach state {state}")

    def test_random_keys_signals_and_commands_keep_the_store(self):
        print(f"\nsoak: seed {SEED} (ZEB_SOAK_SEED), {SEQUENCES} sequences (ZEB_SOAK_SEQUENCES)",
              file=sys.stderr)
        started = time.monotonic()
        self.watched = os.path.join(self.folder, "watched")
        os.mkdir(self.watched)
        self.zeb = z = self.start(*self.fill, self.watched, job_control=True)
        z.child.delaybeforesend = None  # thousands of sends: no pause before each
        z.expect_prompt()
        self.pid = z.zeb_pid()
        self.terminal = os.open(os.readlink(f"/proc/{self.pid}/fd/0"), os.O_RDWR | os.O_NOCTTY)
        self.addCleanup(os.close, self.terminal)
        self.sync()
        rng = self.rng
        for done in range(1, SEQUENCES + 1):
            keys = random_keys(rng)
            self.sent.append(keys)
            ending = rng.random()
            if ending < 0.05:
                self.arrive(keys)
            elif ending < 0.5:
                # Ctrl-C right behind the keys, while the editor may still be at them.
                z.keys(keys)
                self.ctrl_c()
            else:
                # Ctrl-C once the editor has shown what the keys did.
                z.keys(keys)
                z.drain(0.002)
                self.ctrl_c()
            if done % 10 == 0:
                self.sync()
                choice = rng.random()
                if choice < 0.3:
                    self.load()
                elif choice < 0.45:
                    self.delete()
                elif choice < 0.5:
                    self.listing_with_ctrl_c()
                elif choice < 0.55:
                    self.stop_and_continue()
                if done % 500 == SEQUENCES // 2 % 500:
                    self.burst_past_the_queue()
                self.sync()
            if done % 500 == 0:
                self.check_finds()
        self.check_finds()
        # The whole store, cell by cell.
        z.keys("pdb" + ENTER)
        z.expect("pdb\r\n")
        cars = rows_by_car(screen_lines(z.expect_prompt()))
        for car in CARS:
            ranking = self.model.ranking(car)
            self.assertEqual(cars.get(car, []), list(enumerate(ranking)), f"{car}, seed {SEED}")
        z.keys(CTRL_D)
        self.assertIn("status=0", z.wait_for_end())
        print(f"soak: {SEQUENCES} sequences, {self.arrivals} replays arrived, {self.bursts} bursts, signals {self.signals}, "
              f"{time.monotonic() - started:.1f} s", file=sys.stderr)


if __name__ == "__main__":
    unittest.main()

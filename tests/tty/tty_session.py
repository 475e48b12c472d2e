"""Drives the built zeb in a real pseudo-terminal, as a user at a terminal.

Shared by the terminal tests: key bytes, a session with bounded waits, the
screen as it shows after the line editor's redisplay, and replay fixtures
made with the project's fixture builder. The programs come from the
environment: ZEB (the binary), MAKE_REPLAY (the fixture builder) and
ZEB_LINE_EDITOR ("readline" or "none", as the build chose).

A ZEB that ends in ".exe" is the Windows build: ConsoleSession runs it under
Wine (WINEPREFIX from the environment) in a tmux pane, whose screen shows what
Wine's console draws there.
"""
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pexpect

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from piped_zeb import PipedZeb  # noqa: E402,F401  (the tests take it from here)

ZEB = os.environ["ZEB"]
MAKE_REPLAY = os.environ["MAKE_REPLAY"]
LINE_EDITOR = os.environ.get("ZEB_LINE_EDITOR", "readline")
# Sanitized builds are slower; every wait is bounded all the same.
TIMEOUT = float(os.environ.get("ZEB_TTY_TIMEOUT", "20"))

# The bytes a terminal sends for these keys.
ENTER = "\r"
TAB = "\t"
LEFT = "\x1b[D"
RIGHT = "\x1b[C"
UP = "\x1b[A"
DOWN = "\x1b[B"
HOME = "\x1b[H"
END = "\x1b[F"
DELETE = "\x1b[3~"
BACKSPACE = "\x7f"
CTRL_A = "\x01"
CTRL_C = "\x03"
CTRL_D = "\x04"
CTRL_E = "\x05"
CTRL_K = "\x0b"
CTRL_R = "\x12"
CTRL_U = "\x15"
CTRL_W = "\x17"

PROMPT = "ZEB> "
ROWS, COLUMNS = 24, 200

WINDOWS = ZEB.lower().endswith(".exe")
# A Wine prefix that is new takes a while to set up at the first start.
WINE_START_TIMEOUT = float(os.environ.get("ZEB_WINE_START_TIMEOUT", "180"))

needs_editor = unittest.skipUnless(LINE_EDITOR in ("readline", "win32"),
                                   "built without a line editor")
# The fixture builder of a Windows build runs under Wine too.
BUILDER = (["wine"] if MAKE_REPLAY.lower().endswith(".exe") else []) + [MAKE_REPLAY]

_CSI = re.compile(r"\x1b\[([0-9;?]*)([@-~])")


def screen_lines(text):
    """The lines as a terminal shows them: the editor's cursor moves,
    overwrites and erasures applied; other escape sequences dropped."""
    lines, row, col = [[]], 0, 0
    i = 0
    while i < len(text):
        ch = text[i]
        m = _CSI.match(text, i) if ch == "\x1b" else None
        if m:
            args, final = m.group(1), m.group(2)
            n = int(args) if args.isdigit() else 1
            line = lines[row]
            if final == "C":
                col += n
            elif final == "D":
                col = max(0, col - n)
            elif final == "K":
                del line[col:]
            elif final == "P":
                del line[col:col + n]
            elif final == "@":
                line[col:col] = [" "] * n
            i = m.end()
            continue
        if ch == "\x1b":  # another escape: ESC and one byte
            i += 2
            continue
        if ch == "\r":
            col = 0
        elif ch == "\n":
            row += 1
            if row == len(lines):
                lines.append([])
        elif ch == "\b":
            col = max(0, col - 1)
        elif ch == "\x07":
            pass
        elif ch >= " " or ch == "\t":
            line = lines[row]
            while len(line) < col:
                line.append(" ")
            if col < len(line):
                line[col] = ch
            else:
                line.append(ch)
            col += 1
        i += 1
    return ["".join(line).rstrip(" ") for line in lines]


class Session:
    """zeb in a pty of ROWS x COLUMNS. With shell=True it runs under sh, which
    then prints zeb's exit status and `stty -a`, to see the terminal zeb left;
    with job_control=True a shell's job control runs it (job_shell.py)."""

    def __init__(self, args=(), cwd=None, shell=False, job_control=False):
        env = dict(os.environ, TERM="xterm", INPUTRC="/dev/null", LC_ALL="C")
        env.pop("COLUMNS", None)
        env.pop("LINES", None)
        if shell:
            quoted = " ".join(_quote(a) for a in [ZEB, *args])
            # The shell waits out Ctrl-C (a trap, not an ignore, so zeb gets it).
            script = f"trap : INT; {quoted}; echo status=$?; stty -a"
            command, argv = "/bin/sh", ["-c", script]
        elif job_control:
            # A job that Ctrl-Z stops and "fg" resumes (job_shell.py).
            here = os.path.dirname(os.path.abspath(__file__))
            command, argv = sys.executable, [os.path.join(here, "job_shell.py"), ZEB, *args]
            shell = True
        else:
            command, argv = ZEB, list(args)
        self.child = pexpect.spawn(command, argv, cwd=cwd, env=env, encoding="utf-8",
                                   codec_errors="replace", dimensions=(ROWS, COLUMNS),
                                   timeout=TIMEOUT)
        self.shown = ""  # everything read so far
        self.shell = shell

    def _read_to(self, pattern, exact=True, timeout=TIMEOUT):
        if exact:
            self.child.expect_exact(pattern, timeout=timeout)
        else:
            self.child.expect(pattern, timeout=timeout)
        got = self.child.before + self.child.after
        self.shown += got
        return self.child.before

    def expect(self, text):
        """Waits until `text` shows; returns what came before it."""
        return self._read_to(text)

    def expect_within(self, text, seconds):
        """Waits up to `seconds` for `text`; False when it did not show. What
        was read meanwhile stays for the next wait."""
        try:
            self._read_to(text, timeout=seconds)
        except pexpect.TIMEOUT:
            return False
        return True

    def expect_prompt(self):
        return self._read_to(PROMPT)

    def keys(self, data):
        self.child.send(data)

    def type_and_wait(self, text):
        """Types plain text and waits for its echo."""
        self.child.send(text)
        return self._read_to(text)

    def run(self, line):
        """Types a line, presses Enter, and returns what shows up to the next prompt."""
        self.keys(line + ENTER)
        return self.expect_prompt()

    def current_line(self, settle=0.3):
        """The last screen line once the terminal has been quiet a moment
        (without trailing blanks, which a screen does not show)."""
        self.drain(settle)
        return screen_lines(self.shown)[-1].rstrip(" ")

    def take_buffered(self):
        """Counts as shown what came in behind the last match, so that no
        later wait can match it."""
        self.shown += self.child.buffer
        self.child.buffer = self.child.string_type()

    def drain(self, settle=0.3):
        """Reads whatever shows until nothing more comes for `settle` seconds."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            try:
                self.shown += self.child.read_nonblocking(65536, timeout=settle)
            except pexpect.TIMEOUT:
                return
            except pexpect.EOF:
                return

    def wait_for_end(self):
        """Waits for the end of the process; returns the rest of its output."""
        self.child.expect(pexpect.EOF, timeout=TIMEOUT)
        self.shown += self.child.before
        self.child.close()
        return self.child.before

    def zeb_pid(self):
        """zeb's process id: the child itself, or the shell's child."""
        if not self.shell:
            return self.child.pid
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            with open(f"/proc/{self.child.pid}/task/{self.child.pid}/children") as f:
                children = f.read().split()
            if children:
                return int(children[0])
            time.sleep(0.05)
        raise AssertionError("zeb did not start under the shell")

    def alive(self):
        return self.child.isalive()

    def close(self):
        if self.child.isalive():
            self.child.terminate(force=True)
        self.child.close()


_tmux_servers = itertools.count()


class ConsoleSession:
    """zeb.exe under Wine in a tmux pane of ROWS x `columns` (a tmux server of
    its own), read from the pane's screen and what scrolled off it: `expect`
    finds a text behind the place where the last wait found its text. Ctrl-Z
    is a key at a Windows console, so the pane's terminal passes it on. With
    native=True the Linux zeb runs in the pane: a terminal that wraps long
    rows and rewraps them when the pane's width changes, as most do."""

    def __init__(self, args=(), cwd=None, output_file=None, columns=COLUMNS, native=False):
        # A server of its own each time: a socket named after a reused object
        # id could reach a server that is still ending.
        self.socket = f"zeb-tty-{os.getpid()}-{next(_tmux_servers)}"
        self.seen, self.exitstatus, self.started = 0, None, False
        # With `output_file`, standard output goes there: no console session.
        into = f" >{_quote(output_file)}" if output_file else ""
        run = "INPUTRC=/dev/null " if native else "stty susp undef; WINEDEBUG=-all wine "
        script = ("trap : INT; " + run + " ".join(_quote(a) for a in [ZEB, *args]) + into +
                  '; echo "zeb-status=$?"; sleep 3600')
        self._tmux("-f", "/dev/null", "start-server", ";", "set-option", "-g", "history-limit",
                   "100000", ";", "new-session", "-d", "-x", str(columns), "-y", str(ROWS),
                   "-c", cwd or os.getcwd(), "/bin/sh", "-c", script)

    def resize(self, columns):
        """Makes the pane `columns` wide, as a user drags a window's edge."""
        self._tmux("resize-window", "-x", str(columns), "-y", str(ROWS))

    def _tmux(self, *args):
        return subprocess.run(["tmux", "-L", self.socket, *args], check=True, timeout=TIMEOUT,
                              capture_output=True, text=True).stdout

    def screen(self, scrolled=True, joined=True):
        """The pane's rows; joined: a row the terminal wrapped is one line."""
        text = self._tmux("capture-pane", "-p", *(["-J"] if joined else []),
                          *(["-S", "-"] if scrolled else []))
        return [line.rstrip(" ") for line in text.rstrip("\n").split("\n")]

    def expect(self, text):
        """Waits until `text` shows; returns what came before it since the last wait."""
        timeout = TIMEOUT if self.started else max(TIMEOUT, WINE_START_TIMEOUT)
        self.started = True
        deadline = time.monotonic() + timeout
        while (at := (shown := "\n".join(self.screen())).find(text, self.seen)) < 0:
            if time.monotonic() > deadline:
                raise AssertionError(f"{text!r} did not show; the screen ends:\n{shown[-2000:]}")
            time.sleep(0.05)
        before, self.seen = shown[self.seen:at], at + len(text)
        return before

    def expect_prompt(self):
        return self.expect(PROMPT.rstrip())

    def keys(self, data):
        self._tmux("send-keys", "-H", *(f"{b:02x}" for b in data.encode()))

    def type_and_wait(self, text):
        self.keys(text)
        self.expect(text)

    def run(self, line):
        self.keys(line + ENTER)
        return self.expect_prompt()

    def current_line(self, settle=0.3):
        """The cursor's line, once the screen has been still for `settle` seconds."""
        last, deadline = None, time.monotonic() + TIMEOUT
        while (now := self.screen()) != last and time.monotonic() < deadline:
            last = now
            time.sleep(settle)
        row = int(self._tmux("display-message", "-p", "#{cursor_y}"))
        return (self.screen(scrolled=False) + [""] * ROWS)[row]

    def catch_up(self):
        """Counts all that shows, once the screen is still, as waited for."""
        self.current_line()
        self.seen = len("\n".join(self.screen()))

    def wait_for_end(self):
        self.expect("zeb-status=")
        self.exitstatus = int(re.findall(r"zeb-status=(\d+)", "\n".join(self.screen()))[-1])

    def close(self):
        subprocess.run(["tmux", "-L", self.socket, "kill-server"], timeout=TIMEOUT,
                       capture_output=True)


def _quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def make_replay(path, **fields):
    """One replay header file from field values (see tools/fixture)."""
    args = BUILDER + [str(path)] + [f"{k}={v}" for k, v in fields.items()]
    subprocess.run(args, check=True, timeout=TIMEOUT)
    return str(path)


def make_replays(specs, per_run=500):
    """Many replays: `specs` holds (path, fields) pairs; one run of the
    fixture builder makes up to `per_run` of them (under Wine, as many as a
    Windows command line of 32,767 characters holds)."""
    if BUILDER[0] == "wine":
        per_run = min(per_run, 200)
    paths = []
    for start in range(0, len(specs), per_run):
        args = list(BUILDER)
        for path, fields in specs[start:start + per_run]:
            if len(args) > len(BUILDER):
                args.append("--")
            args += [str(path)] + [f"{k}={v}" for k, v in fields.items()]
            paths.append(str(path))
        subprocess.run(args, check=True, timeout=TIMEOUT)
    return paths


class SessionTest(unittest.TestCase):
    """A test case with a scratch folder and sessions closed at its end."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="zeb-tty-")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def start(self, *args, shell=False, cwd=None, job_control=False, columns=None):
        if WINDOWS or columns:
            session = ConsoleSession(args, cwd=cwd or self.folder, columns=columns or COLUMNS,
                                     native=not WINDOWS)
            self.addCleanup(session.close)
            return session
        session = Session(args, cwd=cwd or self.folder, shell=shell, job_control=job_control)
        self.addCleanup(session.close)
        return session

    def replay(self, name, **fields):
        return make_replay(os.path.join(self.folder, name), **fields)

    def assertNoEscapeText(self, lines):
        """No key's escape sequence shows as text (as ^[[D does in a terminal that only echoes)."""
        joined = "\n".join(lines)
        self.assertNotIn("^[", joined)
        self.assertNotIn("\x1b", joined)

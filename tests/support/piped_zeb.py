"""zeb with a pipe or nothing on either side, read as its output comes: the
watcher without a terminal (zeb --watch), for the terminal tests' harness
and the browser tests alike. A ZEB that ends in ".exe" runs under Wine."""
import os
import subprocess
import threading
import time

TIMEOUT = float(os.environ.get("ZEB_TTY_TIMEOUT", "20"))
WINE_START_TIMEOUT = float(os.environ.get("ZEB_WINE_START_TIMEOUT", "180"))


def is_windows(zeb):
    return zeb.lower().endswith(".exe")


class PipedZeb:
    """zeb (zeb.exe under Wine) with a pipe or nothing on each side, as a
    watcher runs on a league's machine: its output gathered as it comes,
    every wait bounded. `input_open` False gives it no input at all."""

    def __init__(self, zeb, args=(), cwd=None, input_open=True):
        command = (["wine"] if is_windows(zeb) else []) + [zeb, *args]
        env = dict(os.environ, WINEDEBUG="-all")
        self.process = subprocess.Popen(
            command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
            stdin=subprocess.PIPE if input_open else subprocess.DEVNULL)
        self.output, self.seen = b"", 0
        self.start_timeout = WINE_START_TIMEOUT if is_windows(zeb) else None
        self._lock = threading.Lock()
        self._reader = threading.Thread(target=self._gather, daemon=True)
        self._reader.start()

    def _gather(self):
        while data := os.read(self.process.stdout.fileno(), 65536):
            with self._lock:
                self.output += data

    def text(self):
        with self._lock:
            return self.output.decode("latin-1")

    def expect(self, text, seconds=TIMEOUT):
        """Waits until `text` comes; returns what came before it since the last wait."""
        if self.start_timeout:  # a Wine prefix that is new takes a while at the first start
            seconds, self.start_timeout = max(seconds, self.start_timeout), None
        deadline = time.monotonic() + seconds
        while (at := (shown := self.text()).find(text, self.seen)) < 0:
            if time.monotonic() > deadline:
                raise AssertionError(f"{text!r} did not come in {seconds} s; the output ends:\n"
                                     f"{shown[-2000:]}")
            time.sleep(0.02)
        before, self.seen = shown[self.seen:at], at + len(text)
        return before

    def send(self, text):
        self.process.stdin.write(text.encode())
        self.process.stdin.flush()

    def wait_for_end(self, seconds=TIMEOUT):
        """The exit status, once zeb has ended and its output is all read."""
        status = self.process.wait(timeout=seconds)
        self._reader.join(timeout=seconds)
        return status

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=TIMEOUT)
        for f in (self.process.stdin, self.process.stdout, self.process.stderr):
            if f is not None:
                f.close()

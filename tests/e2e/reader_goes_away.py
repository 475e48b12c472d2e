#!/usr/bin/env python3
"""`yes pdb | zeb FOLDER | head -3`: once head has its three lines and is
gone, zeb ends at once, as every filter does, without writing on: on POSIX
systems by SIGPIPE, on Windows with status 1 (a write found the pipe closed).

Usage: reader_goes_away.py ZEB FOLDER (ZEB_EMULATOR from the environment)."""
import os
import signal
import subprocess
import sys
import time

WITHIN_SECONDS = 1.0


def main():
    zeb, folder = sys.argv[1], sys.argv[2]
    emulator = os.environ.get("ZEB_EMULATOR", "").split()
    yes = subprocess.Popen(["yes", "pdb"], stdout=subprocess.PIPE)
    program = subprocess.Popen(emulator + [zeb, folder], stdin=yes.stdout, stdout=subprocess.PIPE)
    head = subprocess.Popen(["head", "-3"], stdin=program.stdout, stdout=subprocess.PIPE)
    yes.stdout.close()  # only zeb holds the pipes' ends now
    program.stdout.close()
    try:
        shown = head.communicate(timeout=120)[0]
        gone = time.monotonic()
        status = program.wait(timeout=10)
        took = time.monotonic() - gone
    finally:
        for process in (yes, program, head):
            if process.poll() is None:
                process.kill()
        yes.wait()
    print(shown.decode("latin-1"), end="")
    print(f"zeb ended {took:.3f} s after head, status {status}")
    ok = shown.count(b"\n") == 3 and took < WITHIN_SECONDS
    ok = ok and status == (1 if emulator else -signal.SIGPIPE)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

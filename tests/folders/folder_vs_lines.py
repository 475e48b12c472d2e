#!/usr/bin/env python3
"""A folder load of a sizeable tree writes byte for byte what the same loads
written as `l PATH` lines write (prompts aside), then its summary.

The paths come from an independent listing (os.walk, filtered by the name
rule, sorted byte-wise). Run against the sanitizer build this checks the
walk, the reading thread and the filing under AddressSanitizer and
UndefinedBehaviorSanitizer.

Usage: folder_vs_lines.py ZEB MAKE_REPLAY [--files N] [--tree DIR]
  --files N   makes a tree of N replays, 150 a folder (CI: 20,000)
  --per-folder N  replays a folder (CI also runs 100,000 in one folder)
  --tree DIR  uses an existing tree instead, such as the benchmark's
              workload of 129,600 replays:
                bench/run 1   # makes /tmp/zeb-bench once
                cmake --workflow --preset sanitize
                tests/folders/folder_vs_lines.py build-sanitize/zeb build-sanitize/make_replay --tree /tmp/zeb-bench
"""
import argparse
import os
import shlex
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from replay_paths import replay_paths  # noqa: E402


# Wine, for a Windows build.
EMULATOR = shlex.split(os.environ.get("ZEB_EMULATOR", ""))


def make_tree(top, files, make_replay, per_folder=150):
    template_path = os.path.join(top, "template")
    subprocess.run(EMULATOR + [make_replay, template_path], check=True)
    template = open(template_path, "rb").read()
    os.unlink(template_path)
    for i in range(files):
        folder = os.path.join(top, "c%d" % (i // per_folder))
        if i % per_folder == 0:
            os.mkdir(folder)
            with open(os.path.join(folder, "notes.txt"), "w") as f:
                f.write("not a replay\n")
        data = bytearray(template)
        racer = ("r%d" % (i % 600)).encode()
        data[64:64 + len(racer) + 1] = racer + b"\0"
        data[24:29] = [b"BL1\0", b"BL2\0", b"BL1R", b"BL2R"][i // 150 % 4] + b"\0"
        ms = 60000 + (i * 7919) % 60000
        data[136:140] = bytes([ms // 60000, ms // 1000 % 60, ms % 1000 // 10, ms % 10])
        name = "%d.%s" % (i, ["spr", "SPR", "Spr"][i % 3])
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("zeb")
    ap.add_argument("make_replay")
    ap.add_argument("--files", type=int, default=20000)
    ap.add_argument("--per-folder", type=int, default=150)
    ap.add_argument("--tree")
    a = ap.parse_args()
    zeb = os.path.abspath(a.zeb)
    with tempfile.TemporaryDirectory(prefix="zeb-lines-") as work:
        top = a.tree
        if not top:
            top = os.path.join(work, "tree")
            os.mkdir(top)
            make_tree(top, a.files, os.path.abspath(a.make_replay), a.per_folder)
        paths = replay_paths(top)
        # Written as the folder load writes them: "\\" between folders on Windows.
        separator = os.environ.get("ZEB_PATH_SEPARATOR", "/").encode()
        paths = [top.encode() + separator + p[len(top) + 1:].replace(b"/", separator)
                 for p in paths]
        script = b"".join(b"l " + p + b"\n" for p in paths)
        start = time.monotonic()
        lines = subprocess.run(EMULATOR + [zeb], input=script, capture_output=True, timeout=3000)
        middle = time.monotonic()
        folder = subprocess.run(EMULATOR + [zeb], input=b"l " + top.encode() + b"\n", capture_output=True,
                                timeout=3000)
        end = time.monotonic()
    problems = []
    for name, r in (("l PATH lines", lines), ("folder load", folder)):
        if r.returncode != 0 or r.stderr:
            problems.append("%s: exit %d, stderr %r" % (name, r.returncode, r.stderr[:2000]))
    filed = sum(1 for line in lines.stdout.split(b"\n")
                if line.startswith(b"\tappended at pos") or line.startswith(b"\tinserted at pos"))
    want = (lines.stdout.replace(b"ZEB> ", b"") + b"\t%s: %d replay files, %d filed\n"
            % (top.encode(), len(paths), filed))
    got = folder.stdout.replace(b"ZEB> ", b"")
    if got != want:
        at = next((i for i, (x, y) in enumerate(zip(got, want)) if x != y), min(len(got), len(want)))
        problems.append("outputs differ at byte %d:\n want %r\n got  %r"
                        % (at, want[max(0, at - 200):at + 200], got[max(0, at - 200):at + 200]))
    print("%d replays, %d filed; l PATH lines %.1f s, folder load %.1f s, %d bytes of output"
          % (len(paths), filed, middle - start, end - middle, len(got)))
    if problems:
        print("\n".join(problems))
        sys.exit(1)


if __name__ == "__main__":
    main()

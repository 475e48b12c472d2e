#!/usr/bin/env python3
"""Files removed, replaced by folders or pipes, and rewritten while a folder
load runs: every replay the walk found is reported once, in path order, with
one of a single load's results, and the summary counts them; nothing blocks.

Usage: changing_tree.py ZEB MAKE_REPLAY [--files N]
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from folder_vs_lines import make_tree  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("zeb")
    ap.add_argument("make_replay")
    ap.add_argument("--files", type=int, default=20000)
    a = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="zeb-changing-") as work:
        top = os.path.join(work, "tree")
        os.mkdir(top)
        make_tree(top, a.files, os.path.abspath(a.make_replay))
        names = sorted(os.path.join(f, n) for f, _, ns in os.walk(top) for n in ns
                       if n.lower().endswith(".spr"))
        zeb = subprocess.Popen([os.path.abspath(a.zeb), top], stdin=subprocess.DEVNULL,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)

        def change():
            for i, p in enumerate(reversed(names)):  # from the end, ahead of the load
                kind = i % 4
                try:
                    os.unlink(p)
                    if kind == 1:
                        os.mkdir(p)
                    elif kind == 2:
                        os.mkfifo(p)
                    elif kind == 3:
                        with open(p, "wb") as f:
                            f.write(b"rewritten")
                except OSError:
                    pass

        changer = threading.Thread(target=change)
        changer.start()
        out, err = zeb.communicate(timeout=600)
        changer.join()
    lines = out.split(b"\n")
    summary = re.fullmatch(rb"\t(.*): (\d+) replay files, (\d+) filed", lines[-2])
    problems = []
    if zeb.returncode != 0 or err:
        problems.append("exit %d, stderr %r" % (zeb.returncode, err[:500]))
    if not summary or summary.group(1) != top.encode():
        problems.append("no summary: %r" % lines[-3:])
    else:
        # The files named in the output, in their order: each one once.
        named = []
        for line in lines[:-2]:
            m = re.fullmatch(rb"\t(?:Error opening file: |Error reading file: )?(.*?)(?: loaded!)?", line)
            if m and m.group(1).startswith(top.encode() + b"/"):
                named.append(m.group(1))
        quiet = sum(1 for line in lines if line == b"\tnot loaded (this is not a hotlap file)")
        found = int(summary.group(2))
        if len(named) + quiet != found:
            problems.append("%d files reported, summary says %d" % (len(named) + quiet, found))
        if named != sorted(named) or len(set(named)) != len(named):
            problems.append("files reported out of order or twice")
    counts = {k: sum(1 for line in lines if k in line) for k in (b"Error opening", b"Error reading", b"not loaded", b"loaded!")}
    print("%d replays made, changed while loading; %s; %s" % (a.files, lines[-2].decode("latin-1").strip(), ", ".join("%s %d" % (k.decode(), v) for k, v in counts.items())))
    if problems:
        print("\n".join(problems))
        sys.exit(1)


if __name__ == "__main__":
    main()

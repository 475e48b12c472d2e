#!/usr/bin/env python3
"""Random folder trees against an independent listing.

Builds random trees (depths, fan-outs, replays with every letter case of the
suffix, non-replay and empty files, links to files and to folders, dangling
links, link loops, named pipes, folders named x.spr, names with blanks and
bytes above 127, unreadable folders) and checks that `zeb TOP` writes exactly
what loading the same files one by one writes, in the order of an independent
listing (os.walk, filtered, sorted byte-wise), followed by the summary.

Unreadable folders need a user that folder modes stop: as root the program
runs as nobody (setpriv) when that is possible, else those folders are left
out and the test says so.

Usage: random_trees.py ZEB MAKE_REPLAY [--trees N] [--seed S]
  CI runs 40 trees; a larger run:  random_trees.py build/zeb build/make_replay --trees 2000
"""
import argparse
import os
import random
import shutil
import stat
import subprocess
import sys
import tempfile

SUFFIXES = [".spr", ".SPR", ".Spr", ".sPr", ".spR", ".spr.txt", ".sp", "spr", ".s pr"]
NAME_PARTS = ["a", "b", "Z", "a b", "caf\xe9", "x.y", ".dot", "-", "_", "0", "9", "d\xfc"]


def is_replay_name(name):
    return name[-4:].lower() == ".spr" if len(name) >= 4 else False


class Tree:
    def __init__(self, rng, top, templates, unreadable_ok):
        self.rng, self.top, self.templates = rng, top, templates
        self.unreadable_ok = unreadable_ok
        self.unreadable = set()
        self.files = []

    def name(self, folder):
        for _ in range(20):
            n = "".join(self.rng.choice(NAME_PARTS) for _ in range(self.rng.randint(1, 3)))
            if self.rng.random() < 0.6:
                n += self.rng.choice(SUFFIXES)
            if not os.path.lexists(os.path.join(folder, n)):
                return n
        return None

    def build(self, folder, depth):
        for _ in range(self.rng.randint(0, 6)):
            n = self.name(folder)
            if n is None:
                continue
            path = os.path.join(folder, n)
            kind = self.rng.random()
            if kind < 0.45:
                data = bytearray(self.rng.choice(self.templates))
                data[64:72] = ("r%07d" % self.rng.randint(0, 30)).encode()
                data[136:140] = bytes([1, self.rng.randint(0, 59), self.rng.randint(0, 99), 0])
                with open(path, "wb") as f:
                    f.write(data)
                self.files.append(path)
            elif kind < 0.52:
                with open(path, "wb") as f:
                    f.write(b"" if self.rng.random() < 0.5 else b"plain text")
            elif kind < 0.62 and self.files:
                os.symlink(os.path.relpath(self.rng.choice(self.files), folder), path)
            elif kind < 0.67:
                os.symlink("nowhere" + n, path)
            elif kind < 0.72:
                os.symlink(os.path.relpath(self.top, folder), path)  # a loop
            elif kind < 0.76:
                os.mkfifo(path)
            elif depth < 6:
                os.mkdir(path)
                self.build(path, depth + 1)
                if self.unreadable_ok and self.rng.random() < 0.08:
                    os.chmod(path, 0)
                    self.unreadable.add(path)


def independent_listing(top, unreadable):
    """Replays and unopenable folders, by os.walk, in byte order of their paths."""
    found = []
    for folder, dirs, names in os.walk(top.encode(), followlinks=False):
        for d in list(dirs):
            p = os.path.join(folder, d)
            if os.path.islink(p):
                dirs.remove(d)
            elif p.decode("utf-8", "surrogateescape") in unreadable:
                dirs.remove(d)
                found.append(p)
        for n in names:
            p = os.path.join(folder, n)
            st = os.stat(p) if os.path.exists(p) else None
            # A link into an unreadable folder leads nowhere for the program's user.
            target = os.path.realpath(p).decode("utf-8", "surrogateescape")
            if any(target.startswith(u + "/") for u in unreadable):
                st = None
            if is_replay_name(n.decode("utf-8", "surrogateescape")) and st and stat.S_ISREG(st.st_mode):
                found.append(p)
    return sorted(found)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("zeb")
    ap.add_argument("make_replay")
    ap.add_argument("--trees", type=int, default=40)
    ap.add_argument("--seed", type=int, default=14)
    a = ap.parse_args()
    zeb = os.path.abspath(a.zeb)
    drop = []
    if os.geteuid() == 0:
        setpriv = shutil.which("setpriv")
        if setpriv:
            drop = [setpriv, "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"]
        else:
            print("unreadable folders left out: running as root without setpriv")
    unreadable_ok = os.geteuid() != 0 or bool(drop)
    rng = random.Random(a.seed)
    failures = 0
    unreadable = 0
    with tempfile.TemporaryDirectory(prefix="zeb-trees-") as work:
        os.chmod(work, 0o755)
        templates = []
        for i, fields in enumerate([[], ["car=FXO TURBO", "code=FE2R", "track=Fern Bay"],
                                    ["track=Westhill", "code=", "config=1", "reversed=1"]]):
            p = os.path.join(work, "t%d" % i)
            subprocess.run([a.make_replay, p] + fields, check=True)
            templates.append(open(p, "rb").read())
        for n in range(a.trees):
            top = os.path.join(work, "tree%d" % n)
            os.mkdir(top)
            tree = Tree(rng, top, templates, unreadable_ok)
            tree.build(top, 0)
            word = rng.choice(["top", "top/", "./top"])
            os.symlink(top, os.path.join(work, "top"))
            # The same loads one by one, named as the folder load names them.
            prefix = word if word.endswith("/") else word + "/"
            expected_paths = [prefix.encode() + p[len(top.encode()) + 1:]
                              for p in independent_listing(top, tree.unreadable)]
            reference = subprocess.run(drop + [zeb] + expected_paths, cwd=work, stdin=subprocess.DEVNULL,
                                       capture_output=True, timeout=300)
            folder = subprocess.run(drop + [zeb, word], cwd=work, stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=300)
            ref = reference.stdout
            assert ref.endswith(b"ZEB> ")
            files = len(expected_paths) - len(tree.unreadable & {
                os.path.join(top, p[len(prefix):].decode("utf-8", "surrogateescape"))
                for p in expected_paths})
            filed = sum(1 for line in ref.split(b"\n")
                        if line.startswith(b"\tappended at pos") or line.startswith(b"\tinserted at pos"))
            want = ref[:-5] + b"\t%s: %d replay files, %d filed\n" % (word.encode(), files, filed) + b"ZEB> "
            if folder.stdout != want or folder.returncode != 0 or folder.stderr:
                failures += 1
                print("tree %d (%s): differs\n expected %r\n got      %r\n stderr %r"
                      % (n, word, want[-400:], folder.stdout[-400:], folder.stderr[:400]))
            unreadable += len(tree.unreadable)
            os.unlink(os.path.join(work, "top"))
            for p in tree.unreadable:
                os.chmod(p, 0o755)
    print("%d trees (%d unreadable folders), %d differ" % (a.trees, unreadable, failures))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

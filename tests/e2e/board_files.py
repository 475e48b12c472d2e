#!/usr/bin/env python3
"""The board as a league uses it: `zeb --board DIR FOLDER` with standard
input at its end writes the board once and ends.

- board.json holds exactly the store that a `pdb` listing of the same session
  shows (place, racer, time, lap), with the sectors this test computes itself
  from the splits it put into the replays;
- hostile racer names come out of board.json as the bytes read as
  Windows-1252, and no page holds them as markup;
- board.json is byte for byte the committed board_expected.json, on Linux and
  under Wine alike;
- a del that empties a ranking removes its page at the end of the session,
  and nothing else in the folder;
- a folder that cannot be made gives one line on standard error and status 2,
  before anything loads.

Usage: board_files.py ZEB MAKE_REPLAY
"""
import json
import os
import shlex
import subprocess
import sys
import tempfile
import time

EMULATOR = shlex.split(os.environ.get("ZEB_EMULATOR", ""))
HERE = os.path.dirname(os.path.abspath(__file__))

# (file, racer bytes, layout code, track, car, [split times], lap time), each
# time as (minutes, seconds, hundredths, thousandths).
REPLAYS = [
    ("a.spr", b"alpha", "BL1", "Blackwood", "XR GT TURBO", [(0, 28, 50, 0), (0, 57, 10, 5)], (1, 22, 0, 0)),
    ("b.spr", b"beta", "BL1", "Blackwood", "XR GT TURBO", [(0, 28, 10, 0), (0, 57, 50, 5)], (1, 21, 90, 0)),
    ("c.spr", b"<script>alert(1)</script>", "BL1", "Blackwood", "XR GT TURBO",
     [(0, 29, 0, 0), (0, 56, 0, 0)], (1, 23, 0, 0)),
    ("d.spr", b"\"><img src=x onerror=alert(2)>", "BL1", "Blackwood", "XR GT TURBO",
     [(0, 70, 0, 0), (0, 56, 0, 0)], (1, 24, 0, 0)),  # a split that is no time
    ("e.spr", b"../../x", "AS3R", "Aston", "FXO TURBO", [], (2, 5, 31, 0)),
    ("f.spr", b"\x80\xe9t\xe9\x9f CON", "AS3R", "Aston", "FXO TURBO", [], (2, 6, 0, 0)),
    ("g.spr", b"A" * 32, "FE2R", "Fern Bay", "RB4 GT", [(0, 40, 0, 0)], (1, 10, 20, 0)),
]


def ms(t):
    return t[0] * 60000 + t[1] * 1000 + t[2] * 10 + t[3]


def split_value(t):
    return t[0] | t[1] << 8 | t[2] << 16 | t[3] << 24


def make_replays(make_replay, folder):
    os.makedirs(folder)
    for name, racer, code, track, car, splits, lap in REPLAYS:
        args = [os.path.join(folder, name), "racer=" + racer.decode("latin-1"), "code=" + code,
                "track=" + track, "car=" + car, "splits=%d" % (len(splits) + 1),
                "time=%d,%d,%d,%d" % lap]
        args += ["split%d=%d" % (k + 1, split_value(s)) for k, s in enumerate(splits)]
        # Racer bytes above 127 go through as Latin-1 text: make_replay takes
        # its arguments' bytes as they are.
        subprocess.run(EMULATOR + [make_replay] + [a.encode("latin-1") for a in args], check=True)


def expected_sectors(splits, lap):
    times = [ms(s) for s in splits] + [ms(lap)]
    for s in splits + [lap]:
        if s[1] > 59 or s[2] > 99 or s[3] > 9:
            return None
    before, sectors = 0, []
    for t in times:
        if t <= before:
            return None
        sectors.append(t - before)
        before = t
    return sectors


def cp1252_bytes(text):
    """The bytes a board.json text was read from: Windows-1252, whose five
    undefined bytes stand for themselves."""
    out = b""
    for c in text:
        out += bytes([ord(c)]) if ord(c) in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else c.encode("cp1252")
    return out


def pdb_rows(stdout):
    rows = set()
    for line in stdout.split(b"\n"):
        line = line.removeprefix(b"ZEB> ")
        parts = line.split(b"\t")
        if len(parts) == 6 and parts[0].isdigit():
            time, lap = parts[5].split(b" (")
            rows.add((int(parts[0]), parts[1], parts[3].decode(), time.decode(), int(lap[:-1])))
    return rows


def main():
    zeb, make_replay = sys.argv[1], sys.argv[2]
    problems = []
    with tempfile.TemporaryDirectory() as top:
        replays = os.path.join(top, "r")
        make_replays(make_replay, replays)
        site = os.path.join(top, "site")
        os.makedirs(site)
        with open(os.path.join(site, "notes.html"), "w") as f:
            f.write("not zeb's")
        run = subprocess.run(EMULATOR + [zeb, "--board", "site", "r"], cwd=top,
                             input=b"pdb\n", capture_output=True, timeout=120)
        if run.returncode != 0 or run.stderr:
            problems.append("session: status %d, %r" % (run.returncode, run.stderr))
        raw = open(os.path.join(site, "board.json"), "rb").read()
        board = json.loads(raw)
        listed = set()
        by_racer = {r[1][:31]: r for r in REPLAYS}  # a name fills at most 31 bytes
        for ranking in board["rankings"]:
            for e in ranking["entries"]:
                racer = cp1252_bytes(e["racer"])
                listed.add((e["pos"], racer, ranking["layout"].upper(), e["time"], e["lap"]))
                source = by_racer.get(racer)
                if source is None:
                    problems.append("board.json: unknown racer %r" % e["racer"])
                    continue
                want = expected_sectors(source[5], source[6])
                if e["sectors"] != want or e["ms"] != ms(source[6]):
                    problems.append("%r: sectors %r, expected %r" % (racer, e["sectors"], want))
        if listed != pdb_rows(run.stdout):
            problems.append("board.json %r differs from pdb %r" % (sorted(listed), sorted(pdb_rows(run.stdout))))
        expected = open(os.path.join(HERE, "board_expected.json"), "rb").read()
        if raw != expected:
            if "--update" in sys.argv:
                open(os.path.join(HERE, "board_expected.json"), "wb").write(raw)
            problems.append("board.json differs from board_expected.json")
        for root, _, files in os.walk(site):
            for name in (n for n in files if n.endswith(".html")):
                page = open(os.path.join(root, name), "rb").read()
                if b"<script>alert" in page or b"<img" in page:
                    problems.append("%s holds a name as markup" % name)

        # del empties a ranking: its page goes at the end of the session.
        before = sorted(os.listdir(site))
        run = subprocess.run(EMULATOR + [zeb, "--board", "site", "r"], cwd=top,
                             input=b"del -cs fxo as3r\ny\n", capture_output=True, timeout=120)
        after = sorted(os.listdir(site))
        if set(before) - set(after) != {"as3r-fxo.html"} or set(after) - set(before):
            problems.append("after del: %r, before: %r" % (after, before))

        # Input that stays open: a change the once-a-second limit holds back
        # is written while zeb waits for the next line, not at the end.
        waiting = subprocess.Popen(EMULATOR + [zeb, "--board", "open", "r"], cwd=top,
                                   stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
        waiting.stdin.write(b"del -cs fxo as3r\ny\n")
        waiting.stdin.flush()
        board_json, shown = os.path.join(top, "open", "board.json"), b"as3r"
        deadline = time.monotonic() + (30 if EMULATOR else 5)
        while b"as3r" in shown and time.monotonic() < deadline:
            time.sleep(0.1)
            shown = open(board_json, "rb").read() if os.path.exists(board_json) else b"as3r"
        if b"as3r" in shown:
            problems.append("a del on open input did not reach board.json while zeb waited")
        waiting.stdin.close()
        waiting.wait(timeout=120)

        # A folder that cannot be made: one line, status 2, nothing loaded.
        run = subprocess.run(EMULATOR + [zeb, "--board", "site/notes.html/x", "r"], cwd=top,
                             input=b"", capture_output=True, timeout=120)
        err = run.stderr.decode(errors="replace")
        if (run.returncode != 2 or run.stdout or err.count("\n") != 1 or
                not err.startswith("zeb: cannot write the board into site/notes.html/x: ")):
            problems.append("unwritable folder: status %d, %r, %r" % (run.returncode, run.stdout, err))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks that each room of src/ includes only itself and the rooms below it.

Rooms from the top down: shell, board, replay, delete, folders, db, then
the two at the ground, tables and console, which include no other room. A
room may be empty.

Usage: check_rooms.py SRC_DIR
"""
import pathlib
import re
import sys

BELOW = {
    "shell": {"board", "replay", "delete", "folders", "db", "tables", "console"},
    "board": {"replay", "delete", "folders", "db", "tables", "console"},
    "replay": {"delete", "folders", "db", "tables", "console"},
    "delete": {"folders", "db", "tables", "console"},
    "folders": {"db", "tables", "console"},
    "db": {"tables", "console"},
    "tables": set(),
    "console": set(),
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"', re.M)


def main():
    src = pathlib.Path(sys.argv[1])
    wrong = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cc") or path.parent == src:
            continue
        room = path.relative_to(src).parts[0]
        if room not in BELOW:
            wrong.append(f"{path}: {room}/ is no known room")
            continue
        for target in INCLUDE.findall(path.read_text()):
            if target != room and target not in BELOW[room]:
                wrong.append(f"{path}: {room}/ includes {target}/, which is not below it")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())

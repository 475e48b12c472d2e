#!/usr/bin/env python3
"""Checks the README's sample session against the real program: the block
after the marker '<!-- session -->' is a terminal view (the command line, then
what zeb writes with the user's typing echoed after each prompt), and zeb run
the same way must give exactly that view.

Usage: check_readme.py ZEB README
"""
import glob
import os
import shlex
import subprocess
import sys

PROMPTS = ("ZEB> ", "(y/)? ")


# Wine, for a Windows build.
EMULATOR = shlex.split(os.environ.get("ZEB_EMULATOR", ""))


def session_block(readme):
    lines = open(readme, encoding="utf-8").read().split("\n")
    start = lines.index("<!-- session -->")
    if not lines[start + 1].startswith("```"):
        sys.exit("the session marker must stand right above a code block")
    end = lines.index("```", start + 2)
    return lines[start + 2:end]


def main():
    zeb, readme = sys.argv[1:3]
    root = os.path.dirname(os.path.abspath(readme))
    block = session_block(readme)
    command = shlex.split(block[0].removeprefix("$ "))
    args = [a for word in command[1:] for a in (sorted(glob.glob(word, root_dir=root)) or [word])]
    inputs = []
    for line in block[1:]:
        for prompt in PROMPTS:
            if prompt in line:
                inputs.append(line.split(prompt, 1)[1])
    result = subprocess.run(EMULATOR + [os.path.abspath(zeb)] + args, cwd=root, capture_output=True,
                            input=("\n".join(inputs) + "\n").encode(), timeout=60)
    # What a terminal shows: the typed line echoed after each prompt.
    out = result.stdout.decode("latin-1")
    view, typed, i = "", iter(inputs), 0
    while True:
        found = [(out.find(p, i), p) for p in PROMPTS if out.find(p, i) != -1]
        if not found:
            view += out[i:]
            break
        at, prompt = min(found)
        view += out[i:at + len(prompt)] + next(typed, "") + "\n"
        i = at + len(prompt)
    expected = "\n".join(block[1:]) + "\n"
    if view != expected or result.returncode != 0:
        sys.stdout.writelines(
            f"README session differs:\n--- expected\n{expected}--- zeb shows\n{view}")
        sys.exit(1)
    print(f"README session: ok ({len(inputs)} lines typed)")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Runs one end-to-end transcript: the real zeb binary, its arguments and a
standard-input script, in a fresh folder with the transcript's files; its
standard output must match the expected one byte for byte.

Transcript format (one directive a line; '#' starts a comment line):

  replay NAME key=value ...   a replay made by make_replay (keys: replay_builder.h)
  replay-python EXPR          replays from a Python list of (NAME, [key=value, ...])
  file NAME EXPR              a file whose bytes are a Python expression
  dir NAME                    a folder
  fifo NAME                   a named pipe, with no writer
  symlink NAME TARGET         a symbolic link NAME to TARGET (need not exist)
  dir-python EXPR             folders from a Python list of names (made in order)
  examples                    the repository's example replays, as examples/
  posix-only REASON           not run on Windows (a link, a pipe, a device,
                              a name Windows cannot hold): exit status 77
  args: WORD ...              the command line (shell-like quoting)
  args-python: EXPR           the command line as a Python list of strings
  stdin:                      then lines '<TEXT': TEXT and a newline
  stdin-python: EXPR          standard input as a Python str or bytes
  stdout:                     then lines '|TEXT$' (TEXT and a newline) or a
                              last line '|TEXT%' (TEXT without a newline)
  stdout-python: EXPR         the expected output as a Python str or bytes
  written NAME:               then '|' lines as for stdout: the bytes of a file
                              that zeb writes (the board's board.json, say)

TEXT escapes: \\t tab, \\r carriage return, \\n newline, \\0 NUL, \\\\
backslash, \\xHH any byte; in stdin a final \\c drops the newline.

Usage: run_transcript.py ZEB MAKE_REPLAY EXAMPLES_DIR FILE [--update]

For a Windows build, ZEB_EMULATOR names the command that runs the programs
(Wine) and ZEB_PATH_SEPARATOR is "\\": the expected paths of each folder
load are then written with it after the folder's word, as zeb.exe joins them.
"""
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

EMULATOR = shlex.split(os.environ.get("ZEB_EMULATOR", ""))
SEPARATOR = os.environ.get("ZEB_PATH_SEPARATOR", "/").encode()
SKIPPED = 77  # CTest's SKIP_RETURN_CODE for these tests

ESCAPES = {"t": b"\t", "r": b"\r", "n": b"\n", "0": b"\0", "\\": b"\\"}


def unescape(text):
    out = bytearray()
    i = 0
    raw = text.encode("utf-8", "surrogateescape")
    while i < len(raw):
        c = raw[i:i + 1]
        if c != b"\\":
            out += c
            i += 1
            continue
        e = chr(raw[i + 1])
        if e == "x":
            out.append(int(raw[i + 2:i + 4], 16))
            i += 4
        elif e in ESCAPES:
            out += ESCAPES[e]
            i += 2
        else:
            raise ValueError(f"unknown escape \\{e} in {text!r}")
    return bytes(out)


def escape(data):
    out = []
    for b in data:
        if b == 9:
            out.append("\\t")
        elif b == 13:
            out.append("\\r")
        elif b == 0x5C:
            out.append("\\\\")
        elif 32 <= b < 127:
            out.append(chr(b))
        else:
            out.append(f"\\x{b:02x}")
    return "".join(out)


def render_stdout(data):
    """The stdout block for some output, one '|' line per output line."""
    lines = []
    pieces = data.split(b"\n")
    for piece in pieces[:-1]:
        lines.append("|" + escape(piece) + "$")
    if pieces[-1]:
        lines.append("|" + escape(pieces[-1]) + "%")
    return lines


def as_bytes(value):
    return value.encode("latin-1") if isinstance(value, str) else bytes(value)


def parse(path):
    t = {"setup": [], "args": [], "stdin": b"", "stdout": None, "stdout_python": False,
         "posix_only": None, "written": {}}
    section = None
    expected = bytearray()
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for n, line in enumerate(lines, 1):
        where = f"{path}:{n}"
        if section == "stdin" and line.startswith("<"):
            body = line[1:]
            if body.endswith("\\c") and not body.endswith("\\\\c"):
                t["stdin"] += unescape(body[:-2])
            else:
                t["stdin"] += unescape(body) + b"\n"
            continue
        if section in ("stdout", "written") and line.startswith("|"):
            into = expected if section == "stdout" else t["written"][written_name]
            if line.endswith("$"):
                into += unescape(line[1:-1]) + b"\n"
            elif line.endswith("%"):
                into += unescape(line[1:-1])
            else:
                sys.exit(f"{where}: an output line ends in $ or %")
            continue
        section = None
        if not line.strip() or line.startswith("#"):
            continue
        word, _, rest = line.partition(" ")
        if word in ("replay", "replay-python", "file", "dir", "dir-python", "fifo", "symlink",
                    "examples"):
            t["setup"].append((word, rest, where))
        elif word == "posix-only":
            t["posix_only"] = rest
        elif line.startswith("args:"):
            t["args"] = shlex.split(line[5:])
        elif line.startswith("args-python:"):
            t["args"] = list(eval(line[12:]))
        elif line == "stdin:":
            section = "stdin"
        elif line.startswith("stdin-python:"):
            t["stdin"] = as_bytes(eval(line[13:]))
        elif line == "stdout:":
            section = "stdout"
            t["stdout"] = expected
        elif line.startswith("written ") and line.endswith(":"):
            section, written_name = "written", line[8:-1]
            t["written"][written_name] = bytearray()
        elif line.startswith("stdout-python:"):
            t["stdout"] = as_bytes(eval(line[14:]))
            t["stdout_python"] = True
        else:
            sys.exit(f"{where}: unknown directive {line!r}")
    if t["stdout"] is None:
        t["stdout"] = b""
    t["stdout"] = bytes(t["stdout"])
    return t


def make(make_replay, folder, replays):
    """Makes replays in one run of the fixture builder ("--" between them)."""
    if not replays:
        return
    command = EMULATOR + [make_replay]
    for i, (name, fields, _) in enumerate(replays):
        command += (["--"] if i else []) + [os.path.join(folder, name)] + list(fields)
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{replays[0][2]}: {result.stderr.strip()}")
    replays.clear()


def set_up(folder, setup, make_replay, examples):
    replays = []  # made together before the next directive that is not a replay
    for word, rest, where in setup:
        if word == "replay":
            words = shlex.split(rest)
            replays.append((words[0], words[1:], where))
            continue
        if word == "replay-python":
            replays += [(name, fields, where) for name, fields in eval(rest)]
            continue
        make(make_replay, folder, replays)
        if word == "file":
            name, _, expr = rest.partition(" ")
            with open(os.path.join(folder, name), "wb") as f:
                f.write(as_bytes(eval(expr)))
        elif word == "dir":
            os.mkdir(os.path.join(folder, rest))
        elif word == "dir-python":
            for name in eval(rest):
                os.mkdir(os.path.join(folder, name))
        elif word == "symlink":
            name, target = shlex.split(rest)
            os.symlink(target, os.path.join(folder, name))
        elif word == "fifo":
            os.mkfifo(os.path.join(folder, rest))
        elif word == "examples":
            if EMULATOR:  # a copy: Windows programs take no Unix links
                shutil.copytree(examples, os.path.join(folder, "examples"))
            else:
                os.symlink(examples, os.path.join(folder, "examples"))
    make(make_replay, folder, replays)


SUMMARY = re.compile(rb"^\t(.*): \d+ replay files, \d+ filed$")
PATH_LINE = re.compile(rb"^(\t(?:Error opening file: |Error reading file: )?)(.*?)( loaded!)?$")


def with_separator(expected):
    """The expected output of a folder load as zeb.exe writes it: each line
    of a load whose summary names the word W, with a path W/below, gets the
    separator after W and between the folders below it."""
    if SEPARATOR == b"/":
        return expected
    lines = expected.split(b"\n")
    group = []  # (line, where its text begins) since the last prompt or summary
    for i, line in enumerate(lines):
        start = line.rfind(b"ZEB> ") + 5 if b"ZEB> " in line else 0
        if start:
            group = []
        summary = SUMMARY.match(line[start:])
        if not summary:
            group.append((i, start))
            continue
        word = summary.group(1)
        lead = word if word.endswith(b"/") else word + b"/"
        for j, at in group:
            m = PATH_LINE.match(lines[j][at:])
            if m and m.group(2).startswith(lead) and len(m.group(2)) > len(lead):
                below = m.group(2)[len(lead):].replace(b"/", SEPARATOR)
                joined = word + (b"" if word.endswith(b"/") else SEPARATOR) + below
                lines[j] = lines[j][:at] + m.group(1) + joined + (m.group(3) or b"")
        group = []
    return b"\n".join(lines)


def update(path, actual, written):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    out = []
    skipping = False
    for line in lines:
        if skipping and line.startswith("|"):
            continue
        skipping = False
        out.append(line)
        if line == "stdout:":
            out.extend(render_stdout(actual))
            skipping = True
        elif line.startswith("written ") and line.endswith(":"):
            out.extend(render_stdout(written[line[8:-1]]))
            skipping = True
    if "stdout:" not in lines:
        if out and out[-1] == "":
            out.pop()
        out.append("stdout:")
        out.extend(render_stdout(actual))
        out.append("")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


def main():
    args = sys.argv[1:]
    do_update = "--update" in args
    args = [a for a in args if a != "--update"]
    zeb, make_replay, examples, path = (os.path.abspath(a) for a in args)
    t = parse(path)
    if t["posix_only"] is not None and SEPARATOR != b"/":
        print(f"{os.path.basename(path)}: skipped on Windows ({t['posix_only']})")
        sys.exit(SKIPPED)
    if not do_update:
        t["stdout"] = with_separator(t["stdout"])
    with tempfile.TemporaryDirectory(prefix="zeb-e2e-") as folder:
        set_up(folder, t["setup"], make_replay, examples)
        try:
            result = subprocess.run(EMULATOR + [zeb] + t["args"], input=t["stdin"], cwd=folder,
                                    capture_output=True, timeout=120)
        except subprocess.TimeoutExpired:
            sys.exit(f"{path}: zeb did not finish within 120 s")
        written = {}
        for name in t["written"]:
            try:
                with open(os.path.join(folder, name), "rb") as f:
                    written[name] = f.read()
            except OSError as e:
                written[name] = f"(not written: {e.strerror})".encode()
    problems = []
    for name, expected in t["written"].items():
        if written[name] != expected and not do_update:
            problems.append(f"{name} differs:\nexpected:\n  " +
                            "\n  ".join(render_stdout(bytes(expected))[:20]) + "\nactual:\n  " +
                            "\n  ".join(render_stdout(written[name])[:20]))
    if result.returncode != 0:
        problems.append(f"exit status {result.returncode}, expected 0")
    if result.stderr:
        problems.append("standard error: " + result.stderr.decode("latin-1")[:2000])
    if do_update and any(written[n] != e for n, e in t["written"].items()):
        update(path, result.stdout, written)
        print(f"updated {path}")
    elif result.stdout != t["stdout"]:
        if do_update and not t["stdout_python"]:
            update(path, result.stdout, written)
            print(f"updated {path}")
        else:
            expected = render_stdout(t["stdout"])
            actual = render_stdout(result.stdout)
            first = next((i for i, (a, b) in enumerate(zip(expected, actual)) if a != b),
                         min(len(expected), len(actual)))
            context = lambda ls: "\n  ".join(x[:300] for x in ls[max(0, first - 3):first + 4])
            problems.append(f"standard output differs at line {first + 1} "
                            f"(expected {len(t['stdout'])} bytes, got {len(result.stdout)}):\n"
                            f"expected:\n  {context(expected)}\nactual:\n  {context(actual)}")
    if problems:
        print(f"{path}:\n" + "\n".join(problems))
        sys.exit(1)
    print(f"{os.path.basename(path)}: ok ({len(result.stdout)} bytes)")


if __name__ == "__main__":
    main()

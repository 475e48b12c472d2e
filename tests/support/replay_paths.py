"""The replays of a tree in the order a folder load takes them, found
without the program: os.walk, links to folders not followed, names ending
in .spr in any case, regular files only, sorted byte-wise."""
import os


def replay_paths(top):
    found = []
    for folder, dirs, names in os.walk(os.fsencode(top)):
        dirs[:] = [d for d in dirs if not os.path.islink(os.path.join(folder, d))]
        for n in names:
            p = os.path.join(folder, n)
            if n[-4:].lower() == b".spr" and os.path.isfile(p):
                found.append(p)
    return sorted(found)

// The floor program's file work, one file per system beside it: the plainest
// calls that read a replay's header, and a walk of a folder that reads every
// replay below it as it finds it.
#pragma once

// Opens the file, reads up to 192 bytes and closes it; false when it does
// not open or reads nothing.
bool read_192(const char* name);
// Walks the folder and every folder below it (links to folders are not
// followed), reading each file whose name ends in ".spr" with read_192, in
// the order the system lists them; the number of files read.
long walk_and_read(const char* folder);

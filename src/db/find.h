#pragma once

#include "db/store.h"

namespace zeb {

// find racer: one line for every cell in which the racer holds an entry.
void find_command(char** words, int count);
// Position of the first occupied slot whose racer is the name, or -1.
int find_racer(Cell cell, const char* racer);

}  // namespace zeb

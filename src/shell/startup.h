#pragma once

namespace zeb {

// The whole program: empties the store, loads every argument as a replay,
// runs the prompt loop and returns the exit status, always 0.
int run_zeb(int argc, char** argv);
// Loads the start-up arguments argv[1..argc-1], each as `l WORD` loads it.
void load_arguments(int argc, char** argv);

}  // namespace zeb

#pragma once

namespace zeb {

// The whole program: empties the store, loads every argument as a replay,
// runs the prompt loop and returns the exit status, always 0.
int run_zeb(int argc, char** argv);

}  // namespace zeb

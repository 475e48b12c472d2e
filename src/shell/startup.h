#pragma once

#include <span>
#include <string>

namespace zeb {

// The whole program: empties the store, loads every argument as a replay,
// runs the prompt loop and returns the exit status, always 0. arguments[0]
// is the program's own name.
int run_zeb(std::span<const std::string> arguments);
// Loads the start-up arguments after the program's name, each as `l WORD` loads it.
void load_arguments(std::span<const std::string> arguments);

}  // namespace zeb

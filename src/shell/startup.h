#pragma once

#include <span>
#include <string>

namespace zeb {

// The whole program: reads the options, empties the store, loads every
// other argument as a replay, runs the prompt loop and returns the exit
// status: 0, or 2 when the options or the board folder fail. arguments[0]
// is the program's own name.
int run_zeb(std::span<const std::string> arguments);
// Loads the start-up arguments from index `first` on (after the program's
// name and its options), each as `l WORD` loads it.
void load_arguments(std::span<const std::string> arguments, std::size_t first = 1);

}  // namespace zeb

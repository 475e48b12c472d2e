// What Tab offers at the prompt, by the position of the word on the line:
// command words, file and folder names after load, the flags of pdb and del,
// the codes a flag takes, racer names from the store, help topics.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// A Completer (console/completer.h): the matches are sorted, each once.
void complete_line(std::string_view line, std::size_t cursor, std::vector<std::string>& matches);

}  // namespace zeb

// File and folder names for Tab after load, listed as a shell lists them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Appends the names in the word's folder (its text up to the last "/", or the
// current folder) that begin with the rest of the word, each with that folder
// part in front; folders end in "/". Names starting with "." only when the
// rest starts with "."; "." and ".." never; a name with a blank never, since
// the line would split it into two words. Lists the folder without opening
// any file in it, so a pipe or a device never blocks; an unreadable folder
// gives nothing.
void complete_file_name(std::string_view word, std::vector<std::string>& matches);

}  // namespace zeb

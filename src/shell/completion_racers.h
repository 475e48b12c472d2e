// Racer names from the store for Tab after find, pdb -r and del's racer flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Appends, sorted and each once, the racer names held in the store that begin
// with `prefix` (exact case). A name with a blank is left out: typed on the
// line it would be split into two words. Reads only the occupied front of
// each cell and allocates nothing per entry.
void complete_racer_name(std::string_view prefix, std::vector<std::string>& matches);

}  // namespace zeb

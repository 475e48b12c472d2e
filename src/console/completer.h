// Tab completion as the line editor sees it: a function that knows the
// commands, the tables and the store hands it the words that may stand at
// the cursor. The editor itself knows nothing of what the words mean.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Fills `matches` with the whole words that may replace the word ending at
// `cursor` in `line` (that word starts after the last blank before the
// cursor, and may be empty) and begin with its text. A match that ends in
// "/" (or "\" on Windows) is a folder: the editor adds no blank after it.
using Completer = void (*)(std::string_view line, std::size_t cursor,
                           std::vector<std::string>& matches);

}  // namespace zeb

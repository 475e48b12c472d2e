// Loading every replay below a folder, one after the other, in the order of
// their full paths: each exactly as `load PATH` loads it, then a summary.
#pragma once

#include <string>

namespace zeb {

// `filename` holds the folder's name as typed; it ends holding the last
// replay's path, as one load after the other would leave it.
void load_folder(std::string& filename);

}  // namespace zeb

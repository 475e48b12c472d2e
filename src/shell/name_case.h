// How the system compares file names for Tab after load: letter case counts
// on POSIX systems; Windows names ignore it, and Tab then gives each name in
// its own case, as it is stored.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// Whether a name in a folder begins with the typed part of a word.
bool name_begins_with(std::string_view name, std::string_view typed);

// The folder part of a typed word ("" or ending in a separator) in the case
// its folders are stored in, separators as typed: "c:\lfs\" gives "C:\LFS\"
// on Windows. A folder that is not found keeps the rest as typed.
void spell_as_stored(std::string& folder);

}  // namespace zeb

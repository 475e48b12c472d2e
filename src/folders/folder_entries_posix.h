// Between the POSIX folder walk and the two ways it reads a folder's names:
// large getdents64 batches on Linux, readdir elsewhere.
#pragma once

#include <cstdint>
#include <vector>

#include "folders/folder_walk.h"

namespace zeb {

// Files one name found in the folder open at dir_fd: a folder joins the list
// and `todo`, a replay joins the list, anything else is passed over. `type`
// is the dirent's d_type, DT_UNKNOWN when the system does not tell.
void take_folder_entry(int dir_fd, const char* name, unsigned char type, std::uint32_t folder,
                       FolderList& list, std::vector<std::uint32_t>& todo);

// Reads every name of the folder open at fd (which it may not close).
void read_folder_entries(int fd, std::uint32_t folder, FolderList& list,
                         std::vector<std::uint32_t>& todo);

}  // namespace zeb

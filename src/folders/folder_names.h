// The names in one folder, for Tab after load: the system's part of file
// name completion.
#pragma once

#include <string>
#include <vector>

namespace zeb {

struct FolderName {
  std::string name;
  bool is_folder;  // a folder, or a link that leads to one
};

// Appends the names in `folder` ("" for the working folder; otherwise it
// ends in a separator), "." and ".." left out. Opens no file in it, so a
// pipe or a device never blocks; an unreadable folder gives nothing.
void list_folder_names(const std::string& folder, std::vector<FolderName>& names);

}  // namespace zeb

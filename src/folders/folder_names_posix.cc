#include <dirent.h>
#include <sys/stat.h>

#include <string_view>

#include "folders/folder_names.h"

namespace zeb {

void list_folder_names(const std::string& folder, std::vector<FolderName>& names) {
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  std::string path;
  while (const dirent* entry = readdir(listing)) {
    std::string_view found = entry->d_name;
    if (found == "." || found == "..") continue;
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      path = folder;
      path += found;
      struct stat status;  // follows a link; a dangling one is offered as a file
      is_folder = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    names.push_back({std::string(found), is_folder});
  }
  closedir(listing);
}

}  // namespace zeb

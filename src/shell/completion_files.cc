#include "shell/completion_files.h"

#include <dirent.h>
#include <sys/stat.h>

namespace zeb {

void complete_file_name(std::string_view word, std::vector<std::string>& matches) {
  std::size_t slash = word.rfind('/');
  std::string folder(slash == std::string_view::npos ? std::string_view()
                                                     : word.substr(0, slash + 1));
  std::string_view name = word.substr(folder.size());
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  bool hidden = name.starts_with('.');
  std::string path;
  while (const dirent* entry = readdir(listing)) {
    std::string_view found = entry->d_name;
    if (found == "." || found == "..") continue;
    if (found.starts_with('.') && !hidden) continue;
    if (!found.starts_with(name)) continue;
    if (found.find(' ') != std::string_view::npos) continue;  // would split into two words
    path = folder;
    path += found;
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat status;  // follows a link; a dangling one is offered as a file
      is_folder = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    if (is_folder) path += '/';
    matches.push_back(path);
  }
  closedir(listing);
}

}  // namespace zeb

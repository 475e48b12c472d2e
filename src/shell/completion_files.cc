#include "shell/completion_files.h"

#include "folders/folder_names.h"
#include "folders/folder_walk.h"
#include "shell/name_case.h"

namespace zeb {

void complete_file_name(std::string_view word, std::vector<std::string>& matches) {
  // "/" separates folders everywhere; on Windows "\" does too.
  std::size_t slash = word.find_last_of(path_separator == '/' ? "/" : "/\\");
  std::string folder(slash == std::string_view::npos ? std::string_view()
                                                     : word.substr(0, slash + 1));
  std::string_view name = word.substr(folder.size());
  spell_as_stored(folder);
  static std::vector<FolderName> names;  // the list itself is kept between calls
  names.clear();
  list_folder_names(folder, names);
  bool hidden = name.starts_with('.');
  for (const FolderName& found : names) {
    std::string_view text = found.name;
    if (text.starts_with('.') && !hidden) continue;
    if (!name_begins_with(text, name)) continue;
    if (text.find(' ') != std::string_view::npos) continue;  // would split into two words
    std::string& path = matches.emplace_back(folder);
    path += text;
    if (found.is_folder) path += path_separator;
  }
}

}  // namespace zeb

#include <windows.h>

#include "console/wide_text.h"
#include "folders/folder_names.h"

namespace zeb {

void list_folder_names(const std::string& folder, std::vector<FolderName>& names) {
  std::wstring pattern = wide_from_utf8(folder.empty() ? std::string(".\\") : folder);
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    // A link or junction to a folder is a folder to the user: Tab goes into it.
    bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    names.push_back({utf8_from_wide(name), is_folder});
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
}

}  // namespace zeb

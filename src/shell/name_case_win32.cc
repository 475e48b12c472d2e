#include <windows.h>

#include "console/wide_text.h"
#include "shell/name_case.h"

namespace zeb {

bool name_begins_with(std::string_view name, std::string_view typed) {
  std::wstring wide_name = wide_from_utf8(name), wide_typed = wide_from_utf8(typed);
  if (wide_typed.size() > wide_name.size()) return false;
  if (wide_typed.empty()) return true;
  return CompareStringOrdinal(wide_name.data(), static_cast<int>(wide_typed.size()),
                              wide_typed.data(), static_cast<int>(wide_typed.size()),
                              TRUE) == CSTR_EQUAL;
}

void spell_as_stored(std::string& folder) {
  std::wstring typed = wide_from_utf8(folder), stored;
  std::size_t at = 0;
  if (typed.size() >= 2 && typed[1] == L':') {  // a drive: its letter in capitals
    wchar_t letter = typed[0] >= L'a' && typed[0] <= L'z' ? typed[0] - L'a' + L'A' : typed[0];
    stored = {letter, L':'};
    at = 2;
  }
  while (at < typed.size()) {
    std::size_t end = typed.find_first_of(L"\\/", at);
    if (end == std::wstring::npos) end = typed.size();
    std::wstring part = typed.substr(at, end - at);
    if (!part.empty() && part != L"." && part != L".." &&
        part.find_first_of(L"*?") == std::wstring::npos) {
      WIN32_FIND_DATAW found;
      HANDLE listing = FindFirstFileExW((stored + part).c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, 0);
      if (listing == INVALID_HANDLE_VALUE) {
        stored += typed.substr(at);  // not found: the rest as typed
        break;
      }
      FindClose(listing);
      part = found.cFileName;
    }
    stored += part;
    if (end < typed.size()) stored += typed[end];
    at = end + 1;
  }
  folder = utf8_from_wide(stored);
}

}  // namespace zeb

// The floor's file work on Windows: CreateFileW, ReadFile and CloseHandle by
// path; FindFirstFileExW in large batches, whose attributes say which names
// are folders.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "floor_files.h"

namespace {

std::wstring wide(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  return out;
}

bool read_192_wide(const wchar_t* name) {
  unsigned char block[192];
  HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  bool read = ReadFile(file, block, sizeof block, &got, nullptr) && got > 0;
  CloseHandle(file);
  return read;
}

bool is_replay(std::wstring_view name) {
  if (name.size() < 4) return false;
  std::wstring_view end = name.substr(name.size() - 4);
  return end[0] == L'.' && (end[1] | 0x20) == L's' && (end[2] | 0x20) == L'p' &&
         (end[3] | 0x20) == L'r';
}

}  // namespace

bool read_192(const char* name) { return read_192_wide(wide(name).c_str()); }

long walk_and_read(const char* folder) {
  long files = 0;
  std::vector<std::wstring> todo{wide(folder)};
  while (!todo.empty()) {
    std::wstring path = todo.back() + L"\\";
    todo.pop_back();
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileExW((path + L"*").c_str(), FindExInfoBasic, &found,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) continue;
    do {
      std::wstring_view name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      DWORD attributes = found.dwFileAttributes;
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) todo.push_back(path + found.cFileName);
      } else if (is_replay(name) && read_192_wide((path + found.cFileName).c_str())) {
        ++files;
      }
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
  }
  return files;
}

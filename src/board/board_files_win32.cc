// Windows: CreateFileW and WriteFile, then MoveFileExW with
// MOVEFILE_REPLACE_EXISTING, which puts the new file in the old one's place.
#include <windows.h>

#include "board/board_files.h"
#include "console/wide_text.h"

namespace zeb {
namespace {

std::string reason_of(DWORD error) {
  wchar_t text[512];
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           error, 0, text, 512, nullptr);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L'.')) --n;
  if (n == 0) return "error " + std::to_string(error);
  return utf8_from_wide(std::wstring_view(text, n));
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool make_board_folder(const std::string& path, std::string& reason) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at != path.size() && !is_separator(path[at])) continue;
    if (path[at - 1] == ':') continue;  // "C:" itself
    std::wstring part = wide_from_utf8(path.substr(0, at));
    if (CreateDirectoryW(part.c_str(), nullptr)) continue;
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) continue;
    reason = reason_of(error);
    return false;
  }
  DWORD attributes = GetFileAttributesW(wide_from_utf8(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    reason = reason_of(GetLastError());
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    reason = reason_of(ERROR_DIRECTORY);
    return false;
  }
  return true;
}

void BoardFile::discard() {
  if (handle_ == -1) return;
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  DeleteFileW(wide_from_utf8(temporary_).c_str());
  handle_ = -1;
}

bool BoardFile::open(const std::string& path, std::string& reason) {
  path_ = path;
  std::size_t slash = path.find_last_of("\\/");
  std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  temporary_ = path.substr(0, name) + "." + path.substr(name) + ".zeb-new";
  HANDLE file = CreateFileW(wide_from_utf8(temporary_).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason = reason_of(GetLastError());
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

bool BoardFile::write(const char* data, std::size_t size, std::string& reason) {
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  while (size > 0) {
    DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr)) {
      reason = reason_of(GetLastError());
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool BoardFile::put_in_place(std::string& reason) {
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  handle_ = -1;
  std::wstring temporary = wide_from_utf8(temporary_);
  bool closed = CloseHandle(file);
  // A reader that has the old file open without FILE_SHARE_DELETE holds the
  // rename up for a moment: a few tries.
  for (int attempt = 0; closed; ++attempt) {
    if (MoveFileExW(temporary.c_str(), wide_from_utf8(path_).c_str(), MOVEFILE_REPLACE_EXISTING))
      return true;
    if (attempt == 20) break;
    Sleep(10);
  }
  reason = reason_of(GetLastError());
  DeleteFileW(temporary.c_str());
  return false;
}

bool remove_board_file(const std::string& path, std::string& reason) {
  if (DeleteFileW(wide_from_utf8(path).c_str())) return true;
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
  reason = reason_of(error);
  return false;
}

}  // namespace zeb

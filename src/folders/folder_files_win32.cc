// Windows: folders listed with FindFirstFileExW in large batches, headers read
// with CreateFileW and ReadFile, every name a wide string on the way to the
// system and UTF-8 text in zeb.
#include <windows.h>

#include <string_view>

#include "console/wide_text.h"
#include "folders/file_block.h"
#include "folders/folder_walk.h"

namespace zeb {

const char path_separator = '\\';

namespace {

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool is_folder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool is_link(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// The first 192 bytes of an open file; what is not a file on disk (a pipe,
// a console, a device) is not read, so it never holds the program.
BlockRead read_open_file(HANDLE file, FileBlock& block) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info) && is_folder(info.dwFileAttributes))
    return BlockRead::is_folder;
  if (GetFileType(file) != FILE_TYPE_DISK) return BlockRead::read_failed;
  auto* into = reinterpret_cast<unsigned char*>(&block);
  DWORD got = 0;
  while (got < sizeof block) {
    DWORD n = 0;
    if (!ReadFile(file, into + got, static_cast<DWORD>(sizeof block - got), &n, nullptr))
      return BlockRead::read_failed;
    if (n == 0) break;
    got += n;
  }
  return BlockRead::ok;
}

// The first 192 bytes of an open file that the walk found to be a file on
// disk: no look at what the file is, which under Wine costs a round trip to
// the mount manager per file. Only a read that fails asks whether the name
// became a folder since the walk.
BlockRead read_listed_file(HANDLE file, FileBlock& block) {
  auto* into = reinterpret_cast<unsigned char*>(&block);
  DWORD got = 0;
  while (got < sizeof block) {
    DWORD n = 0;
    if (!ReadFile(file, into + got, static_cast<DWORD>(sizeof block - got), &n, nullptr)) {
      BY_HANDLE_FILE_INFORMATION info;
      if (GetFileInformationByHandle(file, &info) && is_folder(info.dwFileAttributes))
        return BlockRead::is_folder;
      return BlockRead::read_failed;
    }
    if (n == 0) break;
    got += n;
  }
  return BlockRead::ok;
}

BlockRead open_wide_path(const std::wstring& path, FileBlock& block,
                         BlockRead (*read)(HANDLE, FileBlock&)) {
  block = FileBlock{};
  // Backup semantics open a folder too, so that it can be told from a file.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return BlockRead::open_failed;
  BlockRead result = read(file, block);
  CloseHandle(file);
  return result;
}

// The folder's path as the system takes it: the word, the separator, and
// the path below with "\" between its names.
std::string system_path(const FolderList& list, std::uint32_t folder) {
  std::string path;
  join_path(path, list.word, folder_path(list, folder), {});
  return path;
}

// What a found name is: links and junctions to folders are not followed; a
// link to a file counts when it leads to one.
EntryKind kind_of(const std::wstring& folder, const WIN32_FIND_DATAW& found,
                  std::string_view name) {
  DWORD attributes = found.dwFileAttributes;
  if (is_folder(attributes)) return is_link(attributes) ? EntryKind::other : EntryKind::folder;
  if (!is_replay_name(name)) return EntryKind::other;
  if (!is_link(attributes))
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::other : EntryKind::replay;
  DWORD target = GetFileAttributesW((folder + found.cFileName).c_str());
  return target != INVALID_FILE_ATTRIBUTES && !is_folder(target) ? EntryKind::replay
                                                                 : EntryKind::other;
}

// Lists one folder; false when it cannot be opened.
bool read_folder(FolderList& list, std::uint32_t folder, std::vector<std::uint32_t>& todo) {
  std::wstring wide = wide_from_utf8(system_path(list, folder));
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileExW((wide + L'*').c_str(), FindExInfoBasic, &found,
                                    FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (listing == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  std::string name;
  do {
    std::wstring_view wide_name = found.cFileName;
    if (wide_name == L"." || wide_name == L"..") continue;
    name = utf8_from_wide(wide_name);
    add_walked(list, folder, name, kind_of(wide, found, name), todo);
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  return true;
}

}  // namespace

BlockRead read_file_block(const char* path, FileBlock& block) {
  return open_wide_path(wide_from_utf8(path), block, read_open_file);
}

bool read_regular_file_block(const char* path, FileBlock& block, BlockRead& result) {
  if (std::string_view(path).starts_with("\\\\.\\")) return false;  // the device space
  std::wstring wide = wide_from_utf8(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || is_folder(attributes) ||
      (attributes & FILE_ATTRIBUTE_DEVICE))
    return false;
  block = FileBlock{};
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;  // its turn will tell why
  bool regular = GetFileType(file) == FILE_TYPE_DISK;
  if (regular) result = read_open_file(file, block);
  CloseHandle(file);
  return regular;
}

bool open_walk(std::string_view word, FolderList& list) {
  list.word.assign(word);
  DWORD attributes = GetFileAttributesW(wide_from_utf8(word).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && is_folder(attributes);
}

void close_walk(FolderList&) {}

void list_replays(FolderList& list) { walk_folders(list, read_folder); }

EntryReader::~EntryReader() = default;

BlockRead EntryReader::read(const WalkedEntry& entry, FileBlock& block) {
  if (entry.folder != folder_) {
    path_ = system_path(list_, entry.folder);
    folder_ = entry.folder;
  }
  return open_wide_path(wide_from_utf8(path_ + entry_name(list_, entry).data()), block,
                        read_listed_file);
}

}  // namespace zeb

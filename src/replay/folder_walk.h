// The replays below a folder, found without following links to folders and
// put in the byte order of their full paths, as `LC_ALL=C sort` orders them.
// Paths are kept relative to the folder, in one block of names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// A folder met on the walk; folder 0 is the folder itself.
struct WalkedFolder {
  std::uint32_t parent;
  std::uint32_t path;    // offset in names of its path below the top, "a/b/" ("" for the top)
  std::uint32_t length;  // of that path, its last "/" included
};

// A replay, or a folder below that could not be opened.
struct WalkedEntry {
  std::uint64_t key;     // the path's first 8 bytes, big-endian: most comparisons end here
  std::uint32_t folder;  // the folder it lies in
  std::uint32_t name;    // offset in names; a replay's name ends in a NUL
  std::uint16_t length;  // of the name
  bool unopenable;       // a folder that could not be opened, not a replay
};

struct FolderList {
  std::vector<char> names;  // every path and name, back to back
  std::vector<WalkedFolder> folders;
  std::vector<WalkedEntry> entries;  // in path order once listed
};

// A replay's name ends in ".spr", in any letter case.
bool is_replay_name(std::string_view name);
// Whether text a1 + a2 comes before text b1 + b2, byte by byte as unsigned.
bool joined_before(std::string_view a1, std::string_view a2, std::string_view b1,
                   std::string_view b2);
// The word as typed, one "/" unless it ends in one, then the path below it.
void join_path(std::string& out, std::string_view word, std::string_view below,
               std::string_view name);

// Walks the folder open at top_fd with an explicit list of folders still to
// read (no recursion), then sorts the entries once.
void list_replays(int top_fd, FolderList& list);

std::string_view folder_path(const FolderList& list, std::uint32_t folder);
std::string_view entry_name(const FolderList& list, const WalkedEntry& entry);
// Opens a listed folder, relative to top_fd; a new descriptor, or -1.
int open_listed_folder(int top_fd, const FolderList& list, std::uint32_t folder);

}  // namespace zeb

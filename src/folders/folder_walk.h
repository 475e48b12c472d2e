// The replays below a folder, found without following links to folders and
// put in the byte order of their full paths written with "/", as
// `LC_ALL=C sort` orders them, on every system. Paths are kept relative to
// the folder, in one block of names. Listing a folder and opening its files
// is the system's part (folder_files_*.cc); the order and the paths are
// shared.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "folders/file_block.h"

namespace zeb {

// What joins the word as typed and the path below it: "/", or "\" on Windows.
extern const char path_separator;

// A folder met on the walk; folder 0 is the folder itself.
struct WalkedFolder {
  std::uint32_t parent;
  std::uint32_t path;    // offset in names of its path below the top, "a/b/" ("" for the top)
  std::uint32_t length;  // of that path, its last "/" included
};

// A replay, or a folder below that could not be opened: 16 bytes, since a
// folder load keeps one for every file.
struct WalkedEntry {
  std::uint64_t key;     // the path's first 8 bytes, big-endian: most comparisons end here
  std::uint32_t folder;  // the folder it lies in
  std::uint32_t place;   // its name's offset in names (the name ends in a NUL), and in the
                         // top bit: a folder that could not be opened, not a replay
  static constexpr std::uint32_t unopenable_bit = 0x80000000u;
  bool unopenable() const { return (place & unopenable_bit) != 0; }
  std::uint32_t name() const { return place & ~unopenable_bit; }
};
static_assert(sizeof(WalkedEntry) == 16);

struct FolderList {
  std::string word;         // the folder as typed
  std::intptr_t top = -1;   // the folder, open, where the system keeps it so
  std::vector<char> names;  // every path and name, back to back
  std::vector<WalkedFolder> folders;
  std::vector<WalkedEntry> entries;  // in path order once listed
};

// A replay's name ends in ".spr", in any letter case.
bool is_replay_name(std::string_view name);
// Whether text a1 + a2 comes before text b1 + b2, byte by byte as unsigned.
bool joined_before(std::string_view a1, std::string_view a2, std::string_view b1,
                   std::string_view b2);
// The word as typed, one separator unless it ends in "/" (or "\" where that
// is the separator), then the path below it with its "/" written as the
// separator.
void join_path(std::string& out, std::string_view word, std::string_view below,
               std::string_view name);

// Opens the folder `word` for a walk; false, writing nothing, when it cannot
// be opened. close_walk lets it go again.
bool open_walk(std::string_view word, FolderList& list);
void close_walk(FolderList& list);
// Walks the open folder with an explicit list of folders still to read (no
// recursion), then puts the entries in path order.
void list_replays(FolderList& list);

std::string_view folder_path(const FolderList& list, std::uint32_t folder);
std::string_view entry_name(const FolderList& list, const WalkedEntry& entry);

// Reads the header blocks of listed replays, keeping the last folder it
// used open for the next entry: one for each thread that reads.
class EntryReader {
 public:
  explicit EntryReader(const FolderList& list) : list_(list) {}
  ~EntryReader();
  EntryReader(const EntryReader&) = delete;
  EntryReader& operator=(const EntryReader&) = delete;
  BlockRead read(const WalkedEntry& entry, FileBlock& block);

 private:
  const FolderList& list_;
  std::uint32_t folder_ = UINT32_MAX;
  std::intptr_t handle_ = -1;  // the open folder, where the system keeps one
  std::string path_;           // the folder's path, where the system opens by path
};

// The pieces the systems' walkers build the list with.
enum class EntryKind { other, folder, replay };
// A name found in `folder`: a folder joins the list and `todo`, a replay
// joins the list, anything else is passed over.
void add_walked(FolderList& list, std::uint32_t folder, std::string_view name, EntryKind kind,
                std::vector<std::uint32_t>& todo);
// Lists every folder from the top down with `read_folder`, which adds the
// names of one folder and is false when it cannot be opened; such a folder
// is listed in its place, to be reported. Then puts the entries in order.
using FolderReader = bool (*)(FolderList& list, std::uint32_t folder,
                              std::vector<std::uint32_t>& todo);
void walk_folders(FolderList& list, FolderReader read_folder);

}  // namespace zeb

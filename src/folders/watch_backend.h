// Between the watch engine (folder_watch.cc) and each system's watcher
// beside it (folder_watch_linux.cc, _win32.cc, _scan.cc): the calls a
// watcher makes, and the calls it gets.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace zeb {

// --- What a watcher calls.

// How a watcher met a replay file.
enum class Met {
  closed,   // its writer closed it, or it was moved or linked in: complete
  writing,  // a writer is at it: complete when the writer closes it
  found,    // seen on a walk or changed: complete once nobody writes it and
            // its size and time have not changed for half a second
  scanned   // seen changed by a scan: complete once its size and time have
            // not changed for two seconds
};
void note_replay(std::uint32_t folder, const std::string& path, Met how);
// The system dropped changes below a watched folder (too many at once):
// its tree is walked again for the replays new or changed since handed over.
void watch_lost_events(std::uint32_t folder);
// The watched folder itself was removed or moved away.
void watch_gone(std::uint32_t folder);
// A folder below a watched one (or the watched one) that the system cannot
// watch; with `past_limit`, because its watches ran out. It and every folder
// below it are scanned instead.
void scan_instead(std::uint32_t folder, const std::string& path, bool past_limit);

// Each replay file below `path` (a watched folder's path as written, with its
// separator; links to folders not followed): its path as written, and its
// entry. False when `path` cannot be listed.
using ReplayVisitor =
    std::function<void(std::string path, const std::filesystem::directory_entry& entry)>;
bool walk_replays(const std::string& path, const ReplayVisitor& met);

// A file's size and the time it was last written, as finely as the system
// keeps them, in the system's own units: compared only with each other.
struct FileStamp {
  std::uint64_t size = UINT64_MAX;
  std::int64_t time = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of a regular file (a link followed); false for anything else.
bool file_stamp(const std::string& path, FileStamp& stamp);
// The time now, in the units of a stamp; and the earliest time a file
// written from now on can carry: less what a file system's own coarser clock
// may lag behind.
std::int64_t stamp_now();
std::int64_t earliest_stamp_from_now();

// --- What a watcher does.

struct WatchBackend {
  // Starts watching the tree of `path` (the folder's word with its
  // separator, the start of every path below it); false when the system
  // refuses the folder itself.
  bool (*start)(std::uint32_t folder, const std::string& path);
  // Lets the watches of a folder that is gone go.
  void (*stop)(std::uint32_t folder);
  // Reads what the system reported, calling the functions above.
  void (*read_events)();
  // What the prompt waits on: a descriptor that becomes readable, or an event
  // that is signalled, when there are changes; -1 for none.
  std::intptr_t (*descriptor)();
  // Whether a writer still has the file open, where the system tells.
  bool (*in_use)(const std::string& path);
  // How many watches a user may have, where there is such a limit; -1 otherwise.
  int (*watch_limit)();
  std::chrono::steady_clock::time_point (*now)();
};
// The system's watcher, and the one in use (tests put a fake in its place).
const WatchBackend& system_watch_backend();
void set_watch_backend(const WatchBackend* backend);
// Forgets every watched folder and every file met (for tests).
void forget_watches();

}  // namespace zeb

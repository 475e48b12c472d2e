// Between the watch engine (folder_watch.cc) and each system's watcher
// beside it: the calls a watcher makes, and the calls it gets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace zeb {

// --- What a watcher calls.

// A file met by a watcher: complete when its writer has closed it (or it was
// moved in), otherwise once its size has not changed for half a second.
void note_replay(std::uint32_t folder, const std::string& path, bool complete);

// Each replay file below `path` (a watched folder's path as written, with its
// separator; links to folders not followed): its path as written, and its
// entry. False when `path` cannot be listed.
using ReplayVisitor =
    std::function<void(std::string path, const std::filesystem::directory_entry& entry)>;
bool walk_replays(const std::string& path, const ReplayVisitor& met);

// --- What each system's watcher does.

// Starts watching, true on success (`path` is the folder's word with its
// separator, the start of every path below it).
bool start_watch(std::uint32_t folder, const std::string& path);
// Reads what the system reported, calling note_replay for replay files.
void read_watch_events();
std::intptr_t system_watch_descriptor();
// Milliseconds between two looks where the system does not report changes; -1 where it does.
int system_scan_interval_ms();

}  // namespace zeb

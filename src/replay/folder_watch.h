// Folders watched for new replays while zeb waits at the prompt: at a
// terminal, every folder loaded in the session, by load or at start-up, is
// watched until zeb ends, and a replay that is created, moved in or
// rewritten anywhere below it is loaded as `l PATH` loads it once complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zeb {

// Watches the folder `word` (as typed) and every folder below it from now
// on. The first time writes "\twatching WORD for new replays"; a folder
// already watched, itself or as part of one above it, is watched once; a
// folder the system refuses to watch gets one line saying so.
void watch_folder(std::string_view word);

// What the prompt waits on besides the keys: a descriptor that becomes
// readable (an event signalled, on Windows) when a watched folder changes,
// -1 where the system has none, and how long until the watches want a look
// without one (-1: no need).
std::intptr_t watch_descriptor();
int watch_timeout_ms();
// Takes in what changed and loads the replays that are complete by now,
// in path order, with their messages; true when it wrote anything.
bool load_arrived_replays();

// --- Between the shared part (folder_watch.cc) and each system's watcher.

// A watched folder; `word` is its word as typed.
struct WatchedFolder {
  std::string word;
  std::string identity;  // its path with links resolved, to tell it again
};
// A file met by a watcher: complete when its writer has closed it (or it was
// moved in), otherwise once its size has not changed for half a second.
void note_replay(std::uint32_t folder, const std::string& path, bool complete);

// Each replay file below `path` (a watched folder's path as written, with its
// separator; links to folders not followed): its path as written, and its
// entry. False when `path` cannot be listed.
using ReplayVisitor =
    std::function<void(std::string path, const std::filesystem::directory_entry& entry)>;
bool walk_replays(const std::string& path, const ReplayVisitor& met);

// The system's part: starts watching, true on success (`path` is the folder's
// word with its separator, the start of every path below it).
bool start_watch(std::uint32_t folder, const std::string& path);
// Reads what the system reported, calling note_replay for replay files.
void read_watch_events();
std::intptr_t system_watch_descriptor();
// Milliseconds between two looks where the system does not report changes; -1 where it does.
int system_scan_interval_ms();

}  // namespace zeb

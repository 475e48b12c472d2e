// What every system's watcher shares: the watched folders, the files met
// and not yet handed over, and when they count as complete.
#include "folders/folder_watch.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "console/output.h"
#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A file whose writer may still be at it counts as complete once its size
// has stayed the same this long.
constexpr auto settle_time = std::chrono::milliseconds(500);
// How often the sizes of such files are looked at.
constexpr int settle_look_ms = 100;
// Files met this close together arrive together: they wait for the quiet
// after the last of them and load in one go, in path order; a stream that
// never pauses loads what is complete after `longest_hold` all the same.
constexpr auto together = std::chrono::milliseconds(250);
constexpr auto longest_hold = std::chrono::milliseconds(900);
// A watched folder; `word` is its word as typed.
struct WatchedFolder {
  std::string word;
  std::string identity;  // its path with links resolved, to tell it again
};
std::vector<WatchedFolder> watched;

struct Pending {
  std::uint32_t folder;
  bool complete;
  std::uintmax_t size;
  Clock::time_point changed;
};
std::map<std::string, Pending> pending;  // by the path as written
Clock::time_point first_met, last_met;   // since the last files were loaded

fs::path path_of(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string text_of(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool covers(const std::string& above, const std::string& folder) {
  if (above == folder) return true;
  std::string prefix = above;
  if (!prefix.empty() && prefix.back() != static_cast<char>(fs::path::preferred_separator))
    prefix += static_cast<char>(fs::path::preferred_separator);
  return folder.starts_with(prefix);
}

// The order of a folder load: paths compared with "/" as the separator.
bool path_before(const std::string& a, const std::string& b) {
  auto key = [](char c) { return static_cast<unsigned char>(c == path_separator ? '/' : c); };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return key(x) < key(y); });
}

}  // namespace

bool walk_replays(const std::string& path, const ReplayVisitor& met) {
  std::error_code error;
  fs::path top = path_of(path);
  fs::recursive_directory_iterator walk(top, fs::directory_options::skip_permission_denied, error);
  if (error) return false;
  for (; walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    if (error) break;
    const fs::directory_entry& entry = *walk;
    if (entry.is_symlink(error)) {
      walk.disable_recursion_pending();  // links and junctions to folders are not followed
      if (entry.is_directory(error)) continue;
    }
    std::u8string name = entry.path().filename().u8string();
    if (!is_replay_name(std::string_view(reinterpret_cast<const char*>(name.data()), name.size())))
      continue;
    if (!entry.is_regular_file(error)) continue;  // a link counts when it leads to a file
    std::u8string below = entry.path().lexically_relative(top).make_preferred().u8string();
    met(path + std::string(below.begin(), below.end()), entry);
  }
  return true;
}

void watch_folder(std::string_view word) {
  std::error_code error;
  std::string identity = text_of(fs::canonical(path_of(word), error));
  if (error) identity = std::string(word);
  for (const WatchedFolder& w : watched)
    if (covers(w.identity, identity)) return;
  auto index = static_cast<std::uint32_t>(watched.size());
  watched.push_back({std::string(word), identity});
  std::string path;
  join_path(path, word, {}, {});
  if (!start_watch(index, path)) {
    watched.pop_back();
    write_format("\tcannot watch %s for new replays\n", {word});
    return;
  }
  write_format("\twatching %s for new replays\n", {word});
}

void note_replay(std::uint32_t folder, const std::string& path, bool complete) {
  last_met = Clock::now();
  if (pending.empty()) first_met = last_met;
  auto [at, added] =
      pending.try_emplace(path, Pending{folder, complete, UINTMAX_MAX, Clock::now()});
  if (!added) {
    at->second.complete = at->second.complete || complete;
    at->second.changed = Clock::now();
  }
}

std::intptr_t watch_descriptor() { return watched.empty() ? -1 : system_watch_descriptor(); }

int watch_timeout_ms() {
  if (!pending.empty()) return settle_look_ms;
  return watched.empty() ? -1 : system_scan_interval_ms();
}

std::vector<ArrivedReplays> take_arrived_replays() {
  std::vector<ArrivedReplays> arrived;
  if (watched.empty()) return arrived;
  read_watch_events();
  Clock::time_point now = Clock::now();
  if (now - last_met < together && now - first_met < longest_hold) return arrived;
  std::vector<std::pair<std::string, std::uint32_t>> ready;
  for (auto at = pending.begin(); at != pending.end();) {
    Pending& p = at->second;
    std::error_code error;
    std::uintmax_t size = fs::file_size(path_of(at->first), error);
    if (error) {  // gone again, or no regular file: nothing to load
      at = pending.erase(at);
      continue;
    }
    if (!p.complete && size != p.size) {
      p.size = size;
      p.changed = now;
    }
    if (p.complete || now - p.changed >= settle_time) {
      ready.emplace_back(at->first, p.folder);
      at = pending.erase(at);
    } else {
      ++at;
    }
  }
  std::sort(ready.begin(), ready.end(), [](const auto& a, const auto& b) {
    if (a.second != b.second) return a.second < b.second;
    return path_before(a.first, b.first);
  });
  for (std::size_t i = 0; i < ready.size(); ++i) {
    if (i == 0 || ready[i - 1].second != ready[i].second)
      arrived.push_back({watched[ready[i].second].word, {}});
    arrived.back().paths.push_back(std::move(ready[i].first));
  }
  return arrived;
}

}  // namespace zeb

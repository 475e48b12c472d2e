// What every system's watcher shares: the watched folders, the files met
// and not yet handed over, when they count as complete, the walks that find
// what the system did not report, and the folders that are scanned.
#include "folders/folder_watch.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "console/output.h"
#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A file that nobody writes counts as complete once its size and time have
// stayed the same this long; one met by a scan, over two scans.
constexpr auto settle_time = std::chrono::milliseconds(500);
constexpr auto scan_interval = std::chrono::seconds(2);
// How often files met are looked at, and watched folders checked for being there.
constexpr int settle_look_ms = 100;
constexpr auto presence_look = std::chrono::seconds(1);
// Files met this close together arrive together: they wait for the quiet
// after the last of them and are handed over in one go, in path order; a
// stream that never pauses hands over what is complete after `longest_hold`.
constexpr auto together = std::chrono::milliseconds(250);
constexpr auto longest_hold = std::chrono::milliseconds(900);

bool watching_on = false;
const WatchBackend* backend = nullptr;
const WatchBackend& use() { return backend != nullptr ? *backend : system_watch_backend(); }

// A file's size and time: what tells one save of it from the next.
using Seen = FileStamp;

std::optional<Seen> look_at(const std::string& path) {
  Seen seen;
  if (!file_stamp(path, seen)) return std::nullopt;
  return seen;
}

struct WatchedFolder {
  std::string word;        // as typed
  std::string path;        // the word with its separator
  std::string identity;    // its path with links resolved, to tell it again
  std::int64_t since = 0;  // watching began: a file older than this was there before
  bool gone = false;
  int past_limit = 0;  // folders below it that are scanned for want of watches
  bool limit_told = false;
};
std::vector<WatchedFolder> watched;

// A tree scanned instead of watched: the replays in it when last scanned.
struct ScannedTree {
  std::uint32_t folder;
  std::string path;
  std::map<std::string, Seen> files;
};
std::vector<ScannedTree> scanned;
Clock::time_point next_scan, next_presence_look;

struct Pending {
  std::uint32_t folder;
  Met how;
  Seen seen;  // when last looked at
  Clock::time_point steady_since;
};
std::map<std::string, Pending> pending;        // by the path as written
std::unordered_map<std::string, Seen> handed;  // each file as last handed over (or loaded)
Clock::time_point first_met, last_met;         // since files were last handed over

// Folder loads' listings: a replay a load listed was loaded then, unless
// it changed after the listing.
struct Listing {
  std::string top;  // the word as typed with its separator
  FolderList list;
  std::int64_t listed_at;
};
std::vector<Listing> listings;
std::int64_t listed_at = 0;  // of the load under way

// A line of the watches' own was written since the last hand-over.
bool wrote_line = false;

// What a folder load's watch says after its summary.
enum class Announce { nothing, watching, cannot };
Announce announce = Announce::nothing;
std::string announced_word;

fs::path path_of(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string text_of(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string identity_of(std::string_view word) {
  std::error_code error;
  std::string identity = text_of(fs::canonical(path_of(word), error));
  return error ? std::string(word) : identity;
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

// Lists a scanned tree; with `note`, what is new or changed since the last
// scan is met. The number of folders in it.
int scan(ScannedTree& tree, bool note) {
  std::map<std::string, Seen> now;
  int folders = 1;
  std::error_code error;
  fs::path top = path_of(tree.path);
  fs::recursive_directory_iterator walk(top, fs::directory_options::skip_permission_denied, error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::directory_entry& entry = *walk;
    if (entry.is_symlink(error)) walk.disable_recursion_pending();
    if (entry.is_directory(error)) {
      if (!entry.is_symlink(error)) ++folders;
      continue;
    }
    std::u8string name = entry.path().filename().u8string();
    if (!is_replay_name(
            std::string_view(reinterpret_cast<const char*>(name.data()), name.size())) ||
        !entry.is_regular_file(error))
      continue;
    std::u8string below = entry.path().lexically_relative(top).make_preferred().u8string();
    std::string path = tree.path + std::string(below.begin(), below.end());
    Seen seen;
    if (!file_stamp(path, seen)) continue;
    auto old = tree.files.find(path);
    if (note && (old == tree.files.end() || !(old->second == seen)))
      note_replay(tree.folder, path, Met::scanned);
    now.emplace(std::move(path), seen);
  }
  tree.files = std::move(now);
  return folders;
}

void scan_due_trees(Clock::time_point now) {
  if (scanned.empty() || now < next_scan) return;
  for (ScannedTree& tree : scanned)
    if (!watched[tree.folder].gone) scan(tree, true);
  next_scan = now + scan_interval;
}

void forget_folder(std::uint32_t folder) {
  std::erase_if(scanned, [&](const ScannedTree& t) { return t.folder == folder; });
  std::erase_if(pending, [&](const auto& p) { return p.second.folder == folder; });
}

// Watches a folder's tree (again); false when the system refuses it.
bool start(std::uint32_t folder) {
  WatchedFolder& w = watched[folder];
  w.since = earliest_stamp_from_now();
  w.past_limit = 0;
  return use().start(folder, w.path);
}

void tell_limit(WatchedFolder& w) {
  if (w.past_limit == 0 || w.limit_told) return;
  w.limit_told = true;
  wrote_line = true;
  write_format(
      "\tcannot watch %d folders below %s with inotify (fs.inotify.max_user_watches is %d); "
      "they are scanned every 2 s\n",
      {w.past_limit, std::string_view(w.word), use().watch_limit()});
}

// Watched folders that are gone or back.
void look_for_gone_and_back(Clock::time_point now) {
  if (now < next_presence_look) return;
  next_presence_look = now + presence_look;
  for (std::uint32_t i = 0; i < watched.size(); ++i) {
    WatchedFolder& w = watched[i];
    std::error_code error;
    bool there = fs::is_directory(path_of(w.word), error);
    if (!w.gone && !there) {
      watch_gone(i);
    } else if (w.gone && there && start(i)) {
      w.gone = false;
      walk_replays(w.path, [&](std::string path, const fs::directory_entry&) {
        handed.erase(path);  // all it holds now arrives
        note_replay(i, path, Met::found);
      });
    }
  }
}

// Whether the listing holds the replay at `below` (its path below the
// listed folder, with the system's separator).
bool lists(const FolderList& list, std::string below) {
  std::replace(below.begin(), below.end(), path_separator, '/');
  auto entry = std::lower_bound(list.entries.begin(), list.entries.end(), below,
                                [&](const WalkedEntry& e, const std::string& b) {
                                  return joined_before(folder_path(list, e.folder),
                                                       entry_name(list, e), b, {});
                                });
  return entry != list.entries.end() && !entry->unopenable() &&
         !joined_before(below, {}, folder_path(list, entry->folder), entry_name(list, *entry));
}

// When a replay that zeb has not handed over was last loaded for certain: by
// the last folder load that listed it, or never (0).
std::int64_t loaded_with_listing(const std::string& path) {
  for (const Listing& l : listings)
    if (path.starts_with(l.top) && lists(l.list, path.substr(l.top.size()))) return l.listed_at;
  return 0;
}

// Whether a pending file is complete now; updates what was seen of it.
bool is_complete(const std::string& path, Pending& p, const Seen& seen, Clock::time_point now) {
  if (p.how == Met::closed) return true;
  if (p.how == Met::writing) return false;
  if (!(seen == p.seen)) {
    p.seen = seen;
    p.steady_since = now;
    return false;
  }
  auto settle = p.how == Met::scanned ? std::chrono::duration_cast<Clock::duration>(scan_interval)
                                      : std::chrono::duration_cast<Clock::duration>(settle_time);
  return now - p.steady_since >= settle && !use().in_use(path);
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

void set_watching(bool on) { watching_on = on; }
bool watching() { return watching_on; }

void set_watch_backend(const WatchBackend* new_backend) { backend = new_backend; }

void forget_watches() {
  for (std::uint32_t i = 0; i < watched.size(); ++i)
    if (!watched[i].gone) use().stop(i);
  watched.clear();
  scanned.clear();
  pending.clear();
  handed.clear();
  listings.clear();
  announce = Announce::nothing;
  next_scan = next_presence_look = first_met = last_met = {};
}

void begin_watch(std::string_view word) {
  announce = Announce::nothing;
  announced_word = word;
  std::string identity = identity_of(word);
  for (std::uint32_t i = 0; i < watched.size(); ++i) {
    WatchedFolder& w = watched[i];
    if (!covers(w.identity, identity)) continue;
    if (!w.gone) return;
    if (w.identity != identity) continue;
    // A folder that was gone and is loaded again: watched again now.
    w.word = word;
    join_path(w.path, word, {}, {});
    announce = start(i) ? Announce::watching : Announce::cannot;
    w.gone = announce != Announce::watching;
    return;
  }
  auto index = static_cast<std::uint32_t>(watched.size());
  WatchedFolder& w = watched.emplace_back();
  w.word = word;
  join_path(w.path, word, {}, {});
  w.identity = identity;
  if (start(index)) {
    announce = Announce::watching;
  } else {
    watched.pop_back();
    announce = Announce::cannot;
  }
}

void take_listed(const FolderList& list) {
  if (watched.empty()) return;
  listed_at = stamp_now();
  use().read_events();
  for (ScannedTree& tree : scanned)
    if (!watched[tree.folder].gone) scan(tree, true);
  std::string top;
  join_path(top, list.word, {}, {});
  for (auto at = pending.lower_bound(top); at != pending.end() && at->first.starts_with(top);) {
    if (lists(list, at->first.substr(top.size())) && at->second.how != Met::writing) {
      if (std::optional<Seen> seen = look_at(at->first)) handed[at->first] = *seen;
      at = pending.erase(at);
    } else {
      ++at;
    }
  }
}

void keep_listing(FolderList&& list) {
  if (watched.empty()) return;
  std::string top;
  join_path(top, list.word, {}, {});
  std::erase_if(listings, [&](const Listing& l) { return l.top == top; });
  listings.push_back({std::move(top), std::move(list), listed_at});
}

void announce_watch() {
  std::string_view word = announced_word;
  if (announce == Announce::watching) {
    write_format("\twatching %s for new replays\n", {word});
    for (WatchedFolder& w : watched)
      if (w.word == word) tell_limit(w);
  } else if (announce == Announce::cannot) {
    write_format("\tcannot watch %s for new replays\n", {word});
  }
  announce = Announce::nothing;
  wrote_line = false;  // written with the load's own lines
}

void note_replay(std::uint32_t folder, const std::string& path, Met how) {
  last_met = use().now();
  if (pending.empty()) first_met = last_met;
  auto [at, added] = pending.try_emplace(path, Pending{folder, how, {}, last_met});
  if (added) return;
  Pending& p = at->second;
  // A walk or a scan tells nothing new of a file whose writer is known.
  if ((how == Met::found || how == Met::scanned) && (p.how == Met::closed || p.how == Met::writing))
    return;
  p.how = how;
}

void watch_lost_events(std::uint32_t folder) {
  // A writer's close may have been among what was dropped.
  for (auto& [path, p] : pending)
    if (p.folder == folder && p.how == Met::writing) p.how = Met::found;
  const WatchedFolder& w = watched[folder];
  std::int64_t since = w.since;
  walk_replays(w.path, [&](std::string path, const fs::directory_entry&) {
    Seen seen;
    if (!file_stamp(path, seen)) return;
    auto was = handed.find(path);
    bool changed;
    if (was != handed.end()) {
      changed = !(was->second == seen);
    } else {
      std::int64_t loaded = loaded_with_listing(path);
      changed = loaded != 0 ? seen.time >= loaded : seen.time >= since;
    }
    // Complete unless a writer still has it: what was dropped arrives with
    // what was reported, as one arrival.
    if (changed) note_replay(folder, path, use().in_use(path) ? Met::found : Met::closed);
  });
}

void watch_gone(std::uint32_t folder) {
  WatchedFolder& w = watched[folder];
  if (w.gone) return;
  w.gone = true;
  wrote_line = true;
  use().stop(folder);
  forget_folder(folder);
  write_format("\t%s is gone; it will be watched again when it is back\n",
               {std::string_view(w.word)});
}

void scan_instead(std::uint32_t folder, const std::string& path, bool past_limit) {
  for (const ScannedTree& tree : scanned)
    if (tree.path == path) return;
  ScannedTree& tree = scanned.emplace_back(ScannedTree{folder, path, {}});
  int folders = scan(tree, false);
  if (past_limit) watched[folder].past_limit += folders;
  next_scan = use().now() + scan_interval;
}

std::intptr_t watch_descriptor() { return watched.empty() ? -1 : use().descriptor(); }

int watch_timeout_ms() {
  if (watched.empty()) return -1;
  for (const auto& [path, p] : pending)
    if (p.how != Met::writing) return settle_look_ms;
  return static_cast<int>(std::chrono::milliseconds(presence_look).count());
}

std::vector<ArrivedReplays> take_arrived_replays(bool& wrote) {
  std::vector<ArrivedReplays> arrived;
  wrote = false;
  if (watched.empty()) return arrived;
  use().read_events();
  Clock::time_point now = use().now();
  look_for_gone_and_back(now);
  scan_due_trees(now);
  for (WatchedFolder& w : watched) tell_limit(w);
  wrote = wrote_line;
  wrote_line = false;
  if (now - last_met < together && now - first_met < longest_hold) return arrived;
  std::vector<std::pair<std::string, std::uint32_t>> ready;
  for (auto at = pending.begin(); at != pending.end();) {
    std::optional<Seen> seen = look_at(at->first);
    if (!seen) {  // gone again, or no regular file: nothing to load
      at = pending.erase(at);
      continue;
    }
    if (!is_complete(at->first, at->second, *seen, now)) {
      ++at;
      continue;
    }
    auto [was, added] = handed.try_emplace(at->first, *seen);
    if (added || !(was->second == *seen)) {  // one save is handed over once
      was->second = *seen;
      ready.emplace_back(at->first, at->second.folder);
    }
    at = pending.erase(at);
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

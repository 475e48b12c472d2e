// Linux: inotify. Every folder below a watched one gets a watch of its own;
// a file is complete when its writer closes it or it is moved in.
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <unordered_map>
#include <vector>

#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

constexpr std::uint32_t events =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_ONLYDIR | IN_DONT_FOLLOW;

int inotify_fd = -1;

struct Watch {
  std::uint32_t folder;  // the watched folder it lies below
  std::string path;      // as written, with its separator at the end
};
std::unordered_map<int, Watch> watches;

bool is_folder(const std::string& path, const dirent* entry) {
  if (entry->d_type != DT_UNKNOWN) return entry->d_type == DT_DIR;
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);  // links not followed
}

// Watches a folder and every folder below it; with `note`, the replays
// already in them are met as files being written. False when the system
// refuses the folder itself.
bool add_tree(std::uint32_t folder, const std::string& top, bool note) {
  std::vector<std::string> todo{top};
  bool first = true;
  while (!todo.empty()) {
    std::string path = std::move(todo.back());
    todo.pop_back();
    int wd = ::inotify_add_watch(inotify_fd, path.c_str(), events);
    if (wd < 0) {
      if (first) return false;
      continue;  // a folder below that went away or is locked
    }
    first = false;
    watches[wd] = {folder, path};
    DIR* listing = ::opendir(path.c_str());
    if (listing == nullptr) continue;
    while (const dirent* entry = ::readdir(listing)) {
      std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      std::string below = path + std::string(name);
      if (is_folder(below, entry))
        todo.push_back(below + '/');
      else if (note && is_replay_name(name))
        note_replay(folder, below, false);
    }
    ::closedir(listing);
  }
  return true;
}

}  // namespace

bool start_watch(std::uint32_t folder, const std::string& path) {
  if (inotify_fd < 0) inotify_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  return inotify_fd >= 0 && add_tree(folder, path, false);
}

void read_watch_events() {
  alignas(inotify_event) char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(inotify_fd, buffer, sizeof buffer);
    if (got <= 0) return;  // nothing more for now (EAGAIN)
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      auto found = watches.find(event->wd);
      if (found == watches.end()) continue;
      if (event->mask & IN_IGNORED) {  // the folder went away
        watches.erase(found);
        continue;
      }
      if (event->len == 0) continue;
      Watch watch = found->second;  // add_tree may move the map's entries
      std::string path = watch.path + event->name;
      if (event->mask & IN_ISDIR) {
        if (event->mask & (IN_CREATE | IN_MOVED_TO)) add_tree(watch.folder, path + '/', true);
      } else if (is_replay_name(event->name)) {
        note_replay(watch.folder, path, (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) != 0);
      }
    }
  }
}

std::intptr_t system_watch_descriptor() { return inotify_fd; }
int system_scan_interval_ms() { return -1; }

}  // namespace zeb

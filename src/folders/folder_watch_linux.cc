// Linux: inotify. Every folder below a watched one gets a watch of its own;
// a file is complete when its writer closes it or it is moved or linked in.
// When the watches run out (fs.inotify.max_user_watches), the folders left
// are scanned instead; when the queue of events overflows, the trees are
// walked again.
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

constexpr std::uint32_t events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_MODIFY |
                                 IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

int inotify_fd = -1;

struct Watch {
  std::uint32_t folder;  // the watched folder it lies below
  std::string path;      // as written, with its separator at the end
  bool top;              // the watched folder itself
};
std::unordered_map<int, Watch> watches;
std::unordered_map<std::uint32_t, std::string> tops;  // each watched folder's path

bool is_folder(const std::string& path, const dirent* entry) {
  if (entry->d_type != DT_UNKNOWN) return entry->d_type == DT_DIR;
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);  // links not followed
}

// Watches a folder and every folder below it; with `note`, the replays
// already in them are met as found. A folder past the limit of watches is
// scanned instead, with all below it. False when the system refuses the
// folder itself for another reason.
bool add_tree(std::uint32_t folder, const std::string& top, bool note) {
  std::vector<std::string> todo{top};
  bool first = true;
  while (!todo.empty()) {
    std::string path = std::move(todo.back());
    todo.pop_back();
    int wd = ::inotify_add_watch(inotify_fd, path.c_str(), events);
    if (wd < 0 && errno == ENOSPC) {
      scan_instead(folder, path, true);
      if (note)
        walk_replays(path, [&](std::string replay, const auto&) {
          note_replay(folder, replay, Met::found);
        });
      first = false;
      continue;
    }
    if (wd < 0) {
      if (first) return false;
      continue;  // a folder below that went away or is locked
    }
    watches[wd] = {folder, path, first && top == tops[folder]};
    first = false;
    DIR* listing = ::opendir(path.c_str());
    if (listing == nullptr) continue;
    while (const dirent* entry = ::readdir(listing)) {
      std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      std::string below = path + std::string(name);
      if (is_folder(below, entry))
        todo.push_back(below + '/');
      else if (note && is_replay_name(name))
        note_replay(folder, below, Met::found);
    }
    ::closedir(listing);
  }
  return true;
}

bool start(std::uint32_t folder, const std::string& path) {
  if (inotify_fd < 0) inotify_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_fd < 0) return false;
  tops[folder] = path;
  if (add_tree(folder, path, false)) return true;
  tops.erase(folder);
  return false;
}

void stop(std::uint32_t folder) {
  for (auto at = watches.begin(); at != watches.end();) {
    if (at->second.folder == folder) {
      ::inotify_rm_watch(inotify_fd, at->first);
      at = watches.erase(at);
    } else {
      ++at;
    }
  }
  tops.erase(folder);
}

void read_events() {
  if (inotify_fd < 0) return;
  alignas(inotify_event) char buffer[1 << 16];
  bool lost = false;
  std::vector<std::uint32_t> gone;
  for (;;) {
    ssize_t got = ::read(inotify_fd, buffer, sizeof buffer);
    if (got <= 0) break;  // nothing more for now (EAGAIN)
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        lost = true;
        continue;
      }
      auto found = watches.find(event->wd);
      if (found == watches.end()) continue;
      Watch watch = found->second;  // add_tree may move the map's entries
      if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
        // A folder below that moves keeps its watch: it may have moved
        // within the tree, where it is watched again under its new name.
        if (watch.top) gone.push_back(watch.folder);
        if (event->mask & IN_IGNORED) watches.erase(found);
        continue;
      }
      if (event->len == 0) continue;
      std::string path = watch.path + event->name;
      if (event->mask & IN_ISDIR) {
        if (event->mask & (IN_CREATE | IN_MOVED_TO)) add_tree(watch.folder, path + '/', true);
      } else if (is_replay_name(event->name)) {
        bool done = (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) != 0;
        // A link made to a file arrives complete, with IN_CREATE alone.
        struct stat st;
        if (!done && (event->mask & IN_CREATE) && ::lstat(path.c_str(), &st) == 0 &&
            (S_ISLNK(st.st_mode) || st.st_nlink > 1))
          done = true;
        note_replay(watch.folder, path, done ? Met::closed : Met::writing);
      }
    }
  }
  for (std::uint32_t folder : gone)
    if (tops.count(folder) != 0) watch_gone(folder);
  if (lost) {
    // What was created while events were dropped has no watch yet.
    std::vector<std::pair<std::uint32_t, std::string>> now(tops.begin(), tops.end());
    for (const auto& [folder, path] : now) {
      add_tree(folder, path, false);
      watch_lost_events(folder);
    }
  }
}

std::intptr_t descriptor() { return inotify_fd; }
// A file that some process has open for writing refuses a read lease (on
// one's own files; others count as not in use).
bool in_use(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  bool writing = ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0 && errno == EAGAIN;
  if (!writing) ::fcntl(fd, F_SETLEASE, F_UNLCK);
  ::close(fd);
  return writing;
}

int watch_limit() {
  int limit = -1;
  std::ifstream("/proc/sys/fs/inotify/max_user_watches") >> limit;
  return limit;
}

std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }

constexpr WatchBackend inotify_backend{start,  stop,        read_events, descriptor,
                                       in_use, watch_limit, now};

}  // namespace

const WatchBackend& system_watch_backend() { return inotify_backend; }

}  // namespace zeb

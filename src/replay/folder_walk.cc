#include "replay/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace zeb {
namespace {

// One opening resolves at most this many bytes of path: deeper folders are
// opened from an ancestor, in steps, so no path ever reaches PATH_MAX.
constexpr std::uint32_t open_step = 3000;

// Large batches of directory entries: a folder of thousands of replays is
// read in a few calls.
alignas(8) char entry_buffer[1 << 18];

struct LinuxDirent64 {
  std::uint64_t ino;
  std::int64_t off;
  unsigned short reclen;
  unsigned char type;
  char name[1];
};

std::uint32_t add_text(FolderList& list, std::string_view a, std::string_view b) {
  auto at = static_cast<std::uint32_t>(list.names.size());
  list.names.insert(list.names.end(), a.begin(), a.end());
  list.names.insert(list.names.end(), b.begin(), b.end());
  return at;
}

void add_folder(FolderList& list, std::uint32_t parent, std::string_view name) {
  std::string_view above = folder_path(list, parent);
  std::string copy(above);  // names may move while it grows
  std::uint32_t at = add_text(list, copy, name);
  list.names.push_back('/');
  list.names.push_back('\0');
  list.folders.push_back({parent, at, static_cast<std::uint32_t>(copy.size() + name.size() + 1)});
}

void add_replay(FolderList& list, std::uint32_t folder, std::string_view name) {
  std::uint32_t at = add_text(list, name, {});
  list.names.push_back('\0');
  list.entries.push_back({0, folder, at, static_cast<std::uint16_t>(name.size()), false});
}

// What an entry is, with as few look-ups as the file system allows.
enum class Kind { other, folder, replay };

Kind kind_of(int dir_fd, const char* name, unsigned char type) {
  struct stat st;
  if (type == DT_UNKNOWN) {
    if (::fstatat(dir_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return Kind::other;
    if (S_ISDIR(st.st_mode)) return Kind::folder;
    if (S_ISREG(st.st_mode)) type = DT_REG;
    if (S_ISLNK(st.st_mode)) type = DT_LNK;
  }
  if (type == DT_DIR) return Kind::folder;
  if (type != DT_REG && type != DT_LNK) return Kind::other;
  if (!is_replay_name(name)) return Kind::other;
  if (type == DT_REG) return Kind::replay;
  // A link counts when it leads to a regular file; links to folders are not followed.
  if (::fstatat(dir_fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return Kind::other;
  return Kind::replay;
}

void read_folder(int fd, std::uint32_t folder, FolderList& list, std::vector<std::uint32_t>& todo) {
  for (;;) {
    long got = ::syscall(SYS_getdents64, fd, entry_buffer, sizeof entry_buffer);
    if (got <= 0) return;
    for (long at = 0; at < got;) {
      const auto* d = reinterpret_cast<const LinuxDirent64*>(entry_buffer + at);
      at += d->reclen;
      std::string_view name = d->name;
      if (name == "." || name == "..") continue;
      switch (kind_of(fd, d->name, d->type)) {
        case Kind::folder:
          add_folder(list, folder, name);
          todo.push_back(static_cast<std::uint32_t>(list.folders.size() - 1));
          break;
        case Kind::replay: add_replay(list, folder, name); break;
        case Kind::other: break;
      }
    }
  }
}

// The first 8 bytes of a + b as one number, zeros past the end: numbers
// compare as the texts' beginnings do (a name never holds a NUL).
std::uint64_t path_key(std::string_view a, std::string_view b) {
  std::uint64_t key = 0;
  for (int i = 0; i < 8; ++i) {
    unsigned char c = 0;
    if (a.size() > static_cast<std::size_t>(i))
      c = static_cast<unsigned char>(a[i]);
    else if (b.size() > i - a.size())
      c = static_cast<unsigned char>(b[i - a.size()]);
    key = key << 8 | c;
  }
  return key;
}

}  // namespace

bool is_replay_name(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view end = name.substr(name.size() - 4);
  return end[0] == '.' && (end[1] | 0x20) == 's' && (end[2] | 0x20) == 'p' &&
         (end[3] | 0x20) == 'r';
}

bool joined_before(std::string_view a1, std::string_view a2, std::string_view b1,
                   std::string_view b2) {
  for (;;) {
    if (a1.empty()) std::swap(a1, a2);
    if (b1.empty()) std::swap(b1, b2);
    if (a1.empty()) return !b1.empty();
    if (b1.empty()) return false;
    std::size_t n = std::min(a1.size(), b1.size());
    int c = std::memcmp(a1.data(), b1.data(), n);
    if (c != 0) return c < 0;
    a1.remove_prefix(n);
    b1.remove_prefix(n);
  }
}

void join_path(std::string& out, std::string_view word, std::string_view below,
               std::string_view name) {
  out.assign(word);
  if (word.empty() || word.back() != '/') out.push_back('/');
  out.append(below);
  out.append(name);
}

std::string_view folder_path(const FolderList& list, std::uint32_t folder) {
  const WalkedFolder& f = list.folders[folder];
  return {list.names.data() + f.path, f.length};
}

std::string_view entry_name(const FolderList& list, const WalkedEntry& entry) {
  return {list.names.data() + entry.name, entry.length};
}

int open_listed_folder(int top_fd, const FolderList& list, std::uint32_t folder) {
  // The folders to open one after the other, each from the one before it.
  std::vector<std::uint32_t> steps;
  for (std::uint32_t at = folder; at != 0;) {
    steps.push_back(at);
    std::uint32_t from = at;
    while (from != 0 &&
           list.folders[at].length - list.folders[list.folders[from].parent].length <= open_step)
      from = list.folders[from].parent;
    if (from == at) from = list.folders[at].parent;  // one name longer than a step
    at = from;
  }
  int fd = ::fcntl(top_fd, F_DUPFD_CLOEXEC, 0);
  std::uint32_t done = 0;  // length of the path opened so far
  std::string part;
  for (auto step = steps.rbegin(); fd >= 0 && step != steps.rend(); ++step) {
    const WalkedFolder& f = list.folders[*step];
    part.assign(list.names.data() + f.path + done, f.length - done - 1);  // without its "/"
    int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    ::close(fd);
    fd = next;
    done = f.length;
  }
  return fd;
}

void list_replays(int top_fd, FolderList& list) {
  list.names.clear();
  list.folders.clear();
  list.entries.clear();
  list.names.push_back('\0');
  list.folders.push_back({0, 0, 0});
  std::vector<std::uint32_t> todo{0};
  while (!todo.empty()) {
    std::uint32_t folder = todo.back();
    todo.pop_back();
    int fd = open_listed_folder(top_fd, list, folder);
    if (fd < 0) {
      const WalkedFolder& f = list.folders[folder];
      std::uint32_t above = list.folders[f.parent].length;
      list.entries.push_back(
          {0, f.parent, f.path + above, static_cast<std::uint16_t>(f.length - above - 1), true});
      continue;
    }
    read_folder(fd, folder, list, todo);
    ::close(fd);
  }
  for (WalkedEntry& e : list.entries)
    e.key = path_key(folder_path(list, e.folder), entry_name(list, e));
  std::sort(list.entries.begin(), list.entries.end(),
            [&list](const WalkedEntry& a, const WalkedEntry& b) {
              if (a.key != b.key) return a.key < b.key;
              if (a.folder == b.folder) return entry_name(list, a) < entry_name(list, b);
              return joined_before(folder_path(list, a.folder), entry_name(list, a),
                                   folder_path(list, b.folder), entry_name(list, b));
            });
}

}  // namespace zeb

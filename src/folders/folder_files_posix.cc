// POSIX systems: folders and files opened relative to an open folder
// (openat), so a deep tree never needs a path longer than PATH_MAX.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "folders/file_block.h"
#include "folders/folder_entries_posix.h"
#include "folders/folder_walk.h"

namespace zeb {

const char path_separator = '/';

namespace {

// One opening resolves at most this many bytes of path: deeper folders are
// opened from an ancestor, in steps, so no path ever reaches PATH_MAX.
constexpr std::uint32_t open_step = 3000;

// The first 192 bytes of an open file, which it closes.
BlockRead read_and_close(int fd, FileBlock& block) {
  auto* into = reinterpret_cast<unsigned char*>(&block);
  std::size_t got = 0;
  BlockRead result = BlockRead::ok;
  while (got < sizeof block) {
    ssize_t n = ::read(fd, into + got, sizeof block - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) result = errno == EISDIR ? BlockRead::is_folder : BlockRead::read_failed;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return result;
}

// Non-blocking, so that a pipe without a writer or a terminal cannot hold
// the program: they read as empty, or as a read error.
constexpr int read_flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// The first 192 bytes of a file, opened relative to dir_fd.
BlockRead read_block_at(int dir_fd, const char* name, FileBlock& block) {
  block = FileBlock{};
  int fd = ::openat(dir_fd, name, read_flags);
  if (fd < 0) return BlockRead::open_failed;
  return read_and_close(fd, block);
}

// Opens a listed folder, relative to the top; a new descriptor, or -1.
int open_listed_folder(const FolderList& list, std::uint32_t folder) {
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
  int fd = ::fcntl(static_cast<int>(list.top), F_DUPFD_CLOEXEC, 0);
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

// What an entry is, with as few look-ups as the file system allows.
EntryKind kind_of(int dir_fd, const char* name, unsigned char type) {
  struct stat st;
  if (type == DT_UNKNOWN) {
    if (::fstatat(dir_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::other;
    if (S_ISDIR(st.st_mode)) return EntryKind::folder;
    if (S_ISREG(st.st_mode)) type = DT_REG;
    if (S_ISLNK(st.st_mode)) type = DT_LNK;
  }
  if (type == DT_DIR) return EntryKind::folder;
  if (type != DT_REG && type != DT_LNK) return EntryKind::other;
  if (!is_replay_name(name)) return EntryKind::other;
  if (type == DT_REG) return EntryKind::replay;
  // A link counts when it leads to a regular file; links to folders are not followed.
  if (::fstatat(dir_fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return EntryKind::other;
  return EntryKind::replay;
}

}  // namespace

BlockRead read_file_block(const char* path, FileBlock& block) {
  return read_block_at(AT_FDCWD, path, block);
}

bool read_regular_file_block(const char* path, FileBlock& block, BlockRead& result) {
  // Opened as its own turn opens it; what is not a regular file is closed unread.
  int fd = ::open(path, read_flags);
  if (fd < 0) return false;  // its turn will tell why
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  block = FileBlock{};
  result = read_and_close(fd, block);
  return true;
}

void take_folder_entry(int dir_fd, const char* name, unsigned char type, std::uint32_t folder,
                       FolderList& list, std::vector<std::uint32_t>& todo) {
  std::string_view text = name;
  if (text != "." && text != "..")
    add_walked(list, folder, text, kind_of(dir_fd, name, type), todo);
}

bool open_walk(std::string_view word, FolderList& list) {
  list.word.assign(word);
  list.top = ::open(list.word.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return list.top >= 0;
}

void close_walk(FolderList& list) {
  if (list.top >= 0) ::close(static_cast<int>(list.top));
  list.top = -1;
}

void list_replays(FolderList& list) {
  walk_folders(list, [](FolderList& l, std::uint32_t folder, std::vector<std::uint32_t>& todo) {
    int fd = open_listed_folder(l, folder);
    if (fd < 0) return false;
    read_folder_entries(fd, folder, l, todo);
    ::close(fd);
    return true;
  });
}

EntryReader::~EntryReader() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

BlockRead EntryReader::read(const WalkedEntry& entry, FileBlock& block) {
  if (entry.folder != folder_) {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = open_listed_folder(list_, entry.folder);
    folder_ = entry.folder;
  }
  if (handle_ < 0) {
    block = FileBlock{};
    return BlockRead::open_failed;
  }
  return read_block_at(static_cast<int>(handle_), list_.names.data() + entry.name(), block);
}

}  // namespace zeb

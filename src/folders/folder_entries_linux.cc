// Linux: a folder's names in large getdents64 batches, so a folder of
// thousands of replays is read in a few calls.
#include <dirent.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string_view>

#include "folders/folder_entries_posix.h"

namespace zeb {
namespace {

alignas(8) char entry_buffer[1 << 18];

struct LinuxDirent64 {
  std::uint64_t ino;
  std::int64_t off;
  unsigned short reclen;
  unsigned char type;
  char name[1];
};

}  // namespace

void read_folder_entries(int fd, std::uint32_t folder, FolderList& list,
                         std::vector<std::uint32_t>& todo) {
  for (;;) {
    long got = ::syscall(SYS_getdents64, fd, entry_buffer, sizeof entry_buffer);
    if (got <= 0) return;
    for (long at = 0; at < got;) {
      const auto* d = reinterpret_cast<const LinuxDirent64*>(entry_buffer + at);
      at += d->reclen;
      take_folder_entry(fd, d->name, d->type, folder, list, todo);
    }
  }
}

}  // namespace zeb

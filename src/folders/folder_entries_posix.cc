// Any POSIX system: a folder's names through readdir on a duplicate of the
// descriptor, which fdopendir then owns.
#include "folders/folder_entries_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace zeb {

void read_folder_entries(int fd, std::uint32_t folder, FolderList& list,
                         std::vector<std::uint32_t>& todo) {
  int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (own < 0) return;
  DIR* listing = ::fdopendir(own);
  if (listing == nullptr) {
    ::close(own);
    return;
  }
  // d_type is not POSIX, but Linux, macOS and the BSDs all have it.
  while (const dirent* d = ::readdir(listing))
    take_folder_entry(::dirfd(listing), d->d_name, d->d_type, folder, list, todo);
  ::closedir(listing);
}

}  // namespace zeb

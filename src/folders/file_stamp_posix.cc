// POSIX systems: a file's stamp from stat, in nanoseconds.
#include <sys/stat.h>
#include <time.h>

#include "folders/watch_backend.h"

namespace zeb {

bool file_stamp(const std::string& path, FileStamp& stamp) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.time = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

std::int64_t stamp_now() {
  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

// File systems stamp with the kernel's coarse clock, up to a timer tick
// behind: 100 ms covers any tick.
std::int64_t earliest_stamp_from_now() { return stamp_now() - 100000000; }

}  // namespace zeb

// Windows: a file's stamp from its attributes, in the system's 100 ns units
// (finer than what the C library's stat tells, whole seconds).
#include <windows.h>

#include "console/wide_text.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

std::int64_t ticks(const FILETIME& time) {
  return static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime);
}

}  // namespace

bool file_stamp(const std::string& path, FileStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide_from_utf8(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    return false;
  stamp.size = std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
  stamp.time = ticks(data.ftLastWriteTime);
  return true;
}

std::int64_t stamp_now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return ticks(now);
}

// The system's clock moves in steps of up to 16 ms: 100 ms covers them.
std::int64_t earliest_stamp_from_now() { return stamp_now() - 1000000; }

}  // namespace zeb

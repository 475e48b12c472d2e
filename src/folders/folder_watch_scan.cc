// Where the system does not report changes to this program: each watched
// tree is listed again at most every two seconds (by the engine), and a
// replay that is new, or whose size or time changed, counts as complete once
// they stay the same over two listings.
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include "folders/watch_backend.h"

namespace zeb {
namespace {

bool start(std::uint32_t folder, const std::string& path) {
  std::error_code error;
  std::u8string text(path.begin(), path.end());
  if (!std::filesystem::is_directory(std::filesystem::path(text), error)) return false;
  scan_instead(folder, path, false);
  return true;
}

void stop(std::uint32_t) {}
void read_events() {}
std::intptr_t descriptor() { return -1; }
bool in_use(const std::string&) { return false; }
int watch_limit() { return -1; }
std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }

constexpr WatchBackend scan_backend{start, stop, read_events, descriptor, in_use, watch_limit, now};

}  // namespace

const WatchBackend& system_watch_backend() { return scan_backend; }

}  // namespace zeb

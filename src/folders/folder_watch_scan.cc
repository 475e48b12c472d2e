// Where the system does not report changes to this program: each watched
// tree is listed again at most every two seconds, and a replay that is new,
// or whose size or time changed, is met as a file being written.
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int scan_interval_ms = 2000;

struct Seen {
  std::uintmax_t size;
  fs::file_time_type time;
  bool operator==(const Seen&) const = default;
};

struct Tree {
  std::uint32_t folder;
  std::string path;  // as written, with its separator at the end
  std::map<std::string, Seen> files;
};
std::vector<Tree> trees;
Clock::time_point next_scan;

// Lists the tree; false when its top cannot be listed.
bool scan(Tree& tree, bool note) {
  std::map<std::string, Seen> now;
  bool listed = walk_replays(tree.path, [&](std::string path, const fs::directory_entry& entry) {
    std::error_code error;
    Seen seen{entry.file_size(error), entry.last_write_time(error)};
    auto old = tree.files.find(path);
    if (note && (old == tree.files.end() || !(old->second == seen)))
      note_replay(tree.folder, path, false);
    now.emplace(std::move(path), seen);
  });
  if (listed) tree.files = std::move(now);
  return listed;
}

}  // namespace

bool start_watch(std::uint32_t folder, const std::string& path) {
  Tree tree{folder, path, {}};
  if (!scan(tree, false)) return false;
  trees.push_back(std::move(tree));
  next_scan = Clock::now() + std::chrono::milliseconds(scan_interval_ms);
  return true;
}

void read_watch_events() {
  if (Clock::now() < next_scan) return;
  for (Tree& tree : trees) scan(tree, true);
  next_scan = Clock::now() + std::chrono::milliseconds(scan_interval_ms);
}

std::intptr_t system_watch_descriptor() { return -1; }
int system_scan_interval_ms() { return scan_interval_ms; }

}  // namespace zeb

// Where the system does not report changes to this program: each watched
// tree is listed again at most every two seconds, and a replay that is new,
// or whose size or time changed, is met as a file being written.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "replay/folder_walk.h"
#include "replay/folder_watch.h"

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
  std::error_code error;
  fs::path top(std::u8string(tree.path.begin(), tree.path.end()));
  fs::recursive_directory_iterator walk(top, fs::directory_options::skip_permission_denied, error);
  if (error) return false;
  std::map<std::string, Seen> now;
  for (; walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    if (error) break;
    const fs::directory_entry& entry = *walk;
    std::u8string name = entry.path().filename().u8string();
    if (!is_replay_name(std::string_view(reinterpret_cast<const char*>(name.data()), name.size())))
      continue;
    if (!entry.is_regular_file(error)) continue;  // a link counts when it leads to a file
    std::u8string below = entry.path().parent_path().lexically_relative(top).generic_u8string();
    std::string folder(below.begin(), below.end());
    folder = folder == "." ? std::string() : folder + '/';
    std::replace(folder.begin(), folder.end(), '/', path_separator);
    std::string path = tree.path + folder + std::string(name.begin(), name.end());
    Seen seen{entry.file_size(error), entry.last_write_time(error)};
    auto old = tree.files.find(path);
    if (note && (old == tree.files.end() || !(old->second == seen)))
      note_replay(tree.folder, path, false);
    now.emplace(std::move(path), seen);
  }
  tree.files = std::move(now);
  return true;
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

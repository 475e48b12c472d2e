#include "replay/arrivals.h"

#include <optional>
#include <string>
#include <vector>

#include "console/interrupt.h"
#include "console/output.h"
#include "folders/file_block.h"
#include "folders/folder_watch.h"
#include "replay/load.h"
#include "replay/load_progress.h"

namespace zeb {
namespace {

// More files than this at once load as a folder load at a terminal does.
constexpr std::size_t burst_size = 10;

LoadOutcome load_arrived(const std::string& path) {
  replay_filename = path;
  FileBlock block;
  BlockRead result = read_file_block(path.c_str(), block);
  return load_replay_block(replay_filename, result, block);
}

void (*after_arrivals)() = nullptr;

// Files of one watched folder that are complete together. Ctrl-C ends the
// group as it ends a folder load: the summary still comes, and the files not
// yet loaded are dropped (loaded again only when they change). False when
// it was interrupted.
bool load_group(const ArrivedReplays& group) {
  const std::vector<std::string>& paths = group.paths;
  if (paths.size() <= burst_size) {
    for (const std::string& path : paths) {
      if (take_interrupt()) return false;
      load_arrived(path);
    }
    return true;
  }
  int found = 0, filed = 0;
  bool interrupted = false;
  {
    // Away from a terminal (zeb --watch) every file's messages are written,
    // as in a folder load there.
    std::optional<QuietLoads> quiet;
    if (loads_quietly()) quiet.emplace(group.word, static_cast<std::uint32_t>(paths.size()));
    for (const std::string& path : paths) {
      if (take_interrupt()) {
        interrupted = true;
        break;
      }
      ++found;
      if (quiet) quiet->begin_file();
      LoadOutcome outcome = load_arrived(path);
      if (outcome == LoadOutcome::filed) ++filed;
      if (quiet) quiet->end_file(path, outcome);
    }
  }
  write_format("\t%s: %d replay files, %d filed\n", {std::string_view(group.word), found, filed});
  return !interrupted;
}

}  // namespace

void set_after_arrivals(void (*hook)()) { after_arrivals = hook; }

bool load_arrived_replays() {
  bool wrote = false;
  std::vector<ArrivedReplays> arrived = take_arrived_replays(wrote);
  for (const ArrivedReplays& group : arrived)
    if (!load_group(group)) break;
  if (!arrived.empty() && after_arrivals != nullptr) after_arrivals();
  return wrote || !arrived.empty();
}

}  // namespace zeb

#include "replay/folder_load.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "console/interrupt.h"
#include "console/output.h"
#include "folders/folder_walk.h"
#include "folders/folder_watch.h"
#include "folders/read_ahead.h"
#include "replay/header.h"
#include "replay/load.h"
#include "replay/load_progress.h"

namespace zeb {
namespace {

// The listed replays, read ahead in path order.
struct FolderSource {
  const FolderList& list;
  std::uint32_t count() const { return static_cast<std::uint32_t>(list.entries.size()); }
  struct Reader {
    explicit Reader(const FolderSource& source) : list(source.list), entries(list) {}
    BlockRead read(std::uint32_t i, FileBlock& block) {
      const WalkedEntry& entry = list.entries[i];
      return entry.unopenable() ? BlockRead::open_failed : entries.read(entry, block);
    }
    const FolderList& list;
    EntryReader entries;
  };
};

}  // namespace

void load_folder(std::string& filename) {
  std::string word = filename;  // each replay's load puts its own path in filename
  FolderList list;
  if (!open_walk(word, list)) {
    write_format("\tError opening file: %s\n", {std::string_view(word)});
    return;
  }
  // Watching begins before the listing: a replay saved during the load is
  // loaded after it, as an arrival.
  if (watching()) begin_watch(word);
  list_replays(list);
  if (watching()) take_listed(list);
  auto count = static_cast<std::uint32_t>(list.entries.size());
  int found = 0, filed = 0;
  std::string path;
  {
    std::optional<QuietLoads> quiet;
    if (loads_quietly()) quiet.emplace(word, count);
    FolderSource source{list};
    FolderSource::Reader own(source);
    ReadAhead<FolderSource> ahead(source, reading_threads());
    for (std::uint32_t i = 0; i < count; ++i) {
      if (take_interrupt()) break;  // Ctrl-C ends this walk; the summary still comes
      const WalkedEntry& e = list.entries[i];
      const ReadSlot& slot = ahead.take(i, own);
      if (e.unopenable()) {
        join_path(path, word, folder_path(list, e.folder), entry_name(list, e));
        if (quiet) quiet->begin_file();
        write_format("\tError opening file: %s\n", {std::string_view(path)});
        if (quiet) quiet->end_file(path, LoadOutcome::unreadable);
      } else {
        ++found;
        join_path(filename, word, folder_path(list, e.folder), entry_name(list, e));
        if (quiet) quiet->begin_file();
        LoadOutcome outcome = load_replay_block(filename, slot.result, slot.block);
        if (outcome == LoadOutcome::filed) ++filed;
        if (quiet) quiet->end_file(filename, outcome);
      }
      ahead.release(i);
    }
  }
  close_walk(list);
  if (watching()) keep_listing(std::move(list));
  write_format("\t%s: %d replay files, %d filed\n", {std::string_view(word), found, filed});
  if (watching()) announce_watch();
}

}  // namespace zeb

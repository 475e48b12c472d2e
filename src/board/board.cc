#include "board/board.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "board/board_files.h"
#include "board/pages.h"
#include "console/system_io.h"
#include "db/changes.h"
#include "db/store.h"

namespace zeb {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto rewrite_interval = std::chrono::seconds(1);

// One of the two threads that write a rewrite's files: its own text and the
// first failure it met ("" while all goes well).
struct Writer {
  PageText page;
  std::string failure;
  // Puts the page made in place; false once anything failed.
  bool put_in_place() {
    if (!failure.empty()) return false;
    std::string reason;
    if (page.finish(reason)) return true;
    failure = reason;
    return false;
  }
};

struct Board {
  bool open = false;
  std::string folder;        // with its separator
  std::string shown_folder;  // as typed, for messages
  std::string title;
  std::uint64_t version = 0;
  Clock::time_point last_write{};
  bool whole_next = true;                 // the first write, and the one after a failed write
  std::vector<RacerEntry> racer_entries;  // reused from write to write
  Writer writers[2];                      // the rankings and the index; the racers and board.json
};
Board board;

// A failed write: one line, the session goes on, and the next change
// rewrites the whole board.
void report_failure(const std::string& reason) {
  std::string line =
      "zeb: cannot write the board into " + board.shown_folder + ": " + reason + "\n";
  write_standard_error(line.data(), line.size());
  board.whole_next = true;
}

bool write_version_file(Writer& w) {
  w.page.begin(board.folder + "version.txt");
  append_number(w.page.text, static_cast<long>(board.version));
  w.page.text += '\n';
  return w.put_in_place();
}

// The version a board already in the folder had reached, so that the number
// keeps growing across sessions; 0 when there is none.
std::uint64_t version_in_folder() {
  std::FILE* file = std::fopen((board.folder + "version.txt").c_str(), "rb");
  if (file == nullptr) return 0;
  char text[24] = {};
  std::size_t n = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
    v = v * 10 + static_cast<std::uint64_t>(text[i] - '0');
  return v;
}

// The racer groups whose pages change with these changes: the racers whose
// entry went, and those at and behind the first changed place of each
// ranking (their place or their gap to the leader moved).
std::bitset<racer_group_count> groups_changed(const StoreChanges& changes) {
  std::bitset<racer_group_count> groups = changes.racer_groups;
  if (groups.all()) return groups;
  for (int i = 0; i < ranking_slots; ++i) {
    if (changes.changed_from[i] == unchanged) continue;
    const LapRecord* cell = &db[0][0][0][0] + static_cast<std::size_t>(i) * cell_size;
    int from = changes.changed_from[i];
    for (int p = from; p < cell_size && !slot_is_empty(cell[p]); ++p)
      groups.set(racer_group(cell[p].racer));
  }
  return groups;
}

bool write_racer_groups(Writer& w, const std::bitset<racer_group_count>& groups,
                        const BoardPageInfo& info) {
  std::vector<RacerEntry>& entries = board.racer_entries;
  entries.clear();
  for (int i = 0; i < ranking_slots; ++i) {
    const LapRecord* cell = &db[0][0][0][0] + static_cast<std::size_t>(i) * cell_size;
    for (int p = 0; p < cell_size && !slot_is_empty(cell[p]); ++p) {
      std::uint64_t hash = racer_name_hash(cell[p].racer);
      int g = racer_group(hash);
      if (groups.test(g))
        entries.push_back({hash, static_cast<std::uint16_t>(i), static_cast<std::uint8_t>(p),
                           static_cast<std::uint8_t>(g)});
    }
  }
  // By group, then racer: a 64-bit hash of the name tells the racers apart
  // (two names that share one would only share a section of the page).
  std::sort(entries.begin(), entries.end(), [](const RacerEntry& a, const RacerEntry& b) {
    if (a.group != b.group) return a.group < b.group;
    if (a.name_hash != b.name_hash) return a.name_hash < b.name_hash;
    return a.ranking < b.ranking;
  });
  auto at = entries.begin();
  for (int g = 0; g < racer_group_count; ++g) {
    if (!groups.test(g)) continue;
    auto end = at;
    while (end != entries.end() && end->group == g) ++end;
    w.page.begin(board.folder + racer_group_page_name(g));
    write_racer_group_page(w.page, info, std::span<const RacerEntry>(at, end), db);
    if (!w.put_in_place()) return false;
    at = end;
  }
  return true;
}

// The changed rankings' pages (or their removal), then the index.
bool write_rankings(Writer& w, const StoreChanges& changes, const BoardPageInfo& info) {
  for (int i = 0; i < ranking_slots; ++i) {
    if (changes.changed_from[i] == unchanged) continue;
    RankingRef r = ranking_at(i);
    if (!short_track_exists(r.track, r.short_track)) continue;
    std::string path = board.folder + ranking_page_name(r);
    Cell cell = cell_of(db, r.track, r.car, r.short_track);
    if (slot_is_empty(cell[0])) {  // emptied: its page goes
      if (!remove_board_file(path, w.failure)) return false;
      continue;
    }
    w.page.begin(path);
    write_ranking_page(w.page.text, info, r, cell);
    if (!w.put_in_place()) return false;
  }
  w.page.begin(board.folder + "index.html");
  write_index_page(w.page, info, db);
  return w.put_in_place();
}

// The changed racers' group pages, then board.json.
bool write_racers(Writer& w, const StoreChanges& changes, const BoardPageInfo& info) {
  if (!write_racer_groups(w, groups_changed(changes), info)) return false;
  w.page.begin(board.folder + "board.json");
  write_board_json(w.page, info, db);
  return w.put_in_place();
}

// Two threads write the files while the store stands still (nothing else
// runs until both are done); version.txt comes last, so that a page that
// sees the new version finds the new files.
void write_changes(const StoreChanges& changes) {
  ++board.version;
  BoardPageInfo info{board.title, board.version};
  Writer& first = board.writers[0];
  Writer& second = board.writers[1];
  first.failure.clear();
  second.failure.clear();
  std::thread racers([&] { write_racers(second, changes, info); });
  write_rankings(first, changes, info);
  racers.join();
  if (first.failure.empty() && second.failure.empty()) write_version_file(first);
  std::string& failure = first.failure.empty() ? second.failure : first.failure;
  if (!failure.empty()) report_failure(failure);
}

void write_now(bool whole) {
  StoreChanges changes;
  take_changes(changes);
  if (whole || board.whole_next) {
    std::memset(changes.changed_from, 0, sizeof changes.changed_from);
    changes.racer_groups.set();
    board.whole_next = false;
  }
  board.last_write = Clock::now();
  write_changes(changes);
}

}  // namespace

bool open_board(const std::string& folder, std::string_view title, std::string& reason) {
  board.shown_folder = folder;
  board.folder = folder;
  board.title = title;
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') board.folder += '/';
  if (!make_board_folder(folder, reason) || !make_board_folder(board.folder + "racers", reason))
    return false;
  board.version = version_in_folder();
  for (Writer& w : board.writers) w.page.text.reserve(1 << 19);
  // Writing the version file now tells at once whether the folder takes files.
  if (!write_version_file(board.writers[0])) {
    reason = board.writers[0].failure;
    return false;
  }
  board.open = true;
  return true;
}

bool board_is_open() { return board.open; }

void write_whole_board() {
  if (board.open) write_now(true);
}

void write_board_if_due() {
  if (!board.open || !store_changed()) return;
  if (Clock::now() - board.last_write >= rewrite_interval) write_now(false);
}

void write_board_changes() {
  if (board.open && store_changed()) write_now(false);
}

int board_due_ms() {
  if (!board.open || !store_changed()) return -1;
  auto since = Clock::now() - board.last_write;
  if (since >= rewrite_interval) return 0;
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(rewrite_interval - since);
  return static_cast<int>(left.count()) + 1;
}

}  // namespace zeb

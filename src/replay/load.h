// load: a replay file's header into the header buffer, then its best lap
// into the ranking of its track, car and layout.
#pragma once

#include <string>
#include <string_view>

#include "db/store.h"
#include "replay/header.h"

namespace zeb {

// The name of the replay being loaded; kept after the load, also a failed one.
extern std::string replay_filename;

// From the prompt (from_startup false) the name is word 1; from start-up it
// is already in `filename` and words and count are not used. A folder loads
// every replay below it.
void load_command(char** words, int count, std::string& filename, bool from_startup);

// An empty track code becomes the track name's first two characters, the
// layout number's first digit and R for a reversed layout; then the code is
// upper-cased in place.
void complete_track_code(SprHeader& header);
int track_index_by_name(const SprHeader& header);
int car_index_by_name(const SprHeader& header);
// The layout index of the header's upper-case track code, or -1.
int short_track_from_code(const SprHeader& header);
// How one replay's load ended.
enum class LoadOutcome {
  filed,        // placed in its ranking
  refused,      // the ranking kept what it had (same or faster time, full)
  unreadable,   // the file could not be opened or read
  not_hotlap,   // not a hotlap replay
  unknown_code  // its track, car or layout is not in the tables
};
// The file itself is at fault: a folder load at a terminal shows these.
constexpr bool is_file_problem(LoadOutcome o) {
  return o != LoadOutcome::filed && o != LoadOutcome::refused;
}

// The rest of a load once the file's header block has been read: its
// messages, then the filing.
LoadOutcome load_replay_block(std::string_view filename, BlockRead result, const FileBlock& block);
// Offers the record to its ranking; when the racer's slower entry is there,
// replaces it (keeping it after all if the new time ties another racer's).
// True when the record was placed.
bool offer_to_cell(Cell cell, const LapRecord& record);
void record_from_header(const SprHeader& header, LapRecord& record);

}  // namespace zeb

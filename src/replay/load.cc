#include "replay/load.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "console/output.h"
#include "db/ranking.h"
#include "replay/folder_load.h"
#include "replay/load_ahead.h"

namespace zeb {

std::string replay_filename;

namespace {

struct CodeIndex {
  std::string_view code;
  int index;
};

// The codes a replay may carry, in the order they are tried. FE7R is not
// among them, so that layout is never filled from a replay.
// clang-format off
constexpr CodeIndex replay_codes[] = {
    {"AS1", 0}, {"AS2", 1}, {"AS3", 2}, {"AS4", 3}, {"AS5", 4}, {"AS6", 5}, {"AS7", 6},
    {"AS1R", 7}, {"AS2R", 8}, {"AS3R", 9}, {"AS4R", 10}, {"AS5R", 11}, {"AS6R", 12}, {"AS7R", 13},
    {"BL1", 0}, {"BL2", 1}, {"BL1R", 2}, {"BL2R", 3},
    {"FE1", 0}, {"FE2", 1}, {"FE3", 2}, {"FE4", 3}, {"FE5", 4}, {"FE6", 5},
    {"FE1R", 6}, {"FE2R", 7}, {"FE3R", 8}, {"FE4R", 9}, {"FE5R", 10}, {"FE6R", 11},
    {"KY1", 0}, {"KY2", 1}, {"KY3", 2}, {"KY1R", 3}, {"KY2R", 4}, {"KY3R", 5},
    {"SO1", 0}, {"SO2", 1}, {"SO3", 2}, {"SO4", 3}, {"SO5", 4},
    {"SO1R", 5}, {"SO2R", 6}, {"SO3R", 7}, {"SO4R", 8}, {"SO5R", 9},
    {"WE1", 0}, {"WE1R", 1},
};
// clang-format on
static_assert(std::size(replay_codes) == 48);

// Copies a header text into a record field, cut to the field's room: a text
// that fills its whole header slot, with no NUL, is one byte too long for it.
void copy_field(std::string_view text, char* field, std::size_t width) {
  std::size_t n = std::min(text.size(), width - 1);
  std::copy_n(text.data(), n, field);
  field[n] = '\0';
}

}  // namespace

bool offer_to_cell(Cell cell, const LapRecord& record) {
  int placed = insert_ranked(cell, record);
  if (placed != replace_entry) return placed >= 0;
  LapRecord older;  // the racer's slower entry, kept in case the new time ties
  copy_record(older, cell[find_key(cell, record)]);
  int former = remove_key(cell, record);
  if (insert_ranked(cell, record) == -1) {
    // Another racer holds exactly the new time: the older entry goes back
    // where it was, so the cell is as it was before the load.
    place_at(cell, older, former);
    return false;
  }
  return true;
}

int track_index_by_name(const SprHeader& header) {
  return track_index_by_long_name(track_name_text(header));
}

int car_index_by_name(const SprHeader& header) {
  return car_index_by_long_name(car_name_text(header));
}

int short_track_from_code(const SprHeader& header) {
  std::string_view code = track_code_text(header);
  for (const CodeIndex& entry : replay_codes)
    if (entry.code == code) return entry.index;
  return -1;
}

void complete_track_code(SprHeader& header) {
  if (header.track_code[0] == '\0' && track_index_by_name(header) != -1) {
    header.track_code[0] = header.track_name[0];
    header.track_code[1] = header.track_name[1];
    int layout = header.configuration;
    while (layout >= 10) layout /= 10;
    header.track_code[2] = static_cast<char>('0' + layout);
    header.track_code[3] = header.reversed ? 'r' : '\0';
    header.added_mass = 0;
  }
  // Up to the code's NUL, which lies in byte 28 at the latest.
  auto* code = reinterpret_cast<char*>(&header) + 24;
  for (int i = 0; i < 5 && code[i] != '\0'; ++i)
    if (code[i] >= 'a' && code[i] <= 'z') code[i] = static_cast<char>(code[i] - 'a' + 'A');
}

void record_from_header(const SprHeader& header, LapRecord& record) {
  TimeBytes t = best_time_bytes(header);
  std::string_view racer = racer_text(header);
  std::string_view code = track_code_text(header);
  std::string_view car = car_name_text(header);

  char* key = record.key;
  key = std::copy(racer.begin(), racer.end(), key);
  *key++ = '+';
  key = std::copy(code.begin(), code.end(), key);
  *key++ = '+';
  key = std::copy(car.begin(), car.end(), key);
  *key = '\0';  // at most 32 + 1 + 5 + 1 + 32 characters: always fits

  copy_field(racer, record.racer, sizeof record.racer);
  copy_field(code, record.short_track, sizeof record.short_track);
  copy_field(car, record.car, sizeof record.car);
  record.laptime = t[0] * 60000 + t[1] * 1000 + t[2] * 10 + t[3];

  // "%02d:%02d.%02d%d", cut to the 9 characters the field holds.
  char text[32];
  char* end = put_decimal(text, t[0], 2);
  *end++ = ':';
  end = put_decimal(end, t[1], 2);
  *end++ = '.';
  end = put_decimal(end, t[2], 2);
  end = put_decimal(end, t[3], 1);
  copy_field({text, static_cast<std::size_t>(end - text)}, record.slaptime, sizeof record.slaptime);
  record.lapnum = header.best_lap;
  // The splits go with the record; the board reads its sectors from them.
  int n = header.num_splits;
  record.split_count = static_cast<std::uint8_t>(n >= 1 && n <= 4 ? n : 0);
  std::memcpy(record.splits, header.splits, sizeof record.splits);
}

LoadOutcome load_replay_block(std::string_view filename, BlockRead result, const FileBlock& block) {
  if (!take_header_block(filename, result, block, replay_header)) return LoadOutcome::unreadable;
  if (header_text(replay_header, 0, 7) != "LFSSPR" || replay_header.hotlap_mode == 0) {
    write_line("\tnot loaded (this is not a hotlap file)");
    return LoadOutcome::not_hotlap;
  }
  replay_loaded = true;
  write_text("\t");  // "\t%s loaded!\n", once for every replay of a load
  write_text(filename);
  write_text(" loaded!\n");
  complete_track_code(replay_header);
  int track = track_index_by_name(replay_header);
  int car = car_index_by_name(replay_header);
  int short_track = short_track_from_code(replay_header);
  if (track == -1 || car == -1 || !short_track_exists(track, short_track)) {
    write_line("\tnot added to the database (unknown track, car or short track)");
    return LoadOutcome::unknown_code;
  }
  LapRecord record;
  init_record(record);
  record_from_header(replay_header, record);
  return offer_to_cell(cell_of(db, track, car, short_track), record) ? LoadOutcome::filed
                                                                     : LoadOutcome::refused;
}

void load_command(char** words, int count, std::string& filename, bool from_startup) {
  if (!from_startup) {
    if (count < 2) {
      write_line("\tsyntax: l (or load) replay.spr");
      return;
    }
    if (count > 2) write_line("\t(extra parameters ignored)");
    filename = words[1];
  }
  FileBlock block;
  BlockRead result;
  if (from_startup || !take_read_ahead(filename, result, block))
    result = read_file_block(filename.c_str(), block);
  if (result == BlockRead::is_folder)
    load_folder(filename);
  else
    load_replay_block(filename, result, block);
}

}  // namespace zeb

#include "db/pdb.h"

#include <string_view>

#include "console/output.h"
#include "db/listing.h"
#include "tables/tables.h"

namespace zeb {
namespace {

PdbFlag parse_pdb_flag(char* word) {
  std::string_view flag = lower_text(word);
  for (const PdbFlagRow& row : pdb_flags)
    if (flag == row.short_form || flag == row.long_form) return row.flag;
  return PdbFlag::none;
}

void pdb_one_parameter(PdbFlag flag, char* word) {
  switch (flag) {
    case PdbFlag::track:
      if (int track = track_index_by_code(word); track >= 0)
        list_by_track(db, track, db_size);
      else
        write_line(valid_tracks_text);
      break;
    case PdbFlag::car:
      if (int car = car_index_by_code(word); car >= 0)
        list_by_car(db, car, db_size);
      else
        write_line(valid_cars_text);
      break;
    case PdbFlag::short_track:
      if (ShortTrackRef ref = resolve_short_track(word); ref.resolved())
        list_by_short_track(db, ref.track, ref.short_track, db_size);
      else
        write_line(valid_short_tracks_text);
      break;
    case PdbFlag::combo: write_line(combo_count_text); break;
    case PdbFlag::racer: list_by_racer(db, word, db_size); break;
    case PdbFlag::none: break;
  }
}

void pdb_combo(char* car_word, char* short_track_word) {
  int car = car_index_by_code(car_word);
  if (car < 0) {
    write_line(valid_cars_text);
    return;
  }
  ShortTrackRef ref = resolve_short_track(short_track_word);
  if (!ref.resolved()) {
    write_line(valid_short_tracks_text);
    return;
  }
  list_by_combo(db, ref.track, car, ref.short_track, db_size);
}

}  // namespace

void pdb_command(char** words, int count) {
  if (count == 2 || count > 4) {
    write_line("\tsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]");
    return;
  }
  if (count == 1) {
    list_all(db, db_size);
    return;
  }
  PdbFlag flag = parse_pdb_flag(words[1]);
  if (flag == PdbFlag::none) {
    write_line("\tvalid flags: -r, -t, -c, -s, -cs");
    return;
  }
  if (count == 3)
    pdb_one_parameter(flag, words[2]);
  else if (flag == PdbFlag::combo)
    pdb_combo(words[2], words[3]);
  else
    write_line("\ttsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]");
}

}  // namespace zeb

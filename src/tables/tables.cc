#include "tables/tables.h"

#include <cstring>

#include "tables/text.h"

namespace zeb {

int track_index_by_code(char* word) {
  lower_text(word);
  for (int i = 0; i < track_count; ++i)
    if (texts_equal(word, track_table[i].code)) return i;
  return -1;
}

int car_index_by_code(char* word) {
  lower_text(word);
  for (int i = 0; i < car_count; ++i)
    if (texts_equal(word, car_table[i].code)) return i;
  return -1;
}

int short_track_index_by_code(char* word, int track) {
  lower_text(word);
  if (track < 0 || track >= track_count || *word == '\0') return -1;
  for (int i = 0; i < short_track_slots; ++i)
    if (texts_equal(word, ShortTrackTable[track][i])) return i;
  return -1;
}

int track_index_by_long_name(std::string_view name) {
  for (int i = 0; i < track_count; ++i)
    if (name == track_table[i].name) return i;
  return -1;
}

int car_index_by_long_name(std::string_view name) {
  for (int i = 0; i < car_count; ++i)
    if (name == car_table[i].name) return i;
  return -1;
}

ShortTrackRef resolve_short_track(char* word) {
  char prefix[3] = {};
  std::strncpy(prefix, word, 2);  // the word itself is not changed here
  ShortTrackRef ref;
  ref.track = track_index_by_code(prefix);
  if (ref.track < 0) return ref;
  ref.short_track = short_track_index_by_code(word, ref.track);
  return ref;
}

}  // namespace zeb

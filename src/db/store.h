// The lap-time store: one ranking of up to 150 records for every track, car
// and short track, held in a single array for the whole run.
#pragma once

#include <cstdint>
#include <span>

#include "tables/tables.h"
#include "tables/text.h"

namespace zeb {

inline constexpr int cell_size = 150;

struct LapRecord {
  char key[255];     // racer + "+" + short_track + "+" + car; "" marks a free slot
  std::uint8_t pos;  // the slot's own position in its cell
  char racer[32];
  char short_track[5];        // the replay's layout code, upper case ("BL1R")
  char car[35];               // the replay's long car name ("XR GT TURBO")
  std::int32_t laptime;       // milliseconds; -1: no time
  char slaptime[10];          // the same time as text, "01:23.456"
  std::uint8_t lapnum;        // the lap that holds the best time
  std::uint8_t split_count;   // the replay's splits, 1..4, the last one the lap time; 0: none
  std::uint8_t splits[4][4];  // each as minutes, seconds, hundredths, thousandths
};

// The sizes every walk over the store is given.
struct StoreSize {
  int tracks = track_count;
  int cars = car_count;
  int short_tracks = short_track_slots;
  int positions = cell_size;
};
inline constexpr StoreSize db_size{};

// Whether an index lies inside a dimension of the given size.
constexpr bool within(int index, int size) { return index >= 0 && index < size; }
// The short tracks a walk visits for a track: its layouts, within the size.
constexpr int layouts_of(int track, StoreSize size) {
  int n = short_track_count(track);
  return n < size.short_tracks ? n : size.short_tracks;
}

using Store = LapRecord[track_count][car_count][short_track_slots][cell_size];
extern Store db;

// One ranking: the slots of db[track][car][short_track].
using Cell = std::span<LapRecord>;
inline Cell cell_of(Store& store, int track, int car, int short_track) {
  return Cell(store[track][car][short_track], cell_size);
}

// Every slot to the empty state, track outermost, position innermost.
void reset_db(Store& store, StoreSize size);
// One slot to the empty state: texts "", pos and lapnum 127, laptime -1, no splits.
void init_record(LapRecord& slot);
// Field by field, texts up to their terminator. Callers set pos afterwards.
void copy_record(LapRecord& destination, const LapRecord& source);
inline bool slot_is_empty(const LapRecord& slot) { return slot.key[0] == '\0'; }

// Number of entries: the occupied slots at the front of the cell.
int entry_count(Cell cell);
// The shifts note what they change (db/changes.h).
// Moves the entries at [position, count) one slot towards the end, rewriting
// their pos; slot `position` is then free to take a record. count must be
// below the cell's size.
void shift_down(Cell cell, int position, int count);
// Moves the entries at (position, count) one slot towards the front over
// `position`, rewriting their pos, and puts slot count-1 in the empty state:
// every free slot is in it, so emptying a cell only has to visit its entries.
void shift_up(Cell cell, int position, int count);

}  // namespace zeb

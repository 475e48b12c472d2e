#include "db/store.h"

#include <cstring>

#include "db/changes.h"
#include "db/store_memory.h"

namespace zeb {

void reset_db(Store& store, StoreSize size) {
  prepare_store_memory(store);
  for (int t = 0; t < size.tracks; ++t)
    for (int c = 0; c < size.cars; ++c)
      for (int s = 0; s < size.short_tracks; ++s)
        for (int p = 0; p < size.positions; ++p) init_record(store[t][c][s][p]);
}

void init_record(LapRecord& slot) {
  slot.key[0] = '\0';
  slot.racer[0] = '\0';
  slot.short_track[0] = '\0';
  slot.car[0] = '\0';
  slot.slaptime[0] = '\0';
  slot.pos = 127;
  slot.lapnum = 127;
  slot.laptime = -1;
  slot.split_count = 0;
  std::memset(slot.splits, 0, sizeof slot.splits);
}

void copy_record(LapRecord& destination, const LapRecord& source) {
  copy_text(source.key, destination.key);
  destination.pos = source.pos;
  copy_text(source.racer, destination.racer);
  copy_text(source.short_track, destination.short_track);
  copy_text(source.car, destination.car);
  destination.laptime = source.laptime;
  copy_text(source.slaptime, destination.slaptime);
  destination.lapnum = source.lapnum;
  destination.split_count = source.split_count;
  std::memcpy(destination.splits, source.splits, sizeof source.splits);
}

int entry_count(Cell cell) {
  int n = 0;
  while (n < static_cast<int>(cell.size()) && !slot_is_empty(cell[n])) ++n;
  return n;
}

// Entries move as whole records: one block move instead of a field-wise copy
// per slot. Only occupied slots move; the empty ones behind them stay empty.
void shift_down(Cell cell, int position, int count) {
  note_change(cell, position);
  std::memmove(&cell[position + 1], &cell[position], (count - position) * sizeof(LapRecord));
  for (int i = position + 1; i <= count; ++i) cell[i].pos = static_cast<std::uint8_t>(i);
}

void shift_up(Cell cell, int position, int count) {
  note_racer_gone(cell[position].racer);
  note_change(cell, position);
  std::memmove(&cell[position], &cell[position + 1], (count - 1 - position) * sizeof(LapRecord));
  for (int i = position; i < count - 1; ++i) cell[i].pos = static_cast<std::uint8_t>(i);
  init_record(cell[count - 1]);
}

}  // namespace zeb

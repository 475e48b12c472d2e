#include "delete/primitives.h"

#include "db/changes.h"

namespace zeb {
namespace {

Cell cell_at(Store& store, int track, int car, int short_track, StoreSize size) {
  return Cell(store[track][car][short_track], static_cast<std::size_t>(size.positions));
}

// Applies a per-cell step to every cell of one track (car outermost), or of
// one car (track outermost); true if any step deleted something.
template <typename Step>
bool each_cell_of_track(Store& store, int track, StoreSize size, Step step) {
  bool deleted = false;
  for (int c = 0; c < size.cars; ++c)
    for (int s = 0; s < layouts_of(track, size); ++s)
      deleted |= step(cell_at(store, track, c, s, size));
  return deleted;
}

template <typename Step>
bool each_cell_of_car(Store& store, int car, StoreSize size, Step step) {
  bool deleted = false;
  for (int t = 0; t < size.tracks; ++t)
    for (int s = 0; s < layouts_of(t, size); ++s) deleted |= step(cell_at(store, t, car, s, size));
  return deleted;
}

template <typename Step>
bool each_cell_of_short_track(Store& store, int track, int short_track, StoreSize size, Step step) {
  bool deleted = false;
  for (int c = 0; c < size.cars; ++c) deleted |= step(cell_at(store, track, c, short_track, size));
  return deleted;
}

auto clear_step() {
  return [](Cell cell) { return clear_cell(cell); };
}
auto remove_step(const char* racer) {
  return [racer](Cell cell) { return remove_racer(cell, racer); };
}

}  // namespace

bool clear_cell(Cell cell) {
  bool deleted = false;
  for (std::size_t p = 0; p < cell.size() && !slot_is_empty(cell[p]); ++p) {
    if (p == 0) note_change(cell, 0);
    note_racer_gone(cell[p].racer);
    init_record(cell[p]);
    deleted = true;
  }
  return deleted;
}

bool remove_racer(Cell cell, const char* racer) {
  int count = entry_count(cell);
  int k = 0;
  while (k < count && !texts_equal(cell[k].racer, racer)) ++k;
  if (k == count) return false;
  shift_up(cell, k, count);
  return true;
}

bool delete_track(Store& store, int track, StoreSize size) {
  if (!within(track, size.tracks)) return false;
  return each_cell_of_track(store, track, size, clear_step());
}

bool delete_car(Store& store, int car, StoreSize size) {
  if (!within(car, size.cars)) return false;
  return each_cell_of_car(store, car, size, clear_step());
}

bool delete_short_track(Store& store, int track, int short_track, StoreSize size) {
  if (!within(track, size.tracks) || !within(short_track, size.short_tracks)) return false;
  return each_cell_of_short_track(store, track, short_track, size, clear_step());
}

bool delete_everything(Store& store, StoreSize size) {
  for (int t = 0; t < size.tracks; ++t)
    for (int c = 0; c < size.cars; ++c)
      for (int s = 0; s < size.short_tracks; ++s) clear_cell(cell_at(store, t, c, s, size));
  return true;
}

bool delete_combo(Store& store, int track, int car, int short_track, StoreSize size) {
  if (!within(track, size.tracks) || !within(car, size.cars) ||
      !within(short_track, size.short_tracks))
    return false;
  return clear_cell(cell_at(store, track, car, short_track, size));
}

bool delete_racer(Store& store, const char* racer, StoreSize size) {
  bool deleted = false;
  for (int t = 0; t < size.tracks; ++t)
    deleted |= each_cell_of_track(store, t, size, remove_step(racer));
  return deleted;
}

bool delete_racer_track(Store& store, const char* racer, int track, StoreSize size) {
  if (!within(track, size.tracks)) return false;
  return each_cell_of_track(store, track, size, remove_step(racer));
}

bool delete_racer_car(Store& store, const char* racer, int car, StoreSize size) {
  if (!within(car, size.cars)) return false;
  return each_cell_of_car(store, car, size, remove_step(racer));
}

bool delete_racer_short_track(Store& store, const char* racer, int track, int short_track,
                              StoreSize size) {
  if (!within(track, size.tracks) || !within(short_track, size.short_tracks)) return false;
  return each_cell_of_short_track(store, track, short_track, size, remove_step(racer));
}

bool delete_racer_combo(Store& store, const char* racer, int track, int car, int short_track,
                        StoreSize size) {
  if (!within(track, size.tracks) || !within(car, size.cars) ||
      !within(short_track, size.short_tracks))
    return false;
  return remove_racer(cell_at(store, track, car, short_track, size), racer);
}

}  // namespace zeb

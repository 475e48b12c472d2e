// Deletion by filter. Each primitive visits the cells of its scope, empties
// them or removes one racer's entry from each, and returns true when it
// deleted anything. An index outside its dimension deletes nothing.
#pragma once

#include "db/store.h"

namespace zeb {

// Empties the cell's entries; true if there was one.
bool clear_cell(Cell cell);
// Removes the racer's entry (exact name), closing the gap; true if there was one.
bool remove_racer(Cell cell, const char* racer);

// Every cell emptied: the same store as after reset_db, since free slots are
// always in the empty state; only the entries are visited. Always true.
bool delete_everything(Store& store, StoreSize size);
bool delete_track(Store& store, int track, StoreSize size);
bool delete_car(Store& store, int car, StoreSize size);
bool delete_short_track(Store& store, int track, int short_track, StoreSize size);
bool delete_combo(Store& store, int track, int car, int short_track, StoreSize size);
bool delete_racer(Store& store, const char* racer, StoreSize size);
bool delete_racer_track(Store& store, const char* racer, int track, StoreSize size);
bool delete_racer_car(Store& store, const char* racer, int car, StoreSize size);
bool delete_racer_short_track(Store& store, const char* racer, int track, int short_track,
                              StoreSize size);
bool delete_racer_combo(Store& store, const char* racer, int track, int car, int short_track,
                        StoreSize size);

}  // namespace zeb

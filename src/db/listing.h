// The listings behind pdb: one row per entry under a common header, each
// listing walking the store in its own fixed order. A listing given an index
// outside its dimension writes nothing at all.
#pragma once

#include "db/store.h"

namespace zeb {

void print_listing_header();
void print_listing_footer();
// One row for the slot; nothing when an index is outside its dimension.
void print_row(const Store& store, int track, int car, int short_track, int position,
               StoreSize size);

// Every cell, all 14 short-track indices.
void list_all(const Store& store, StoreSize size);
// The racer's entries, exact and case-sensitive, in the cells with a layout.
void list_by_racer(const Store& store, const char* racer, StoreSize size);
void list_by_track(const Store& store, int track, StoreSize size);
void list_by_car(const Store& store, int car, StoreSize size);
void list_by_short_track(const Store& store, int track, int short_track, StoreSize size);
// One cell, under a title naming it from the tables.
void list_by_combo(const Store& store, int track, int car, int short_track, StoreSize size);

}  // namespace zeb

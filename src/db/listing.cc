#include "db/listing.h"

#include "console/interrupt.h"
#include "console/output.h"

namespace zeb {
namespace {

// A slot is listed when it holds an entry with a time.
bool is_listed(const LapRecord& slot) { return !slot_is_empty(slot) && slot.laptime != -1; }

// One row: "%d\t" "%s\t\t" "%s\t" "%-15s\t" "%s " "(%d)\n", written piece by
// piece since a full listing writes this 129,600 times.
void print_record(const LapRecord& r) {
  write_number(r.pos);
  write_text("\t");
  write_text(r.racer);
  write_text("\t\t");
  write_text(r.short_track);
  write_text("\t");
  write_padded(r.car, 15);
  write_text("\t");
  write_text(r.slaptime);
  write_text(" (");
  write_number(r.lapnum);
  write_text(")\n");
}

// The entries of a cell form its front, so the walk ends at the first empty
// slot. Ctrl-C at a terminal stops a listing between two rows.
void print_cell(const Store& store, int track, int car, int short_track, StoreSize size) {
  const LapRecord* cell = store[track][car][short_track];
  for (int p = 0; p < size.positions && !slot_is_empty(cell[p]) && !interrupt_pending(); ++p)
    if (is_listed(cell[p])) print_record(cell[p]);
}

}  // namespace

void print_listing_header() {
  write_text("\nPOS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)\n");
  write_line("--------------------------------------------------------------");
}

// A listing stopped by Ctrl-C ends after its last whole row, without the footer.
void print_listing_footer() {
  if (!interrupt_pending()) write_text("\n");
}

void print_row(const Store& store, int track, int car, int short_track, int position,
               StoreSize size) {
  if (!within(track, size.tracks) || !within(car, size.cars) ||
      !within(short_track, size.short_tracks) || !within(position, size.positions))
    return;
  print_record(store[track][car][short_track][position]);
}

void list_all(const Store& store, StoreSize size) {
  print_listing_header();
  for (int t = 0; t < size.tracks; ++t)
    for (int c = 0; c < size.cars; ++c)
      for (int s = 0; s < size.short_tracks; ++s) print_cell(store, t, c, s, size);
  print_listing_footer();
}

void list_by_racer(const Store& store, const char* racer, StoreSize size) {
  print_listing_header();
  for (int t = 0; t < size.tracks; ++t)
    for (int c = 0; c < size.cars; ++c)
      for (int s = 0; s < size.short_tracks; ++s) {
        if (!short_track_exists(t, s)) continue;
        for (int p = 0;
             p < size.positions && !slot_is_empty(store[t][c][s][p]) && !interrupt_pending(); ++p) {
          const LapRecord& slot = store[t][c][s][p];
          if (is_listed(slot) && texts_equal(slot.racer, racer)) print_record(slot);
        }
      }
  print_listing_footer();
}

void list_by_track(const Store& store, int track, StoreSize size) {
  if (!within(track, size.tracks)) return;
  print_listing_header();
  for (int c = 0; c < size.cars; ++c)
    for (int s = 0; s < layouts_of(track, size); ++s) print_cell(store, track, c, s, size);
  print_listing_footer();
}

void list_by_car(const Store& store, int car, StoreSize size) {
  if (!within(car, size.cars)) return;
  print_listing_header();
  for (int t = 0; t < size.tracks; ++t)
    for (int s = 0; s < layouts_of(t, size); ++s) print_cell(store, t, car, s, size);
  print_listing_footer();
}

void list_by_short_track(const Store& store, int track, int short_track, StoreSize size) {
  if (!within(track, size.tracks) || !within(short_track, size.short_tracks)) return;
  print_listing_header();
  if (short_track_exists(track, short_track))
    for (int c = 0; c < size.cars; ++c) print_cell(store, track, c, short_track, size);
  print_listing_footer();
}

void list_by_combo(const Store& store, int track, int car, int short_track, StoreSize size) {
  if (!within(track, size.tracks) || !within(car, size.cars) ||
      !within(short_track, size.short_tracks))
    return;
  write_format("\ntrack:%s, car:%s, shtrack:%s\n",
               {track_table[track].name, car_table[car].code, ShortTrackTable[track][short_track]});
  print_listing_header();
  print_cell(store, track, car, short_track, size);
  print_listing_footer();
}

}  // namespace zeb

#include "db/listing.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "console/interrupt.h"
#include "console/output.h"

namespace zeb {
namespace {

// A slot is listed when it holds an entry with a time.
bool is_listed(const LapRecord& slot) { return !slot_is_empty(slot) && slot.laptime != -1; }

// A number of 0 to 255 as %d writes it.
char* put_small(char* out, unsigned value) {
  if (value >= 100) {
    *out++ = static_cast<char>('0' + value / 100);
    value %= 100;
    *out++ = static_cast<char>('0' + value / 10);
  } else if (value >= 10) {
    *out++ = static_cast<char>('0' + value / 10);
  }
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

// Copies a text field into the row whole, then returns the end of its text:
// the field's bytes before its NUL, never more than the field. The row's room
// has space for the whole field and for reading it 8 bytes at a time.
template <std::size_t width>
char* put_field(char* out, const char (&field)[width]) {
  std::memcpy(out, field, width);
  std::size_t n = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; n < width; n += 8) {
      std::uint64_t word;
      std::memcpy(&word, out + n, sizeof word);
      std::uint64_t nul = (word - 0x0101010101010101) & ~word & 0x8080808080808080;
      if (nul != 0) {
        n += static_cast<std::size_t>(std::countr_zero(nul) / 8);
        break;
      }
    }
  } else {
    while (n < width && field[n] != '\0') ++n;
  }
  return out + std::min(n, width);
}

char* put_piece(char* out, std::string_view piece) {
  std::memcpy(out, piece.data(), piece.size());
  return out + piece.size();
}

// A row's most bytes: the fields whole, the numbers, the separators, and
// 8 bytes of reading room behind the last field.
constexpr std::size_t row_room = 256;
static_assert(row_room <= output_room_limit);

// One row: "%d\t" "%s\t\t" "%s\t" "%-15s\t" "%s " "(%d)\n", put together
// in the output buffer in one pass, since a full listing writes 129,600 of them.
void print_record(const LapRecord& r) {
  char* out = output_room(row_room);
  out = put_small(out, r.pos);
  *out++ = '\t';
  out = put_field(out, r.racer);
  out = put_piece(out, "\t\t");
  out = put_field(out, r.short_track);
  *out++ = '\t';
  char* car = out;
  out = put_field(out, r.car);
  while (out - car < 15) *out++ = ' ';
  *out++ = '\t';
  out = put_field(out, r.slaptime);
  out = put_piece(out, " (");
  out = put_small(out, r.lapnum);
  out = put_piece(out, ")\n");
  commit_output(out);
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

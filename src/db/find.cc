#include "db/find.h"

#include "console/interrupt.h"
#include "console/output.h"

namespace zeb {

int find_racer(Cell cell, const char* racer) {
  for (std::size_t p = 0; p < cell.size() && !slot_is_empty(cell[p]); ++p)
    if (texts_equal(cell[p].racer, racer)) return static_cast<int>(p);
  return -1;
}

void find_command(char** words, int count) {
  if (count != 2) {
    write_line("\tsyntax error\n");
    return;
  }
  const char* racer = words[1];
  for (int t = 0; t < track_count; ++t)
    for (int c = 0; c < car_count; ++c)
      for (int s = 0; s < short_track_slots; ++s) {
        if (interrupt_pending()) return;  // Ctrl-C at a terminal stops the listing
        int p = find_racer(cell_of(db, t, c, s), racer);
        if (p != -1)
          write_format("%s found on track %s (%s) with %s, at pos %d\n",
                       {racer, track_table[t].name, ShortTrackTable[t][s], car_table[c].name, p});
      }
}

}  // namespace zeb

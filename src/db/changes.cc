#include "db/changes.h"

#include <cstring>

namespace zeb {
namespace {

StoreChanges noted = [] {
  StoreChanges c;
  std::memset(c.changed_from, unchanged, sizeof c.changed_from);
  return c;
}();

}  // namespace

void note_change(Cell cell, int position) {
  const LapRecord* first = &db[0][0][0][0];
  std::ptrdiff_t at = cell.data() - first;
  if (at < 0 || at >= static_cast<std::ptrdiff_t>(ranking_slots) * cell_size) return;
  std::uint8_t& from = noted.changed_from[at / cell_size];
  if (position < from) from = static_cast<std::uint8_t>(position);
  noted.any = true;
}

void note_racer_gone(const char* racer) {
  noted.racer_groups.set(racer_group(racer));
  noted.any = true;
}

bool store_changed() { return noted.any; }

void take_changes(StoreChanges& changes) {
  changes = noted;
  std::memset(noted.changed_from, unchanged, sizeof noted.changed_from);
  noted.racer_groups.reset();
  noted.any = false;
}

void note_everything_changed() {
  std::memset(noted.changed_from, 0, sizeof noted.changed_from);
  noted.racer_groups.set();
  noted.any = true;
}

}  // namespace zeb

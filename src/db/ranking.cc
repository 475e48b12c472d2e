#include "db/ranking.h"

#include "console/output.h"

namespace zeb {

int find_key(Cell cell, const LapRecord& record) {
  for (std::size_t p = 0; p < cell.size() && !slot_is_empty(cell[p]); ++p)
    if (texts_equal(cell[p].key, record.key)) return static_cast<int>(p);
  return -1;
}

int insert_ranked(Cell cell, LapRecord record) {
  const int n = static_cast<int>(cell.size());
  if (!slot_is_empty(cell[n - 1])) {  // a full cell refuses even a better time
    write_line("\tdatabase was full");
    return -1;
  }
  if (int p = find_key(cell, record); p != -1) {
    if (record.laptime == cell[p].laptime) {
      write_line("\tdata already exist in db");
      return -1;
    }
    if (record.laptime > cell[p].laptime) {
      write_line("\tracer has a better laptime in the database");
      return -1;
    }
    write_line("\tabout to update racer's laptime");
    return replace_entry;
  }
  int p = 0;
  while (!slot_is_empty(cell[p]) && cell[p].laptime < record.laptime) ++p;
  if (slot_is_empty(cell[p])) {
    copy_record(cell[p], record);
    cell[p].pos = static_cast<std::uint8_t>(p);
    write_format("\tappended at pos %d\n", {p});
    return p;
  }
  if (cell[p].laptime == record.laptime) return -1;  // another racer holds this very time
  place_at(cell, record, p);
  write_format("\tinserted at pos: %d\n", {p});
  return p;
}

void place_at(Cell cell, const LapRecord& record, int position) {
  shift_down(cell, position, entry_count(cell));
  copy_record(cell[position], record);
  cell[position].pos = static_cast<std::uint8_t>(position);
}

int remove_key(Cell cell, const LapRecord& record) {
  int p = find_key(cell, record);
  if (p != -1) shift_up(cell, p, entry_count(cell));
  return p;
}

}  // namespace zeb

#include "db/ranking.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "console/output.h"
#include "db/changes.h"

namespace zeb {

namespace {

// The first 8 bytes decide most comparisons without a call: the keys are
// equal there when a NUL comes before the first byte that differs. A key
// field is 255 bytes, so 8 bytes can always be read.
bool same_key(const LapRecord& slot, const LapRecord& record) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t a, b;
    std::memcpy(&a, slot.key, sizeof a);
    std::memcpy(&b, record.key, sizeof b);
    std::uint64_t differ = a ^ b;
    if (differ != 0) {
      std::uint64_t nul = (a - 0x0101010101010101) & ~a & 0x8080808080808080;
      return nul != 0 && std::countr_zero(nul) < std::countr_zero(differ);
    }
  }
  return texts_equal(slot.key, record.key);
}

// The first of the `count` entries whose time is not below `laptime`, or
// count. The entries' times rise strictly.
int first_not_faster(Cell cell, int count, std::int32_t laptime) {
  int low = 0, high = count;
  while (low < high) {
    int middle = (low + high) / 2;
    if (cell[middle].laptime < laptime)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

}  // namespace

int find_key(Cell cell, const LapRecord& record) {
  for (std::size_t p = 0; p < cell.size() && !slot_is_empty(cell[p]); ++p)
    if (same_key(cell[p], record)) return static_cast<int>(p);
  return -1;
}

int insert_ranked(Cell cell, const LapRecord& record) {
  const int n = static_cast<int>(cell.size());
  if (!slot_is_empty(cell[n - 1])) {  // a full cell refuses even a better time
    write_line("\tdatabase was full");
    return -1;
  }
  // The racer's own entry: one pass that reads only the front of each
  // record (its first key bytes), which also counts the entries.
  int count = 0;
  for (; !slot_is_empty(cell[count]); ++count) {
    if (!same_key(cell[count], record)) continue;
    const LapRecord& own = cell[count];
    if (record.laptime == own.laptime) {
      write_line("\tdata already exist in db");
      return -1;
    }
    if (record.laptime > own.laptime) {
      write_line("\tracer has a better laptime in the database");
      return -1;
    }
    write_line("\tabout to update racer's laptime");
    return replace_entry;
  }
  // The first entry that is not faster than the record: the times rise
  // strictly from position 0, so halving the entries finds it.
  int p = first_not_faster(cell, count, record.laptime);
  if (p == count) {
    note_change(cell, p);
    copy_record(cell[p], record);
    cell[p].pos = static_cast<std::uint8_t>(p);
    write_text("\tappended at pos ");
    write_number(p);
    write_text("\n");
    return p;
  }
  if (cell[p].laptime == record.laptime) return -1;  // another racer holds this very time
  shift_down(cell, p, count);
  copy_record(cell[p], record);
  cell[p].pos = static_cast<std::uint8_t>(p);
  write_text("\tinserted at pos: ");
  write_number(p);
  write_text("\n");
  return p;
}

void place_at(Cell cell, const LapRecord& record, int position) {
  shift_down(cell, position, entry_count(cell));  // notes the change
  copy_record(cell[position], record);
  cell[position].pos = static_cast<std::uint8_t>(position);
}

int remove_key(Cell cell, const LapRecord& record) {
  int p = find_key(cell, record);
  if (p != -1) shift_up(cell, p, entry_count(cell));
  return p;
}

}  // namespace zeb

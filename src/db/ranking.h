// Ranked insertion into one cell: records ordered by strictly increasing lap
// time, one per key, occupied slots forming a prefix from position 0.
#pragma once

#include "db/store.h"

namespace zeb {

// insert_ranked's answer when the racer's entry holds a slower time: nothing
// was changed and the caller is to remove that entry and offer again.
inline constexpr int replace_entry = -2;

// Offers a record to a cell and reports the outcome: the position it was
// placed at, -1 when refused, or replace_entry.
int insert_ranked(Cell cell, const LapRecord& record);
// Position of the occupied slot holding the record's key, or -1.
int find_key(Cell cell, const LapRecord& record);
// Removes the entry with the record's key, closing the gap; its former
// position, or -1 when there was none. Writes nothing.
int remove_key(Cell cell, const LapRecord& record);
// Puts the record at the position, moving every slot behind it down by one
// (the last slot's content drops out). The caller guarantees the cell has room.
void place_at(Cell cell, const LapRecord& record, int position);

}  // namespace zeb

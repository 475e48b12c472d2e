// A ranking entry's sectors, from the splits its replay gave: the splits
// before the last are times from the start of the lap, the last one is the
// lap time; sector k runs from split k-1 to split k.
#pragma once

#include <cstdint>

#include "db/store.h"

namespace zeb {

struct Sectors {
  int count = 0;                // 1..4; 0: unknown
  std::int32_t ms[4] = {};      // each sector's time
  int split_count = 0;          // the splits before the lap time
  std::int32_t splits[3] = {};  // their times from the start of the lap, as read
};

// A split's four bytes as milliseconds: minutes, seconds, hundredths,
// thousandths; -1 when they do not read as a time.
std::int32_t split_ms(const std::uint8_t bytes[4]);
// The sectors are unknown (count 0) when a split does not read as a time or
// is not later than the one before it.
Sectors sectors_of(const LapRecord& entry);

}  // namespace zeb

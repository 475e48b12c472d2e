#include "board/sectors.h"

namespace zeb {

std::int32_t split_ms(const std::uint8_t bytes[4]) {
  if (bytes[1] > 59 || bytes[2] > 99 || bytes[3] > 9) return -1;
  return bytes[0] * 60000 + bytes[1] * 1000 + bytes[2] * 10 + bytes[3];
}

Sectors sectors_of(const LapRecord& entry) {
  Sectors s;
  int n = entry.split_count;
  if (n < 1 || n > 4) return s;
  s.split_count = n - 1;
  for (int k = 0; k + 1 < n; ++k) {
    std::uint8_t const* b = entry.splits[k];
    s.splits[k] = b[0] * 60000 + b[1] * 1000 + b[2] * 10 + b[3];
  }
  std::int32_t before = 0;
  for (int k = 0; k < n; ++k) {
    std::int32_t at = split_ms(entry.splits[k]);
    if (at <= before) return s;  // unreadable (-1), or not later than the one before
    s.ms[k] = at - before;
    before = at;
  }
  s.count = n;
  return s;
}

}  // namespace zeb

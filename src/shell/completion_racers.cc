#include "shell/completion_racers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "db/store.h"

namespace zeb {
namespace {

// Names seen in this walk, open addressing over pointers into the store. The
// table has more slots than the store has, so it never fills.
constexpr int seen_bits = 18;
constexpr std::size_t seen_slots = std::size_t{1} << seen_bits;
static_assert(seen_slots > std::size_t{track_count} * car_count * short_track_slots * cell_size);
const char* seen[seen_slots];

struct Found {
  std::size_t slot;
  std::string_view name;
};

// The slot to start at: the first and last eight bytes and the length, mixed
// by multiplication, whose high bits depend on every byte.
std::size_t name_slot(const char* name, std::size_t length) {
  std::uint64_t head = 0, tail = 0;
  std::memcpy(&head, name, std::min<std::size_t>(length, 8));
  if (length > 8) std::memcpy(&tail, name + length - 8, 8);
  std::uint64_t h = (head ^ (tail * 0xC2B2AE3D27D4EB4Fu) ^ length) * 0x9E3779B97F4A7C15u;
  h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9u;
  return static_cast<std::size_t>(h >> (64 - seen_bits));
}

}  // namespace

void complete_racer_name(std::string_view prefix, std::vector<std::string>& matches) {
  static std::vector<Found> found;  // kept between calls: no allocation once grown
  found.clear();
  for (int t = 0; t < track_count; ++t)
    for (int c = 0; c < car_count; ++c)
      for (int s = 0; s < short_track_slots; ++s)
        for (const LapRecord& slot : db[t][c][s]) {
          if (slot_is_empty(slot)) break;
          const char* racer = slot.racer;
          std::size_t length = strnlen(racer, sizeof slot.racer);
          if (length == 0 || length == sizeof slot.racer || length < prefix.size()) continue;
          if (std::memcmp(racer, prefix.data(), prefix.size()) != 0) continue;
          // Every seen name is a whole field of the store: comparing the
          // length and its NUL stays inside it.
          std::size_t i = name_slot(racer, length);
          while (seen[i] != nullptr && std::memcmp(seen[i], racer, length + 1) != 0)
            i = (i + 1) & (seen_slots - 1);
          if (seen[i] != nullptr) continue;
          seen[i] = racer;
          found.push_back({i, std::string_view(racer, length)});
        }
  for (const Found& f : found) seen[f.slot] = nullptr;
  std::erase_if(found, [](const Found& f) { return f.name.find(' ') != std::string_view::npos; });
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  for (const Found& f : found) matches.emplace_back(f.name);
}

}  // namespace zeb

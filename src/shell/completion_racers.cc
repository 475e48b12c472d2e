#include "shell/completion_racers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "db/store.h"

namespace zeb {
namespace {

// Names seen in this walk, open addressing over pointers into the store. The
// table has more slots than the store has, so it never fills.
constexpr std::size_t seen_slots = std::size_t{1} << 18;
static_assert(seen_slots > std::size_t{track_count} * car_count * short_track_slots * cell_size);
const char* seen[seen_slots];

struct Found {
  std::size_t slot;
  std::string_view name;
};

// Mixes the first and last eight bytes and the length: cheap, and enough to
// tell apart names like racer1 ... racer149.
std::size_t name_hash(const char* name, std::size_t length) {
  std::uint64_t head = 0, tail = 0;
  std::memcpy(&head, name, std::min<std::size_t>(length, 8));
  if (length > 8) std::memcpy(&tail, name + length - 8, 8);
  std::uint64_t h = (head * 0x9E3779B97F4A7C15u) ^ ((tail + length) * 0xC2B2AE3D27D4EB4Fu);
  return static_cast<std::size_t>(h ^ (h >> 29));
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
          if (length == 0 || length < prefix.size()) continue;
          if (std::memcmp(racer, prefix.data(), prefix.size()) != 0) continue;
          if (std::memchr(racer, ' ', length) != nullptr) continue;
          std::size_t i = name_hash(racer, length) & (seen_slots - 1);
          while (seen[i] != nullptr && std::strncmp(seen[i], racer, sizeof slot.racer) != 0)
            i = (i + 1) & (seen_slots - 1);
          if (seen[i] != nullptr) continue;
          seen[i] = racer;
          found.push_back({i, std::string_view(racer, length)});
        }
  for (const Found& f : found) seen[f.slot] = nullptr;
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  for (const Found& f : found) matches.emplace_back(f.name);
}

}  // namespace zeb

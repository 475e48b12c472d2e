// What changed in the store since someone last looked: the rankings, each
// from its first position that changed, and the racers whose entries went.
// The store's changers note every change here, so a reader of the store (the
// web board) rewrites only what changed. Only the program's own store (db)
// is followed; other stores (tests) change nothing here.
#pragma once

#include <bitset>
#include <cstdint>

#include "db/store.h"

namespace zeb {

inline constexpr int ranking_slots = track_count * car_count * short_track_slots;
// The racers fall into this many groups by a hash of the name's bytes.
inline constexpr int racer_group_count = 256;
inline constexpr std::uint8_t unchanged = 0xFF;

struct StoreChanges {
  // Per ranking (track outermost, as in the store): the first position whose
  // entry changed, or `unchanged`.
  std::uint8_t changed_from[ranking_slots];
  std::bitset<racer_group_count> racer_groups;  // groups of racers whose entry went
  bool any = false;
};

// The ranking's index in changed_from.
constexpr int ranking_index(int track, int car, int short_track) {
  return (track * car_count + car) * short_track_slots + short_track;
}
// FNV-1a (64 bits) over the name's bytes, up to its NUL: the same on every
// system and every run; two racers share one only by a rare accident.
constexpr std::uint64_t racer_name_hash(const char* racer) {
  std::uint64_t h = 14695981039346656037ull;
  for (; *racer != '\0'; ++racer) h = (h ^ static_cast<unsigned char>(*racer)) * 1099511628211ull;
  return h;
}
// A racer's group: the hash folded to 8 bits.
constexpr int racer_group(std::uint64_t hash) {
  hash ^= hash >> 32;
  hash ^= hash >> 16;
  hash ^= hash >> 8;
  return static_cast<int>(hash & 0xFF);
}
constexpr int racer_group(const char* racer) { return racer_group(racer_name_hash(racer)); }

// The changers' notes: entries at and behind `position` of the cell changed;
// a racer's entry left a ranking.
void note_change(Cell cell, int position);
void note_racer_gone(const char* racer);
// Whether anything was noted since the last take_changes.
bool store_changed();
// Hands over everything noted since the last call and starts afresh.
void take_changes(StoreChanges& changes);
// Everything counts as changed (a board that must be written whole again).
void note_everything_changed();

}  // namespace zeb

// The 192-byte header block at the start of a single-player replay (.spr),
// held in memory exactly as it lies in the file. Numbers are little-endian
// and read through the accessors below; texts are NUL-terminated inside
// their slots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "folders/file_block.h"

namespace zeb {

struct SprHeader {
  char magic[7];  // "LFSSPR"
  unsigned char unused_7[4];
  std::uint8_t qual_mins;
  std::uint8_t laps;
  std::uint8_t skill_level;
  std::uint8_t wind_strength;
  std::uint8_t hotlap_mode;  // non-zero in a hotlap replay
  char lfs_version[8];
  char track_code[4];  // "BL1R"; a four-character code ends in added_mass
  std::uint8_t added_mass;
  std::uint8_t intake_restriction;
  unsigned char unused_30[2];
  char track_name[32];   // "Blackwood"
  char s2_username[32];  // the racer
  char car_name[32];     // "XR GT TURBO"
  std::uint8_t configuration;
  std::uint8_t reversed;
  std::uint8_t weather;
  std::uint8_t num_players;
  unsigned char player_flags[2];  // little-endian unsigned 16-bit
  std::uint8_t best_lap;
  std::uint8_t num_splits;     // 1..4 picks the split holding the lap time
  unsigned char splits[4][4];  // each a little-endian signed 32-bit number
  unsigned char unused_152[8];
  char local_player[32];
};
static_assert(sizeof(SprHeader) == file_block_size);
static_assert(offsetof(SprHeader, track_code) == 24 && offsetof(SprHeader, added_mass) == 28);
static_assert(offsetof(SprHeader, configuration) == 128 && offsetof(SprHeader, splits) == 136);
static_assert(offsetof(SprHeader, local_player) == 160);

// The header of the last file read; never holds bytes of two files.
extern SprHeader replay_header;
// Set by the first load that passes the hotlap checks; never reset.
extern bool replay_loaded;

// Minutes, seconds, hundredths and thousandths of the best lap.
using TimeBytes = std::array<std::uint8_t, 4>;

std::uint16_t player_flags(const SprHeader& header);
std::int32_t split_value(const SprHeader& header, int index);
// The four bytes of splits[num_splits - 1]; 127, 127, 127, 127 when
// num_splits is not 1..4.
TimeBytes best_time_bytes(const SprHeader& header);

// A text field as far as its NUL, never past its slot. The track code's slot
// runs through byte 28, the terminator of a four-character code.
std::string_view header_text(const SprHeader& header, std::size_t offset, std::size_t width);
std::string_view track_code_text(const SprHeader& header);
inline std::string_view track_name_text(const SprHeader& h) { return header_text(h, 32, 32); }
inline std::string_view racer_text(const SprHeader& h) { return header_text(h, 64, 32); }
inline std::string_view car_name_text(const SprHeader& h) { return header_text(h, 96, 32); }

// The messages of a read: on failure writes the error and returns false,
// leaving the header as it was; otherwise the block becomes the header.
bool take_header_block(std::string_view name, BlockRead result, const FileBlock& block,
                       SprHeader& header);
// A file read and taken as above; a folder reads as a read error.
bool read_replay_header(const char* name, SprHeader& header);

void print_header(const SprHeader& header);
// print: the fields of the last header read, once a replay has been loaded.
void print_command(char** words, int count);

}  // namespace zeb

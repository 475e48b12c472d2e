#include "replay/header.h"

#include <bit>
#include <cstring>

#include "console/output.h"

namespace zeb {

SprHeader replay_header{};
bool replay_loaded = false;

namespace {

const unsigned char* bytes_of(const SprHeader& header) {
  return reinterpret_cast<const unsigned char*>(&header);
}

std::int32_t little_endian_i32(const unsigned char* b) {
  std::uint32_t u = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                    std::uint32_t{b[3]} << 24;
  return static_cast<std::int32_t>(u);
}

}  // namespace

std::uint16_t player_flags(const SprHeader& header) {
  return static_cast<std::uint16_t>(header.player_flags[0] | header.player_flags[1] << 8);
}

std::int32_t split_value(const SprHeader& header, int index) {
  return little_endian_i32(header.splits[index]);
}

TimeBytes best_time_bytes(const SprHeader& header) {
  int n = header.num_splits;
  if (n < 1 || n > 4) return {127, 127, 127, 127};
  const unsigned char* b = header.splits[n - 1];
  return {b[0], b[1], b[2], b[3]};
}

std::string_view header_text(const SprHeader& header, std::size_t offset, std::size_t width) {
  const char* text = reinterpret_cast<const char*>(bytes_of(header) + offset);
  const void* nul = std::memchr(text, '\0', width);
  return {text, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : width};
}

std::string_view track_code_text(const SprHeader& header) { return header_text(header, 24, 5); }

bool take_header_block(std::string_view name, BlockRead result, const FileBlock& block,
                       SprHeader& header) {
  if (result == BlockRead::open_failed) {
    write_format("\tError opening file: %s\n", {name});
    return false;
  }
  if (result != BlockRead::ok) {
    write_format("\tError reading file: %s\n", {name});
    return false;
  }
  header = std::bit_cast<SprHeader>(block);
  return true;
}

bool read_replay_header(const char* name, SprHeader& header) {
  FileBlock block;
  return take_header_block(name, read_file_block(name, block), block, header);
}

void print_header(const SprHeader& h) {
  TimeBytes t = best_time_bytes(h);
  flush_output();
  write_format("LFSSPR:\t\t%s\n", {header_text(h, 0, 7)});
  write_format("Qual mins:\t%d\n", {h.qual_mins});
  write_format("Laps byte:\t%d\n", {h.laps});
  write_format("Skill level:\t%d\n", {h.skill_level});
  write_format("Wind strength:\t%d\n", {h.wind_strength});
  write_format("Hotlap mode:\t%d\n", {h.hotlap_mode});
  write_format("LFS version:\t%s\n", {header_text(h, 16, 8)});
  write_format("Track code:\t%s\n", {track_code_text(h)});
  write_format("Added mass:\t%d\n", {h.added_mass});
  write_format("Intake restr.:\t%d\n", {h.intake_restriction});
  write_format("Track name:\t%s\n", {track_name_text(h)});
  write_format("Configuration:\t%d\n", {h.configuration});
  write_format("Reversed:\t%d\n", {h.reversed});
  write_format("S2 username:\t%s\n", {racer_text(h)});
  write_format("Car name:\t%s\n", {car_name_text(h)});
  write_format("Weather:\t%d\n", {h.weather});
  write_format("# of players:\t%d\n", {h.num_players});
  write_format("Player flags:\t%d\n", {player_flags(h)});
  write_format("Best lap\t%d\n", {h.best_lap});
  write_format("# of splits:\t%d\n", {h.num_splits});
  write_format("1st split:\t%d\n", {split_value(h, 0)});
  write_format("2nd split:\t%d\n", {split_value(h, 1)});
  write_format("3rd split:\t%d\n", {split_value(h, 2)});
  write_format("4th split:\t%d\n", {split_value(h, 3)});
  write_format("Best lfstime:\t%02d:%02d.%02d%d (%d)\n",
               {t[0], t[1], t[2], t[3], little_endian_i32(t.data())});
  write_format("Local player:\t%s\n", {header_text(h, 160, 32)});
}

void print_command(char** /*words*/, int count) {
  if (count > 1) write_line("\t(extra parameters ignored)");
  if (!replay_loaded) {
    write_line("\tno replay found");
    write_line("\tuse 'l replay.spr' to load one");
    return;
  }
  print_header(replay_header);
}

}  // namespace zeb

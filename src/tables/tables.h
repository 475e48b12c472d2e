// The fixed reference tables: 6 tracks, 19 cars and the layouts (short
// tracks) of each track. Their row order defines the store's indices.
#pragma once

#include <string_view>

#include "tables/text.h"

namespace zeb {

inline constexpr int track_count = 6;
inline constexpr int car_count = 19;
inline constexpr int short_track_slots = 14;

struct TrackEntry {
  char code[15];  // what users type, lower case
  char name[15];  // the long name as a replay header writes it
};
using CarEntry = TrackEntry;

inline constexpr TrackEntry track_table[track_count] = {
    {"as", "Aston"},      {"bl", "Blackwood"},  {"fe", "Fern Bay"},
    {"ky", "Kyoto Ring"}, {"so", "South City"}, {"we", "Westhill"},
};

// "FXO TURBO" names two cars: a look-up by long name always finds fxo.
inline constexpr CarEntry car_table[car_count] = {
    {"bf1", "BMW SAUBER"}, {"fo8", "FORMULA V8"}, {"fox", "FORMULA XR"},  {"fxo", "FXO TURBO"},
    {"fxr", "FXO TURBO"},  {"fz5", "FZ50"},       {"fzr", "FZ50 GTR"},    {"lx4", "LX4"},
    {"lx6", "LX6"},        {"mrt", "MRT5"},       {"rac", "RA"},          {"rb4", "RB4 GT"},
    {"uf1", "UF 1000"},    {"ufr", "UF GTR"},     {"xfg", "XF GTI"},      {"xfr", "XF GTR"},
    {"xrg", "XR GT"},      {"xrr", "XR GTR"},     {"xrt", "XR GT TURBO"},
};

// One row per track, codes from slot 0 on without a gap; empty slots name no
// layout. Fern Bay has fe7r but no fe7.
inline constexpr char ShortTrackTable[track_count][short_track_slots][5] = {
    {"as1", "as2", "as3", "as4", "as5", "as6", "as7", "as1r", "as2r", "as3r", "as4r", "as5r",
     "as6r", "as7r"},
    {"bl1", "bl2", "bl1r", "bl2r"},
    {"fe1", "fe2", "fe3", "fe4", "fe5", "fe6", "fe1r", "fe2r", "fe3r", "fe4r", "fe5r", "fe6r",
     "fe7r"},
    {"ky1", "ky2", "ky3", "ky1r", "ky2r", "ky3r"},
    {"so1", "so2", "so3", "so4", "so5", "so1r", "so2r", "so3r", "so4r", "so5r"},
    {"we1", "we1r"},
};

// Number of layouts of a track: its slots up to the first empty code.
constexpr int short_track_count(int track) {
  int n = 0;
  while (n < short_track_slots && ShortTrackTable[track][n][0] != '\0') ++n;
  return n;
}

// Whether a slot of a track's row names a layout.
constexpr bool short_track_exists(int track, int short_track) {
  return track >= 0 && track < track_count && short_track >= 0 && short_track < short_track_slots &&
         ShortTrackTable[track][short_track][0] != '\0';
}

// Look-ups by code: the row index or -1. Each lower-cases the word in place
// first, so codes are accepted in any letter case and read lower case after.
int track_index_by_code(char* word);
int car_index_by_code(char* word);
// The slot of the track's row holding the word; track must be 0..5.
int short_track_index_by_code(char* word, int track);

// Look-ups by long name, exact and case-sensitive: the first matching row or -1.
int track_index_by_long_name(std::string_view name);
int car_index_by_long_name(std::string_view name);

struct ShortTrackRef {
  int track = -1;
  int short_track = -1;
  constexpr bool resolved() const { return short_track >= 0; }
};
// A layout word such as BL1R: the track from its first two characters, then
// the whole word among that track's codes. Lower-cases the word when the
// track is found.
ShortTrackRef resolve_short_track(char* word);

// The fixed texts that list what may be typed, shown after a failed look-up.
// They are written by hand, not generated: they leave out fe7r.
inline constexpr std::string_view valid_tracks_text = "\n\tvalid tracks: as, bl, fe, ky, so, we\n";
inline constexpr std::string_view valid_cars_text =
    "\nvalid cars:\n\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6\n\tmrt, rac, rb4, uf1, ufr, "
    "xfg, xfr, xrg, xrr, xrt\n";
inline constexpr std::string_view valid_short_tracks_text =
    "\nvalid short-tracks:\n\tas1, as2, as3, as4, as5, as6, as7\n\tas1r, as2r, as3r, as4r, "
    "as5r, as6r, as7r\n\tbl1, bl2, bl1r, bl2r\n\tfe1, fe2, fe3, fe4, fe5, fe6\n\tfe1R, fe2R, "
    "fe3R, fe4R, fe5r, fe6r\n\tky1, ky2, ky3, ky1r, ky2R, ky3r\n\tso1, so2, so3, so4, "
    "so5\n\tso1r, so2r, so3r, so4r,so5r\n\twe1, we1r\n";
// pdb and del both answer a combination flag given one parameter with this.
inline constexpr std::string_view combo_count_text = "\tflag -cs expects a car and a short-track";

}  // namespace zeb

#include "tables/tables.h"

#include <gtest/gtest.h>

#include <string>

#include "replay/load.h"

namespace zeb {
namespace {

int track_of(std::string word) { return track_index_by_code(word.data()); }
int car_of(std::string word) { return car_index_by_code(word.data()); }
int short_track_of(std::string word, int track) {
  return short_track_index_by_code(word.data(), track);
}

TEST(Tables, CodeLookupsIgnoreCaseAndLowerTheWord) {
  std::string word = "BL";
  EXPECT_EQ(track_index_by_code(word.data()), 1);
  EXPECT_EQ(word, "bl");
  EXPECT_EQ(track_of("Bl"), 1);
  EXPECT_EQ(track_of("Blackwood"), -1);
  EXPECT_EQ(track_of(""), -1);
  EXPECT_EQ(car_of("XRT"), 18);
  EXPECT_EQ(car_of("fxo"), 3);
  EXPECT_EQ(car_of("fxr"), 4);
  EXPECT_EQ(car_of("xr"), -1);
  EXPECT_EQ(short_track_of("FE7R", 2), 12);
  EXPECT_EQ(short_track_of("fe7", 2), -1);
  EXPECT_EQ(short_track_of("we1r", 5), 1);
  EXPECT_EQ(short_track_of("we2", 5), -1);
  EXPECT_EQ(short_track_of("", 5), -1);
}

TEST(Tables, LongNamesMatchExactly) {
  EXPECT_EQ(car_index_by_long_name("FXO TURBO"), 3);
  EXPECT_EQ(car_index_by_long_name("RA"), 10);
  EXPECT_EQ(car_index_by_long_name("xr gt turbo"), -1);
  EXPECT_EQ(track_index_by_long_name("Fern Bay"), 2);
  EXPECT_EQ(track_index_by_long_name("fern bay"), -1);
  EXPECT_EQ(track_index_by_long_name("Fern Bay "), -1);
}

TEST(Tables, ShortTrackWordTakesTheTrackFromItsFirstTwoLetters) {
  auto resolve = [](std::string word) {
    ShortTrackRef ref = resolve_short_track(word.data());
    return std::pair{ref.resolved() ? ref.track : -1, ref.short_track};
  };
  EXPECT_EQ(resolve("BL1R"), std::pair(1, 2));
  EXPECT_EQ(resolve("bl2r"), std::pair(1, 3));
  EXPECT_EQ(resolve("fe7r"), std::pair(2, 12));
  EXPECT_EQ(resolve("WE1R"), std::pair(5, 1));
  EXPECT_EQ(resolve("as"), std::pair(-1, -1));
  EXPECT_EQ(resolve("fe7"), std::pair(-1, -1));
  EXPECT_EQ(resolve("x"), std::pair(-1, -1));
  std::string word = "KY2R";
  resolve_short_track(word.data());
  EXPECT_EQ(word, "ky2r");
}

TEST(Tables, LetterCaseChangesOnlyAsciiLetters) {
  std::string text = "aZ09 _\x80\xff";
  EXPECT_EQ(std::string(upper_text(text.data())), "AZ09 _\x80\xff");
  EXPECT_EQ(std::string(lower_text(text.data())), "az09 _\x80\xff");
  std::string empty;
  EXPECT_EQ(std::string(lower_text(empty.data())), "");
}

TEST(Tables, LayoutCountsPerTrack) {
  const int expected[track_count] = {14, 4, 13, 6, 10, 2};
  for (int t = 0; t < track_count; ++t) EXPECT_EQ(short_track_count(t), expected[t]);
}

// Every layout code a replay can carry lands on the slot of the same code in
// lower case, and only fe7r is out of reach.
TEST(Tables, ReplayCodesMatchTheLayoutTable) {
  int reachable = 0;
  for (int t = 0; t < track_count; ++t)
    for (int s = 0; s < short_track_count(t); ++s) {
      SprHeader header{};
      std::string code = ShortTrackTable[t][s];
      upper_text(code.data());
      std::copy(code.begin(), code.end(), reinterpret_cast<char*>(&header) + 24);
      int index = short_track_from_code(header);
      if (code == "FE7R") {
        EXPECT_EQ(index, -1);
      } else {
        EXPECT_EQ(index, s) << code;
        ++reachable;
      }
    }
  EXPECT_EQ(reachable, 48);
}

}  // namespace
}  // namespace zeb

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "db/ranking.h"
#include "replay/header.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "test_support.h"

namespace zeb {
namespace {

SprHeader header_from(const fixture::ReplayFields& fields) {
  SprHeader header{};
  std::vector<unsigned char> bytes = fixture::build_replay(fields);
  std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof header));
  return header;
}

TEST(Replay, TimeBytesComeFromTheSplitNamedByNumSplits) {
  fixture::ReplayFields f;
  f.num_splits = 2;
  f.time = {1, 23, 45, 6};
  EXPECT_EQ(best_time_bytes(header_from(f)), (TimeBytes{1, 23, 45, 6}));
  for (int n : {0, 5, 255}) {
    f.num_splits = n;
    EXPECT_EQ(best_time_bytes(header_from(f)), (TimeBytes{127, 127, 127, 127})) << n;
  }
}

TEST(Replay, RecordFromHeader) {
  fixture::ReplayFields f;
  f.racer = "rokan2";
  f.track_code = "BL1R";
  f.best_lap = 200;
  SprHeader header = header_from(f);
  LapRecord r;
  record_from_header(header, r);
  EXPECT_STREQ(r.key, "rokan2+BL1R+XR GT TURBO");
  EXPECT_STREQ(r.racer, "rokan2");
  EXPECT_STREQ(r.short_track, "BL1R");
  EXPECT_STREQ(r.car, "XR GT TURBO");
  EXPECT_EQ(r.laptime, 83456);
  EXPECT_STREQ(r.slaptime, "01:23.456");
  EXPECT_EQ(r.lapnum, 200);
}

TEST(Replay, FallbackTimeIsCutToTheSlaptimeField) {
  fixture::ReplayFields f;
  f.num_splits = 0;
  LapRecord r;
  record_from_header(header_from(f), r);
  EXPECT_EQ(r.laptime, 7748397);
  EXPECT_STREQ(r.slaptime, "127:127.1");
}

TEST(Replay, FieldsWithoutNulStayInTheirSlots) {
  fixture::ReplayFields f;
  f.racer = std::string(40, 'R');
  f.car_name = std::string(40, 'C');
  f.track_code = "BL1R";
  f.added_mass = 7;  // byte 28 is no terminator now
  SprHeader header = header_from(f);
  EXPECT_EQ(racer_text(header), std::string(32, 'R'));
  EXPECT_EQ(track_code_text(header), std::string("BL1R\x07"));
  EXPECT_EQ(short_track_from_code(header), -1);
  LapRecord r;
  record_from_header(header, r);
  EXPECT_EQ(std::strlen(r.key), 32 + 1 + 5 + 1 + 32u);
  EXPECT_EQ(std::strlen(r.racer), 31u);
  EXPECT_EQ(std::strlen(r.short_track), 4u);
  EXPECT_EQ(std::strlen(r.car), 32u);
}

TEST(Replay, CompletesAnEmptyTrackCode) {
  struct Case {
    const char* track;
    int configuration, reversed;
    const char* stored;
    const char* expected;
  } cases[] = {
      {"Blackwood", 1, 1, "", "BL1R"}, {"Aston", 3, 0, "", "AS3"},
      {"Blackwood", 0, 0, "", "BL0"},  {"Kyoto Ring", 25, 0, "", "KY2"},
      {"Nowhere", 1, 0, "", ""},       {"Blackwood", 1, 0, "bl2", "BL2"},
  };
  for (const Case& c : cases) {
    fixture::ReplayFields f;
    f.track_name = c.track;
    f.configuration = c.configuration;
    f.reversed = c.reversed;
    f.track_code = c.stored;
    f.added_mass = 9;
    SprHeader header = header_from(f);
    complete_track_code(header);
    EXPECT_EQ(track_code_text(header), c.expected) << c.track << " " << c.stored;
    bool completed = c.stored[0] == '\0' && track_index_by_name(header) != -1;
    EXPECT_EQ(header.added_mass, completed ? 0 : 9);
  }
}

class ReplayFile : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_db(db, db_size);
    replay_header = SprHeader{};
    replay_loaded = false;
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string write(const std::string& name, const fixture::ReplayFields& f) {
    std::filesystem::create_directories(folder);
    std::string path = folder + "/" + name;
    fixture::write_replay(path, f);
    return path;
  }
  void load(const std::string& path) {
    replay_filename = path;
    load_command(nullptr, 0, replay_filename, true);
  }
  // One folder a test: tests run side by side.
  std::string folder = ::testing::TempDir() + "zeb_replay_test_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
  test::CapturedOutput out;
};

TEST_F(ReplayFile, ShortFilesReadAsZeroPastTheirEnd) {
  fixture::ReplayFields f;
  load(write("good.spr", f));
  f.size = 20;
  ASSERT_TRUE(read_replay_header(write("short.spr", f).c_str(), replay_header));
  EXPECT_EQ(replay_header.hotlap_mode, 1);
  EXPECT_EQ(track_name_text(replay_header), "");  // nothing left of the earlier file
}

TEST_F(ReplayFile, UnreadableFilesLeaveTheHeaderAlone) {
  fixture::ReplayFields f;
  load(write("good.spr", f));
  SprHeader before = replay_header;
  out.text();
  EXPECT_FALSE(read_replay_header(folder.c_str(), replay_header));
  EXPECT_EQ(out.text(), "\tError reading file: " + folder + "\n");
  EXPECT_FALSE(read_replay_header((folder + "/missing").c_str(), replay_header));
  EXPECT_EQ(out.text(), "\tError opening file: " + folder + "/missing\n");
  EXPECT_EQ(std::memcmp(&before, &replay_header, sizeof before), 0);
}

// A racer's faster time that ties another racer's leaves the cell as it was.
TEST_F(ReplayFile, ReplacementRefusedByATieRestoresTheOlderEntry) {
  fixture::ReplayFields f;
  const std::array<int, 4> times[] = {{1, 10, 0, 0}, {1, 20, 0, 0}, {1, 30, 0, 0}};
  for (int i = 0; i < 3; ++i) {
    f.racer = "r" + std::to_string(i);
    f.time = times[i];
    load(write(f.racer + ".spr", f));
  }
  f.racer = "r2";
  f.time = times[0];
  load(write("tie.spr", f));
  EXPECT_NE(out.text().find("\tabout to update racer's laptime\n"), std::string::npos);
  Cell cell = cell_of(db, 1, 18, 0);
  ASSERT_EQ(test::entries_in(cell), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(cell[i].racer, ("r" + std::to_string(i)).c_str());
    EXPECT_EQ(cell[i].pos, i);
  }
  EXPECT_EQ(cell[2].laptime, 90000);
  EXPECT_EQ(test::check_store(db), "");
}

}  // namespace
}  // namespace zeb

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "db/ranking.h"
#include "delete/del_command.h"
#include "delete/primitives.h"
#include "test_support.h"

namespace zeb {
namespace {

class Delete : public ::testing::Test {
 protected:
  void SetUp() override { reset_db(db, db_size); }
  void TearDown() override { EXPECT_EQ(test::check_store(db), ""); }
  void put(int t, int c, int s, std::string_view racer, int laptime) {
    insert_ranked(cell_of(db, t, c, s), test::make_record(racer, laptime));
  }
  int entries(int t, int c, int s) { return test::entries_in(cell_of(db, t, c, s)); }
  test::CapturedOutput out;
};

TEST_F(Delete, ClearingCellsEmptiesTheirSlots) {
  put(0, 0, 0, "a", 1000);
  put(0, 1, 13, "b", 1000);
  put(1, 0, 0, "c", 1000);
  EXPECT_FALSE(delete_track(db, 2, db_size));
  EXPECT_TRUE(delete_track(db, 0, db_size));
  EXPECT_EQ(entries(0, 0, 0) + entries(0, 1, 13), 0);
  EXPECT_EQ(entries(1, 0, 0), 1);
  const LapRecord& slot = db[0][0][0][0];
  EXPECT_EQ(slot.pos, 127);
  EXPECT_EQ(slot.laptime, -1);
  EXPECT_EQ(slot.lapnum, 127);
  EXPECT_FALSE(delete_track(db, 0, db_size));
}

TEST_F(Delete, CarShortTrackAndComboKeepOtherCells) {
  put(0, 5, 0, "a", 1000);
  put(3, 5, 2, "a", 1000);
  put(3, 6, 2, "a", 1000);
  put(3, 6, 3, "a", 1000);
  EXPECT_TRUE(delete_car(db, 5, db_size));
  EXPECT_EQ(entries(0, 5, 0) + entries(3, 5, 2), 0);
  EXPECT_TRUE(delete_short_track(db, 3, 2, db_size));
  EXPECT_EQ(entries(3, 6, 2), 0);
  EXPECT_EQ(entries(3, 6, 3), 1);
  EXPECT_FALSE(delete_combo(db, 3, 6, 2, db_size));
  EXPECT_TRUE(delete_combo(db, 3, 6, 3, db_size));
}

TEST_F(Delete, IndicesOutsideTheStoreDeleteNothing) {
  put(0, 0, 0, "a", 1000);
  EXPECT_FALSE(delete_track(db, 6, db_size));
  EXPECT_FALSE(delete_car(db, -1, db_size));
  EXPECT_FALSE(delete_short_track(db, 0, 14, db_size));
  EXPECT_FALSE(delete_combo(db, 0, 19, 0, db_size));
  EXPECT_FALSE(delete_racer_track(db, "a", 6, db_size));
  EXPECT_FALSE(delete_racer_car(db, "a", 19, db_size));
  EXPECT_FALSE(delete_racer_short_track(db, "a", 0, -1, db_size));
  EXPECT_FALSE(delete_racer_combo(db, "a", -1, 0, 0, db_size));
  EXPECT_EQ(entries(0, 0, 0), 1);
}

TEST_F(Delete, RemovingARacerMovesTheSlowerEntriesUp) {
  put(1, 0, 0, "a", 1000);
  put(1, 0, 0, "b", 2000);
  put(1, 0, 0, "c", 3000);
  EXPECT_TRUE(remove_racer(cell_of(db, 1, 0, 0), "a"));
  EXPECT_STREQ(db[1][0][0][0].racer, "b");
  EXPECT_STREQ(db[1][0][0][1].racer, "c");
  EXPECT_EQ(db[1][0][0][1].pos, 1);
  EXPECT_EQ(entries(1, 0, 0), 2);
}

TEST_F(Delete, RemovingTheOnlyOrTheLastEntry) {
  put(1, 0, 0, "only", 1000);
  EXPECT_TRUE(remove_racer(cell_of(db, 1, 0, 0), "only"));
  EXPECT_EQ(entries(1, 0, 0), 0);
  for (int i = 0; i < 150; ++i) put(1, 0, 1, "r" + std::to_string(i), 1000 + i);
  EXPECT_TRUE(remove_racer(cell_of(db, 1, 0, 1), "r149"));
  EXPECT_EQ(entries(1, 0, 1), 149);
  const LapRecord& vacated = db[1][0][1][149];  // back in the empty state
  EXPECT_EQ(vacated.racer[0], '\0');
  EXPECT_EQ(vacated.pos, 127);
  EXPECT_EQ(vacated.laptime, -1);
  EXPECT_FALSE(remove_racer(cell_of(db, 1, 0, 1), "r149"));
  put(1, 0, 1, "new", 5000);
  EXPECT_EQ(entries(1, 0, 1), 150);
}

// Deleting everything visits only the entries; after removals and clearings
// of every kind the store must still be byte for byte what reset_db makes.
TEST_F(Delete, DeletingEverythingLeavesTheStoreAsAResetDoes) {
  static Store reset_copy;
  for (int i = 0; i < 40; ++i) {
    put(1, 18, 0, "r" + std::to_string(i), 1000 + 7 * (i % 13) + i);
    put(5, 3, 1, "r" + std::to_string(i % 9), 2000 + i);
  }
  for (int i = 0; i < 150; ++i) put(0, 9, 13, "s" + std::to_string(i), 5000 - i);
  remove_racer(cell_of(db, 1, 18, 0), "r3");
  remove_racer(cell_of(db, 1, 18, 0), "r39");
  delete_racer(db, "r5", db_size);
  delete_racer(db, "s0", db_size);
  delete_combo(db, 5, 3, 1, db_size);
  put(5, 3, 1, "late", 3000);
  LapRecord faster = test::make_record("r7", 1);
  LapRecord older;
  copy_record(older, db[1][18][0][find_key(cell_of(db, 1, 18, 0), faster)]);
  place_at(cell_of(db, 1, 18, 0), older, remove_key(cell_of(db, 1, 18, 0), faster));
  std::memcpy(&reset_copy, &db, sizeof db);
  reset_db(reset_copy, db_size);
  EXPECT_TRUE(delete_everything(db, db_size));
  EXPECT_EQ(std::memcmp(&reset_copy, &db, sizeof db), 0);
  EXPECT_TRUE(delete_everything(db, db_size));  // even with nothing left
  EXPECT_EQ(std::memcmp(&reset_copy, &db, sizeof db), 0);
}

TEST_F(Delete, RacerDeletionsMatchTheNameExactlyWithinTheirScope) {
  put(0, 0, 0, "rokan2", 1000);
  put(1, 18, 3, "rokan2", 1000);
  put(1, 17, 3, "rokan2", 1000);
  put(2, 18, 12, "rokan2", 1000);
  put(4, 18, 9, "rokan2", 1000);
  EXPECT_FALSE(delete_racer(db, "Rokan2", db_size));
  EXPECT_TRUE(delete_racer_combo(db, "rokan2", 1, 17, 3, db_size));
  EXPECT_FALSE(delete_racer_combo(db, "rokan2", 1, 17, 3, db_size));
  EXPECT_TRUE(delete_racer_short_track(db, "rokan2", 2, 12, db_size));
  EXPECT_TRUE(delete_racer_car(db, "rokan2", 18, db_size));
  EXPECT_EQ(entries(1, 18, 3) + entries(4, 18, 9), 0);
  EXPECT_TRUE(delete_racer_track(db, "rokan2", 0, db_size));
  put(5, 1, 1, "rokan2", 1000);
  put(5, 2, 0, "rokan2", 1000);
  EXPECT_TRUE(delete_racer(db, "rokan2", db_size));
  EXPECT_FALSE(delete_racer(db, "rokan2", db_size));
}

TEST_F(Delete, FlagsAreCaseSensitive) {
  const char* flags[] = {"-t", "-c", "-s", "-cs", "-r", "-rt", "-rc", "-rs", "-rcs"};
  const char* long_flags[] = {"-track",  "-car",  "-shorttrack",  "-combo", "-racer",
                              "-rtrack", "-rcar", "-rshorttrack", "-rcombo"};
  for (int kind = 0; kind < 9; ++kind) {
    EXPECT_EQ(parse_del_flag(flags[kind]), kind);
    EXPECT_EQ(parse_del_flag(long_flags[kind]), kind);
  }
  EXPECT_EQ(parse_del_flag("-T"), -1);
  EXPECT_EQ(parse_del_flag("t"), -1);
}

TEST_F(Delete, ConfirmationTakesYOrYesInAnyCase) {
  for (const char* yes : {"y\n", "Y\n", "yes\n", "YeS\r\n"}) {
    test::ScriptedInput in(yes);
    EXPECT_TRUE(confirm("sure (y/)? ", {})) << yes;
  }
  for (const char* no : {"\n", " y\n", "yes please\n", "n\n", "", "yess\n"}) {
    test::ScriptedInput in(no);
    EXPECT_FALSE(confirm("sure (y/)? ", {})) << no;
  }
  EXPECT_EQ(out.text().substr(0, 11), "sure (y/)? ");
}

}  // namespace
}  // namespace zeb

#include "db/ranking.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"

namespace zeb {
namespace {

class Ranking : public ::testing::Test {
 protected:
  void SetUp() override { reset_db(db, db_size); }
  Cell cell = cell_of(db, 1, 18, 0);
  test::CapturedOutput out;

  // Offers one record, returning the result; the message goes to `said`.
  int offer(std::string_view racer, int laptime) {
    out.text();
    int result = insert_ranked(cell, test::make_record(racer, laptime));
    said = out.text();
    return result;
  }
  // Fills the cell's first k slots with racers r0.. at times 1000, 2000, ...
  void fill(int k) {
    for (int i = 0; i < k; ++i) offer("r" + std::to_string(i), (i + 1) * 1000);
  }
  std::string said;
};

TEST_F(Ranking, AppendsToAnEmptyCellAndBehindFasterTimes) {
  EXPECT_EQ(offer("a", 5000), 0);
  EXPECT_EQ(said, "\tappended at pos 0\n");
  EXPECT_EQ(offer("b", 6000), 1);
  EXPECT_EQ(said, "\tappended at pos 1\n");
  EXPECT_EQ(cell[1].pos, 1);
}

TEST_F(Ranking, InsertsInFrontOfSlowerTimesAndMovesThemDown) {
  fill(3);
  EXPECT_EQ(offer("fast", 500), 0);
  EXPECT_EQ(said, "\tinserted at pos: 0\n");
  EXPECT_EQ(offer("mid", 2500), 3);
  EXPECT_EQ(said, "\tinserted at pos: 3\n");
  const char* order[] = {"fast", "r0", "r1", "mid", "r2"};
  for (int p = 0; p < 5; ++p) {
    EXPECT_STREQ(cell[p].racer, order[p]);
    EXPECT_EQ(cell[p].pos, p);
  }
  EXPECT_TRUE(slot_is_empty(cell[5]));
}

TEST_F(Ranking, SameRacerSameSlowerOrFasterTime) {
  fill(3);
  EXPECT_EQ(offer("r1", 2000), -1);
  EXPECT_EQ(said, "\tdata already exist in db\n");
  EXPECT_EQ(offer("r1", 2500), -1);
  EXPECT_EQ(said, "\tracer has a better laptime in the database\n");
  EXPECT_EQ(offer("r1", 100), replace_entry);
  EXPECT_EQ(said, "\tabout to update racer's laptime\n");
  EXPECT_EQ(cell[1].laptime, 2000);  // untouched until the caller replaces it
  EXPECT_EQ(remove_key(cell, test::make_record("r1", 100)), 1);
  EXPECT_EQ(offer("r1", 100), 0);
  EXPECT_EQ(test::entries_in(cell), 3);
  EXPECT_EQ(test::check_store(db), "");
}

TEST_F(Ranking, NewRacerTyingAnotherIsRefusedSilently) {
  fill(3);
  EXPECT_EQ(offer("tie", 2000), -1);
  EXPECT_EQ(said, "");
  EXPECT_EQ(test::entries_in(cell), 3);
  EXPECT_STREQ(cell[1].racer, "r1");
}

TEST_F(Ranking, NamesDifferingInCaseAreDifferentRacers) {
  offer("Rokan", 1000);
  EXPECT_EQ(offer("rokan", 900), 0);
  EXPECT_EQ(test::entries_in(cell), 2);
}

TEST_F(Ranking, TheLastFreeSlotFillsAndAFullCellRefusesEverything) {
  fill(149);
  EXPECT_EQ(offer("last", 999999), 149);
  EXPECT_EQ(cell[149].pos, 149);
  EXPECT_EQ(offer("newcomer", 1), -1);
  EXPECT_EQ(said, "\tdatabase was full\n");
  EXPECT_EQ(offer("r5", 1), -1);  // even the racer's own better time
  EXPECT_EQ(said, "\tdatabase was full\n");
}

TEST_F(Ranking, RemoveKeyClosesTheGap) {
  fill(150);
  EXPECT_EQ(remove_key(cell, test::make_record("r0", 0)), 0);
  EXPECT_EQ(test::entries_in(cell), 149);
  EXPECT_STREQ(cell[0].racer, "r1");
  EXPECT_EQ(cell[148].pos, 148);
  EXPECT_EQ(cell[149].racer[0], '\0');  // the freed slot is back in the empty state
  EXPECT_EQ(cell[149].pos, 127);
  EXPECT_EQ(cell[149].laptime, -1);
  EXPECT_EQ(remove_key(cell, test::make_record("nobody", 0)), -1);
  EXPECT_EQ(remove_key(cell, test::make_record("r149", 0)), 148);
  EXPECT_EQ(test::check_store(db), "");
  EXPECT_EQ(out.text(), "");
}

// A new racer's time lands behind every faster entry, whatever the number
// of entries; a time another racer holds is refused without a word.
TEST_F(Ranking, EveryPlaceAmongTheEntries) {
  for (int n : {0, 1, 2, 3, 7, 8, 9, 64, 149}) {
    for (int t = 500; t <= n * 1000 + 500; t += 500) {
      for (LapRecord& slot : cell) init_record(slot);
      fill(n);
      int faster = (t - 1) / 1000;  // entries at 1000, 2000, ... below t
      int expected = t % 1000 == 0 ? -1 : faster;
      ASSERT_EQ(offer("new", t), expected) << n << " entries, time " << t;
      if (expected == -1) {
        EXPECT_EQ(said, "");
        continue;
      }
      EXPECT_EQ(said, (expected == n ? "\tappended at pos " : "\tinserted at pos: ") +
                          std::to_string(expected) + "\n");
      EXPECT_STREQ(cell[expected].racer, "new");
      ASSERT_EQ(test::check_cell(cell.data(), true), "") << n << " entries, time " << t;
    }
  }
}

// The racer's own entry is found wherever it stands beside the place of the
// new time: in front of it, on it, or behind it.
TEST_F(Ranking, TheOwnEntryIsFoundOnEitherSideOfThePlace) {
  fill(20);
  EXPECT_EQ(offer("r3", 12500), -1);  // own entry at 4000, far in front
  EXPECT_EQ(said, "\tracer has a better laptime in the database\n");
  EXPECT_EQ(offer("r19", 500), replace_entry);  // own entry the last one
  EXPECT_EQ(offer("r10", 11000), -1);           // own entry on the place itself
  EXPECT_EQ(said, "\tdata already exist in db\n");
  EXPECT_EQ(test::entries_in(cell), 20);
}

// Keys are compared up to their NUL only: what a slot holds behind it, from
// an earlier, longer key, never counts; keys differing anywhere before it do.
TEST(RankingKeys, FindKeyComparesUpToTheNul) {
  static LapRecord slots[cell_size];
  for (LapRecord& slot : slots) init_record(slot);
  Cell cell(slots, cell_size);
  const char* keys[] = {"a", "ab", "abcdefg", "abcdefgh", "abcdefghi", "abcdefghij", "b"};
  for (int i = 0; i < 7; ++i) {
    LapRecord r = test::make_record("x", 100 + i);
    std::memset(r.key, 'z', sizeof r.key);  // leftovers behind the NUL
    std::strcpy(r.key, keys[i]);
    copy_record(slots[i], r);
    std::memset(slots[i].key + std::strlen(keys[i]) + 1, 'q', 20);
  }
  for (int i = 0; i < 7; ++i) {
    LapRecord probe = test::make_record("x", 1);
    std::memset(probe.key, 'y', sizeof probe.key);
    std::strcpy(probe.key, keys[i]);
    EXPECT_EQ(find_key(cell, probe), i) << keys[i];
  }
  LapRecord other = test::make_record("x", 1);
  for (const char* key : {"abc", "abcdefgX", "abcdefghX", "", "c"}) {
    std::strcpy(other.key, key);
    EXPECT_EQ(find_key(cell, other), -1) << key;
  }
}

}  // namespace
}  // namespace zeb

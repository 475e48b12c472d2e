#include "db/store.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace zeb {
namespace {

TEST(Store, ResetLeavesEverySlotEmpty) {
  db[2][3][4][5] = test::make_record("x", 1000);
  reset_db(db, db_size);
  for (auto& track : db)
    for (auto& car : track)
      for (auto& cell : car)
        for (const LapRecord& slot : cell) {
          ASSERT_TRUE(slot_is_empty(slot));
          ASSERT_EQ(slot.laptime, -1);
          ASSERT_EQ(slot.pos, 127);
          ASSERT_EQ(slot.lapnum, 127);
          ASSERT_EQ(slot.racer[0], '\0');
        }
  EXPECT_EQ(test::check_store(db), "");
}

TEST(Store, CopyRecordCopiesEveryField) {
  LapRecord source = test::make_record("rokan2", 83456, "BL1R", "XR GT TURBO");
  source.pos = 149;
  source.lapnum = 200;
  LapRecord copy;
  init_record(copy);
  copy_record(copy, source);
  EXPECT_STREQ(copy.key, "rokan2+BL1R+XR GT TURBO");
  EXPECT_STREQ(copy.racer, "rokan2");
  EXPECT_STREQ(copy.short_track, "BL1R");
  EXPECT_STREQ(copy.car, "XR GT TURBO");
  EXPECT_STREQ(copy.slaptime, source.slaptime);
  EXPECT_EQ(copy.laptime, 83456);
  EXPECT_EQ(copy.pos, 149);
  EXPECT_EQ(copy.lapnum, 200);
}

TEST(Store, TextsEqualIsExact) {
  EXPECT_TRUE(texts_equal("", ""));
  EXPECT_TRUE(texts_equal("abc", "abc"));
  EXPECT_FALSE(texts_equal("abc", "ABC"));
  EXPECT_FALSE(texts_equal("abc", "abcd"));
}

}  // namespace
}  // namespace zeb

#include "db/listing.h"

#include <gtest/gtest.h>

#include "db/ranking.h"
#include "test_support.h"

namespace zeb {
namespace {

class Listing : public ::testing::Test {
 protected:
  void SetUp() override { reset_db(db, db_size); }
  test::CapturedOutput out;
};

TEST_F(Listing, IndicesOutsideTheStoreWriteNothing) {
  list_by_track(db, 6, db_size);
  list_by_track(db, -1, db_size);
  list_by_car(db, 19, db_size);
  list_by_short_track(db, 0, 14, db_size);
  list_by_combo(db, 0, 0, -1, db_size);
  print_row(db, 0, 0, 0, 150, db_size);
  EXPECT_EQ(out.text(), "");
}

TEST_F(Listing, PositionsPrintAsUnsignedBytes) {
  Cell cell = cell_of(db, 0, 0, 0);
  for (int i = 0; i < 150; ++i)
    insert_ranked(cell, test::make_record("r" + std::to_string(i), 1000 + i));
  cell[149].lapnum = 255;
  out.text();
  print_row(db, 0, 0, 0, 149, db_size);
  EXPECT_EQ(out.text(), "149\tr149\t\tBL1\tXR GT TURBO    \t00:01.149 (255)\n");
}

TEST_F(Listing, ASlotWithoutATimeIsNotListed) {
  Cell cell = cell_of(db, 1, 0, 0);
  insert_ranked(cell, test::make_record("a", 1000));
  cell[0].laptime = -1;
  out.text();
  list_by_combo(db, 1, 0, 0, db_size);
  EXPECT_EQ(out.text(),
            "\ntrack:Blackwood, car:bf1, shtrack:bl1\n\nPOS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)\n"
            "--------------------------------------------------------------\n\n");
}

}  // namespace
}  // namespace zeb

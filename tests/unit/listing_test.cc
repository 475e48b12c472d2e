#include "db/listing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/output.h"
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

// A row is exactly what the format "%d\t%s\t\t%s\t%-15s\t%s (%d)\n" writes:
// texts up to their NUL (what a field holds behind it never shows), a car
// name padded to 15 characters or written whole when longer.
TEST_F(Listing, RowsAreWhatTheirFormatWrites) {
  const char* racers[] = {"a", "abcdefg", "abcdefgh", "0123456789012345678901234567890"};
  const char* cars[] = {"",
                        "FXO",
                        "XR GT TURBO",
                        "FORMULA BMW FB0",
                        "FORMULA BMW FB02",
                        "0123456789012345678901234567890123"};
  const char* codes[] = {"", "BL1", "BL1R"};
  const char* times[] = {"", "01:23.456", "255:59.99"};
  int row = 0;
  for (const char* racer : racers)
    for (const char* car : cars)
      for (const char* code : codes) {
        LapRecord r;
        std::memset(&r, 'x', sizeof r);  // leftovers behind every NUL
        init_record(r);
        std::strcpy(r.racer, racer);
        std::strcpy(r.car, car);
        std::strcpy(r.short_track, code);
        std::strcpy(r.slaptime, times[row % 3]);
        r.pos = static_cast<std::uint8_t>(row * 7 % 256);
        r.lapnum = static_cast<std::uint8_t>(row * 13 % 256);
        r.laptime = 1000;
        db[0][0][0][0] = r;
        out.text();
        print_row(db, 0, 0, 0, 0, db_size);
        std::string got = out.text();
        write_format("%d\t%s\t\t%s\t%-15s\t%s (%d)\n",
                     {r.pos, r.racer, r.short_track, r.car, r.slaptime, r.lapnum});
        EXPECT_EQ(got, out.text()) << racer << "|" << car << "|" << code;
        ++row;
      }
}

}  // namespace
}  // namespace zeb

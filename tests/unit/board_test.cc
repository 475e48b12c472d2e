#include "board/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "board/page_text.h"
#include "board/pages.h"
#include "board/sectors.h"
#include "board/sha256.h"
#include "db/changes.h"
#include "db/ranking.h"
#include "delete/primitives.h"
#include "replay/load.h"
#include "test_support.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;

std::string html(std::string_view bytes) {
  std::string out;
  append_html(out, bytes);
  return out;
}
std::string json(std::string_view bytes) {
  std::string out;
  append_json(out, bytes);
  return out;
}

TEST(BoardText, HostileNamesBecomeText) {
  EXPECT_EQ(html("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(html("\"><img src=x onerror='a'>&"),
            "&quot;&gt;&lt;img src=x onerror=&#39;a&#39;&gt;&amp;");
  EXPECT_EQ(html("a\x01\x1f\x7f"), "a\u2401\u241f\u2421");  // controls show as their pictures
  EXPECT_EQ(json("\"\\</x>\n\x01"), "\"\\\"\\\\</x>\\u000a\\u0001\"");
}

TEST(BoardText, BytesReadAsWindows1252) {
  EXPECT_EQ(html("\x80\xe9\x9f\xff"), "\u20ac\u00e9\u0178\u00ff");
  EXPECT_EQ(json("\x80\x81\x8a"), "\"\u20ac\u0081\u0160\"");  // 0x81 is undefined: kept as U+0081
  std::string utf8;
  append_html_utf8(utf8, "caf\xc3\xa9 <b>");
  EXPECT_EQ(utf8, "caf\xc3\xa9 &lt;b&gt;");
}

TEST(BoardText, TimesAndNumbers) {
  std::string out;
  append_time(out, 82987);
  out += ' ';
  append_time(out, 5007);
  out += ' ';
  append_time(out, 3600000 + 1);
  out += ' ';
  append_number(out, -12);
  EXPECT_EQ(out, "1:22.987 5.007 60:00.001 -12");
}

TEST(BoardText, PolicyHashes) {
  EXPECT_EQ(csp_hash(""), "sha256-47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU=");
  EXPECT_EQ(csp_hash("abc"), "sha256-ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0=");
  EXPECT_EQ(csp_hash(std::string(1000, 'a')),
            "sha256-Qe3s5C1j6Nm/UVqbppMuHCDLyfWl0TRkWttdsblzfqM=");
}

LapRecord with_splits(std::string_view racer, int laptime, int count,
                      std::initializer_list<std::array<std::uint8_t, 4>> splits) {
  LapRecord r = test::make_record(racer, laptime);
  r.split_count = static_cast<std::uint8_t>(count);
  int k = 0;
  for (const auto& s : splits) std::memcpy(r.splits[k++], s.data(), 4);
  return r;
}

TEST(Sectors, FromSplitsAndTheLapTime) {
  Sectors s =
      sectors_of(with_splits("a", 82987, 3, {{0, 28, 50, 0}, {0, 57, 10, 5}, {1, 22, 98, 7}}));
  ASSERT_EQ(s.count, 3);
  EXPECT_EQ(s.ms[0], 28500);
  EXPECT_EQ(s.ms[1], 28605);
  EXPECT_EQ(s.ms[2], 25882);
  EXPECT_EQ(s.split_count, 2);
  EXPECT_EQ(s.splits[1], 57105);
  EXPECT_EQ(sectors_of(with_splits("a", 1, 1, {{1, 0, 0, 1}})).count, 1);
}

TEST(Sectors, UnknownRatherThanWrong) {
  // A split that does not read as a time: seconds above 59, hundredths
  // above 99, thousandths above 9; one not later than the one before; the
  // lap time itself not later than the last split; no splits at all.
  for (auto bad : {std::array<std::uint8_t, 4>{0, 60, 0, 0}, {0, 10, 100, 0}, {0, 10, 0, 10}})
    EXPECT_EQ(sectors_of(with_splits("a", 90000, 2, {bad, {1, 30, 0, 0}})).count, 0);
  EXPECT_EQ(
      sectors_of(with_splits("a", 90000, 3, {{0, 30, 0, 0}, {0, 30, 0, 0}, {1, 30, 0, 0}})).count,
      0);
  EXPECT_EQ(sectors_of(with_splits("a", 90000, 2, {{1, 40, 0, 0}, {1, 30, 0, 0}})).count, 0);
  EXPECT_EQ(sectors_of(with_splits("a", 90000, 2, {{0, 0, 0, 0}, {1, 30, 0, 0}})).count, 0);
  EXPECT_EQ(sectors_of(with_splits("a", 90000, 0, {})).count, 0);
}

TEST(Store, SplitsMoveWithTheirRecord) {
  reset_db(db, db_size);
  Cell cell = cell_of(db, 1, 18, 0);
  test::CapturedOutput quiet;
  offer_to_cell(cell, with_splits("slow", 90000, 2, {{0, 45, 0, 0}}));
  offer_to_cell(cell, with_splits("fast", 80000, 2, {{0, 40, 0, 0}}));
  EXPECT_EQ(cell[1].split_count, 2);
  EXPECT_EQ(cell[1].splits[0][1], 45);  // moved down behind the faster entry
  remove_racer(cell, "fast");
  EXPECT_EQ(cell[0].splits[0][1], 45);  // and back up
  EXPECT_EQ(cell[1].split_count, 0);    // the freed slot keeps nothing
}

TEST(Changes, NoteTheRankingFromItsFirstChangedPlaceAndTheRacersThatWent) {
  reset_db(db, db_size);
  StoreChanges changes;
  take_changes(changes);
  test::CapturedOutput quiet;
  Cell cell = cell_of(db, 1, 18, 0);
  offer_to_cell(cell, test::make_record("a", 80000));
  offer_to_cell(cell, test::make_record("b", 81000));
  offer_to_cell(cell, test::make_record("c", 82000));
  take_changes(changes);
  take_changes(changes);
  EXPECT_FALSE(changes.any);
  offer_to_cell(cell, test::make_record("d", 81500));  // between b and c
  take_changes(changes);
  int index = ranking_index(1, 18, 0);
  EXPECT_EQ(changes.changed_from[index], 2);
  EXPECT_EQ(changes.changed_from[index + 1], unchanged);
  remove_racer(cell, "a");
  take_changes(changes);
  EXPECT_EQ(changes.changed_from[index], 0);
  EXPECT_TRUE(changes.racer_groups.test(racer_group("a")));
  // Another store than the program's changes nothing here.
  static Store other;
  reset_db(other, db_size);
  offer_to_cell(cell_of(other, 0, 0, 0), test::make_record("x", 1000));
  EXPECT_FALSE(store_changed());
}

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> files_below(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) names.insert(fs::relative(e.path(), dir).generic_string());
  return names;
}

TEST(Board, WritesOnlyItsOwnFilesAndRemovesEmptiedRankings) {
  fs::path dir = fs::temp_directory_path() / "zeb-board-test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "mine.txt") << "not the board's";
  reset_db(db, db_size);
  test::CapturedOutput quiet;
  std::string reason;
  ASSERT_TRUE(open_board((dir / "site").string(), "t", reason)) << reason;
  std::ofstream(dir / "site" / "notes.html") << "kept";
  // Names that would leave the folder or clash as file names.
  for (const char* racer : {"../../x", "CON", "a/b", "Ab", "aB", "<script>alert(1)</script>"})
    offer_to_cell(cell_of(db, 1, 18, 0), test::make_record(racer, 80000 + 100 * racer[0]));
  offer_to_cell(cell_of(db, 0, 3, 9), test::make_record("solo", 125000, "AS3R", "FXO TURBO"));
  write_whole_board();

  std::set<std::string> files = files_below(dir);
  EXPECT_TRUE(files.count("mine.txt") && files.count("site/notes.html"));
  for (const char* name : {"site/index.html", "site/board.json", "site/version.txt",
                           "site/bl1-xrt.html", "site/as3r-fxo.html"})
    EXPECT_TRUE(files.count(name)) << name;
  for (const std::string& name : files)
    EXPECT_TRUE(name == "mine.txt" || name == "site/notes.html" || name.find("/racers/") == 4 ||
                name.find('/', 5) == std::string::npos)
        << name;
  EXPECT_EQ(files.size(), 2u + 5u + 256u);
  std::string page = read_text(dir / "site" / "bl1-xrt.html");
  EXPECT_EQ(page.find("<script>alert"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  std::string version = read_text(dir / "site" / "version.txt");

  // del empties a ranking: its page goes, everything else stays.
  delete_combo(db, 0, 3, 9, db_size);
  write_board_changes();
  files = files_below(dir);
  EXPECT_FALSE(files.count("site/as3r-fxo.html"));
  EXPECT_TRUE(files.count("site/notes.html") && files.count("site/bl1-xrt.html"));
  EXPECT_EQ(std::stoi(read_text(dir / "site" / "version.txt")), std::stoi(version) + 1);
  EXPECT_EQ(read_text(dir / "site" / "board.json").find("as3r"), std::string::npos);
  fs::remove_all(dir);
}

TEST(Board, AFailedWriteSaysSoOnceAndTheNextChangeWritesItAll) {
  fs::path site = fs::temp_directory_path() / "zeb-board-failing";
  fs::remove_all(site);
  reset_db(db, db_size);
  test::CapturedOutput quiet;
  std::string reason;
  ASSERT_TRUE(open_board(site.string(), "t", reason)) << reason;
  offer_to_cell(cell_of(db, 1, 18, 0), test::make_record("alpha", 80000));
  write_whole_board();
  // The racers' folder is taken away and a file put in its place.
  fs::remove_all(site / "racers");
  std::ofstream(site / "racers") << "in the way";
  offer_to_cell(cell_of(db, 1, 18, 0), test::make_record("beta", 79000));
  testing::internal::CaptureStderr();
  write_board_changes();
  std::string error = testing::internal::GetCapturedStderr();
  EXPECT_EQ(error.rfind("zeb: cannot write the board into " + site.string() + ": ", 0), 0u)
      << error;
  EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1);
  EXPECT_EQ(read_text(site / "version.txt"), "1\n");  // the failed rewrite is not announced
  // Once writing works again, the next change writes the whole board.
  fs::remove(site / "racers");
  fs::create_directory(site / "racers");
  offer_to_cell(cell_of(db, 0, 3, 9), test::make_record("solo", 125000, "AS3R", "FXO TURBO"));
  testing::internal::CaptureStderr();
  write_board_changes();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(files_below(site / "racers").size(), 256u);
  EXPECT_NE(read_text(site / "board.json").find("\"beta\""), std::string::npos);
  EXPECT_EQ(read_text(site / "version.txt"), "3\n");
  fs::remove_all(site);
}

}  // namespace
}  // namespace zeb

#include "shell/completion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "db/store.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "test_support.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

Words complete(std::string_view line, std::size_t cursor = std::string_view::npos) {
  Words matches{"stale"};
  complete_line(line, cursor == std::string_view::npos ? line.size() : cursor, matches);
  return matches;
}

// A store filled through the real load path from replays made by the fixture builder.
class CompletionStore : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs::path folder = fs::temp_directory_path() / ("zeb-completion-" + std::to_string(getpid()));
    fs::create_directories(folder);
    reset_db(db, db_size);
    test::CapturedOutput quiet;
    int n = 0;
    auto load = [&](const std::string& racer, const char* track, const char* code,
                    const char* car) {
      fixture::ReplayFields f;
      f.racer = racer;
      f.track_name = track;
      f.track_code = code;
      f.car_name = car;
      f.time = {1, n, 0, 0};  // distinct times: a tie refuses the later racer
      replay_filename = (folder / std::to_string(n++)).string();
      fixture::write_replay(replay_filename, f);
      load_command(nullptr, 0, replay_filename, true);
    };
    for (const char* car : {"XR GT TURBO", "MRT5", "FZ50"}) {
      load("rokan2", "Blackwood", "BL1", car);
      load("rokan2", "Aston", "AS3R", car);
      load("mika", "Blackwood", "BL1", car);
    }
    load("Rokan2", "Fern Bay", "FE2", "LX6");
    load("two words", "Westhill", "WE1", "LX6");
    load("rocket", "Kyoto Ring", "KY1", "LX6");
    // A header holds 32 bytes of name, the record 31: both are "long...x" cut.
    load(std::string(31, 'n') + "a", "South City", "SO1", "LX6");
    load(std::string(31, 'n') + "b", "South City", "SO1", "LX6");
    fs::remove_all(folder);
    ASSERT_EQ(test::check_store(db), "");
  }
  static void TearDownTestSuite() { reset_db(db, db_size); }
};

TEST_F(CompletionStore, CommandWordsAtTheStartInAnyCase) {
  EXPECT_EQ(complete(""), (Words{"d", "del", "f", "find", "h", "help", "l", "load", "p", "pdb",
                                 "print", "q", "quit"}));
  EXPECT_EQ(complete("p"), (Words{"p", "pdb", "print"}));
  EXPECT_EQ(complete("  PD"), (Words{"pdb"}));
  EXPECT_EQ(complete("qu"), (Words{"quit"}));
  EXPECT_EQ(complete("x"), Words{});
}

TEST_F(CompletionStore, FlagsAsEachCommandAcceptsThem) {
  EXPECT_EQ(complete("pdb "), (Words{"-c", "-car", "-combo", "-cs", "-r", "-racer", "-s",
                                     "-shorttrack", "-t", "-track"}));
  // pdb lower-cases its flag; del compares it exactly.
  EXPECT_EQ(complete("PDB -C"), (Words{"-c", "-car", "-combo", "-cs"}));
  EXPECT_EQ(complete("del -r"), (Words{"-r", "-racer", "-rc", "-rcar", "-rcombo", "-rcs", "-rs",
                                       "-rshorttrack", "-rt", "-rtrack"}));
  EXPECT_EQ(complete("d -R"), Words{});
  EXPECT_EQ(complete("d -t"), (Words{"-t", "-track"}));
  EXPECT_EQ(complete("del ").size(), 18u);
}

TEST_F(CompletionStore, CodesForEachParameterOfAFlag) {
  EXPECT_EQ(complete("pdb -t "), (Words{"as", "bl", "fe", "ky", "so", "we"}));
  EXPECT_EQ(complete("pdb -TRACK B"), (Words{"bl"}));
  EXPECT_EQ(complete("pdb -c x"), (Words{"xfg", "xfr", "xrg", "xrr", "xrt"}));
  EXPECT_EQ(complete("pdb -s fe7"), (Words{"fe7r"}));
  EXPECT_EQ(complete("pdb -shorttrack W"), (Words{"we1", "we1r"}));
  EXPECT_EQ(complete("pdb -cs XR"), (Words{"xrg", "xrr", "xrt"}));
  EXPECT_EQ(complete("pdb -combo xrt Bl"), (Words{"bl1", "bl1r", "bl2", "bl2r"}));
  EXPECT_EQ(complete("del -cs m"), (Words{"mrt"}));
  EXPECT_EQ(complete("del -cs mrt ky"), (Words{"ky1", "ky1r", "ky2", "ky2r", "ky3", "ky3r"}));
  EXPECT_EQ(complete("del -rt x a"), (Words{"as"}));
  EXPECT_EQ(complete("del -rc x f"), (Words{"fo8", "fox", "fxo", "fxr", "fz5", "fzr"}));
  EXPECT_EQ(complete("del -rshorttrack x we"), (Words{"we1", "we1r"}));
  EXPECT_EQ(complete("del -rcs x u"), (Words{"uf1", "ufr"}));
  EXPECT_EQ(complete("del -rcombo x uf1 w"), (Words{"we1", "we1r"}));
  EXPECT_EQ(complete("pdb -s ").size(), 49u);  // every layout of the table, fe7r too
}

TEST_F(CompletionStore, RacerNamesExactCaseEachOnce) {
  std::string cut(31, 'n');
  EXPECT_EQ(complete("find "), (Words{"Rokan2", "mika", cut, "rocket", "rokan2"}));
  EXPECT_EQ(complete("f ro"), (Words{"rocket", "rokan2"}));
  EXPECT_EQ(complete("find R"), (Words{"Rokan2"}));
  EXPECT_EQ(complete("find n"), (Words{cut}));
  EXPECT_EQ(complete("find two"), Words{});  // "two words" would be split at its blank
  for (const char* line : {"pdb -r ro", "PDB -RACER ro", "del -r ro", "d -racer ro", "del -rt ro",
                           "del -rc ro", "del -rs ro", "del -rcs ro", "del -rcombo ro"})
    EXPECT_EQ(complete(line), (Words{"rocket", "rokan2"})) << line;
  EXPECT_EQ(complete("del -t ro"), Words{});
  EXPECT_EQ(complete("del -R ro"), Words{});
}

TEST_F(CompletionStore, HelpTopics) {
  EXPECT_EQ(complete("help "), (Words{"d", "del", "h", "help", "l", "load", "p", "pdb", "print"}));
  EXPECT_EQ(complete("h P"), (Words{"p", "pdb", "print"}));
}

TEST_F(CompletionStore, NothingBeyondTheWordsACommandTakes) {
  for (const char* line :
       {"find rokan2 ", "f a b", "pdb -t bl ", "pdb -cs xrt bl1 ", "pdb -r rokan2 ",
        "del -rcs a mrt bl1 ", "del -r rokan2 ", "del -rt rokan2 bl ", "help del ", "q ", "print ",
        "pdb -x ", "del -T ", "zzz ", "l a b", "pdb -t bl xrt 1 2 3 4 5 6 7 8 "})
    EXPECT_EQ(complete(line), Words{}) << line;
}

TEST_F(CompletionStore, TheWordEndsAtTheCursor) {
  EXPECT_EQ(complete("find ro xyz", 7), (Words{"rocket", "rokan2"}));
  EXPECT_EQ(complete("pdb -t bl", 0), complete(""));
  EXPECT_EQ(complete("pdb -t bl", 6), (Words{"-t", "-track"}));
  EXPECT_EQ(complete("pd", 1000), (Words{"pdb"}));                // past the end: the whole line
  EXPECT_EQ(complete(std::string_view("find \0r", 7)), Words{});  // the loop stops at a NUL
}

}  // namespace
}  // namespace zeb

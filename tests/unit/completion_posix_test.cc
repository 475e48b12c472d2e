// File names after load, where POSIX file systems have links and pipes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/completion.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

Words complete(std::string_view line) {
  Words matches{"stale"};
  complete_line(line, line.size(), matches);
  return matches;
}

class CompletionFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zeb-completion-files-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "alps" / "inner");
    fs::create_directories(dir / ".hdir");
    std::ofstream(dir / "alpha.spr") << "x";
    std::ofstream(dir / ".hidden.spr") << "x";
    std::ofstream(dir / "al pine.spr") << "x";  // load would take only "al"
    std::ofstream(dir / "alps" / "in.spr") << "x";
    fs::create_directory_symlink(dir / "alps", dir / "alink");
    fs::create_symlink(dir / "nowhere", dir / "aloof");
    ASSERT_EQ(mkfifo((dir / "apipe").c_str(), 0600), 0);
    prefix = dir.string() + "/";
  }
  void TearDown() override {
    fs::permissions(dir / "alps", fs::perms::owner_all);
    fs::remove_all(dir);
  }
  fs::path dir;
  std::string prefix;
};

TEST_F(CompletionFiles, NamesInTheWordsFolderFoldersWithASlash) {
  EXPECT_EQ(complete("l " + prefix + "al"),
            (Words{prefix + "alink/", prefix + "aloof", prefix + "alpha.spr", prefix + "alps/"}));
  EXPECT_EQ(complete("load " + prefix + "ap"), (Words{prefix + "apipe"}));  // a fifo: not opened
  EXPECT_EQ(complete("l " + prefix + "alps/"),
            (Words{prefix + "alps/in.spr", prefix + "alps/inner/"}));
  EXPECT_EQ(complete("LOAD " + prefix + "b"), Words{});
  EXPECT_EQ(complete("l " + prefix + "nope/"), Words{});
  EXPECT_EQ(complete("l " + prefix + "alpha.spr/"), Words{});
}

TEST_F(CompletionFiles, DotNamesOnlyWhenTypedWithTheDot) {
  EXPECT_EQ(complete("l " + prefix),
            (Words{prefix + "alink/", prefix + "aloof", prefix + "alpha.spr", prefix + "alps/",
                   prefix + "apipe"}));
  EXPECT_EQ(complete("l " + prefix + "."), (Words{prefix + ".hdir/", prefix + ".hidden.spr"}));
}

TEST_F(CompletionFiles, RelativeToTheCurrentFolder) {
  fs::path saved = fs::current_path();
  fs::current_path(dir / "alps");
  Words found = complete("l i");
  fs::current_path(saved);
  EXPECT_EQ(found, (Words{"in.spr", "inner/"}));
}

TEST_F(CompletionFiles, AnUnreadableFolderGivesNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  fs::permissions(dir / "alps", fs::perms::none);
  EXPECT_EQ(complete("l " + prefix + "alps/"), Words{});
}

}  // namespace
}  // namespace zeb

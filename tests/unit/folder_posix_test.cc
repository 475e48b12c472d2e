// The folder walk where POSIX file systems differ from others: links,
// pipes, folders too deep for one path, folders that cannot be opened.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "folder_tree.h"
#include "folders/folder_walk.h"

namespace zeb {
namespace {

using test::FolderTree;

TEST_F(FolderTree, OrderIsThatOfTheFullPaths) {
  for (const char* d : {"a", "d.spr", "b", "b/c", "A"})
    std::filesystem::create_directories(top + "/" + d);
  for (const char* f : {"a.spr", "a/x.spr", "d.spr/y.SPR", "a-b.spr", "b/c/z.Spr", "A/q.spr",
                        "b.spr", ".h.spr", "note.txt", "\xe9.spr"})
    file(f);
  std::filesystem::create_symlink("a.spr", top + "/link.spr");
  std::filesystem::create_symlink("a", top + "/b/folder-link.spr");
  std::filesystem::create_symlink("..", top + "/b/c/loop");
  std::filesystem::create_symlink("none", top + "/dangling.spr");
  ::mkfifo((top + "/pipe.spr").c_str(), 0644);
  std::vector<std::string> expected = {".h.spr",   "A/q.spr", "a-b.spr",   "a.spr",
                                       "a/x.spr",  "b.spr",   "b/c/z.Spr", "d.spr/y.SPR",
                                       "link.spr", "\xe9.spr"};
  EXPECT_EQ(listed(), expected);
}

// 2,000 levels: deeper than one path can reach, and deeper than any
// recursion should go; the walk and the openings still reach the bottom.
TEST_F(FolderTree, DeepNestingIsWalkedToTheBottom) {
  int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
  for (int level = 0; level < 2000; ++level) {
    ASSERT_EQ(::mkdirat(fd, "dd", 0755), 0);
    int next = ::openat(fd, "dd", O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
  }
  int f = ::openat(fd, "bottom.spr", O_WRONLY | O_CREAT, 0644);
  ::close(f);
  ::close(fd);
  FolderList list;
  ASSERT_TRUE(open_walk(top, list));
  list_replays(list);
  ASSERT_EQ(list.entries.size(), 1u);
  EXPECT_EQ(folder_path(list, list.entries[0].folder).size(), 2000u * 3);
  {
    EntryReader reader(list);
    FileBlock block;
    EXPECT_EQ(reader.read(list.entries[0], block), BlockRead::ok);
  }
  close_walk(list);
}

// As root every folder opens, so an unopenable one is made only for others.
TEST_F(FolderTree, UnopenableFoldersTakeTheirPlaceInTheOrder) {
  if (::geteuid() == 0) GTEST_SKIP() << "root opens a folder of mode 000";
  std::filesystem::create_directories(top + "/b");
  file("a.spr");
  file("c.spr");
  file("b/x.spr");
  ::chmod((top + "/b").c_str(), 0);
  std::vector<std::string> expected = {"a.spr", "b (unopenable)", "c.spr"};
  EXPECT_EQ(listed(), expected);
  ::chmod((top + "/b").c_str(), 0755);
}

}  // namespace
}  // namespace zeb

// A folder of its own for each test that makes files, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "folders/folder_walk.h"
#include "test_support.h"

namespace zeb::test {

class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder a test: tests run side by side.
    top += ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(top);
    std::filesystem::create_directories(top);
  }
  void TearDown() override { EXPECT_TRUE(remove_tree(top)) << top; }
  void file(const std::string& name) { std::ofstream(top + "/" + name) << "x"; }
  // The listed paths below the top, in list order.
  std::vector<std::string> listed() {
    FolderList list;
    EXPECT_TRUE(open_walk(top, list));
    list_replays(list);
    close_walk(list);
    std::vector<std::string> paths;
    for (const WalkedEntry& e : list.entries) {
      std::string p;
      join_path(p, "", folder_path(list, e.folder), entry_name(list, e));
      paths.push_back(p.substr(1) + (e.unopenable() ? " (unopenable)" : ""));
    }
    return paths;
  }
  std::string top = ::testing::TempDir() + "zeb_folder_test_";
};

}  // namespace zeb::test

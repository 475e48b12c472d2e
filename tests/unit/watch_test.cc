// The watch engine through its seam, with a fake watcher and a fake clock:
// the files it hands over, compared with what was saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "folder_tree.h"
#include "folders/folder_watch.h"
#include "folders/watch_backend.h"
#include "test_support.h"

namespace zeb::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::chrono::steady_clock::time_point fake_now;
std::string scan_below;  // a folder below the watched one that the fake cannot watch
std::vector<std::uint32_t> stopped;
std::vector<std::string> open_for_writing;  // as a writer that keeps its file open

bool fake_start(std::uint32_t folder, const std::string& path) {
  if (!fs::is_directory(path)) return false;
  if (!scan_below.empty()) scan_instead(folder, path + scan_below + path_separator, true);
  return true;
}
void fake_stop(std::uint32_t folder) { stopped.push_back(folder); }
void fake_read_events() {}
std::intptr_t fake_descriptor() { return -1; }
bool fake_in_use(const std::string& path) {
  return std::find(open_for_writing.begin(), open_for_writing.end(), path) !=
         open_for_writing.end();
}
int fake_watch_limit() { return 8192; }
std::chrono::steady_clock::time_point fake_clock() { return fake_now; }
constexpr WatchBackend fake{fake_start,  fake_stop,        fake_read_events, fake_descriptor,
                            fake_in_use, fake_watch_limit, fake_clock};

class WatchEngine : public FolderTree {
 protected:
  void SetUp() override {
    FolderTree::SetUp();
    set_watch_backend(&fake);
    forget_watches();
    fake_now = {};
    scan_below.clear();
    stopped.clear();
    open_for_writing.clear();
  }
  void TearDown() override {
    forget_watches();
    set_watch_backend(nullptr);
    FolderTree::TearDown();
  }
  std::string path(const std::string& name) { return top + path_separator + name; }
  void watch() {
    CapturedOutput out;
    begin_watch(top);
    announce_watch();
    shown += out.text();
  }
  // Lets time pass, then takes what is handed over.
  std::vector<std::string> take(std::chrono::milliseconds later) {
    fake_now += later;
    CapturedOutput out;
    bool wrote = false;
    std::vector<std::string> paths;
    for (const ArrivedReplays& group : take_arrived_replays(wrote)) {
      EXPECT_EQ(group.word, top);
      EXPECT_TRUE(std::is_sorted(group.paths.begin(), group.paths.end()));
      paths.insert(paths.end(), group.paths.begin(), group.paths.end());
    }
    std::string text = out.text();
    EXPECT_EQ(wrote, !text.empty());
    shown += text;
    return paths;
  }
  std::string shown;
};

void write(const std::string& path, std::size_t size, std::ios::openmode mode = std::ios::trunc) {
  std::ofstream(path, std::ios::binary | std::ios::out | mode) << std::string(size, 'x');
}

// Writers that write in two steps, their events in random orders and
// batches, some dropped and made up for by a walk: every file is handed over
// once, and only once it is whole.
TEST_F(WatchEngine, EachSaveIsHandedOverOnceAndWhole) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    forget_watches();
    for (const auto& entry : fs::directory_iterator(top)) fs::remove(entry.path());
    std::mt19937 random(seed);
    watch();
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i)
      names.push_back(path("s" + std::to_string(seed) + "_" + std::to_string(i) + ".spr"));
    // Each file's steps: begun (half written), done (whole, closed).
    std::vector<std::pair<int, bool>> steps;
    for (int i = 0; i < 30; ++i) steps.insert(steps.end(), {{i, false}, {i, true}});
    std::shuffle(steps.begin(), steps.end(), random);
    for (int i = 0; i < 30; ++i) {  // each file begins before it ends
      auto begun = std::find(steps.begin(), steps.end(), std::pair{i, false});
      auto done = std::find(steps.begin(), steps.end(), std::pair{i, true});
      if (done < begun) std::iter_swap(begun, done);
    }
    bool lose = seed % 3 == 0;  // an overflow in the middle
    std::map<std::string, int> handed;
    std::vector<bool> whole(30, false);
    auto check = [&](const std::vector<std::string>& paths) {
      for (const std::string& p : paths) {
        ++handed[p];
        auto at = std::find(names.begin(), names.end(), p) - names.begin();
        EXPECT_TRUE(whole[at]) << p << " handed over half written";
      }
    };
    for (std::size_t s = 0; s < steps.size(); ++s) {
      auto [i, done] = steps[s];
      write(names[i], done ? 100 : 50, done ? std::ios::app : std::ios::trunc);
      whole[i] = done;
      if (done)
        std::erase(open_for_writing, names[i]);
      else
        open_for_writing.push_back(names[i]);
      bool dropped = lose && s > steps.size() / 3 && s < steps.size() * 2 / 3;
      if (!dropped) note_replay(0, names[i], done ? Met::closed : Met::writing);
      if (lose && s == steps.size() * 2 / 3) watch_lost_events(0);
      if (random() % 4 == 0) check(take(std::chrono::milliseconds(random() % 1200)));
    }
    for (int look = 0; look < 6; ++look) check(take(600ms));
    for (const std::string& name : names) EXPECT_EQ(handed[name], 1) << name;
  }
}

TEST_F(WatchEngine, AFileHeldOpenIsHandedOverAfterItsWriterClosesIt) {
  watch();
  std::string held = path("held.spr");
  write(held, 50);
  note_replay(0, held, Met::writing);
  for (int look = 0; look < 30; ++look) EXPECT_TRUE(take(100ms).empty());
  write(held, 50, std::ios::app);
  note_replay(0, held, Met::closed);
  EXPECT_EQ(take(300ms), std::vector<std::string>{held});
  note_replay(0, held, Met::found);  // the same save seen again
  EXPECT_TRUE(take(1s).empty());
  EXPECT_TRUE(take(1s).empty());
}

TEST_F(WatchEngine, AFolderGoneIsWatchedAgainWithWhatItHoldsWhenBack) {
  watch();
  EXPECT_EQ(shown, "\twatching " + top + " for new replays\n");
  fs::remove_all(top);
  take(1s);
  EXPECT_EQ(stopped, std::vector<std::uint32_t>{0});
  EXPECT_NE(shown.find("\t" + top + " is gone; it will be watched again when it is back\n"),
            std::string::npos);
  EXPECT_TRUE(take(1s).empty());
  fs::create_directories(top + path_separator + "sub");
  write(path("b.spr"), 100);
  write(path("sub") + path_separator + "a.spr", 100);
  std::vector<std::string> back;
  for (int look = 0; look < 5; ++look)
    for (const std::string& p : take(1s)) back.push_back(p);
  EXPECT_EQ(back,
            (std::vector<std::string>{path("b.spr"), path("sub") + path_separator + "a.spr"}));
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 2) << shown;
}

TEST_F(WatchEngine, FoldersPastTheLimitAreScannedAndSaidSoOnce) {
  scan_below = "deep";
  fs::create_directories(path("deep") + path_separator + "er");
  watch();
  EXPECT_EQ(
      shown,
      "\twatching " + top + " for new replays\n\tcannot watch 2 folders below " + top +
          " with inotify (fs.inotify.max_user_watches is 8192); they are scanned every 2 s\n");
  std::string deep = path("deep") + path_separator + "er" + path_separator + "x.spr";
  write(deep, 100);
  std::vector<std::string> got;
  for (int look = 0; look < 4; ++look)
    for (const std::string& p : take(1s)) got.push_back(p);
  EXPECT_TRUE(got.empty());  // not yet steady for two seconds
  for (int look = 0; look < 3; ++look)
    for (const std::string& p : take(1s)) got.push_back(p);
  EXPECT_EQ(got, std::vector<std::string>{deep});
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 2) << shown;
}

}  // namespace
}  // namespace zeb::test

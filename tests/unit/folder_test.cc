#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "db/store.h"
#include "folder_tree.h"
#include "folders/folder_walk.h"
#include "folders/read_ahead.h"
#include "replay/folder_load.h"
#include "replay/load.h"
#include "replay/load_ahead.h"
#include "replay_builder.h"
#include "shell/command_loop.h"
#include "shell/startup.h"
#include "test_support.h"

namespace zeb {
namespace {

using test::FolderTree;

// Items numbered in memory: item i's block starts with the byte base + i, and every 50th read takes
// a while, so that the filing thread finds items being read and reads later ones meanwhile.
struct NumberedItems {
  std::uint32_t items;
  std::uint8_t base;
  std::uint32_t count() const { return items; }
  struct Reader {
    explicit Reader(const NumberedItems& s) : source(s) {}
    BlockRead read(std::uint32_t i, FileBlock& block) {
      if (i % 50 == 7) std::this_thread::sleep_for(std::chrono::microseconds(300));
      block = FileBlock{};
      block.bytes[0] = static_cast<std::uint8_t>(source.base + i);
      return i % 3 ? BlockRead::ok : BlockRead::read_failed;
    }
    const NumberedItems& source;
  };
};

TEST(ReadAhead, HandsOverEveryItemInOrderWhicheverThreadReadsIt) {
  // More items than the ring holds; then twice fewer, with other contents:
  // the last load's headers are its own, never what the one before left.
  for (NumberedItems items :
       {NumberedItems{3000, 0}, NumberedItems{1000, 0}, NumberedItems{1000, 100}}) {
    for (unsigned threads : {0u, 1u, 3u}) {
      NumberedItems::Reader own(items);
      ReadAhead<NumberedItems> ahead(items, threads);
      for (std::uint32_t i = 0; i < items.count(); ++i) {
        const ReadSlot& slot = ahead.take(i, own);
        ASSERT_EQ(slot.block.bytes[0], static_cast<std::uint8_t>(items.base + i)) << i;
        ASSERT_EQ(slot.result, i % 3 ? BlockRead::ok : BlockRead::read_failed) << i;
        ahead.release(i);
      }
    }
  }
}

TEST(Folder, ReplayNamesEndInSprInAnyCase) {
  for (const char* name : {"a.spr", "A.SPR", "b.Spr", "x.sPR", ".spr", "a b.spr", "x.spr.spr"})
    EXPECT_TRUE(is_replay_name(name)) << name;
  for (const char* name : {"", "spr", "a.sp", "a.sprx", "aspr", "a.s pr", "a,spr", "a.spr "})
    EXPECT_FALSE(is_replay_name(name)) << name;
}

TEST(Folder, JoinedTextsCompareAsUnsignedBytes) {
  EXPECT_TRUE(joined_before("r/", "a.spr", "r/a/", "x.spr"));  // "." before "/"
  EXPECT_FALSE(joined_before("r/a/", "x.spr", "r/", "a.spr"));
  EXPECT_TRUE(joined_before("", "z", "", "\xe9"));    // bytes above 127 after ASCII
  EXPECT_FALSE(joined_before("a/", "b", "a", "/b"));  // equal texts
  EXPECT_TRUE(joined_before("a", "", "a/", ""));      // a prefix comes first
  // Against plain string order over random splits of random texts.
  std::mt19937 random(3);
  const std::string alphabet = "./a\xe9\x01Z";
  auto text = [&] {
    std::string s(random() % 6, ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    std::string a = text(), b = text();
    std::size_t ca = random() % (a.size() + 1), cb = random() % (b.size() + 1);
    bool expected = std::string_view(a) < std::string_view(b);
    EXPECT_EQ(joined_before(std::string_view(a).substr(0, ca), std::string_view(a).substr(ca),
                            std::string_view(b).substr(0, cb), std::string_view(b).substr(cb)),
              expected)
        << a << " " << b;
  }
}

// The word as typed, then the system's separator ("/", or "\\" on Windows)
// between every folder below it.
TEST(Folder, FullPathsHaveOneSeparatorAfterTheWord) {
  auto sep = [](std::string text) {
    std::replace(text.begin(), text.end(), '|', path_separator);
    return text;
  };
  std::string out;
  join_path(out, "r", "", "a.spr");
  EXPECT_EQ(out, sep("r|a.spr"));
  join_path(out, "r/", "", "a.spr");
  EXPECT_EQ(out, "r/a.spr");
  join_path(out, "./r", "a/", "x.spr");
  EXPECT_EQ(out, sep("./r|a|x.spr"));
  join_path(out, "/", "b/", "y.spr");
  EXPECT_EQ(out, sep("/b|y.spr"));
  join_path(out, "r//", "", "a.spr");  // the word stays as typed
  EXPECT_EQ(out, "r//a.spr");
  join_path(out, sep("r|"), "c/d/", "a.spr");
  EXPECT_EQ(out, sep("r|c|d|a.spr"));
}

// Ctrl-C between two files: the walk stops there, the summary has the
// counts so far, the store holds exactly what was filed, and the key press
// is used up. The key press comes with the first block of output that leaves.
std::string seen_output;
void interrupting_writer(const char* data, std::size_t size) {
  if (seen_output.empty()) interrupt_flag = 1;
  seen_output.append(data, size);
}

TEST_F(FolderTree, CtrlCStopsTheWalkBetweenTwoFiles) {
  reset_db(db, db_size);
  fixture::ReplayFields f;
  const char* codes[] = {"BL1", "BL2", "BL1R", "BL2R"};
  for (int i = 0; i < 1200; ++i) {
    f.racer = "racer" + std::to_string(i % 150);
    f.track_code = codes[i / 150 % 4];
    f.time = {1, i % 60, 0, 0};
    fixture::write_replay(
        top + "/a_long_name_so_that_output_fills_a_block_" + std::to_string(i) + ".spr", f);
  }
  seen_output.clear();
  set_output_writer(interrupting_writer);
  replay_filename = top;
  load_folder(replay_filename);
  set_output_writer(nullptr);
  std::size_t at = seen_output.rfind("\t" + top + ": ");
  ASSERT_NE(at, std::string::npos);
  int found = 0, filed = 0;
  ASSERT_EQ(std::sscanf(seen_output.c_str() + at + top.size() + 3, "%d replay files, %d filed",
                        &found, &filed),
            2);
  EXPECT_GT(found, 0);
  EXPECT_LT(found, 1200);
  int entries = 0;
  for (int s = 0; s < 4; ++s) entries += entry_count(cell_of(db, 1, 18, s));
  EXPECT_EQ(entries, filed);
  EXPECT_FALSE(interrupt_pending());
  reset_db(db, db_size);
}

// A Ctrl-C that comes while a start-up argument loads (here: while its error
// message is written) is that argument's; the folder after it loads whole.
void interrupt_at_first_output(const char* data, std::size_t size) {
  if (seen_output.empty()) interrupt_flag = 1;
  seen_output.append(data, size);
}

TEST_F(FolderTree, CtrlCDuringOneStartUpArgumentLeavesTheNextWhole) {
  reset_db(db, db_size);
  for (int i = 0; i < 20; ++i) file("r" + std::to_string(i) + ".spr");
  std::string missing(70000, 'x');  // its message is longer than the output buffer
  const std::string arguments[] = {"zeb", missing, top};
  seen_output.clear();
  set_output_writer(interrupt_at_first_output);
  load_arguments(arguments);
  set_output_writer(nullptr);
  EXPECT_NE(seen_output.find("\tError opening file: xxx"), std::string::npos);
  EXPECT_NE(seen_output.find("\t" + top + ": 20 replay files, "), std::string::npos);
  EXPECT_FALSE(interrupt_pending());
  reset_db(db, db_size);
}

// Input in pieces of random sizes, so that lines are cut anywhere.
std::string pieces_text;
std::size_t pieces_at = 0;
std::mt19937 pieces_random;
std::ptrdiff_t read_pieces(char* buffer, std::size_t capacity) {
  std::size_t n = std::min({capacity, pieces_text.size() - pieces_at,
                            static_cast<std::size_t>(pieces_random() % 600 + 1)});
  std::memcpy(buffer, pieces_text.data() + pieces_at, n);
  pieces_at += n;
  return static_cast<std::ptrdiff_t>(n);
}

// A script run line after line, its load lines read ahead or not: the same
// bytes, whatever the lines around them and wherever the input is cut.
TEST_F(FolderTree, LoadLinesReadAheadWriteWhatLoadsInTurnWrite) {
  fixture::ReplayFields f;
  std::filesystem::create_directories(top + "/sub");
  for (int i = 0; i < 40; ++i) {
    f.racer = "r" + std::to_string(i % 7);
    f.time = {1, 20 + i % 13, i, 0};
    fixture::write_replay(top + (i % 5 ? "/" : "/sub/") + std::to_string(i) + ".spr", f);
  }
  file("notes.spr");
  std::string script;
  std::mt19937 random(11);
  const std::string lines[] = {"l #",
                               "LOAD  # extra",
                               "  l #\r",
                               "l #\r\r",
                               "d",
                               "y",
                               "n",
                               "l " + top + "/sub",
                               "l " + top + "/missing.spr",
                               "l " + top + "/notes.spr",
                               "l",
                               "load",
                               "p",
                               "find r3",
                               std::string("l #\0x", 5),
                               "lo #",
                               "l\t#"};
  for (int i = 0; i < 400; ++i) {
    std::string line = lines[random() % std::size(lines)];
    if (std::size_t at = line.find('#'); at != std::string::npos)
      line.replace(at, 1, top + "/" + std::to_string(random() % 42) + ".spr");
    script += line + "\n";
  }
  script += "pdb\n";
  auto run = [&](bool ahead, unsigned seed) {
    reset_db(db, db_size);
    test::CapturedOutput out;
    pieces_text = script;
    pieces_at = 0;
    pieces_random.seed(seed);
    set_input_source(read_pieces);
    set_input_observer(ahead ? read_ahead_loads : nullptr);
    command_loop();
    stop_reading_ahead();
    set_input_observer(nullptr);
    set_input_source(nullptr);
    return out.text();
  };
  std::string in_turn = run(false, 1);
  EXPECT_NE(in_turn.find("r3 found on track"), std::string::npos);
  for (unsigned seed = 1; seed <= 4; ++seed) EXPECT_EQ(run(true, seed), in_turn) << seed;
  reset_db(db, db_size);
}

TEST_F(FolderTree, ALoadTakesTheHeaderReadAheadForItsOwnLineOnly) {
  fixture::ReplayFields f;
  f.racer = "ahead";
  fixture::write_replay(top + "/a.spr", f);
  fixture::write_replay(top + "/b.spr", f);
  std::string a = top + "/a.spr", b = top + "/b.spr";
  test::ScriptedInput in("l " + a + "\nf x\nload " + b + " more\nl " + top + "\nl " + a + "\n");
  set_input_observer(read_ahead_loads);
  std::string line;
  BlockRead result;
  FileBlock block;
  ASSERT_TRUE(read_line(line));
  EXPECT_FALSE(take_read_ahead(b, result, block));  // another file than its line names
  ASSERT_TRUE(read_line(line));
  EXPECT_FALSE(take_read_ahead(a, result, block));  // no load line
  ASSERT_TRUE(read_line(line));
  ASSERT_TRUE(take_read_ahead(b, result, block));
  EXPECT_EQ(result, BlockRead::ok);
  EXPECT_EQ(racer_text(std::bit_cast<SprHeader>(block)), "ahead");
  EXPECT_FALSE(take_read_ahead(b, result, block));  // taken once
  ASSERT_TRUE(read_line(line));
  EXPECT_FALSE(take_read_ahead(top, result, block));  // a folder is left to its turn
  ASSERT_TRUE(read_line(line));
  EXPECT_TRUE(take_read_ahead(a, result, block));
  stop_reading_ahead();
  set_input_observer(nullptr);
}

}  // namespace
}  // namespace zeb

// Arbitrary bytes as standard input to the real command loop: commands and
// confirmation answers, with a few replay files at hand for load words to
// hit. The store's invariants are checked after every line.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "console/line_reader.h"
#include "console/output.h"
#include "db/store.h"
#include "delete/primitives.h"
#include "replay/header.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "shell/command_loop.h"
#include "test_support.h"

namespace {

using zeb::fixture::ReplayFields;

void discard(const char*, std::size_t) {}

struct Spot {
  int track, car, short_track;
};
// The cells the replays below can fill.
std::vector<Spot> spots;

const std::uint8_t* input = nullptr;
std::size_t input_left = 0;

void check_spots() {
  for (const Spot& s : spots) {
    std::string problem = zeb::test::check_cell(zeb::db[s.track][s.car][s.short_track], true);
    if (!problem.empty()) {
      std::fprintf(stderr, "store invariant broken: %s\n", problem.c_str());
      std::abort();
    }
  }
}

// Hands the command loop one line per read, checking the store in between:
// every read is the end of a command or of a confirmation answer.
ssize_t read_one_line(char* buffer, std::size_t capacity) {
  check_spots();
  if (input_left == 0) return 0;
  const void* newline = std::memchr(input, '\n', input_left);
  std::size_t n =
      newline ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(newline) - input) + 1
              : input_left;
  n = std::min(n, capacity);
  std::memcpy(buffer, input, n);
  input += n;
  input_left -= n;
  return static_cast<ssize_t>(n);
}

void make_replays() {
  std::string folder = "/tmp/zeb-session-fuzz-" + std::to_string(getpid());
  std::filesystem::create_directories(folder);
  if (chdir(folder.c_str()) != 0) std::abort();
  auto replay = [](const char* name, const char* racer, std::array<int, 4> time, const char* track,
                   const char* code, const char* car) {
    ReplayFields f;
    f.racer = racer;
    f.time = time;
    f.track_name = track;
    f.track_code = code;
    f.car_name = car;
    zeb::fixture::write_replay(name, f);
  };
  replay("a", "rokan2", {1, 23, 45, 6}, "Blackwood", "BL1", "XR GT TURBO");
  replay("b", "rokan2", {1, 22, 0, 0}, "Blackwood", "BL1", "XR GT TURBO");
  replay("c", "mika", {1, 22, 0, 0}, "Blackwood", "BL1", "XR GT TURBO");
  replay("d", "mika", {1, 30, 0, 0}, "Blackwood", "", "XR GT TURBO");
  replay("e", "Rokan2", {1, 10, 0, 0}, "Blackwood", "bl1", "XR GT TURBO");
  replay("f", "lena", {2, 0, 0, 0}, "Fern Bay", "FE7R", "FZ50 GTR");
  replay("g", "lena", {2, 0, 0, 0}, "Westhill", "WE1R", "FXO TURBO");
  replay("h", "rokan2", {1, 5, 0, 0}, "Aston", "AS7R", "MRT5");
  replay("i", "speedy", {1, 5, 0, 0}, "Aston", "AS7R", "MRT5");
  replay("j", "odd", {1, 5, 0, 0}, "Blackwood", "AS2", "XR GT TURBO");
  replay("k", "far", {1, 5, 0, 0}, "Westhill", "AS7R", "XR GT TURBO");
  ReplayFields no_hotlap;
  no_hotlap.hotlap_mode = 0;
  zeb::fixture::write_replay("n", no_hotlap);
  ReplayFields short_file;
  short_file.size = 40;
  zeb::fixture::write_replay("s", short_file);
  zeb::fixture::write_replay("z", ReplayFields{.size = 0});
  std::filesystem::create_directories("x");
  spots = {{1, 18, 0}, {1, 18, 1}, {5, 3, 1}, {0, 9, 13}};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zeb::reset_db(zeb::db, zeb::db_size);
  zeb::set_output_writer(discard);
  make_replays();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zeb;
  if (size > 4096) return -1;
  for (const Spot& s : spots) delete_combo(db, s.track, s.car, s.short_track, db_size);
  replay_header = SprHeader{};
  replay_loaded = false;
  input = data;
  input_left = size;
  set_input_source(read_one_line);
  // The loop ends at q, an empty line or the end of input; start it again
  // until every line has been read, as a user would.
  do command_loop();
  while (input_left > 0);
  flush_output();
  check_spots();
  static unsigned runs = 0;
  if (++runs % 512 == 0) {  // now and then, the whole store
    std::string problem = test::check_store(db);
    if (!problem.empty()) {
      std::fprintf(stderr, "store invariant broken: %s\n", problem.c_str());
      std::abort();
    }
  }
  return 0;
}

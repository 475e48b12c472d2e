// Arbitrary bytes as standard input to the real command loop: commands and
// confirmation answers, with a few replay files at hand for load words to
// hit. The store's invariants are checked after every line. Only the cells
// those files fill can change, so each input starts from a fresh store by
// restoring just those cells; now and then the whole store is checked,
// including that every other cell is still exactly as fresh.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "console/line_reader.h"
#include "console/output.h"
#include "db/store.h"
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
// The cells the replays below can fill, found once by loading each of them.
std::vector<Spot> spots;
// One cell as the store holds it right after start-up.
zeb::LapRecord fresh_cell[zeb::cell_size];

const std::uint8_t* input = nullptr;
std::size_t input_left = 0;

void fail(const std::string& problem);

void check_spots() {
  for (const Spot& s : spots)
    if (std::string problem = zeb::test::check_cell(zeb::db[s.track][s.car][s.short_track], true);
        !problem.empty())
      fail(problem);
}

// Hands the command loop one line per read, checking the store in between:
// every read is the end of a command or of a confirmation answer.
std::ptrdiff_t read_one_line(char* buffer, std::size_t capacity) {
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
  return static_cast<std::ptrdiff_t>(n);
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
}

// Every cell that a load of one of the files fills.
void find_spots() {
  using namespace zeb;
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "n", "s", "z"}) {
    std::string filename = name;
    load_command(nullptr, 0, filename, true);
  }
  for (int t = 0; t < track_count; ++t)
    for (int c = 0; c < car_count; ++c)
      for (int s = 0; s < short_track_slots; ++s)
        if (!slot_is_empty(db[t][c][s][0])) spots.push_back({t, c, s});
  if (spots.empty()) std::abort();
}

// The cell's bytes as a fresh process has them: zero, then emptied.
void make_fresh(zeb::LapRecord* cell) {
  std::memset(static_cast<void*>(cell), 0, sizeof fresh_cell);
  for (int p = 0; p < zeb::cell_size; ++p) zeb::init_record(cell[p]);
}

void fail(const std::string& problem) {
  std::fprintf(stderr, "store invariant broken: %s\n", problem.c_str());
  std::abort();
}

// The whole store: invariants everywhere, and every cell that no replay
// can fill still byte for byte fresh.
void check_whole_store() {
  using namespace zeb;
  if (std::string problem = test::check_store(db); !problem.empty()) fail(problem);
  for (int t = 0; t < track_count; ++t)
    for (int c = 0; c < car_count; ++c)
      for (int s = 0; s < short_track_slots; ++s) {
        bool spot = std::any_of(spots.begin(), spots.end(), [&](const Spot& x) {
          return x.track == t && x.car == c && x.short_track == s;
        });
        if (!spot && std::memcmp(db[t][c][s], fresh_cell, sizeof fresh_cell) != 0)
          fail("cell " + std::to_string(t) + "/" + std::to_string(c) + "/" + std::to_string(s) +
               " changed, yet no replay fills it");
      }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zeb::reset_db(zeb::db, zeb::db_size);
  zeb::set_output_writer(discard);
  make_replays();
  find_spots();
  make_fresh(fresh_cell);
  for (const Spot& s : spots) make_fresh(zeb::db[s.track][s.car][s.short_track]);
  check_whole_store();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zeb;
  if (size > 4096) return -1;
  // Loads stay inside the scratch folder: a word reaching above it ("/",
  // "..") would load whatever replay trees the machine holds, for minutes.
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.find('/') != std::string_view::npos || bytes.find("..") != std::string_view::npos)
    return -1;
  for (const Spot& s : spots)
    std::memcpy(db[s.track][s.car][s.short_track], fresh_cell, sizeof fresh_cell);
  replay_header = SprHeader{};
  replay_loaded = false;
  replay_filename.clear();
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
  if (++runs % 512 == 0) check_whole_store();  // now and then, the whole store
  return 0;
}

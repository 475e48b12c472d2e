// Arbitrary bytes as a replay file, through the real load path into the real
// store, then print, the listings of the touched cell and find of its racer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/output.h"
#include "db/find.h"
#include "db/listing.h"
#include "delete/primitives.h"
#include "replay/header.h"
#include "replay/load.h"
#include "test_support.h"

namespace {

void discard(const char*, std::size_t) {}

std::string replay_path() {
  static std::string path = "/tmp/zeb-replay-fuzz-" + std::to_string(getpid()) + ".spr";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zeb::reset_db(zeb::db, zeb::db_size);
  zeb::set_output_writer(discard);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zeb;
  if (size > 600) return -1;
  std::FILE* file = std::fopen(replay_path().c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  replay_header = SprHeader{};
  replay_loaded = false;
  replay_filename = replay_path();
  load_command(nullptr, 0, replay_filename, true);
  char* words[2] = {nullptr, nullptr};
  print_command(words, 1);

  int track = track_index_by_name(replay_header);
  int car = car_index_by_name(replay_header);
  int short_track = short_track_from_code(replay_header);
  list_by_short_track(db, track, short_track, db_size);
  list_by_combo(db, track, car, short_track, db_size);
  std::string racer(racer_text(replay_header));
  char find_word[] = "find";
  char* find_words[2] = {find_word, racer.data()};
  find_command(find_words, 2);
  flush_output();

  if (track >= 0 && car >= 0 && short_track >= 0) {
    std::string problem =
        test::check_cell(db[track][car][short_track], short_track_exists(track, short_track));
    if (!problem.empty()) {
      std::fprintf(stderr, "store invariant broken: %s\n", problem.c_str());
      std::abort();
    }
    if (test::entries_in(cell_of(db, track, car, short_track)) != 0 &&
        !short_track_exists(track, short_track))
      std::abort();
    delete_combo(db, track, car, short_track, db_size);  // the next input starts empty
  }
  return 0;
}

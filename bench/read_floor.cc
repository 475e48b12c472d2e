// The floor of a load: reads an "l NAME" script from standard input and, for
// each name, opens the file, reads 192 bytes and closes it.
//
//   zeb_bench_floor [THREADS]
//   zeb_bench_floor --walk FOLDER
//
// With one thread (the default) the files are read one after the other as
// the script lists them. With more, the script is read first and the threads
// of this one process take the names in blocks of 64, in the script's order,
// until none is left: the same bare reads, split over the threads. With
// --walk, one thread walks the folder and reads each replay as the walk
// finds it: the floor of a folder load, on any system.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "floor_files.h"

namespace {

// The name of an "l NAME" line, or nullptr for any other line.
char* name_of(char* line) {
  std::size_t n = std::strlen(line);
  if (n > 0 && line[n - 1] == '\n') line[--n] = '\0';
  if (n < 3 || line[0] != 'l' || line[1] != ' ') return nullptr;
  return line + 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--walk") == 0) {
    std::printf("%ld\n", walk_and_read(argv[2]));
    return 0;
  }
  int threads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  static char line[8192];
  long files = 0;
  if (threads == 1) {
    while (std::fgets(line, sizeof line, stdin))
      if (char* name = name_of(line); name && read_192(name)) ++files;
    std::printf("%ld\n", files);
    return 0;
  }
  std::vector<std::string> names;
  while (std::fgets(line, sizeof line, stdin))
    if (char* name = name_of(line)) names.emplace_back(name);
  constexpr std::size_t block = 64;
  std::atomic<std::size_t> next{0};
  std::atomic<long> read{0};
  auto reader = [&] {
    long got = 0;
    for (;;) {
      std::size_t first = next.fetch_add(block);
      if (first >= names.size()) break;
      std::size_t last = std::min(first + block, names.size());
      for (std::size_t i = first; i < last; ++i) got += read_192(names[i].c_str());
    }
    read += got;
  };
  std::vector<std::thread> others;
  for (int t = 1; t < threads; ++t) others.emplace_back(reader);
  reader();
  for (std::thread& t : others) t.join();
  std::printf("%ld\n", read.load());
  return 0;
}

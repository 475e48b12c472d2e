// zeb's benchmark at full load: 18 cars x 48 layouts x 150 places = 129,600
// replays. Each figure is measured beside its floor in the same run, medians
// of several runs, and printed as a table.
//
//   zeb_bench WORKDIR ZEB FLOOR [RUNS]
//
// WORKDIR receives the workload (made once with the fixture builder; about
// 530 MB on disk), ZEB is the program, FLOOR the floor program of bulk imports.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "console/line_reader.h"
#include "console/output.h"
#include "db/find.h"
#include "db/pdb.h"
#include "db/store.h"
#include "delete/del_command.h"
#include "replay/folder_walk.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "shell/completion.h"
#include "test_support.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int places = 150;
constexpr const char* everywhere = "everywhere";  // the racer present in every cell

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The layout codes a replay can carry, with their track's long name.
struct Layout {
  std::string code, track;
};
std::vector<Layout> layouts() {
  std::vector<Layout> all;
  for (int t = 0; t < zeb::track_count; ++t)
    for (int s = 0; s < zeb::short_track_count(t); ++s) {
      std::string code = zeb::ShortTrackTable[t][s];
      if (code == "fe7r") continue;  // no replay code reaches it
      for (char& c : code) c = static_cast<char>(std::toupper(c));
      all.push_back({code, zeb::track_table[t].name});
    }
  return all;
}

// Writes the replays and the shuffled "l NAME" script; returns the script.
std::string make_workload(const std::string& dir) {
  std::string script = dir + "/load.txt";
  if (std::filesystem::exists(dir + "/complete")) return script;
  std::filesystem::remove_all(dir);
  std::vector<Layout> all = layouts();
  std::vector<std::string> names;
  std::mt19937 random(7);
  int cell = 0;
  for (int car = 0; car < zeb::car_count; ++car) {
    if (car == 4) continue;  // fxr shares fxo's long name: replays never reach it
    for (const Layout& layout : all) {
      std::string folder = dir + "/c" + std::to_string(cell++);
      std::filesystem::create_directories(folder);
      std::vector<int> slots(places);
      std::iota(slots.begin(), slots.end(), 0);
      std::shuffle(slots.begin(), slots.end(), random);
      for (int i = 0; i < places; ++i) {
        int ms = 60000 + slots[i] * 137;  // distinct times in each cell
        zeb::fixture::ReplayFields f;
        f.racer = i == 0 ? everywhere : "racer" + std::to_string(i);
        f.track_name = layout.track;
        f.track_code = layout.code;
        f.car_name = zeb::car_table[car].name;
        f.time = {ms / 60000, ms / 1000 % 60, ms % 1000 / 10, ms % 10};
        std::string name = folder + "/" + std::to_string(i) + ".spr";
        zeb::fixture::write_replay(name, f);
        names.push_back(name);
      }
    }
  }
  std::shuffle(names.begin(), names.end(), random);
  std::ofstream out(script);
  for (const std::string& name : names) out << "l " << name << "\n";
  out.close();
  std::ofstream(dir + "/complete") << names.size() << "\n";
  return script;
}

std::string read_file(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Output without its prompts: a folder load at start-up writes none, one at
// the prompt one, a script of loads one a line.
std::string without_prompts(std::string text) {
  std::string out;
  for (std::size_t at = 0;;) {
    std::size_t p = text.find("ZEB> ", at);
    out.append(text, at, p == std::string::npos ? std::string::npos : p - at);
    if (p == std::string::npos) return out;
    at = p + 5;
  }
}

// The same loads as a folder load of `dir`: one "l PATH" line per replay, in
// the byte order of the paths.
std::string sorted_script(const std::string& dir, const std::string& script) {
  std::string sorted = dir + "/load_sorted.txt";
  std::vector<std::string> lines;
  std::ifstream in(script);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  std::ofstream out(sorted);
  for (const std::string& line : lines) out << line << "\n";
  return sorted;
}

struct Run {
  double ms;
  long max_rss_kb;
};

// Runs a program with standard input from a file and output to another.
Run run(const std::vector<std::string>& argv, const char* in, const char* out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  auto start = Clock::now();
  pid_t pid;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
    std::perror(args[0]);
    std::exit(1);
  }
  int status;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  double ms = ms_since(start);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", args[0]);
    std::exit(1);
  }
  return {ms, usage.ru_maxrss};
}

// Runs `work` with standard output pointing at `fd`.
double with_stdout(int fd, const std::function<void()>& work) {
  int saved = dup(1);
  dup2(fd, 1);
  auto start = Clock::now();
  work();
  zeb::flush_output();
  double ms = ms_since(start);
  dup2(saved, 1);
  close(saved);
  return ms;
}

// Time for `writer` to push its bytes through a pipe into `cat > /dev/null`,
// until the reader has taken the last byte.
double through_pipe(const std::function<void(int)>& writer) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char cat[] = "/bin/cat";
  char* args[] = {cat, nullptr};
  pid_t reader;
  posix_spawn(&reader, cat, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  auto start = Clock::now();
  writer(fds[1]);
  close(fds[1]);
  int status;
  waitpid(reader, &status, 0);
  return ms_since(start);
}

double cat_file(const std::string& file, int out_fd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  char cat[] = "/bin/cat";
  std::string name = file;
  char* args[] = {cat, name.data(), nullptr};
  auto start = Clock::now();
  pid_t pid;
  posix_spawn(&pid, cat, &actions, nullptr, args, environ);
  int status;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  return ms_since(start);
}

void discard(const char*, std::size_t) {}

// Runs one command line through its handler, answering a confirmation with y.
void command(std::string line) {
  char* words[10];
  int count = 0;
  for (char* w = std::strtok(line.data(), " "); w && count < 10; w = std::strtok(nullptr, " "))
    words[count++] = w;
  zeb::test::ScriptedInput answer("y\n");
  std::string verb = words[0];
  if (verb == "pdb")
    zeb::pdb_command(words, count);
  else if (verb == "find")
    zeb::find_command(words, count);
  else if (verb == "del")
    zeb::del_command(words, count);
  zeb::set_input_source(nullptr);
}

struct Row {
  std::string figure;
  double zeb, floor;  // floor < 0: none
  std::string unit;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: zeb_bench WORKDIR ZEB FLOOR [RUNS]\n");
    return 2;
  }
  std::string dir = argv[1], zeb_path = argv[2], floor_path = argv[3];
  int runs = argc > 4 ? std::atoi(argv[4]) : 5;
  std::fprintf(stderr, "making the workload in %s ...\n", dir.c_str());
  std::string script = make_workload(dir);
  std::vector<Row> rows;

  // Bulk import, alternating with its floor so both see the same machine.
  std::fprintf(stderr, "bulk import ...\n");
  run({floor_path}, script.c_str(), "/dev/null");  // warm the page cache
  std::vector<double> zeb_ms, floor_ms;
  for (int i = 0; i < runs; ++i) {
    floor_ms.push_back(run({floor_path}, script.c_str(), "/dev/null").ms);
    zeb_ms.push_back(run({zeb_path}, script.c_str(), "/dev/null").ms);
  }
  rows.push_back({"bulk import, 129,600 loads", median(zeb_ms), median(floor_ms), "ms"});

  // Folder load of the same workload, at start-up and at the prompt, beside
  // the same floor, and beside the floor reading the files in the folder
  // load's own order (the paths sorted).
  std::fprintf(stderr, "folder load ...\n");
  std::string sorted = sorted_script(dir, script);
  std::string folder_script = dir + "/load_folder.txt";
  std::ofstream(folder_script) << "l " << dir << "\n";
  std::string got_start = dir + "/out_start.txt", got_prompt = dir + "/out_prompt.txt",
              got_lines = dir + "/out_lines.txt";
  run({zeb_path}, sorted.c_str(), got_lines.c_str());
  run({zeb_path, dir}, "/dev/null", got_start.c_str());
  run({zeb_path}, folder_script.c_str(), got_prompt.c_str());
  std::string summary = "\t" + dir + ": 129600 replay files, 129600 filed\n";
  std::string expected = without_prompts(read_file(got_lines)) + summary;
  if (without_prompts(read_file(got_start)) != expected ||
      without_prompts(read_file(got_prompt)) != expected) {
    std::fprintf(stderr, "a folder load writes other bytes than its l PATH lines\n");
    return 1;
  }
  std::vector<double> start_load, prompt_load, sorted_floor, shuffled_floor;
  long folder_rss = 0, lines_rss = 0;
  for (int i = 0; i < runs; ++i) {
    shuffled_floor.push_back(run({floor_path}, script.c_str(), "/dev/null").ms);
    sorted_floor.push_back(run({floor_path}, sorted.c_str(), "/dev/null").ms);
    Run r = run({zeb_path, dir}, "/dev/null", "/dev/null");
    start_load.push_back(r.ms);
    folder_rss = std::max(folder_rss, r.max_rss_kb);
    prompt_load.push_back(run({zeb_path}, folder_script.c_str(), "/dev/null").ms);
    lines_rss = std::max(lines_rss, run({zeb_path}, sorted.c_str(), "/dev/null").max_rss_kb);
  }
  rows.push_back({"folder load, zeb DIR", median(start_load), median(shuffled_floor), "ms"});
  rows.push_back({"folder load, l DIR", median(prompt_load), median(shuffled_floor), "ms"});
  rows.push_back({"folder load, zeb DIR (floor in path order)", median(start_load),
                  median(sorted_floor), "ms"});
  rows.push_back({"peak memory, folder load (beside l PATH lines)",
                  static_cast<double>(folder_rss) / 1024, static_cast<double>(lines_rss) / 1024,
                  "MiB"});
  // The file list itself, as the walk leaves it.
  double list_ms;
  std::size_t list_bytes, list_entries;
  {
    zeb::FolderList list;
    auto start = Clock::now();
    zeb::open_walk(dir, list);
    zeb::list_replays(list);
    list_ms = ms_since(start);
    zeb::close_walk(list);
    list_bytes = list.names.capacity() + list.entries.capacity() * sizeof(zeb::WalkedEntry) +
                 list.folders.capacity() * sizeof(zeb::WalkedFolder);
    list_entries = list.entries.size();
  }
  rows.push_back({"folder walk and sort alone", list_ms, -1, "ms"});

  // Start-up: to the first prompt, standard input at its end.
  std::vector<double> start_ms;
  for (int i = 0; i < std::max(runs, 21); ++i)
    start_ms.push_back(run({zeb_path}, "/dev/null", "/dev/null").ms);
  rows.push_back({"start-up, empty input", median(start_ms), -1, "ms"});

  // Peak memory with the full store, listed once.
  std::string full_script = dir + "/load_and_list.txt";
  {
    std::ifstream in(script);
    std::ofstream out(full_script);
    out << in.rdbuf() << "pdb\n";
  }
  Run full = run({zeb_path}, full_script.c_str(), "/dev/null");
  double store_kb = sizeof(zeb::Store) / 1024.0;
  rows.push_back({"peak memory, full store", static_cast<double>(full.max_rss_kb) / 1024,
                  store_kb / 1024, "MiB"});

  // In this process: the real load path fills the real store.
  std::fprintf(stderr, "listing ...\n");
  zeb::set_output_writer(discard);
  zeb::reset_db(zeb::db, zeb::db_size);
  {
    std::ifstream in(script);
    std::string line;
    while (std::getline(in, line)) {
      zeb::replay_filename = line.substr(2);
      zeb::load_command(nullptr, 0, zeb::replay_filename, true);
    }
  }
  zeb::flush_output();
  zeb::set_output_writer(nullptr);

  std::string listing = dir + "/listing.txt";
  {
    int fd = open(listing.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    with_stdout(fd, [] { command("pdb"); });
    close(fd);
  }
  std::ifstream saved(listing, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  long lines = std::count(text.begin(), text.end(), '\n');
  long listed = lines - 4;  // the blank line, the column titles, the dashes, the footer
  if (listed != 129600) {
    std::fprintf(stderr, "the full listing has %ld rows, not 129,600\n", listed);
    return 1;
  }
  int devnull = open("/dev/null", O_WRONLY);
  std::vector<double> pdb_null, cat_null, pdb_pipe, cat_pipe;
  for (int i = 0; i < std::max(runs, 11); ++i) {
    pdb_null.push_back(with_stdout(devnull, [] { command("pdb"); }));
    cat_null.push_back(cat_file(listing, devnull));
    pdb_pipe.push_back(through_pipe([](int fd) { with_stdout(fd, [] { command("pdb"); }); }));
    cat_pipe.push_back(through_pipe([&](int fd) { cat_file(listing, fd); }));
  }
  rows.push_back({"full listing (pdb) to /dev/null", median(pdb_null), median(cat_null), "ms"});
  rows.push_back({"full listing (pdb) to a pipe", median(pdb_pipe), median(cat_pipe), "ms"});

  std::vector<double> find_ms, del_ms;
  std::vector<char> backup(sizeof zeb::db);
  std::memcpy(backup.data(), &zeb::db, sizeof zeb::db);
  for (int i = 0; i < std::max(runs, 11); ++i) {
    find_ms.push_back(with_stdout(devnull, [] { command(std::string("find ") + everywhere); }));
    std::memcpy(&zeb::db, backup.data(), sizeof zeb::db);
    del_ms.push_back(with_stdout(devnull, [] { command(std::string("del -r ") + everywhere); }));
  }
  rows.push_back({"find of a racer in 864 cells", median(find_ms), -1, "ms"});
  rows.push_back({"del -r of a racer in 864 cells", median(del_ms), -1, "ms"});

  // Racer completion, full store: one Tab's matches, as the line editor asks.
  {
    std::memcpy(&zeb::db, backup.data(), sizeof zeb::db);  // del -r took one racer out
    std::vector<std::string> matches;
    for (const char* line : {"find ", "find r", "del -rcs r"}) {
      std::vector<double> tab_ms;
      for (int i = 0; i < 101; ++i) {
        auto start = Clock::now();
        zeb::complete_line(line, std::strlen(line), matches);
        tab_ms.push_back(ms_since(start));
      }
      rows.push_back({std::string("racer completion, full store: \"") + line + "\" (" +
                          std::to_string(matches.size()) + " names)",
                      median(tab_ms), -1, "ms"});
    }
  }

  std::printf("| figure | zeb | floor | ratio |\n|---|---|---|---|\n");
  for (const Row& r : rows) {
    if (r.floor < 0)
      std::printf("| %s | %.2f %s | - | - |\n", r.figure.c_str(), r.zeb, r.unit.c_str());
    else
      std::printf("| %s | %.2f %s | %.2f %s | %.2fx |\n", r.figure.c_str(), r.zeb, r.unit.c_str(),
                  r.floor, r.unit.c_str(), r.zeb / r.floor);
  }
  std::printf("\nlisting: %ld rows, %zu bytes; medians of %d runs (bulk import), %d (the others)\n",
              listed, text.size(), runs, std::max(runs, 11));
  std::printf(
      "file list of the folder load: %zu entries, %.2f MiB; folder load output equals "
      "its l PATH lines byte for byte\n",
      list_entries, static_cast<double>(list_bytes) / (1024 * 1024));
  return 0;
}

// zeb's benchmark at full load: 18 cars x 48 layouts x 150 places = 129,600
// replays. Each figure is measured beside its floor in the same run, medians
// of several runs, and printed as a table.
//
//   zeb_bench WORKDIR ZEB FLOOR [RUNS [ZEB_EXE FLOOR_EXE [windows]]]
//
// WORKDIR receives the workload (made once with the fixture builder; about
// 530 MB on disk) in two layouts: tree/, 864 folders of 150 replays, and
// flat/, one folder holding the same 129,600 files (hard links). ZEB is the
// program, FLOOR the floor program (bare reads, on one thread or two).
// ZEB_EXE and FLOOR_EXE, the same two built for Windows, add the Windows
// leg: folder loads under Wine (`wine` on the PATH, its prefix in the
// environment) beside the floor's walk and read, on 20,000 of the replays in
// two more layouts of hard links: win_flat/, one folder, and win_tree/, 100
// folders of 200. With "windows" last, only that leg runs.
#include <fcntl.h>
#include <pty.h>
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
#include <string_view>
#include <utility>
#include <vector>

#include "board/board.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "db/find.h"
#include "db/pdb.h"
#include "db/store.h"
#include "delete/del_command.h"
#include "folders/folder_walk.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "shell/command_loop.h"
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

// The workload in one layout: its folder and its "l NAME" script, in the
// shuffled order of a bulk import.
struct Workload {
  std::string folder, script;
};

// Writes the replays into tree/ and links each into flat/ as well, with the
// two shuffled "l NAME" scripts (the same order of files in both).
std::pair<Workload, Workload> make_workload(const std::string& dir) {
  Workload tree{dir + "/tree", dir + "/load_tree.txt"};
  Workload flat{dir + "/flat", dir + "/load_flat.txt"};
  if (std::filesystem::exists(dir + "/complete")) return {tree, flat};
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(flat.folder);
  std::vector<Layout> all = layouts();
  std::vector<std::pair<std::string, std::string>> names;  // in tree/, in flat/
  std::mt19937 random(7);
  int cell = 0;
  for (int car = 0; car < zeb::car_count; ++car) {
    if (car == 4) continue;  // fxr shares fxo's long name: replays never reach it
    for (const Layout& layout : all) {
      std::string folder = tree.folder + "/c" + std::to_string(cell);
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
        std::string link =
            flat.folder + "/c" + std::to_string(cell) + "-" + std::to_string(i) + ".spr";
        zeb::fixture::write_replay(name, f);
        std::filesystem::create_hard_link(name, link);
        names.emplace_back(name, link);
      }
      ++cell;
    }
  }
  std::shuffle(names.begin(), names.end(), random);
  std::ofstream tree_out(tree.script), flat_out(flat.script);
  for (const auto& [name, link] : names) {
    tree_out << "l " << name << "\n";
    flat_out << "l " << link << "\n";
  }
  tree_out.close();
  flat_out.close();
  std::ofstream(dir + "/complete") << names.size() << "\n";
  return {tree, flat};
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

// The same loads as a folder load: one "l PATH" line per replay, in the byte
// order of the paths, next to the script as NAME_sorted.txt.
std::string sorted_script(const std::string& script) {
  std::string sorted = script.substr(0, script.size() - 4) + "_sorted.txt";
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

// Runs zeb in a pseudo-terminal, as a person at a terminal starts it: the
// folder load draws its progress line; "q" and Enter, typed ahead, end it.
double run_at_terminal(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  winsize size{24, 120, 0, 0};
  int master = -1;
  auto start = Clock::now();
  pid_t pid = forkpty(&master, nullptr, nullptr, &size);
  if (pid == 0) {
    execv(args[0], args.data());
    _exit(127);
  }
  if (pid < 0 || write(master, "q\r", 2) != 2) {
    std::perror("forkpty");
    std::exit(1);
  }
  char drained[1 << 16];
  while (read(master, drained, sizeof drained) > 0) {
  }
  int status;
  waitpid(pid, &status, 0);
  double ms = ms_since(start);
  close(master);
  return ms;
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
  double zeb, floor;   // floor < 0: none
  double floor2 = -1;  // the two-thread floor; < 0: none
  std::string unit = "ms";
};

struct Bench {
  std::string zeb, floor;
  int runs;
  std::vector<Row> rows;
  double tree_load_ms = 0;  // zeb DIR over the 864 folders, for the board's ratios

  double floor_run(const std::string& script, int threads) const {
    return run({floor, std::to_string(threads)}, script.c_str(), "/dev/null").ms;
  }
};

// The folder load of one layout, at start-up and at the prompt, beside the
// floors reading the same files: in the bulk import's shuffled order and in
// the folder load's own order, on one thread and on two. False when a folder
// load writes other bytes than its "l PATH" lines.
bool folder_loads(Bench& b, const std::string& label, const Workload& w) {
  std::string sorted = sorted_script(w.script);
  std::string base = w.script.substr(0, w.script.size() - 4);
  std::string folder_script = base + "_folder.txt";
  std::ofstream(folder_script) << "l " << w.folder << "\n";
  std::string got_start = base + "_out_start.txt", got_prompt = base + "_out_prompt.txt",
              got_lines = base + "_out_lines.txt";
  run({b.zeb}, sorted.c_str(), got_lines.c_str());
  run({b.zeb, w.folder}, "/dev/null", got_start.c_str());
  run({b.zeb}, folder_script.c_str(), got_prompt.c_str());
  std::string summary = "\t" + w.folder + ": 129600 replay files, 129600 filed\n";
  std::string expected = without_prompts(read_file(got_lines)) + summary;
  if (without_prompts(read_file(got_start)) != expected ||
      without_prompts(read_file(got_prompt)) != expected) {
    std::fprintf(stderr, "%s: a folder load writes other bytes than its l PATH lines\n",
                 w.folder.c_str());
    return false;
  }
  std::vector<double> start_load, prompt_load, terminal_load, shuffled1, shuffled2, sorted1,
      sorted2;
  long folder_rss = 0;
  for (int i = 0; i < b.runs; ++i) {
    shuffled1.push_back(b.floor_run(w.script, 1));
    shuffled2.push_back(b.floor_run(w.script, 2));
    sorted1.push_back(b.floor_run(sorted, 1));
    sorted2.push_back(b.floor_run(sorted, 2));
    Run r = run({b.zeb, w.folder}, "/dev/null", "/dev/null");
    start_load.push_back(r.ms);
    folder_rss = std::max(folder_rss, r.max_rss_kb);
    prompt_load.push_back(run({b.zeb}, folder_script.c_str(), "/dev/null").ms);
    terminal_load.push_back(run_at_terminal({b.zeb, w.folder}));
  }
  b.rows.push_back({"folder load, " + label + ": zeb DIR", median(start_load), median(shuffled1),
                    median(shuffled2)});
  if (b.tree_load_ms == 0) b.tree_load_ms = median(start_load);
  b.rows.push_back({"folder load, " + label + ": l DIR", median(prompt_load), median(shuffled1),
                    median(shuffled2)});
  b.rows.push_back({"folder load, " + label +
                        ": zeb DIR at a terminal (progress line), "
                        "beside zeb DIR to /dev/null",
                    median(terminal_load), median(start_load), -1});
  b.rows.push_back({"folder load, " + label + ": zeb DIR, floors in path order", median(start_load),
                    median(sorted1), median(sorted2)});
  b.rows.push_back({"peak memory, folder load, " + label + " (beside the store)",
                    static_cast<double>(folder_rss) / 1024,
                    static_cast<double>(sizeof(zeb::Store)) / (1024 * 1024), -1, "MiB"});
  // The file list itself, as the walk leaves it.
  zeb::FolderList list;
  auto start = Clock::now();
  zeb::open_walk(w.folder, list);
  zeb::list_replays(list);
  double list_ms = ms_since(start);
  zeb::close_walk(list);
  double list_mib = static_cast<double>(list.names.capacity() +
                                        list.entries.capacity() * sizeof(zeb::WalkedEntry) +
                                        list.folders.capacity() * sizeof(zeb::WalkedFolder)) /
                    (1024 * 1024);
  b.rows.push_back({"folder walk and sort alone, " + label + " (file list " +
                        std::to_string(list.entries.size()) + " entries, " +
                        std::to_string(list_mib).substr(0, 4) + " MiB)",
                    list_ms, -1});
  return true;
}

// The folder load with --board beside the same load without it, and its
// peak memory beside the store's size.
void board_loads(Bench& b, const Workload& w, const std::string& dir) {
  std::string site = dir + "/site-load";
  std::vector<double> plain, with_board;
  long board_rss = 0;
  for (int i = 0; i < b.runs; ++i) {
    std::filesystem::remove_all(site);
    plain.push_back(run({b.zeb, w.folder}, "/dev/null", "/dev/null").ms);
    Run r = run({b.zeb, "--board", site, w.folder}, "/dev/null", "/dev/null");
    with_board.push_back(r.ms);
    board_rss = std::max(board_rss, r.max_rss_kb);
  }
  b.rows.push_back({"folder load with --board (whole board written), 864 folders, beside zeb DIR",
                    median(with_board), median(plain), -1});
  if (b.tree_load_ms == 0) b.tree_load_ms = median(plain);
  b.rows.push_back({"peak memory, folder load with --board (beside the store)",
                    static_cast<double>(board_rss) / 1024,
                    static_cast<double>(sizeof(zeb::Store)) / (1024 * 1024), -1, "MiB"});
}

// Files below `dir` written after `since`.
int files_written_since(const std::string& dir, std::filesystem::file_time_type since) {
  int n = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file() && e.last_write_time() > since) ++n;
  return n;
}

// The whole board from the full store in this process (150 racers, then
// 129,600 different racers), beside the folder load that filled it, and the
// rewrite after one arrival.
void board_writes(Bench& b, const std::string& dir, const zeb::FileBlock& one_block) {
  std::string site = dir + "/site";
  std::filesystem::remove_all(site);
  std::string reason;
  if (!zeb::open_board(site, "bench", reason)) {
    std::fprintf(stderr, "%s: %s\n", site.c_str(), reason.c_str());
    std::exit(1);
  }
  std::vector<double> whole_ms;
  for (int i = 0; i < b.runs; ++i) {
    auto start = Clock::now();
    zeb::write_whole_board();
    whole_ms.push_back(ms_since(start));
  }
  b.rows.push_back({"board, whole, full store (129,600 entries, 150 racers), beside zeb DIR",
                    median(whole_ms), b.tree_load_ms, -1});

  // One arrival: a faster lap of a racer in one ranking, which is full, so
  // its last entry goes first (that is one change of the same ranking).
  zeb::SprHeader faster;
  static_assert(sizeof faster == sizeof one_block);
  std::memcpy(&faster, one_block.bytes, sizeof faster);
  zeb::complete_track_code(faster);
  zeb::Cell cell = zeb::cell_of(zeb::db, zeb::track_index_by_name(faster),
                                zeb::car_index_by_name(faster), zeb::short_track_from_code(faster));
  std::uint8_t* time = faster.splits[faster.num_splits - 1];
  std::vector<double> arrival_ms;
  int files = 0;
  for (int i = 0; i < b.runs && i < 59; ++i) {
    int count = zeb::entry_count(cell);
    if (count == zeb::cell_size) zeb::shift_up(cell, count - 1, count);
    time[0] = 0;  // each run faster than the one before, and than everyone
    time[1] = static_cast<std::uint8_t>(59 - i);
    time[2] = time[3] = 0;
    zeb::FileBlock block;
    std::memcpy(block.bytes, &faster, sizeof block.bytes);
    zeb::load_replay_block("arrival.spr", zeb::BlockRead::ok, block);
    auto since = std::filesystem::file_time_type::clock::now();
    auto start = Clock::now();
    zeb::write_board_changes();
    arrival_ms.push_back(ms_since(start));
    files = files_written_since(site, since);
  }
  b.rows.push_back({"board after one arrival (" + std::to_string(files) + " files written)",
                    median(arrival_ms), -1});

  // Every entry a racer of its own.
  int n = 0;
  for (auto& track : zeb::db)
    for (auto& car : track)
      for (auto& layout : car)
        for (zeb::LapRecord& r : layout) {
          if (zeb::slot_is_empty(r)) continue;
          std::string name = "racer-" + std::to_string(n++);
          std::memcpy(r.racer, name.c_str(), name.size() + 1);
        }
  std::vector<double> unique_ms;
  for (int i = 0; i < b.runs; ++i) {
    auto start = Clock::now();
    zeb::write_whole_board();
    unique_ms.push_back(ms_since(start));
  }
  b.rows.push_back(
      {"board, whole, full store, " + std::to_string(n) + " different racers, beside zeb DIR",
       median(unique_ms), b.tree_load_ms, -1});
}

// The Windows leg's two layouts of the first 20,000 replays of tree/, made
// once: one folder of 20,000, and 100 folders of 200.
constexpr int windows_files = 20000, windows_folders = 100;
std::pair<std::string, std::string> make_windows_workload(const std::string& dir) {
  std::string flat = dir + "/win_flat", tree = dir + "/win_tree";
  if (std::filesystem::exists(dir + "/win_complete")) return {flat, tree};
  std::filesystem::remove_all(flat);
  std::filesystem::remove_all(tree);
  std::filesystem::create_directories(flat);
  for (int n = 0; n < windows_files; ++n) {
    std::string cell = std::to_string(n / places), place = std::to_string(n % places);
    std::string name = dir + "/tree/c" + cell + "/" + place + ".spr";
    std::string folder = tree + "/f" + std::to_string(n / (windows_files / windows_folders));
    std::filesystem::create_directories(folder);
    std::filesystem::create_hard_link(name, flat + "/c" + cell + "-" + place + ".spr");
    std::filesystem::create_hard_link(name, folder + "/c" + cell + "-" + place + ".spr");
  }
  std::ofstream(dir + "/win_complete") << windows_files << "\n";
  return {flat, tree};
}

// A path as Wine's Windows programs name it: on drive Z:, with "\".
std::string wine_path(const std::string& path) {
  std::string out = "Z:" + path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

// zeb.exe's folder load of one layout under Wine beside the floor's walk and
// read of the same folder, built with the same toolchain and alternating
// with it. False when zeb.exe writes other bytes than zeb writes for the
// same folder (its paths written as Windows writes them), or when the floor
// reads another number of files.
bool windows_loads(Bench& b, const std::string& label, const std::string& folder,
                   const std::string& zeb_exe, const std::string& floor_exe) {
  std::string base = folder + "_out";
  std::string native = base + "_native.txt", got = base + "_wine.txt", walked = base + "_floor.txt";
  run({b.zeb, folder}, "/dev/null", native.c_str());
  std::string expected = read_file(native);
  std::replace(expected.begin(), expected.end(), '/', '\\');
  std::string from = wine_path(folder).substr(2), to = wine_path(folder);
  for (std::size_t at = 0; (at = expected.find(from, at)) != std::string::npos; at += to.size())
    expected.replace(at, from.size(), to);
  std::vector<std::string> load = {"/usr/bin/env", "wine", zeb_exe, wine_path(folder)};
  std::vector<std::string> floor = {"/usr/bin/env", "wine", floor_exe, "--walk", wine_path(folder)};
  run(load, "/dev/null", got.c_str());
  run(floor, "/dev/null", walked.c_str());
  if (read_file(got) != expected) {
    std::fprintf(stderr, "%s: zeb.exe writes other bytes than zeb\n", folder.c_str());
    return false;
  }
  if (std::atol(read_file(walked).c_str()) != windows_files) {  // "\r\n" on Windows
    std::fprintf(stderr, "%s: the floor read %s files\n", folder.c_str(),
                 read_file(walked).c_str());
    return false;
  }
  std::vector<double> zeb_ms, floor_ms;
  for (int i = 0; i < b.runs; ++i) {
    floor_ms.push_back(run(floor, "/dev/null", "/dev/null").ms);
    zeb_ms.push_back(run(load, "/dev/null", "/dev/null").ms);
  }
  b.rows.push_back({"Windows, under Wine: folder load, " + label +
                        ": zeb.exe DIR, beside the floor's one-thread walk and read",
                    median(zeb_ms), median(floor_ms)});
  return true;
}

void print_table(const Bench& b) {
  std::printf(
      "| figure | zeb | floor | ratio | two-thread floor | ratio |\n|---|---|---|---|---|---|\n");
  for (const Row& r : b.rows) {
    std::printf("| %s | %.2f %s |", r.figure.c_str(), r.zeb, r.unit.c_str());
    for (double floor : {r.floor, r.floor2}) {
      if (floor < 0)
        std::printf(" - | - |");
      else
        std::printf(" %.2f %s | %.2fx |", floor, r.unit.c_str(), r.zeb / floor);
    }
    std::printf("\n");
  }
}

// Runs lines through the real command loop: read, split, dispatch, prompt.
void command_lines(const std::string& script) {
  zeb::test::ScriptedInput input(script);
  zeb::command_loop();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc == 6 || argc > 8) {
    std::fprintf(stderr,
                 "usage: zeb_bench WORKDIR ZEB FLOOR [RUNS [ZEB_EXE FLOOR_EXE [windows]]]\n");
    return 2;
  }
  std::string dir = argv[1];
  Bench b{argv[2], argv[3], argc > 4 ? std::max(1, std::atoi(argv[4])) : 5, {}};
  int runs = b.runs, more_runs = std::max(runs, 11);
  std::fprintf(stderr, "making the workload in %s ...\n", dir.c_str());
  auto [tree, flat] = make_workload(dir);
  const std::string& script = tree.script;
  if (std::getenv("ZEB_BENCH_BOARD_ONLY") != nullptr) {  // the board's figures alone
    board_loads(b, tree, dir);
    zeb::set_output_writer(discard);
    zeb::reset_db(zeb::db, zeb::db_size);
    std::string folder = tree.folder;
    zeb::load_command(nullptr, 0, folder, true);
    zeb::FileBlock middle;
    if (zeb::read_file_block((tree.folder + "/c400/75.spr").c_str(), middle) != zeb::BlockRead::ok)
      return 1;
    board_writes(b, dir, middle);
    zeb::set_output_writer(nullptr);
    print_table(b);
    return 0;
  }
  if (argc > 6) {
    std::fprintf(stderr, "Windows, under Wine ...\n");
    auto [win_flat, win_tree] = make_windows_workload(dir);
    if (!windows_loads(b, "one folder of 20,000", win_flat, argv[5], argv[6]) ||
        !windows_loads(b, "100 folders of 200", win_tree, argv[5], argv[6]))
      return 1;
    if (argc > 7 && std::string_view(argv[7]) == "windows") {
      print_table(b);
      std::printf("\nmedians of %d runs; zeb.exe writes byte for byte what zeb writes\n", runs);
      return 0;
    }
  }

  // Bulk import, alternating with its floors so all see the same machine.
  std::fprintf(stderr, "bulk import ...\n");
  b.floor_run(script, 1);  // warm the page cache
  std::vector<double> zeb_ms, floor1_ms, floor2_ms;
  for (int i = 0; i < runs; ++i) {
    floor1_ms.push_back(b.floor_run(script, 1));
    floor2_ms.push_back(b.floor_run(script, 2));
    zeb_ms.push_back(run({b.zeb}, script.c_str(), "/dev/null").ms);
  }
  b.rows.push_back(
      {"bulk import, 129,600 loads", median(zeb_ms), median(floor1_ms), median(floor2_ms)});

  std::fprintf(stderr, "folder load, 864 folders ...\n");
  if (!folder_loads(b, "864 folders of 150", tree)) return 1;
  std::fprintf(stderr, "folder load, one folder ...\n");
  b.floor_run(flat.script, 1);  // warm the flat folder's names
  if (!folder_loads(b, "one folder of 129,600", flat)) return 1;

  // Before this process holds the store and the headers: a spawned
  // program's peak memory counts what it shares with its parent at first.
  std::fprintf(stderr, "folder load with the board ...\n");
  board_loads(b, tree, dir);

  // Start-up: to the first prompt, standard input at its end.
  std::vector<double> start_ms;
  for (int i = 0; i < std::max(runs, 21); ++i)
    start_ms.push_back(run({b.zeb}, "/dev/null", "/dev/null").ms);
  b.rows.push_back({"start-up, empty input (to the first prompt and out)", median(start_ms), -1});

  // Peak memory with the full store, listed once.
  std::string full_script = dir + "/load_and_list.txt";
  {
    std::ifstream in(script);
    std::ofstream out(full_script);
    out << in.rdbuf() << "pdb\n";
  }
  Run full = run({b.zeb}, full_script.c_str(), "/dev/null");
  b.rows.push_back({"peak memory, bulk import and full listing (beside the store)",
                    static_cast<double>(full.max_rss_kb) / 1024,
                    static_cast<double>(sizeof(zeb::Store)) / (1024 * 1024), -1, "MiB"});

  // In this process from here: the real load path fills the real store.
  std::fprintf(stderr, "filing and listing ...\n");
  std::vector<std::string> names;
  std::vector<zeb::FileBlock> blocks;
  {
    std::ifstream in(script);
    for (std::string line; std::getline(in, line);) {
      names.push_back(line.substr(2));
      blocks.emplace_back();
      if (zeb::read_file_block(names.back().c_str(), blocks.back()) != zeb::BlockRead::ok) return 1;
    }
  }
  // Filing alone: the headers already in memory, the store emptied first.
  zeb::set_output_writer(discard);
  std::vector<double> filing_ms;
  for (int i = 0; i < runs; ++i) {
    zeb::reset_db(zeb::db, zeb::db_size);
    auto start = Clock::now();
    for (std::size_t f = 0; f < names.size(); ++f)
      zeb::load_replay_block(names[f], zeb::BlockRead::ok, blocks[f]);
    zeb::flush_output();
    filing_ms.push_back(ms_since(start));
  }
  b.rows.push_back({"filing alone, 129,600 headers from memory, shuffled", median(filing_ms), -1});

  // Command lines alone: an unknown word on each, answered with one line.
  std::string unknown;
  for (int i = 0; i < 129600; ++i) unknown += "x\n";
  std::vector<double> lines_ms;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    command_lines(unknown);
    zeb::flush_output();
    lines_ms.push_back(ms_since(start));
  }
  b.rows.push_back({"command loop alone, 129,600 lines of an unknown word", median(lines_ms), -1});
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
  // The listing as a "pdb" line at the prompt asks for it.
  int devnull = open("/dev/null", O_WRONLY);
  std::vector<double> pdb_null, cat_null, pdb_pipe, cat_pipe;
  for (int i = 0; i < more_runs; ++i) {
    pdb_null.push_back(with_stdout(devnull, [] { command_lines("pdb\n"); }));
    cat_null.push_back(cat_file(listing, devnull));
    pdb_pipe.push_back(
        through_pipe([](int fd) { with_stdout(fd, [] { command_lines("pdb\n"); }); }));
    cat_pipe.push_back(through_pipe([&](int fd) { cat_file(listing, fd); }));
  }
  b.rows.push_back({"full listing (pdb line) to /dev/null", median(pdb_null), median(cat_null)});
  b.rows.push_back({"full listing (pdb line) to a pipe", median(pdb_pipe), median(cat_pipe)});

  std::vector<double> find_ms, del_ms;
  std::vector<char> backup(sizeof zeb::db);
  std::memcpy(backup.data(), &zeb::db, sizeof zeb::db);
  for (int i = 0; i < more_runs; ++i) {
    find_ms.push_back(with_stdout(devnull, [] { command(std::string("find ") + everywhere); }));
    std::memcpy(&zeb::db, backup.data(), sizeof zeb::db);
    del_ms.push_back(with_stdout(devnull, [] { command(std::string("del -r ") + everywhere); }));
  }
  b.rows.push_back({"find of a racer in 864 cells", median(find_ms), -1});
  b.rows.push_back({"del -r of a racer in 864 cells", median(del_ms), -1});

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
      b.rows.push_back({std::string("racer completion, full store: \"") + line + "\" (" +
                            std::to_string(matches.size()) + " names)",
                        median(tab_ms), -1});
    }
  }

  // The board last: it renames the racers of the store.
  std::fprintf(stderr, "board ...\n");
  zeb::set_output_writer(discard);
  board_writes(b, dir, blocks[blocks.size() / 2]);
  zeb::set_output_writer(nullptr);

  print_table(b);
  std::printf(
      "\nlisting: %ld rows, %zu bytes; medians of %d runs (loads, filing), %d (listing, find, "
      "del), 101 (completion); both folder loads write byte for byte what their l PATH lines "
      "write\n",
      listed, text.size(), runs, more_runs);
  return 0;
}

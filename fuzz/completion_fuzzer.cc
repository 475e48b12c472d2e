// Tab completion over arbitrary store contents and an arbitrary line and
// cursor. The bytes give the records first (a cell, a racer name of any bytes
// up to the 32 a replay header holds, a time), filed by the load's own
// record building and ranking, then the cursor and the line. Every answer is
// checked against what the command at that position takes, worked out here
// from literal lists and a brute-force walk of the filled cells.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "console/output.h"
#include "db/store.h"
#include "replay/header.h"
#include "replay/load.h"
#include "replay_builder.h"
#include "shell/completion.h"
#include "tables/tables.h"
#include "test_support.h"

namespace {

using Words = std::vector<std::string>;

struct Spot {
  int track, car, short_track;
  zeb::SprHeader header;  // a replay of this cell; the racer name is written over
};
std::vector<Spot> spots;

void fail(const char* what, std::string_view line, const std::string& detail) {
  std::fprintf(stderr, "completion: %s (line \"%.*s\"): %s\n", what, static_cast<int>(line.size()),
               line.data(), detail.c_str());
  std::abort();
}

void make_spots() {
  struct Place {
    const char *track, *code, *car;
  };
  for (Place p : {Place{"Blackwood", "BL1", "XR GT TURBO"}, Place{"Aston", "AS3R", "MRT5"},
                  Place{"Westhill", "WE1", "LX6"}, Place{"Fern Bay", "FE2", "FXO TURBO"}}) {
    zeb::fixture::ReplayFields f;
    f.track_name = p.track;
    f.track_code = p.code;
    f.car_name = p.car;
    std::vector<unsigned char> bytes = zeb::fixture::build_replay(f);
    Spot s{};
    std::memcpy(&s.header, bytes.data(), sizeof s.header);
    zeb::complete_track_code(s.header);
    s.track = zeb::track_index_by_name(s.header);
    s.car = zeb::car_index_by_name(s.header);
    s.short_track = zeb::short_track_from_code(s.header);
    if (s.track < 0 || s.car < 0 || s.short_track < 0) std::abort();
    spots.push_back(s);
  }
}

// A scratch folder for the file names after load: files, folders, a fifo,
// links to a folder and to nowhere, a dot-file.
std::string scratch;

void make_scratch() {
  namespace fs = std::filesystem;
  fs::path dir = "/tmp/zeb-completion-fuzz-" + std::to_string(getpid());
  scratch = dir.string();
  fs::remove_all(dir);
  fs::create_directories(dir / "dir" / "sub");
  std::ofstream(dir / "a.spr") << "x";
  std::ofstream(dir / "ab c") << "x";
  std::ofstream(dir / ".hidden") << "x";
  std::ofstream(dir / "dir" / "x.spr") << "x";
  fs::create_directory_symlink(dir / "dir", dir / "dlink");
  fs::create_symlink(dir / "nowhere", dir / "dangling");
  mkfifo((dir / "fifo").c_str(), 0600);
  if (chdir(dir.c_str()) != 0) std::abort();
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lower(c);
  return out;
}
bool begins_any_case(std::string_view text, std::string_view typed) {
  return text.size() >= typed.size() && lowered(text.substr(0, typed.size())) == lowered(typed);
}

// The words of `list` that the typed text begins, sorted and each once.
Words expected_from(const std::vector<std::string_view>& list, std::string_view typed,
                    bool any_case) {
  Words out;
  for (std::string_view w : list)
    if (any_case ? begins_any_case(w, typed) : w.starts_with(typed)) out.emplace_back(w);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

std::vector<std::string_view> tracks() {
  std::vector<std::string_view> v;
  for (const auto& t : zeb::track_table) v.emplace_back(t.code);
  return v;
}
std::vector<std::string_view> cars() {
  std::vector<std::string_view> v;
  for (const auto& c : zeb::car_table) v.emplace_back(c.code);
  return v;
}
std::vector<std::string_view> layouts() {
  std::vector<std::string_view> v;
  for (const auto& row : zeb::ShortTrackTable)
    for (const char* code : row)
      if (*code) v.emplace_back(code);
  return v;
}

// Racer names of the filled cells that a word can hold, by brute force.
Words expected_racers(std::string_view typed) {
  Words out;
  for (const Spot& s : spots)
    for (const zeb::LapRecord& r : zeb::db[s.track][s.car][s.short_track]) {
      if (zeb::slot_is_empty(r)) break;
      std::string name(r.racer, strnlen(r.racer, sizeof r.racer));
      if (!name.empty() && name.find(' ') == std::string::npos && name.starts_with(typed))
        out.push_back(name);
    }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

// What each flag takes after it: t track, c car, s layout, r racer.
struct FlagTakes {
  std::string_view flag, takes;
};
constexpr FlagTakes pdb_takes[] = {
    {"-t", "t"},          {"-track", "t"}, {"-c", "c"},      {"-car", "c"}, {"-s", "s"},
    {"-shorttrack", "s"}, {"-cs", "cs"},   {"-combo", "cs"}, {"-r", "r"},   {"-racer", "r"},
};
constexpr FlagTakes del_takes[] = {
    {"-t", "t"},     {"-track", "t"},      {"-c", "c"},   {"-car", "c"},
    {"-s", "s"},     {"-shorttrack", "s"}, {"-cs", "cs"}, {"-combo", "cs"},
    {"-r", "r"},     {"-racer", "r"},      {"-rt", "rt"}, {"-rtrack", "rt"},
    {"-rc", "rc"},   {"-rcar", "rc"},      {"-rs", "rs"}, {"-rshorttrack", "rs"},
    {"-rcs", "rcs"}, {"-rcombo", "rcs"},
};

Words expected_for(char takes, std::string_view typed) {
  switch (takes) {
    case 't': return expected_from(tracks(), typed, true);
    case 'c': return expected_from(cars(), typed, true);
    case 's': return expected_from(layouts(), typed, true);
    case 'r': return expected_racers(typed);
    default: return {};
  }
}

// Each match a name in the word's folder, a folder iff it ends in "/". Other
// programs change folders such as /tmp while this runs: that a name still
// exists is checked only inside the scratch folder, which nothing else touches.
void check_files(std::string_view line, std::string_view typed, const Words& matches) {
  std::size_t slash = typed.rfind('/');
  std::string_view folder = slash == std::string_view::npos ? "" : typed.substr(0, slash + 1);
  std::string_view name = typed.substr(folder.size());
  char resolved[PATH_MAX];
  bool ours = realpath(folder.empty() ? "." : std::string(folder).c_str(), resolved) != nullptr &&
              std::string_view(resolved).starts_with(scratch);
  for (const std::string& m : matches) {
    if (!m.starts_with(typed)) fail("file name not beginning with the word", line, m);
    if (m.find(' ') != std::string::npos) fail("file name that a blank splits", line, m);
    bool is_folder = m.ends_with('/');
    std::string path = is_folder ? m.substr(0, m.size() - 1) : m;
    std::string_view leaf = std::string_view(path).substr(folder.size());
    if (leaf.empty() || leaf.find('/') != std::string_view::npos || leaf == "." || leaf == "..")
      fail("file name not in the word's folder", line, m);
    if (leaf.starts_with('.') && !name.starts_with('.')) fail("dot-name not asked for", line, m);
    struct stat st;
    if (!ours) continue;
    if (lstat(path.c_str(), &st) != 0) fail("file name that does not exist", line, m);
    bool dir = stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (dir != is_folder) fail("folder without its slash, or a slash on a file", line, m);
  }
}

void check(std::string_view line, std::size_t cursor, const Words& matches) {
  for (std::size_t i = 1; i < matches.size(); ++i)
    if (!(matches[i - 1] < matches[i])) fail("matches not sorted or repeated", line, matches[i]);
  std::string_view before = line.substr(0, std::min(cursor, line.size()));
  std::size_t blank = before.rfind(' ');
  std::string_view typed = blank == std::string_view::npos ? before : before.substr(blank + 1);
  std::vector<std::string_view> words;
  std::string_view rest = before.substr(0, before.size() - typed.size());
  for (std::size_t at = 0; at < rest.size();) {
    std::size_t end = rest.find(' ', at);
    if (end == std::string_view::npos) end = rest.size();
    if (end > at) words.push_back(rest.substr(at, end - at));
    at = end + 1;
  }
  Words expected;
  bool files = false;
  std::string command = words.empty() ? "" : lowered(words[0]);
  if (before.find('\0') != std::string_view::npos) {
    // the command loop never sees a word after a NUL
  } else if (words.empty()) {
    expected = expected_from(
        {"load", "l", "print", "p", "pdb", "find", "f", "del", "d", "help", "h", "quit", "q"},
        typed, true);
  } else if (words.size() == 1) {
    if (command == "l" || command == "load") files = true;
    if (command == "pdb")
      for (const FlagTakes& f : pdb_takes) expected.emplace_back(f.flag);
    if (command == "d" || command == "del")
      for (const FlagTakes& f : del_takes) expected.emplace_back(f.flag);
    std::vector<std::string_view> list(expected.begin(), expected.end());
    expected = expected_from(list, typed, command == "pdb");
    if (command == "f" || command == "find") expected = expected_racers(typed);
    if (command == "h" || command == "help")
      expected =
          expected_from({"del", "d", "pdb", "load", "l", "print", "p", "help", "h"}, typed, true);
  } else if (command == "pdb" || command == "d" || command == "del") {
    std::size_t at = words.size() - 2;
    std::string flag(words[1]);
    if (command == "pdb") {
      for (const FlagTakes& f : pdb_takes)
        if (f.flag == lowered(flag) && at < f.takes.size())
          expected = expected_for(f.takes[at], typed);
    } else {
      for (const FlagTakes& f : del_takes)
        if (f.flag == flag && at < f.takes.size()) expected = expected_for(f.takes[at], typed);
    }
  }
  if (files)
    check_files(line, typed, matches);
  else if (matches != expected) {
    std::string detail = "got";
    for (const std::string& m : matches) detail += " [" + m + "]";
    detail += ", expected";
    for (const std::string& m : expected) detail += " [" + m + "]";
    fail("wrong matches", line, detail);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zeb::reset_db(zeb::db, zeb::db_size);
  zeb::set_output_writer([](const char*, std::size_t) {});  // filing talks; nobody listens
  make_spots();
  make_scratch();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zeb;
  if (size > 4096) return -1;
  const std::uint8_t* end = data + size;
  auto next = [&]() -> std::uint8_t { return data < end ? *data++ : 0; };

  // The store: records through the load's record building and ranking.
  int records = next() % 64;
  for (int i = 0; i < records && data < end; ++i) {
    Spot& spot = spots[next() % spots.size()];
    SprHeader header = spot.header;
    std::size_t length = std::min<std::size_t>(next() % 33, static_cast<std::size_t>(end - data));
    std::memset(header.s2_username, 0, sizeof header.s2_username);
    std::memcpy(header.s2_username, data, length);
    data += length;
    LapRecord record;
    init_record(record);
    record_from_header(header, record);
    record.laptime = 60000 + next() * 10;  // a few ties and replacements among the racers
    offer_to_cell(cell_of(db, spot.track, spot.car, spot.short_track), record);
  }
  for (const Spot& s : spots) {
    std::string problem = test::check_cell(db[s.track][s.car][s.short_track], true);
    if (!problem.empty()) fail("store invariant broken", "", problem);
  }

  // The cursor, anywhere up to far past the end, then the line.
  std::size_t cursor = next();
  cursor |= static_cast<std::size_t>(next()) << 8;
  std::string line(reinterpret_cast<const char*>(data), static_cast<std::size_t>(end - data));
  std::vector<std::string> matches;
  complete_line(line, cursor, matches);
  check(line, cursor, matches);

  for (const Spot& s : spots)  // empty the filled cells for the next input
    for (LapRecord& r : db[s.track][s.car][s.short_track]) {
      if (slot_is_empty(r)) break;
      init_record(r);
    }
  return 0;
}

#include "test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "console/line_reader.h"
#include "console/output.h"

namespace zeb::test {
namespace {

std::string captured;
void capture(const char* data, std::size_t size) { captured.append(data, size); }

std::string script;
std::size_t script_at = 0;
std::ptrdiff_t read_script(char* buffer, std::size_t capacity) {
  std::size_t n = std::min(capacity, script.size() - script_at);
  std::memcpy(buffer, script.data() + script_at, n);
  script_at += n;
  return static_cast<std::ptrdiff_t>(n);
}

}  // namespace

CapturedOutput::CapturedOutput() {
  set_output_writer(capture);
  captured.clear();
}
CapturedOutput::~CapturedOutput() { set_output_writer(nullptr); }
std::string CapturedOutput::text() {
  flush_output();
  return std::exchange(captured, {});
}

ScriptedInput::ScriptedInput(std::string_view text) {
  script = text;
  script_at = 0;
  set_input_source(read_script);
}
ScriptedInput::~ScriptedInput() { set_input_source(nullptr); }

LapRecord make_record(std::string_view racer, int laptime, std::string_view short_track,
                      std::string_view car) {
  LapRecord r;
  init_record(r);
  std::string key = std::string(racer) + "+" + std::string(short_track) + "+" + std::string(car);
  copy_text(key.c_str(), r.key);
  copy_text(std::string(racer).c_str(), r.racer);
  copy_text(std::string(short_track).c_str(), r.short_track);
  copy_text(std::string(car).c_str(), r.car);
  r.laptime = laptime;
  std::snprintf(r.slaptime, sizeof r.slaptime, "%02d:%02d.%03d", laptime / 60000 % 100,
                laptime / 1000 % 60, laptime % 1000);
  r.lapnum = 1;
  return r;
}

int entries_in(Cell cell) {
  int n = 0;
  while (n < static_cast<int>(cell.size()) && !slot_is_empty(cell[n])) ++n;
  return n;
}

std::string check_cell(const LapRecord* cell, bool has_layout) {
  std::set<std::string_view> keys;
  int n = 0;
  while (n < cell_size && !slot_is_empty(cell[n])) ++n;
  if (n > 0 && !has_layout) return "entries in a cell without a layout";
  for (int p = n; p < cell_size; ++p)
    if (!slot_is_empty(cell[p])) return "hole before position " + std::to_string(p);
  for (int p = 0; p < n; ++p) {
    if (cell[p].pos != p) return "pos " + std::to_string(cell[p].pos) + " at " + std::to_string(p);
    if (p > 0 && cell[p].laptime <= cell[p - 1].laptime)
      return "laptime not increasing at " + std::to_string(p);
    if (!keys.insert(cell[p].key).second) return std::string("key twice: ") + cell[p].key;
  }
  return "";
}

std::string check_store(const Store& store) {
  for (int t = 0; t < track_count; ++t)
    for (int c = 0; c < car_count; ++c)
      for (int s = 0; s < short_track_slots; ++s)
        if (std::string problem = check_cell(store[t][c][s], short_track_exists(t, s));
            !problem.empty())
          return "cell " + std::to_string(t) + "/" + std::to_string(c) + "/" + std::to_string(s) +
                 ": " + problem;
  return "";
}

}  // namespace zeb::test

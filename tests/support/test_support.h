// Helpers the unit tests share: captured output, scripted input, records
// made by hand, and a checker of the store's invariants.
#pragma once

#include <string>
#include <string_view>

#include "db/store.h"

namespace zeb::test {

// Captures everything zeb writes while it lives; text() flushes and returns it.
class CapturedOutput {
 public:
  CapturedOutput();
  ~CapturedOutput();
  std::string text();
};

// Feeds standard input from a string while it lives.
class ScriptedInput {
 public:
  explicit ScriptedInput(std::string_view script);
  ~ScriptedInput();
};

// A record with the key built the way a load builds it.
LapRecord make_record(std::string_view racer, int laptime, std::string_view short_track = "BL1",
                      std::string_view car = "XR GT TURBO");

// Number of occupied slots at the front of a cell.
int entries_in(Cell cell);

// One cell's invariants: occupied slots form a prefix, with strictly
// increasing laptime, one slot per key and pos equal to the position; a cell
// without a layout holds nothing. "" when they hold, else what is wrong.
std::string check_cell(const LapRecord* cell, bool has_layout);

// The store's invariants: occupied slots form a prefix of every cell, with
// strictly increasing laptime, one slot per key and pos equal to the
// position; cells without a layout code hold nothing. "" when they hold,
// else what is wrong and where.
std::string check_store(const Store& store);

// Removes a folder and everything below it, also a tree too deep for a
// single path; false when something stayed.
bool remove_tree(const std::string& path);

}  // namespace zeb::test

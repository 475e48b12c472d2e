#include "shell/completion.h"

#include <algorithm>
#include <array>

#include "db/pdb.h"
#include "delete/del_command.h"
#include "shell/command_loop.h"
#include "shell/completion_files.h"
#include "shell/completion_racers.h"
#include "shell/help.h"
#include "tables/tables.h"

namespace zeb {
namespace {

// What may stand at a position after a flag.
enum class Takes { nothing, track, car, short_track, racer };
using FlagWords = std::array<Takes, 3>;

// The words after each pdb flag, by PdbFlag.
constexpr FlagWords pdb_takes[] = {
    {},                                // none
    {Takes::track},                    // -t
    {Takes::car},                      // -c
    {Takes::short_track},              // -s
    {Takes::car, Takes::short_track},  // -cs
    {Takes::racer},                    // -r
};
static_assert(std::size(pdb_takes) == static_cast<int>(PdbFlag::racer) + 1);

// The words after each del flag, by DelKind.
constexpr FlagWords del_takes[] = {
    {Takes::track},                                  // -t
    {Takes::car},                                    // -c
    {Takes::short_track},                            // -s
    {Takes::car, Takes::short_track},                // -cs
    {Takes::racer},                                  // -r
    {Takes::racer, Takes::track},                    // -rt
    {Takes::racer, Takes::car},                      // -rc
    {Takes::racer, Takes::short_track},              // -rs
    {Takes::racer, Takes::car, Takes::short_track},  // -rcs
};
static_assert(std::size(del_takes) == std::size(del_flags));

constexpr char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the lower-case `text` begins with `typed` in any letter case.
bool begins_any_case(std::string_view text, std::string_view typed) {
  if (typed.size() > text.size()) return false;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (lower(typed[i]) != text[i]) return false;
  return true;
}

bool equals_any_case(std::string_view text, std::string_view typed) {
  return text.size() == typed.size() && begins_any_case(text, typed);
}

void offer_any_case(std::string_view text, std::string_view typed,
                    std::vector<std::string>& matches) {
  if (!text.empty() && begins_any_case(text, typed)) matches.emplace_back(text);
}

void offer_codes(Takes takes, std::string_view typed, std::vector<std::string>& matches) {
  switch (takes) {
    case Takes::track:
      for (const TrackEntry& t : track_table) offer_any_case(t.code, typed, matches);
      break;
    case Takes::car:
      for (const CarEntry& c : car_table) offer_any_case(c.code, typed, matches);
      break;
    case Takes::short_track:
      for (const auto& row : ShortTrackTable)
        for (const char* code : row) offer_any_case(code, typed, matches);
      break;
    case Takes::racer: complete_racer_name(typed, matches); break;
    case Takes::nothing: break;
  }
}

// The words after word 1 of pdb and del: by the flag, what its parameter at
// `position` (2 and on) takes.
void offer_after_flag(WordOne command, std::string_view flag, int position, std::string_view typed,
                      std::vector<std::string>& matches) {
  FlagWords takes{};
  if (command == WordOne::pdb_flag) {
    for (const PdbFlagRow& row : pdb_flags)
      if (equals_any_case(row.short_form, flag) || equals_any_case(row.long_form, flag)) {
        takes = pdb_takes[static_cast<int>(row.flag)];
        break;
      }
  } else {
    for (std::size_t kind = 0; kind < std::size(del_flags); ++kind)
      if (flag == del_flags[kind].short_form || flag == del_flags[kind].long_form) {
        takes = del_takes[kind];
        break;
      }
  }
  if (position - 2 < static_cast<int>(takes.size()))
    offer_codes(takes[position - 2], typed, matches);
}

void offer_word_one(WordOne command, std::string_view typed, std::vector<std::string>& matches) {
  switch (command) {
    case WordOne::file: complete_file_name(typed, matches); break;
    case WordOne::pdb_flag:
      for (const PdbFlagRow& row : pdb_flags) {
        offer_any_case(row.short_form, typed, matches);
        offer_any_case(row.long_form, typed, matches);
      }
      break;
    case WordOne::del_flag:
      for (const DelFlag& row : del_flags) {
        if (row.short_form.starts_with(typed)) matches.emplace_back(row.short_form);
        if (row.long_form.starts_with(typed)) matches.emplace_back(row.long_form);
      }
      break;
    case WordOne::racer: complete_racer_name(typed, matches); break;
    case WordOne::help_topic:
      for (const HelpEntry& row : help_table) {
        offer_any_case(row.name, typed, matches);
        offer_any_case(row.alias, typed, matches);
      }
      break;
    case WordOne::nothing: break;
  }
}

}  // namespace

void complete_line(std::string_view line, std::size_t cursor, std::vector<std::string>& matches) {
  matches.clear();
  std::string_view before = line.substr(0, std::min(cursor, line.size()));
  // The command loop reads a line only up to a NUL: nothing after it is a word.
  if (before.find('\0') != std::string_view::npos) return;
  std::size_t blank = before.rfind(' ');
  std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
  std::string_view typed = before.substr(start);

  // The words before the one being typed, split as split_words splits them.
  std::string_view first, second;
  int position = 0;
  for (std::size_t at = 0; at < start;) {
    if (before[at] == ' ') {
      ++at;
      continue;
    }
    std::size_t end = std::min(before.find(' ', at), start);
    if (position == 0) first = before.substr(at, end - at);
    if (position == 1) second = before.substr(at, end - at);
    ++position;
    at = end;
  }
  if (position >= max_words) return;  // the loop drops words past its tenth

  if (position == 0) {
    for (int i = 0; i < command_table_rows; ++i)
      offer_any_case(command_table[i].word, typed, matches);
  } else {
    WordOne command = WordOne::nothing;
    for (int i = 0; i < command_table_rows; ++i)
      if (equals_any_case(command_table[i].word, first)) command = command_table[i].takes;
    if (position == 1)
      offer_word_one(command, typed, matches);
    else if (command == WordOne::pdb_flag || command == WordOne::del_flag)
      offer_after_flag(command, second, position, typed, matches);
  }
  std::sort(matches.begin(), matches.end());
  matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
}

}  // namespace zeb

#pragma once

#include <initializer_list>
#include <iterator>
#include <string_view>

#include "console/output.h"

namespace zeb {

// What a del flag deletes; row i of del_flags is the flag of kind i.
enum DelKind {
  by_track,
  by_car,
  by_short_track,
  by_combo,
  by_racer,
  racer_track,
  racer_car,
  racer_short_track,
  racer_combo
};

struct DelFlag {
  std::string_view short_form;
  std::string_view long_form;
};
// Matched exactly, letter case included.
// clang-format off
inline constexpr DelFlag del_flags[] = {
    {"-t",   "-track"},
    {"-c",   "-car"},
    {"-s",   "-shorttrack"},
    {"-cs",  "-combo"},
    {"-r",   "-racer"},
    {"-rt",  "-rtrack"},
    {"-rc",  "-rcar"},
    {"-rs",  "-rshorttrack"},
    {"-rcs", "-rcombo"},
};
// clang-format on
static_assert(std::size(del_flags) == racer_combo + 1);

// del [flag [params]]: deletes by filter after a yes/no confirmation, or
// empties the whole store when given no words. Flags are case-sensitive.
void del_command(char** words, int count);

// The kind 0..8 of a del flag (-t, -c, -s, -cs, -r, -rt, -rc, -rs, -rcs or
// their long forms), or -1.
int parse_del_flag(const char* word);

// Writes the prompt and reads the answer line: true for y or yes in any case;
// anything else, and the end of input, refuses.
bool confirm(std::string_view prompt_format, std::initializer_list<FormatArg> words);

}  // namespace zeb

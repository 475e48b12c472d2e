#pragma once

#include <string_view>

namespace zeb {

enum class PdbFlag { none, track, car, short_track, combo, racer };

struct PdbFlagRow {
  std::string_view short_form;
  std::string_view long_form;
  PdbFlag flag;
};
// The flags pdb takes, in the order they are tried; matched after lower-casing.
// clang-format off
inline constexpr PdbFlagRow pdb_flags[] = {
    {"-t",  "-track",      PdbFlag::track},
    {"-c",  "-car",        PdbFlag::car},
    {"-s",  "-shorttrack", PdbFlag::short_track},
    {"-cs", "-combo",      PdbFlag::combo},
    {"-r",  "-racer",      PdbFlag::racer},
};
// clang-format on

// pdb [flag [params]]: the whole store, or one racer, track, car, short track
// or car on a short track. Flags are accepted in any letter case.
void pdb_command(char** words, int count);

}  // namespace zeb

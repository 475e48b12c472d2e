#pragma once

#include <initializer_list>
#include <string_view>

#include "console/output.h"

namespace zeb {

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

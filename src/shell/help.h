// help [command]: the command list, or one command's long help text. The
// texts are fixed; they are not generated from the command table.
#pragma once

namespace zeb {

inline constexpr int help_rows = 10;

struct HelpEntry {
  char name[468];
  char alias[468];  // "" when the command has no short form
  char text[468];
};

// Rows 0 to 4 are used; rows 5 to 9 are empty and are never found.
extern const HelpEntry help_table[help_rows];

// The first row whose name or alias is the word; -1 when none is.
int find_help_entry(const char* word, const HelpEntry* table, int rows);

void help_command(char** words, int count);

}  // namespace zeb

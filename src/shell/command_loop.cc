#include "shell/command_loop.h"

#include "board/board.h"
#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "db/find.h"
#include "db/pdb.h"
#include "db/store.h"
#include "delete/del_command.h"
#include "replay/header.h"
#include "replay/load.h"
#include "shell/help.h"
#include "tables/tables.h"

namespace zeb {

std::string input_line;
bool watch_after_input_end = false;

namespace {

void load_from_prompt(char** words, int count) {
  load_command(words, count, replay_filename, false);
}

}  // namespace

// clang-format off
const CommandRow command_table[] = {
    {"q",     nullptr,          WordOne::nothing},
    {"quit",  nullptr,          WordOne::nothing},
    {"l",     load_from_prompt, WordOne::file},
    {"load",  load_from_prompt, WordOne::file},
    {"p",     print_command,    WordOne::nothing},
    {"print", print_command,    WordOne::nothing},
    {"pdb",   pdb_command,      WordOne::pdb_flag},
    {"d",     del_command,      WordOne::del_flag},
    {"del",   del_command,      WordOne::del_flag},
    {"f",     find_command,     WordOne::racer},
    {"find",  find_command,     WordOne::racer},
    {"h",     help_command,     WordOne::help_topic},
    {"help",  help_command,     WordOne::help_topic},
};
// clang-format on
const int command_table_rows = static_cast<int>(std::size(command_table));

int split_words(char* line, char** words, int maximum) {
  char* c = line;
  for (int i = 0; i < maximum; ++i) {
    while (*c == ' ') ++c;
    if (*c == '\0') {
      words[i] = nullptr;
      return i;
    }
    words[i] = c;
    while (*c != ' ' && *c != '\0') ++c;
    if (*c == ' ') *c++ = '\0';
  }
  return maximum;
}

void command_loop() {
  char* words[max_words];
  for (;;) {
    take_interrupt();  // a Ctrl-C that stopped the last command is spent
    LineResult read = read_prompted_line("ZEB> ", input_line, LineUse::command);
    if (read == LineResult::end_of_input) {            // ends the session quietly
      if (watch_after_input_end) watch_until_ended();  // unless a headless watcher goes on
      return;
    }
    if (read == LineResult::interrupted) continue;
    int count = split_words(input_line.data(), words, max_words);
    if (count == 0) return;
    lower_text(words[0]);
    const CommandRow* row = command_table;
    const CommandRow* end = command_table + command_table_rows;
    while (row != end && row->word != words[0]) ++row;
    if (row == end) {
      write_line("\tpress h (or help) for help");
      continue;
    }
    if (row->handler == nullptr) return;
    row->handler(words, count);
    write_board_if_due();
  }
}

}  // namespace zeb

#include "shell/completion.h"

#include "shell/command_loop.h"

namespace zeb {

// For now only the command words, at the start of the line.
void complete_line(std::string_view line, std::size_t cursor, std::vector<std::string>& matches) {
  matches.clear();
  std::string_view before = line.substr(0, cursor);
  std::size_t start = before.find_first_not_of(' ');
  if (start == std::string_view::npos) start = before.size();
  std::string_view word = before.substr(start);
  if (word.find(' ') != std::string_view::npos) return;
  for (int i = 0; i < command_table_rows; ++i)
    if (command_table[i].word.starts_with(word)) matches.emplace_back(command_table[i].word);
}

}  // namespace zeb

// The prompt loop: "ZEB> ", one line, its words, one command, until quit.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

inline constexpr int max_words = 10;

// Every command handler takes the line's words and their count, the command
// word counting as word 0.
using CommandHandler = void (*)(char** words, int count);

// What a command takes as its word 1, for Tab.
enum class WordOne { nothing, file, pdb_flag, del_flag, racer, help_topic };

struct CommandRow {
  std::string_view word;
  CommandHandler handler;  // nullptr: the word ends the loop
  WordOne takes;
};

// The command words in the order they are tried, with their handlers.
extern const CommandRow command_table[];
extern const int command_table_rows;

// The current command line; the words point into it.
extern std::string input_line;

// Splits the line in place at blanks (only character 32), ending each word
// with NUL. Fills at most `maximum` words and returns their count; when the
// count is below the maximum, words[count] is nullptr.
int split_words(char* line, char** words, int maximum);

// zeb --watch away from a terminal goes on watching after the end of its input.
extern bool watch_after_input_end;

// Runs command lines until q, quit, an empty or blank line, or the end of input.
void command_loop();

}  // namespace zeb

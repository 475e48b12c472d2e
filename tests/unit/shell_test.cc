#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "console/line_reader.h"
#include "shell/command_loop.h"
#include "shell/help.h"
#include "test_support.h"

namespace zeb {
namespace {

std::vector<std::string> split(std::string line, int* count_out = nullptr) {
  char* words[max_words + 1];
  for (char*& w : words) w = reinterpret_cast<char*>(1);  // a stale value, never a word
  int count = split_words(line.data(), words, max_words);
  if (count_out) *count_out = count;
  std::vector<std::string> result(words, words + count);
  if (count < max_words) EXPECT_EQ(words[count], nullptr);
  return result;
}

TEST(SplitWords, BlanksSeparateAndSurroundWords) {
  EXPECT_EQ(split("   pdb    -t   as  "), (std::vector<std::string>{"pdb", "-t", "as"}));
  EXPECT_EQ(split(""), std::vector<std::string>{});
  EXPECT_EQ(split("   "), std::vector<std::string>{});
}

TEST(SplitWords, OnlyTheBlankSeparates) {
  EXPECT_EQ(split("\tpdb a\rb"), (std::vector<std::string>{"\tpdb", "a\rb"}));
}

TEST(SplitWords, StopsAtTenWords) {
  int count = 0;
  auto words = split("1 2 3 4 5 6 7 8 9 10 11 12", &count);
  EXPECT_EQ(count, 10);
  EXPECT_EQ(words.back(), "10");
}

std::vector<std::string> read_all(std::string_view script) {
  test::ScriptedInput in(script);
  std::vector<std::string> lines;
  std::string line;
  while (read_line(line)) lines.push_back(line);
  return lines;
}

TEST(LineReader, EndsLinesAtNewlineOrCarriageReturnNewline) {
  EXPECT_EQ(read_all("a\r\nb\n\r\n\rc\r"), (std::vector<std::string>{"a", "b", "", "\rc\r"}));
}

TEST(LineReader, CountsALastLineWithoutNewline) {
  EXPECT_EQ(read_all("one\ntwo"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(read_all(""), std::vector<std::string>{});
}

TEST(LineReader, NulEndsTheLinesText) {
  EXPECT_EQ(read_all(std::string("ab\0cd\nef", 8)), (std::vector<std::string>{"ab", "ef"}));
}

TEST(LineReader, ReadsLongLinesWhole) {
  std::string longest(1 << 20, 'x');
  auto lines = read_all(longest + "\r\nq\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], longest);
}

// Away from a terminal the prompt is written as text and the line reader
// reads the line: the bytes of a piped session.
TEST(LineReader, PromptedLinesAwayFromATerminalWriteThePromptAndReadALine) {
  test::CapturedOutput out;
  test::ScriptedInput in("pdb\ny\n");
  std::string line;
  EXPECT_EQ(read_prompted_line("ZEB> ", line, LineUse::command), LineResult::line);
  EXPECT_EQ(line, "pdb");
  EXPECT_EQ(read_prompted_line("sure (y/)? ", line, LineUse::answer), LineResult::line);
  EXPECT_EQ(line, "y");
  EXPECT_EQ(read_prompted_line("ZEB> ", line, LineUse::command), LineResult::end_of_input);
  EXPECT_EQ(out.text(), "ZEB> sure (y/)? ZEB> ");
}

TEST(Help, FindsRowsByNameOrAliasOnly) {
  EXPECT_EQ(find_help_entry("del", help_table, help_rows), 0);
  EXPECT_EQ(find_help_entry("d", help_table, help_rows), 0);
  EXPECT_EQ(find_help_entry("pdb", help_table, help_rows), 1);
  EXPECT_EQ(find_help_entry("h", help_table, help_rows), 4);
  EXPECT_EQ(find_help_entry("", help_table, help_rows), -1);
  EXPECT_EQ(find_help_entry("find", help_table, help_rows), -1);
  EXPECT_EQ(find_help_entry("DEL", help_table, help_rows), -1);
}

// The help texts are written by hand; every name and alias they offer must
// still be a command word that runs something.
TEST(Help, NamesOnlyCommandWordsOfTheDispatchTable) {
  for (const HelpEntry& entry : help_table)
    for (const char* word : {entry.name, entry.alias}) {
      if (*word == '\0') continue;
      bool found = false;
      for (int i = 0; i < command_table_rows; ++i)
        if (command_table[i].word == word && command_table[i].handler != nullptr) found = true;
      EXPECT_TRUE(found) << word;
    }
}

TEST(Help, TextsFitTheirFields) {
  for (const HelpEntry& entry : help_table) EXPECT_LT(std::strlen(entry.text), sizeof entry.text);
}

}  // namespace
}  // namespace zeb

// The command line's options: they come before the files and folders, `--`
// ends them, and any other argument is a file to load, as it always was (so
// `zeb -x` loads a file named -x).
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace zeb {

struct Options {
  bool board = false;
  std::string board_folder;  // --board DIR
  std::string title = "zeb hotlap board";
  bool watch_always = false;   // --watch: watch the folders loaded without a terminal too
  std::size_t first_file = 1;  // the index of the first file or folder argument
};

enum class OptionsEnd { run, done, failed };
// Reads the options after the program's name. --help and --version write
// their text and give `done`; an option without its value writes one line on
// standard error and gives `failed`.
OptionsEnd read_options(std::span<const std::string> arguments, Options& options);

}  // namespace zeb

#include "shell/options.h"

#include <string_view>

#include "console/output.h"
#include "console/system_io.h"

namespace zeb {
namespace {

constexpr std::string_view help_text =
    "usage: zeb [OPTION]... [FILE|FOLDER]...\n"
    "Keeps rankings of best lap times from Live for Speed hotlap replays (.spr),\n"
    "loading the files and folders named, then reading commands at the prompt.\n"
    "\n"
    "  --board DIR    write the rankings as web pages into DIR, rewritten as they change\n"
    "  --title TEXT   the board's title (default \"zeb hotlap board\")\n"
    "  --watch        watch the folders loaded for new replays, also without a terminal\n"
    "  --help         show this help and end\n"
    "  --version      show the version and end\n"
    "  --             end of the options: every argument after it is a file or folder\n";

void write_error(std::string_view first, std::string_view second) {
  std::string line = "zeb: ";
  line.append(first).append(second).append("\n");
  write_standard_error(line.data(), line.size());
}

}  // namespace

OptionsEnd read_options(std::span<const std::string> arguments, Options& options) {
  std::size_t i = 1;
  for (; i < arguments.size(); ++i) {
    std::string_view word = arguments[i];
    if (word == "--") {
      ++i;
      break;
    }
    if (word == "--help" || word == "--version") {
      write_text(word == "--help" ? help_text : "zeb " ZEB_VERSION "\n");
      flush_output();
      return OptionsEnd::done;
    }
    if (word == "--watch") {
      options.watch_always = true;
      continue;
    }
    if (word == "--board" || word == "--title") {
      if (i + 1 == arguments.size()) {
        write_error(word, word == "--board" ? " needs a folder" : " needs a text");
        return OptionsEnd::failed;
      }
      if (word == "--board") options.board = true;
      (word == "--board" ? options.board_folder : options.title) = arguments[++i];
      continue;
    }
    break;  // the first file or folder
  }
  options.first_file = i;
  return OptionsEnd::run;
}

}  // namespace zeb

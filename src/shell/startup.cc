#include "shell/startup.h"

#include "console/headless.h"
#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/terminal.h"
#include "db/store.h"
#include "replay/folder_watch.h"
#include "replay/load.h"
#include "replay/load_ahead.h"
#include "replay/load_progress.h"
#include "shell/command_loop.h"
#include "shell/completion.h"

namespace zeb {
namespace {

// The options come before the files: --watch keeps watching the folders
// loaded also away from a terminal; "--" ends the options, and so does the
// first argument that is not one of them. Returns the index of the first file.
std::size_t take_options(std::span<const std::string> arguments, bool& watch) {
  std::size_t i = 1;
  for (; i < arguments.size(); ++i) {
    if (arguments[i] == "--") return i + 1;
    if (arguments[i] != "--watch") break;
    watch = true;
  }
  return i;
}

}  // namespace

void load_arguments(std::span<const std::string> arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    // Each argument is a command of its own: a Ctrl-C that came while the one
    // before was loading (its last file, say) does not stop this one.
    take_interrupt();
    replay_filename = arguments[i];
    load_command(nullptr, 0, replay_filename, true);
  }
}

int run_zeb(std::span<const std::string> arguments) {
  bool watch_option = false;
  std::size_t first_file = take_options(arguments, watch_option);
  start_terminal_session();
  set_completer(complete_line);
  // At a terminal, folders loaded are watched for replays while the prompt
  // waits; away from one only with --watch, which then waits for the input
  // and the folders together and goes on after the end of input.
  static constexpr PromptWatch watch{watch_descriptor, watch_timeout_ms, load_arrived_replays};
  if (in_terminal_session()) set_prompt_watch(&watch);
  if (watch_option && !in_terminal_session()) {
    watch_always();
    start_headless_session();
    set_prompt_watch(&watch);
  }
  // Away from a terminal, a script's load lines are read ahead on every core.
  if (!in_terminal_session()) set_input_observer(read_ahead_loads);
  reset_db(db, db_size);
  // load_arguments passes over the first word, the program's name.
  load_arguments(arguments.subspan(first_file - 1));
  command_loop();
  stop_reading_ahead();
  flush_output();
  end_terminal_session();
  return 0;
}

}  // namespace zeb

#include "shell/startup.h"

#include "board/board.h"
#include "console/headless.h"
#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/system_io.h"
#include "console/terminal.h"
#include "db/store.h"
#include "folders/folder_watch.h"
#include "replay/arrivals.h"
#include "replay/load.h"
#include "replay/load_ahead.h"
#include "shell/command_loop.h"
#include "shell/completion.h"
#include "shell/options.h"

namespace zeb {
namespace {

// The watch's timeout also wakes the prompt when a board rewrite is due.
int watch_or_board_timeout_ms() {
  int watch = watch_timeout_ms();
  int board = board_due_ms();
  if (watch < 0) return board;
  return board < 0 || watch < board ? watch : board;
}

bool load_arrived_and_write_board() {
  bool wrote = load_arrived_replays();
  write_board_if_due();
  return wrote;
}

}  // namespace

void load_arguments(std::span<const std::string> arguments, std::size_t first) {
  for (std::size_t i = first; i < arguments.size(); ++i) {
    if (end_requested()) return;  // a headless watcher told to end loads no more
    // Each argument is a command of its own: a Ctrl-C that came while the one
    // before was loading (its last file, say) does not stop this one.
    take_interrupt();
    replay_filename = arguments[i];
    load_command(nullptr, 0, replay_filename, true);
  }
}

int run_zeb(std::span<const std::string> arguments) {
  Options options;
  OptionsEnd read = read_options(arguments, options);
  if (read != OptionsEnd::run) return read == OptionsEnd::done ? 0 : 2;
  if (options.board) {
    std::string reason;
    if (!open_board(options.board_folder, options.title, reason)) {
      std::string line =
          "zeb: cannot write the board into " + options.board_folder + ": " + reason + "\n";
      write_standard_error(line.data(), line.size());
      return 2;
    }
  }
  start_terminal_session();
  set_completer(complete_line);
  // At a terminal, folders loaded are watched for replays while the prompt
  // waits; away from one only with --watch, which then waits for the input
  // and the folders together and goes on after the end of input. With
  // --board alone, the wait for input still wakes for a rewrite that is due.
  static constexpr PromptWatch watch{watch_descriptor, watch_or_board_timeout_ms,
                                     load_arrived_and_write_board};
  if (in_terminal_session()) {
    set_prompt_watch(&watch);
    set_watching(true);
  } else if (options.watch_always || options.board) {
    start_headless_session();
    set_prompt_watch(&watch);
    set_watching(options.watch_always);
    watch_after_input_end = options.watch_always;
  }
  // Away from a terminal, a script's load lines are read ahead on every core.
  if (!in_terminal_session()) set_input_observer(read_ahead_loads);
  reset_db(db, db_size);
  load_arguments(arguments, options.first_file);
  if (board_is_open()) write_whole_board();
  command_loop();
  write_board_changes();
  stop_reading_ahead();
  flush_output();
  end_terminal_session();
  return 0;
}

}  // namespace zeb

#include "shell/startup.h"

#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/terminal.h"
#include "db/store.h"
#include "folders/folder_watch.h"
#include "replay/arrivals.h"
#include "replay/load.h"
#include "replay/load_ahead.h"
#include "shell/command_loop.h"
#include "shell/completion.h"

namespace zeb {

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
  start_terminal_session();
  set_completer(complete_line);
  // At a terminal, folders loaded are watched for replays while the prompt waits.
  static constexpr PromptWatch watch{watch_descriptor, watch_timeout_ms, load_arrived_replays};
  if (in_terminal_session()) {
    set_prompt_watch(&watch);
    set_watching(true);
  }
  // Away from a terminal, a script's load lines are read ahead on every core.
  if (!in_terminal_session()) set_input_observer(read_ahead_loads);
  reset_db(db, db_size);
  load_arguments(arguments);
  command_loop();
  stop_reading_ahead();
  flush_output();
  end_terminal_session();
  return 0;
}

}  // namespace zeb
